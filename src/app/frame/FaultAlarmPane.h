#pragma once
// The "故障报警" pane: the faults and alarms the drive reports now, one row each with a
// fault or alarm icon and the columns row number, "设备类型", "设备版本", "故障/报警码",
// "故障/报警码含义", "故障/报警原因", "解决措施"; "刷新" rebuilds the list, "故障复位" runs
// the control panel's fault reset (which empties the list when it succeeded). It shows
// what recording::FaultAlarmList holds.
//
// Thread: UI thread only.

#include "recording/FaultAlarmList.h"

#include <QWidget>

#include <functional>

class QPushButton;
class QTreeWidget;

namespace hesk::app {

class FaultAlarmPane final : public QWidget {
    Q_OBJECT
public:
    // `faultReset` runs the fault reset (the control panel's).
    FaultAlarmPane(recording::FaultAlarmList& list, std::function<void()> faultReset, QWidget* parent = nullptr);

    QTreeWidget* listWidget() const { return m_list; }
    QPushButton* refreshButton() const { return m_refresh; }
    QPushButton* resetButton() const { return m_reset; }

private:
    void showRows();

    recording::FaultAlarmList& m_faults;
    std::function<void()> m_faultReset;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_reset = nullptr;
};

}  // namespace hesk::app
