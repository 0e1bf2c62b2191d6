#pragma once
// The fault and alarm list: which faults and alarms the drive reports now, explained by
// the project's fault catalogue, and the device state they make (status-bar pane 4).
//
// collect() runs on the session's 3-second refresh: it reads the online values of the
// device type's fault and alarm words (FaultWordLists; the system poll list reads them)
// and, when any differs from the previous collection, sets the status and rebuilds the
// rows. refresh() rebuilds at once; clear() empties the rows (the fault reset does) and
// they stay empty until the words change. Going offline empties the list and sets the
// status to none.
//
// Rows follow the catalogue's order: every entry whose word is one of the device type's
// words and whose bit is set gives a row (fault icon when its code begins with "F", else
// alarm). The status counts every set bit, explained or not: fault when a fault word has
// one, else alarm when an alarm word has one, else normal.
//
// Thread: the session's (UI) thread.

#include "model/FaultCatalogue.h"
#include "model/FaultWordLists.h"

#include <QObject>
#include <QString>

#include <map>
#include <optional>
#include <vector>

namespace hesk::shell {
class MonitorSession;
}

namespace hesk::recording {

// The values of status-bar pane 4.
enum class DeviceStatus { None = 0, Normal = 1, Fault = 2, Alarm = 3 };

struct FaultAlarmRow {
    bool fault = false;  // the icon: fault or alarm
    int number = 0;      // 1-based
    QString deviceType;
    QString deviceVersion;
    QString code;
    QString meaning;
    QString cause;
    QString remedy;
    bool operator==(const FaultAlarmRow&) const = default;
};

// Word key text -> online value; a word the drive has not reported is absent (0).
using FaultWordValues = std::map<QString, uint16_t>;

DeviceStatus faultStatus(const model::FaultWordLists& lists, const FaultWordValues& values);
std::vector<FaultAlarmRow> faultAlarmRows(const model::FaultCatalogue& catalogue, const model::FaultWordLists& lists,
                                          const FaultWordValues& values, const QString& deviceType,
                                          const QString& deviceVersion);

// The list's column captions in order, and the status-bar text of a status.
QStringList faultAlarmColumns();
QString deviceStatusText(DeviceStatus status);

class FaultAlarmList final : public QObject {
    Q_OBJECT
public:
    explicit FaultAlarmList(shell::MonitorSession& session, QObject* parent = nullptr);

    // The 3-second collection: reads the words from the session's tables.
    void collect();
    // The same with given values (what collect() read).
    void collectFrom(const FaultWordValues& values);
    // "刷新": rebuilds the rows from the latest values now.
    void refresh();
    // Empties the rows until the words change (after a fault reset).
    void clear();

    const std::vector<FaultAlarmRow>& rows() const { return m_rows; }
    DeviceStatus status() const { return m_status; }
    // The values of the latest collection.
    const FaultWordValues& values() const { return m_values; }

Q_SIGNALS:
    void rowsChanged();
    void statusChanged(hesk::recording::DeviceStatus status);

private:
    FaultWordValues readWords() const;
    void rebuild();
    void setStatus(DeviceStatus status);
    void connectionChanged();

    shell::MonitorSession& m_session;
    FaultWordValues m_values;
    bool m_collected = false;  // m_values holds a collection (since going online)
    std::vector<FaultAlarmRow> m_rows;
    DeviceStatus m_status = DeviceStatus::None;
};

}  // namespace hesk::recording
