#pragma once
// The fault-waveform pane (故障波形控制面板): "上传故障数据" (the drive's fault memory,
// recording::FaultDataUpload under a progress dialog), "导入数据" and the main menu's
// 打开故障波形文件 (a fault-data file; the project of its device type and version is
// opened first when another one is open), "导出数据", "保存图片", the list of the record's
// faults and the meanings of the selected fault's words from the fault catalogue. The
// main menu's 上传驱动板故障录波 runs recording::DriveBoardFaultUpload under the same
// progress dialog (uploadFromBoard). The curves of the selected fault are drawn in the fault-waveform window, one curve per
// channel (digital channels of the drive board on the digital axis).
//
// Thread: UI thread only.

#include "recording/DriveBoardFaultUpload.h"
#include "recording/FaultDataUpload.h"
#include "recording/FaultRecord.h"

#include "model/UserPrompt.h"
#include "shell/MonitorSession.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QListWidget;
class QProgressDialog;
class QPushButton;

namespace hesk::app {

class ChartView;

class FaultWaveformPane final : public QWidget {
    Q_OBJECT
public:
    struct Environment {
        shell::MonitorSession& session;
        model::UserPrompt& prompt;
        recording::FaultDataUpload& upload;
        // Opens a project file as the window does; true when it is open afterwards.
        std::function<bool(const QString&)> openProject;
        // The station dialog: the number of slaves; the entry, nothing when cancelled.
        recording::FaultDataUpload::StationChoice stationChoice;
        // The drive board's upload on the same FaultDataUpload; nullptr: not offered.
        recording::DriveBoardFaultUpload* boardUpload = nullptr;
    };

    explicit FaultWaveformPane(Environment environment, QWidget* parent = nullptr);
    ~FaultWaveformPane() override;

    // "上传故障数据": false when refused (the message shown).
    bool upload();
    // "上传驱动板故障录波": false when a step before the exchange failed (the message shown).
    bool uploadFromBoard();
    bool openFile(const std::optional<QString>& path = std::nullopt);
    bool exportData(const std::optional<QString>& path = std::nullopt);
    bool savePicture(const std::optional<QString>& path = std::nullopt);
    // Shows a record (after an upload or a file) and selects its newest fault.
    void showRecord(const recording::FaultRecord& record);
    void selectFault(int index);
    // The project closed: the record shown is dropped.
    void clear();

    const std::optional<recording::FaultRecord>& record() const { return m_record; }
    QListWidget* faultList() const { return m_faults; }
    QListWidget* meaningList() const { return m_meanings; }
    // The station and, for the drive board, its information texts.
    QLabel* statusLabel() const { return m_status; }
    ChartView* chart() const { return m_chart; }
    // The chart's series of the selected fault, by channel.
    const std::vector<int>& curves() const { return m_curves; }
    QWidget* waveformWindow() const { return m_window; }

private:
    void showProgress(const QString& title);
    void uploadFinished(const recording::FaultUploadOutcome& outcome);

    Environment m_env;
    std::optional<recording::FaultRecord> m_record;
    QPushButton* m_uploadButton = nullptr;
    QListWidget* m_faults = nullptr;
    QListWidget* m_meanings = nullptr;
    QLabel* m_status = nullptr;
    QWidget* m_window = nullptr;  // top level, owned by this pane
    ChartView* m_chart = nullptr;
    std::vector<int> m_curves;
    QPointer<QProgressDialog> m_progress;
};

}  // namespace hesk::app
