#pragma once
// The fault-waveform upload from the drive board over its own serial port
// (上传驱动板故障录波). start() runs the steps in order:
//
//   project     without an open project, the inverter project the board belongs to
//               (VRA1, version V1.14.17) is opened through the window's project opening;
//               when that version is not installed, the installed VRA1 project the
//               locator falls back to (the nearest version) is opened and the log says so.
//               Failure: "自动打开工程失败！"
//   view        the fault-waveform view is shown; failure "发生未知错误，请重试！"
//   port        the serial port of the connection settings is opened as the session's
//               listening link (no connect exchange: the board does not take part in it);
//               failure closes it, logs "<错误>驱动板串口打开失败" and says
//               "驱动板串口打开失败！"
//   exchange    FaultDataUpload::startDriveBoard(): F2 E0, the same trigger, stall and
//               end checks as the drive's upload, the record decoded in drive-board mode
//
// When the exchange ends, whichever way, the listening link is closed again and the
// session is offline as before; a failed exchange has put the previous record back.
// finished() carries the upload's outcome (or the failure before the exchange).
//
// Thread: UI thread. The session must be offline and not busy with another workflow.

#include "FaultDataUpload.h"

#include "model/ProjectLocator.h"

#include <QObject>

#include <functional>

namespace hesk::recording {

class DriveBoardFaultUpload final : public QObject {
    Q_OBJECT
public:
    // The device type and version of the project the board's record is shown with.
    static QString projectCode() { return QStringLiteral("VRA1"); }
    static QString projectVersion() { return QStringLiteral("V1.14.17"); }

    struct Environment {
        shell::MonitorSession& session;
        model::UserPrompt& prompt;
        FaultDataUpload& upload;
        model::ProjectLocator installed;
        // Opens a project file as the window does; true when it is open afterwards.
        std::function<bool(const QString&)> openProject;
        // Shows the fault-waveform view; false when it cannot be shown. Not set: nothing
        // to show (heskmon).
        std::function<bool()> showView;
    };

    explicit DriveBoardFaultUpload(Environment environment, QObject* parent = nullptr);
    ~DriveBoardFaultUpload() override;

    // False when a step before the exchange failed (the message shown, finished()
    // emitted) or another upload runs; true while the exchange runs.
    bool start();
    bool running() const { return m_running; }

Q_SIGNALS:
    void finished(const hesk::recording::FaultUploadOutcome& outcome);

private Q_SLOTS:
    void uploadFinished(const hesk::recording::FaultUploadOutcome& outcome);

private:
    bool openProjectIfNone();
    bool failBeforeExchange(const model::UserMessage& message);

    Environment m_env;
    bool m_running = false;
};

}  // namespace hesk::recording
