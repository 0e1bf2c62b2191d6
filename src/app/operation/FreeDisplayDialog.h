#pragma once
// "自由显示": picks the parameter a free display slot of the control panel shows. The
// person types a number into "参数号：" or double-clicks a connector or binector of the
// list; OK takes the number (an empty number clears the slot).

#include "editing/ConnectionEdit.h"

#include <QDialog>

#include <vector>

class QLineEdit;
class QTableWidget;

namespace hesk::app {

class FreeDisplayDialog final : public QDialog {
    Q_OBJECT
public:
    FreeDisplayDialog(const model::OpenedProject& project, const QString& currentNumber, QWidget* parent = nullptr);

    QString number() const;
    QLineEdit* numberEdit() const { return m_edit; }
    QTableWidget* candidateList() const { return m_list; }

private:
    std::vector<editing::ConnectionCandidate> m_candidates;
    QLineEdit* m_edit = nullptr;
    QTableWidget* m_list = nullptr;
};

}  // namespace hesk::app
