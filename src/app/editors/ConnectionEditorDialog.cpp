#include "ConnectionEditorDialog.h"

#include "dialogs/DialogButtons.h"

#include "editing/EditorMessages.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace hesk::app {

ConnectionEditorDialog::ConnectionEditorDialog(editing::EditEnvironment& environment,
                                             const model::HeskParameterElement& parameter,
                                             const QString& currentText, QWidget* parent)
    : EditorDialog(environment, editing::connectionCloseRefusal(), parent), m_parameter(parameter),
      m_candidates(editing::connectionCandidates(environment.project))
{
    setWindowTitle(tr("修改参数连线"));
    auto* layout = new QVBoxLayout(this);
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(new QLabel(tr("参数号："), this));
    m_edit = new QLineEdit(currentText, this);
    m_edit->setObjectName(QStringLiteral("sourceEdit"));
    numberRow->addWidget(m_edit, 1);
    layout->addLayout(numberRow);
    layout->addWidget(new QLabel(tr("双击对应行，选择参数！"), this));

    m_list = new QTableWidget(static_cast<int>(m_candidates.size()), 3, this);
    m_list->setObjectName(QStringLiteral("candidateList"));
    m_list->setHorizontalHeaderLabels({tr("连线值"), tr("名称"), tr("注释")});
    m_list->verticalHeader()->setVisible(false);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < m_list->rowCount(); ++row) {
        const editing::ConnectionCandidate& c = m_candidates[static_cast<std::size_t>(row)];
        m_list->setItem(row, 0, new QTableWidgetItem(c.numberText));
        m_list->setItem(row, 1, new QTableWidgetItem(c.name));
        m_list->setItem(row, 2, new QTableWidgetItem(c.comment));
        if (c.numberText == currentText)
            m_list->selectRow(row);
    }
    connect(m_list, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { chooseRow(row); });
    layout->addWidget(m_list, 1);
    layout->addWidget(new QLabel(tr("修改连线，双击对应行修改！"), this));
    layout->addWidget(okCancelButtons(this));
    resize(480, 420);
}

void ConnectionEditorDialog::chooseRow(int row)
{
    if (row < 0 || row >= static_cast<int>(m_candidates.size()) || writing())
        return;
    m_edit->setText(m_candidates[static_cast<std::size_t>(row)].numberText);
    accept();
}

void ConnectionEditorDialog::accept()
{
    applyAndClose([this] { return editing::applyConnection(m_env, m_parameter, m_edit->text()); });
}


}  // namespace hesk::app
