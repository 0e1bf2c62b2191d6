#pragma once
// The short check after a motor start: the bar runs for about 1.2 s (six ticks of 200 ms,
// range 0 to 1000), then r0001 is read once. The start counts as successful when the
// drive reports a running state (above 9), and also when the read fails (the drive is
// then not known to have refused); it fails when the drive stays at 9 or below.

#include "shell/MonitorSession.h"

#include <QObject>
#include <QTimer>

namespace hesk::operation {

class StartCheck final : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kTick{200};
    static constexpr int kTicks = 6;
    static constexpr int kRange = 1000;

    StartCheck(shell::MonitorSession& session, const model::HeskParameterElement* state, QObject* parent = nullptr);

    void start();
    bool running() const { return m_timer.isActive(); }

Q_SIGNALS:
    void progress(int position, int maximum);
    void finished(bool success);

private:
    void tick();

    shell::MonitorSession& m_session;
    const model::HeskParameterElement* m_state;
    QTimer m_timer;
    int m_ticks = 0;
};

}  // namespace hesk::operation
