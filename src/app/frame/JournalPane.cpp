#include "JournalPane.h"

#include "shell/JournalUndo.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace hesk::app {

JournalPane::JournalPane(shell::ChangeJournal& journal, shell::MonitorSession& session, model::UserPrompt& prompt,
                         pages::OfflineValueSet& offline, QWidget* parent)
    : QWidget(parent), m_journal(journal), m_session(session), m_prompt(prompt), m_offline(offline)
{
    m_table = new QTableWidget(0, 7, this);
    m_table->setHorizontalHeaderLabels({tr("时间"), tr("参数"), tr("名称"),
                                        tr("原值"), tr("新值"), tr("方式"),
                                        tr("结果")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_undo = new QPushButton(tr("撤销"), this);
    m_undo->setToolTip(tr("把选中的修改之前的值写回设备"));
    m_export = new QPushButton(tr("导出CSV"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_undo);
    buttons->addWidget(m_export);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(buttons);
    layout->addWidget(m_table);

    connect(m_undo, &QPushButton::clicked, this, &JournalPane::undoSelected);
    connect(m_export, &QPushButton::clicked, this, &JournalPane::exportCsv);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &JournalPane::updateButtons);
    refresh();
}

void JournalPane::refresh()
{
    const std::vector<shell::JournalEntry>& entries = m_journal.entries();
    m_table->setRowCount(static_cast<int>(entries.size()));
    for (int row = 0; row < static_cast<int>(entries.size()); ++row) {
        const shell::JournalEntry& e = entries[static_cast<std::size_t>(row)];
        const QStringList cells{e.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                e.number,
                                e.name,
                                e.oldText,
                                e.newText,
                                e.online ? tr("在线") : tr("离线"),
                                shell::outcomeCaption(e.outcome)};
        for (int column = 0; column < cells.size(); ++column) {
            QTableWidgetItem* item = m_table->item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                m_table->setItem(row, column, item);
            }
            item->setText(cells[column]);
            if (e.outcome == shell::JournalEntry::Outcome::Failed)
                item->setForeground(QColor(200, 0, 0));
            else
                item->setForeground(palette().color(QPalette::Text));
        }
    }
    m_table->resizeColumnsToContents();
    if (!entries.empty())
        m_table->scrollToBottom();
    updateButtons();
}

void JournalPane::updateButtons()
{
    m_undo->setEnabled(!m_table->selectedItems().isEmpty());
    m_export->setEnabled(!m_journal.entries().empty());
}

bool JournalPane::undoSelected()
{
    const QList<QTableWidgetItem*> selected = m_table->selectedItems();
    if (selected.isEmpty())
        return false;
    const int row = selected.front()->row();
    m_undo->setEnabled(false);  // the write waits with the event loop running
    const bool written = shell::undoJournalEntry(m_session, m_prompt, m_offline, m_journal, static_cast<std::size_t>(row));
    refresh();
    if (written)
        Q_EMIT valueWritten();
    return written;
}

void JournalPane::exportCsv()
{
    model::FileDialogSpec spec;
    spec.title = tr("导出修改记录");
    spec.fileName = tr("修改记录.csv");
    spec.filter = tr("CSV文件 (*.csv)");
    spec.defaultSuffix = QStringLiteral("csv");
    const std::optional<QString> path = m_prompt.saveFile(spec);
    if (!path)
        return;
    if (const std::optional<model::UserMessage> problem = m_journal.exportCsv(*path)) {
        m_prompt.showMessage(*problem);
        return;
    }
    m_prompt.showMessage(model::UserMessage::hint(tr("修改记录已导出至：") + *path));
}

}  // namespace hesk::app
