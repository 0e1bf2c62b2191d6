#include "FaultAlarmList.h"

#include "shell/MonitorSession.h"

#include <QCoreApplication>

namespace hesk::recording {

namespace {

bool anyBitSet(const QStringList& words, const FaultWordValues& values)
{
    for (const QString& word : words) {
        const auto found = values.find(word);
        if (found != values.end() && found->second != 0)
            return true;
    }
    return false;
}

}  // namespace

DeviceStatus faultStatus(const model::FaultWordLists& lists, const FaultWordValues& values)
{
    if (anyBitSet(lists.faults, values))
        return DeviceStatus::Fault;
    if (anyBitSet(lists.alarms, values))
        return DeviceStatus::Alarm;
    return DeviceStatus::Normal;
}

std::vector<FaultAlarmRow> faultAlarmRows(const model::FaultCatalogue& catalogue, const model::FaultWordLists& lists,
                                          const FaultWordValues& values, const QString& deviceType,
                                          const QString& deviceVersion)
{
    const QStringList words = lists.all();
    std::vector<FaultAlarmRow> rows;
    for (const model::FaultAlarm& entry : catalogue.entries()) {
        if (!words.contains(entry.word) || entry.bit < 0 || entry.bit > 15)
            continue;
        const auto found = values.find(entry.word);
        if (found == values.end() || (found->second & (1u << entry.bit)) == 0)
            continue;
        FaultAlarmRow row;
        row.fault = entry.code.startsWith(QLatin1Char('F'));
        row.number = static_cast<int>(rows.size()) + 1;
        row.deviceType = deviceType;
        row.deviceVersion = deviceVersion;
        row.code = entry.code;
        row.meaning = entry.name;
        row.cause = entry.description;
        row.remedy = entry.remedy;
        rows.push_back(std::move(row));
    }
    return rows;
}

QStringList faultAlarmColumns()
{
    return {QString(),
            QCoreApplication::translate("FaultAlarmList", "设备类型"),
            QCoreApplication::translate("FaultAlarmList", "设备版本"),
            QCoreApplication::translate("FaultAlarmList", "故障/报警码"),
            QCoreApplication::translate("FaultAlarmList", "故障/报警码含义"),
            QCoreApplication::translate("FaultAlarmList", "故障/报警原因"),
            QCoreApplication::translate("FaultAlarmList", "解决措施")};
}

QString deviceStatusText(DeviceStatus status)
{
    const QString spaces = QStringLiteral("      ");
    switch (status) {
    case DeviceStatus::Fault: return spaces + QCoreApplication::translate("FaultAlarmList", "故障");
    case DeviceStatus::Alarm: return spaces + QCoreApplication::translate("FaultAlarmList", "报警");
    case DeviceStatus::Normal: return spaces + QCoreApplication::translate("FaultAlarmList", "正常");
    case DeviceStatus::None:
        break;
    }
    return {};
}

FaultAlarmList::FaultAlarmList(shell::MonitorSession& session, QObject* parent)
    : QObject(parent), m_session(session)
{
    connect(&m_session, &shell::MonitorSession::connectionChanged, this, &FaultAlarmList::connectionChanged);
}

FaultWordValues FaultAlarmList::readWords() const
{
    FaultWordValues values;
    const model::OpenedProject& project = m_session.project();
    for (const QString& word : model::faultWordLists(project.deviceClass()).all()) {
        const model::HeskParameterElement* element = project.find(word);
        if (element == nullptr)
            continue;
        if (const std::optional<uint16_t> raw = m_session.onlineRaw(*element))
            values[word] = *raw;
    }
    return values;
}

void FaultAlarmList::collect()
{
    if (!m_session.isOnline())
        return;
    collectFrom(readWords());
}

void FaultAlarmList::collectFrom(const FaultWordValues& values)
{
    if (m_collected && values == m_values)
        return;
    m_values = values;
    m_collected = true;
    setStatus(faultStatus(model::faultWordLists(m_session.project().deviceClass()), m_values));
    rebuild();
}

void FaultAlarmList::refresh()
{
    if (m_session.isOnline())
        m_values = readWords();
    rebuild();
}

void FaultAlarmList::clear()
{
    if (m_rows.empty())
        return;
    m_rows.clear();
    Q_EMIT rowsChanged();
}

void FaultAlarmList::rebuild()
{
    const model::OpenedProject& project = m_session.project();
    const model::HeskProjectHeader& header = project.project().header;
    m_rows = faultAlarmRows(project.faults(), model::faultWordLists(project.deviceClass()), m_values,
                            header.deviceType, header.deviceVersion);
    Q_EMIT rowsChanged();
}

void FaultAlarmList::setStatus(DeviceStatus status)
{
    if (status == m_status)
        return;
    m_status = status;
    Q_EMIT statusChanged(status);
}

void FaultAlarmList::connectionChanged()
{
    if (m_session.isOnline())
        return;
    m_values.clear();
    m_collected = false;
    setStatus(DeviceStatus::None);
    clear();
}

}  // namespace hesk::recording
