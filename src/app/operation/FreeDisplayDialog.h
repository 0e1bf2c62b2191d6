#pragma once
// The connection selection dialog: picks a parameter by number. The person types a number
// into "参数号：" or double-clicks a connector or binector of the list; OK takes the number.
// The control panel's free display slots use it under the title "自由显示" (an empty
// number clears the slot); the recorder's channels and trigger conditions under their own.

#include "editing/ConnectionEdit.h"

#include <QDialog>

#include <vector>

class QLineEdit;
class QTableWidget;

namespace hesk::app {

class FreeDisplayDialog final : public QDialog {
    Q_OBJECT
public:
    // title: the window title; empty gives "自由显示".
    FreeDisplayDialog(const model::OpenedProject& project, const QString& currentNumber, QWidget* parent = nullptr,
                      const QString& title = {});

    QString number() const;
    QLineEdit* numberEdit() const { return m_edit; }
    QTableWidget* candidateList() const { return m_list; }

private:
    std::vector<editing::ConnectionCandidate> m_candidates;
    QLineEdit* m_edit = nullptr;
    QTableWidget* m_list = nullptr;
};

}  // namespace hesk::app
