#include "FreeDisplayDialog.h"

#include "dialogs/DialogButtons.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace hesk::app {

FreeDisplayDialog::FreeDisplayDialog(const model::OpenedProject& project, const QString& currentNumber,
                                     QWidget* parent, const QString& title)
    : QDialog(parent), m_candidates(editing::connectionCandidates(project))
{
    setWindowTitle(title.isEmpty() ? tr("自由显示") : title);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_edit = new QLineEdit(currentNumber, this);
    form->addRow(tr("参数号："), m_edit);
    layout->addLayout(form);

    m_list = new QTableWidget(static_cast<int>(m_candidates.size()), 3, this);
    m_list->setHorizontalHeaderLabels({tr("参数号"), tr("名称"), tr("注释")});
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_list->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < static_cast<int>(m_candidates.size()); ++row) {
        const editing::ConnectionCandidate& c = m_candidates[static_cast<std::size_t>(row)];
        m_list->setItem(row, 0, new QTableWidgetItem(c.numberText));
        m_list->setItem(row, 1, new QTableWidgetItem(c.name));
        m_list->setItem(row, 2, new QTableWidgetItem(c.comment));
    }
    m_list->resizeColumnToContents(0);
    m_list->resizeColumnToContents(1);
    layout->addWidget(m_list);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        m_edit->setText(m_candidates[static_cast<std::size_t>(row)].numberText);
        accept();
    });

    layout->addWidget(okCancelButtons(this));
    resize(520, 420);
}

QString FreeDisplayDialog::number() const
{
    return m_edit->text().trimmed().toUpper();
}

}  // namespace hesk::app
