#include "FaultAlarmPane.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace hesk::app {

FaultAlarmPane::FaultAlarmPane(recording::FaultAlarmList& list, std::function<void()> faultReset, QWidget* parent)
    : QWidget(parent), m_faults(list), m_faultReset(std::move(faultReset))
{
    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("faultAlarmList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(false);
    m_list->setWordWrap(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setHeaderLabels(recording::faultAlarmColumns());
    const std::array<int, 7> widths = {56, 70, 80, 90, 160, 260, 320};
    for (int c = 0; c < static_cast<int>(widths.size()); ++c)
        m_list->setColumnWidth(c, widths[static_cast<size_t>(c)]);
    m_list->header()->setStretchLastSection(true);

    m_refresh = new QPushButton(tr("刷新"));
    m_reset = new QPushButton(tr("故障复位"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_refresh);
    buttons->addWidget(m_reset);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(m_list);

    connect(m_refresh, &QPushButton::clicked, this, [this] { m_faults.refresh(); });
    connect(m_reset, &QPushButton::clicked, this, [this] {
        if (m_faultReset)
            m_faultReset();
    });
    connect(&m_faults, &recording::FaultAlarmList::rowsChanged, this, &FaultAlarmPane::showRows);
    showRows();
}

void FaultAlarmPane::showRows()
{
    static const QIcon fault(QStringLiteral(":/panel/fault.svg"));
    static const QIcon alarm(QStringLiteral(":/panel/alarm.svg"));
    m_list->clear();
    for (const recording::FaultAlarmRow& row : m_faults.rows()) {
        auto* item = new QTreeWidgetItem(m_list, QStringList{QString::number(row.number), row.deviceType,
                                                             row.deviceVersion, row.code, row.meaning, row.cause,
                                                             row.remedy});
        item->setIcon(0, row.fault ? fault : alarm);
        item->setToolTip(6, row.remedy);
    }
}

}  // namespace hesk::app
