#pragma once
// The five panes of the status bar: 0 what the work area shows, 1 connection, 2 program
// state, 3 CPU load, 4 the device state indicator. The main window feeds them; widths of
// panes 1 to 3 scale with the screen width. Pane 4 blinks every 800 ms in the fault and
// alarm states.

#include "online/StatusPanes.h"
#include "shell/DeviceStateIndicator.h"

#include <QLabel>
#include <QTimer>

#include <array>

class QStatusBar;

namespace hesk::app {

class StatusPanes final : public QObject {
    Q_OBJECT
public:
    static constexpr int kPaneCount = 5;

    // Adds the panes to the status bar (which must outlive this object).
    explicit StatusPanes(QStatusBar* bar);

    QLabel* pane(int index) const { return m_panes.at(static_cast<std::size_t>(index)); }

    void setPageText(const QString& text);
    // Panes 1 to 3 from the connection state.
    void setConnection(const online::PaneState& state, int screenWidth);
    // Pane 4; the same state again changes nothing.
    void setDeviceState(int state);
    const shell::DeviceStateIndicator& indicator() const { return m_indicator; }
    bool blinkRunning() const { return m_blink.isActive(); }
    // One blink period (the timer's work).
    void blinkTick();

private:
    void setPane(int index, const online::PaneText& text);
    void paintIndicator();

    std::array<QLabel*, kPaneCount> m_panes{};
    shell::DeviceStateIndicator m_indicator;
    QTimer m_blink;
};

}  // namespace hesk::app
