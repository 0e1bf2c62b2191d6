#include "FaultTableLibrary.h"

#include <QDir>
#include <QFile>

namespace hesk::model {

QString faultTableFileName(FaultTableId table)
{
    switch (table) {
    case FaultTableId::Inverter: return QStringLiteral("inverter.tsv");
    case FaultTableId::FeedbackRectifier: return QStringLiteral("feedback-rectifier.tsv");
    case FaultTableId::ActiveRectifierOld: return QStringLiteral("active-rectifier-old.tsv");
    case FaultTableId::ActiveRectifier: return QStringLiteral("active-rectifier.tsv");
    case FaultTableId::BasicRectifier: return QStringLiteral("basic-rectifier.tsv");
    case FaultTableId::TestBench: return QStringLiteral("test-bench.tsv");
    }
    return {};
}

std::optional<FaultTableId> faultTableFor(DeviceClass deviceClass, ActiveRectifierFirmware firmware)
{
    switch (deviceClass) {
    case DeviceClass::Inverter: return FaultTableId::Inverter;
    case DeviceClass::FeedbackRectifier: return FaultTableId::FeedbackRectifier;
    case DeviceClass::ActiveRectifier:
        return firmware == ActiveRectifierFirmware::Old ? FaultTableId::ActiveRectifierOld
                                                        : FaultTableId::ActiveRectifier;
    case DeviceClass::BasicRectifier: return FaultTableId::BasicRectifier;
    case DeviceClass::TestBench: return FaultTableId::TestBench;
    case DeviceClass::None: break;
    }
    return std::nullopt;
}

FaultTableLibrary::FaultTableLibrary(const QString& folder)
{
    const QDir dir(folder);
    for (std::size_t i = 0; i < kAllFaultTables.size(); ++i) {
        const QString fileName = faultTableFileName(kAllFaultTables[i]);
        QFile file(dir.filePath(fileName));
        if (!file.open(QIODevice::ReadOnly)) {
            m_issues.push_back({fileName, 0, QStringLiteral("cannot open: %1").arg(file.errorString())});
            m_tables[i] = std::make_shared<const std::vector<FaultAlarm>>();
            continue;
        }
        FaultTableParseResult parsed = parseFaultTable(file.readAll());
        for (const FaultTableIssue& issue : parsed.issues)
            m_issues.push_back({fileName, issue.line, issue.message});
        m_tables[i] = std::make_shared<const std::vector<FaultAlarm>>(std::move(parsed.entries));
    }
}

FaultTable FaultTableLibrary::table(FaultTableId id) const
{
    const auto index = static_cast<std::size_t>(id);
    if (index >= m_tables.size())
        return std::make_shared<const std::vector<FaultAlarm>>();
    return m_tables[index];
}

}  // namespace hesk::model
