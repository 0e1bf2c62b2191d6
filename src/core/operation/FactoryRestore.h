#pragma once
// The factory restore: the refusals in their order, the question, then the procedure
// under a progress bar of 0 to 2000:
//
//   Reading     the reset-retention entries (P0941.0..14 that exist and as many P0942.x)
//               are read; a failed read fails the restore
//   Leading     500 ms in which the bar runs to 500
//   Restoring   the restore frame 0x30 as a confirmed write (echo, then MDY_CONFIRM),
//               then the entries are read again from the drive; the bar runs to 1500
//               within 1500 ms
//   WritingBack each entry is written back with the value it had before (the drive's
//               restore clears the retention list with everything else), one bar step each
//   Done        bar at 2000, text "完成 "
//
// finished() carries the result, whose message was shown already.
//
// Thread: the session's (UI) thread.

#include "model/UserPrompt.h"
#include "shell/MonitorSession.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <optional>
#include <vector>

namespace hesk::operation {

class FactoryRestore final : public QObject {
    Q_OBJECT
public:
    enum class State { Idle, Leading, Settling, Done };
    static constexpr int kRange = 2000;
    static constexpr std::chrono::milliseconds kTick{50};
    static constexpr std::chrono::milliseconds kLead{500};
    static constexpr std::chrono::milliseconds kSettle{1500};

    // Motor control held is asked of the session (its hooks: the control panel).
    FactoryRestore(shell::MonitorSession& session, model::UserPrompt& prompt, QObject* parent = nullptr);

    // The refusals and the question; true when the procedure runs (finished() follows).
    bool start();
    bool running() const { return m_state != State::Idle && m_state != State::Done; }
    State state() const { return m_state; }
    // The reset-retention entries of the project (P0941.x, then P0942.x).
    std::vector<const model::HeskParameterElement*> retentionEntries() const;

Q_SIGNALS:
    void progress(int position, int maximum);
    void statusText(const QString& text);
    void finished(bool success);

private:
    std::optional<model::UserMessage> refusal() const;
    void tick();
    void restore();
    void writeBack();
    void end(bool success);
    void setPosition(int position);

    shell::MonitorSession& m_session;
    model::UserPrompt& m_prompt;
    State m_state = State::Idle;
    QTimer m_timer;
    std::chrono::steady_clock::time_point m_phaseStart;
    int m_position = 0;
    std::vector<const model::HeskParameterElement*> m_entries;
    std::vector<uint16_t> m_before;  // the entries' words before the restore
};

}  // namespace hesk::operation
