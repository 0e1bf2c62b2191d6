#pragma once
// The window of one parameter page: the list of its rows with their value, factory value,
// unit and comment, the page poll list that the scheduler serves while the page is on
// show, and for the custom page its context menu (insert, delete, change, save and load
// a custom page file).
//
// Values are redrawn from the session's tables (online) or the offline values (offline)
// on a UI timer, for the rows in view only, and only the cells that changed are repainted.
// The poll list likewise holds the rows in view (and a margin of a few rows), so what the
// person sees is read about once a second however long the page is.
//
// The bar above the list counts the parameters whose value differs from the factory value
// and can show only those ("仅显示与出厂值不同"). With the filter on, every row is polled and
// converted, not only those in view: the rows that differ are found wherever they are.
//
// Value editing is not done here: a double-click on the value cell emits
// valueCellActivated(row) for the editors, from the event loop once the view's handler
// has returned; a double-click on the comment cell edits the comment in place.

#include "PageEnvironment.h"

#include "online/FrameList.h"
#include "pages/ParameterPage.h"

#include <QTimer>
#include <QWidget>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QMenu;

namespace hesk::app {

class ParameterListView;
class ParameterPageModel;

class ParameterPageWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kRefreshPeriod{250};

    // The environment must outlive the window; the session's project must be open and
    // have the page.
    ParameterPageWindow(PageEnvironment& environment, const QString& pageName, QWidget* parent = nullptr);
    ~ParameterPageWindow() override;

    const QString& pageName() const { return m_page->name(); }
    bool isCustomPage() const { return m_page->isCustom(); }
    const pages::ParameterPage& page() const { return *m_page; }
    ParameterListView* view() const { return m_view; }
    ParameterPageModel* model() const { return m_model; }
    // The requests of the rows in view and a small margin (slot 2 of the scheduler while
    // on show), kept up to date as the page scrolls or is resized.
    online::FrameList& pollList() { return m_pollList; }
    // The rows in view now; first < 0 while the view is not shown (not laid out).
    pages::RowSpan rowsInView() const;
    // Builds the poll list again when the rows in view changed since it was built; the
    // page cycle then starts at once, so rows scrolled into view are read without waiting
    // for the next second. Scrolling, resizing and every refresh tick call it.
    void updatePollList();

    // Redraws the values of the rows in view now (the timer does it periodically while
    // the window is visible). Returns the rows that changed.
    pages::ChangedRows refreshVisibleValues();
    // Every value of the page, visible or not (used when the page is first shown).
    pages::ChangedRows refreshAllValues();
    // The comments were changed through another page.
    void refreshComments();
    // The custom list changed elsewhere: build the rows and the poll list again.
    void rebuildRows(bool scrollToTop = false);

    void selectRow(int row);
    int selectedRow() const;

    // Only the rows whose value differs from the factory value are shown.
    void setChangedOnly(bool on);
    bool changedOnly() const;
    // The count text of the bar ("与出厂值不同：3 项" …).
    QString changedCountText() const;

    // The custom page's commands, as its context menu offers them.
    QMenu* createContextMenu(QWidget* parent);
    void insertParameter();
    void deleteParameter();
    void changeParameter();
    void saveCustomPage();
    void loadCustomPage();

Q_SIGNALS:
    // The value cell of a row was double-clicked: the editors take over from here.
    void valueCellActivated(int row);
    // The custom list or a comment of the project was changed here.
    void customListChanged();
    void commentStored();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    pages::ValueSource valueSource() const;
    void onDoubleClicked(const QModelIndex& index);
    void showContextMenu(const QPoint& position);
    void customListEdited();
    std::optional<uint16_t> askNumber();
    // Hides the rows the filter leaves out and updates the count.
    void applyChangedFilter();

    PageEnvironment& m_env;
    std::unique_ptr<pages::ParameterPage> m_page;
    online::FrameList m_pollList;
    std::optional<pages::RowSpan> m_polledView;  // the rows in view the list was built for
    ParameterPageModel* m_model = nullptr;
    ParameterListView* m_view = nullptr;
    QObject* m_viewport = nullptr;  // compared only: its resizes change the rows in view
    QCheckBox* m_changedOnly = nullptr;
    QLabel* m_changedCount = nullptr;
    std::vector<bool> m_rowHidden;  // by page row, as set on the view
    bool m_pollsWholePage = false;
    QTimer m_refreshTimer;
};

}  // namespace hesk::app
