#pragma once
// The parameter download: a parameter file written into the drive as one image.
//
// start() runs the entry checks in order (recording, motor control, Ethernet, the file,
// its header against the project, the operating state), then on the inverter switches
// the menu level P0060 to 5 (a confirmed write). From there events move it:
//
//   Parsing         a zero-time step: the file becomes the image
//   AwaitingReply   the download-start request (0xF2 0x19) went out; 5 s for the answer,
//                   which the link hands over through the DownloadWindowPort
//   Transferring    the link's reader is stopped and the download thread sends the blocks
//                   and reads their echoes; 500 ms ticks count the silence (20 ticks end it)
//   Done            P0060 is set back (inverter), the reader and the line are given back
//
// The line is held (no poll, no write) from the start request to the end, and given back
// on every end: success, failure, time-out, cancel, link closed.
//
// Messages and questions go through the prompt; finished() carries the outcome. UI thread
// only, but for the port methods, which only post.

#include "DownloadImage.h"
#include "DownloadThread.h"

#include "link/WorkflowPorts.h"
#include "model/UserPrompt.h"

#include <QObject>
#include <QTimer>

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

namespace hesk::shell {
class MonitorSession;
}

namespace hesk::files {

struct DownloadOptions {
    std::optional<QString> path;  // nothing: the open dialog asks
    SerialNumberAnswer serialNumber = SerialNumberAnswer::Ask;
    // The trigger recorder's state (above 4: recording runs); nothing: the session's
    // hooks tell it.
    std::function<int()> recorderState;
};

struct DownloadOutcome {
    bool success = false;
    bool communicationFailure = false;
    QString message;  // shown already through the prompt
    std::optional<DownloadCounts> counts;
    int repeats = 0;
};

class ParameterDownload final : public QObject, public link::DownloadWindowPort {
    Q_OBJECT
public:
    enum class State { Idle, Parsing, AwaitingReply, Transferring, Done };

    static constexpr std::chrono::milliseconds kReplyTimeout{5000};
    static constexpr std::chrono::milliseconds kTick{500};
    static constexpr int kSilentTicks = 20;

    ParameterDownload(shell::MonitorSession& session, model::UserPrompt& prompt, QObject* parent = nullptr);
    ~ParameterDownload() override;

    // The entry checks and the menu-level switch; true when the download runs on (it
    // ends with finished()). False: refused, every message shown; nothing was sent but
    // what the refusal needed (a failed P0060 write).
    bool start(const DownloadOptions& options);
    void cancel();
    State state() const { return m_state; }
    bool running() const { return m_state != State::Idle && m_state != State::Done; }

    // DownloadWindowPort (the link's 0x19 handler).
    bool isOpen() const override { return m_open.load(); }
    bool flagReply() override { return !m_replied.exchange(true); }
    void wakeAfter(std::chrono::milliseconds delay) override;

    // The refusal over Ethernet: the blocks run on the serial line only.
    static QString ethernetRefusal();

Q_SIGNALS:
    void statusText(const QString& text);
    void progress(qint64 done, qint64 total);
    void finished(const DownloadOutcome& outcome);

private:
    // What another thread (the download thread, the link's dispatch) reports. Reports go
    // through a locked queue and one queued call by name, so nothing but the queue is
    // shared between the threads.
    struct ThreadReport {
        enum class Kind { Replied, Progress, Repeated, Finished, Failed };
        Kind kind;
        std::chrono::milliseconds delay{0};
        std::size_t position = 0;
        std::size_t total = 0;
        int error = 0;
    };
    void report(ThreadReport threadReport);
    Q_INVOKABLE void takeReports();

    void parse();
    void replyTimedOut();
    void startReplied();
    void tick();
    void threadProgress(qint64 position, qint64 total);
    void threadRepeated();
    void threadFinished();
    void threadFailed(int error);
    void linkChanged();
    void end(DownloadOutcome outcome);
    void releaseLine();

    shell::MonitorSession& m_session;
    model::UserPrompt& m_prompt;
    DownloadOptions m_options;
    QString m_path;
    State m_state = State::Idle;
    DownloadBuild m_build;
    QByteArray m_image;
    std::atomic<bool> m_open{false};
    std::atomic<bool> m_replied{false};
    QTimer m_replyTimer;
    QTimer m_tickTimer;
    int m_silentTicks = 0;
    int m_repeats = 0;
    bool m_lineHeld = false;
    bool m_readerStopped = false;
    bool m_inverter = false;
    std::optional<uint16_t> m_menuLevel;  // P0060 before the download (inverter)
    std::mutex m_reportsLock;
    std::deque<ThreadReport> m_reports;
    bool m_reportsPosted = false;  // under m_reportsLock
    DownloadThread m_thread;  // last: it ends before the queue it reports into
};

}  // namespace hesk::files

Q_DECLARE_METATYPE(hesk::files::DownloadOutcome)
