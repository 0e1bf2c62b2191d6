#pragma once
// The parameter upload: the drive's whole parameter state in one block, checked against
// the project, copied into the value tables and written as a parameter file.
//
// start() runs the entry checks in order (test bench, recording, operating state,
// motor control on the inverter), the custom-page choice and the save dialog, then sends
// the start request (0xF2 0x2B). From there the link's frames and two timers move it:
//
//   Receiving   the length frame sets the progress range, block frames fill the buffer
//               (the link's handlers echo length and end); a 50 ms tick shows progress
//   Done        at the end frame the block is validated, copied into the tables and the
//               file is written (a temporary file that replaces the target when whole)
//
// The drive may take longer than 10 s for a big block on a slow line: the upload fails
// only after 10 s without any frame of the transfer ("上传参数超时,请重新尝试！"). A time-out
// or an invalid block leaves no file and the tables untouched.
//
// The line is held (no poll, no write) from the start request to every end; the link
// closing ends the upload at once. UI thread only, but for the port methods, which the
// dispatching thread calls (the UI thread or the UDP receive thread).

#include "link/WorkflowPorts.h"
#include "model/UserPrompt.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <set>

namespace hesk::shell {
class MonitorSession;
}

namespace hesk::files {

struct UploadOptions {
    std::optional<QString> path;  // nothing: the save dialog asks
    // The parameter numbers of the custom page when it is shown and not empty: the person
    // is asked whether only those go into the file.
    std::set<uint16_t> customNumbers;
    // Only the custom numbers, without the question (heskmon --custom).
    bool customOnly = false;
    // The trigger recorder's state (5 or more: recording runs); nothing: the session's.
    std::function<int()> recorderState;
    // The caller shows what it does with the file (the three-way compare): no message on
    // success. Failures are shown as always.
    bool quietSuccess = false;
};

struct UploadOutcome {
    bool success = false;
    QString message;  // shown already through the prompt
    QString path;     // the file written
    int rows = 0;
};

// The checks of a received block against the project's table sizes, in order; the
// message of the first that fails, nothing for a valid block.
std::optional<QString> uploadBlockProblem(const QByteArray& buffer, uint16_t announcedLength, std::size_t inputCount,
                                          std::size_t outputCount);

class ParameterUpload final : public QObject, public link::UploadPort {
    Q_OBJECT
public:
    enum class State { Idle, Receiving, Done };

    static constexpr std::chrono::milliseconds kSilence{10000};
    static constexpr std::chrono::milliseconds kTick{50};

    ParameterUpload(shell::MonitorSession& session, model::UserPrompt& prompt, QObject* parent = nullptr);
    ~ParameterUpload() override;

    // False: refused or cancelled before anything was sent (the message, if any, shown).
    bool start(const UploadOptions& options);
    void cancel();
    State state() const { return m_state; }
    bool running() const { return m_state == State::Receiving; }

    // UploadPort (the link's 0x2C, 0x2D and 0x2E handlers).
    bool isOpen() const override { return m_open.load(); }
    void lengthReceived(uint16_t totalLength) override;
    size_t bytesReceived() const override;
    void storeBlock(std::span<const uint8_t, link::kBlockDataSize> data) override;
    void endReceived() override;

Q_SIGNALS:
    void statusText(const QString& text);
    void progress(qint64 done, qint64 total);
    void finished(const hesk::files::UploadOutcome& outcome);

private:
    void tick();
    void validateAndWrite();
    bool writeFile(QString& failure);
    void linkChanged();
    void end(UploadOutcome outcome);

    shell::MonitorSession& m_session;
    model::UserPrompt& m_prompt;
    QString m_path;
    bool m_quietSuccess = false;
    QString m_style;
    std::set<uint16_t> m_onlyNumbers;  // empty: every parameter
    State m_state = State::Idle;
    QTimer m_tick;
    std::chrono::steady_clock::time_point m_lastProgress;
    bool m_lineHeld = false;
    int m_rowsWritten = 0;

    // Filled by the port methods.
    mutable std::mutex m_lock;
    QByteArray m_buffer;
    uint16_t m_length = 0;
    bool m_lengthKnown = false;
    bool m_lengthNew = false;
    bool m_endReceived = false;
    uint64_t m_frames = 0;  // every frame of the transfer: progress for the silence watch
    std::atomic<bool> m_open{false};
    uint64_t m_framesSeen = 0;
};

}  // namespace hesk::files

Q_DECLARE_METATYPE(hesk::files::UploadOutcome)
