#pragma once
// The table view of a parameter page: one selected row at a time, type-ahead on the
// parameter number (letters P, R, U, N, B, K and digits, main keyboard or keypad), and
// Enter and Esc swallowed so that they neither edit nor close anything around the list.

#include "pages/TypeAhead.h"

#include <QTableView>

#include <functional>

namespace hesk::pages {
class ParameterPage;
}

namespace hesk::app {

class ParameterListView final : public QTableView {
    Q_OBJECT
public:
    using Clock = std::function<pages::TypeAhead::Clock::time_point()>;

    // The page must outlive the view; clock gives the time of each key.
    ParameterListView(const pages::ParameterPage& page, Clock clock, QWidget* parent = nullptr);

    // Selects the row and scrolls it into view; -1 clears the selection.
    void selectRow(int row);
    // The selected row; -1 for none.
    int selectedRow() const;

    const pages::TypeAhead& typeAhead() const { return m_typeAhead; }

    // Qt's own type-ahead on the display texts would fight ours.
    void keyboardSearch(const QString&) override {}

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    const pages::ParameterPage& m_page;
    Clock m_clock;
    pages::TypeAhead m_typeAhead;
};

}  // namespace hesk::app
