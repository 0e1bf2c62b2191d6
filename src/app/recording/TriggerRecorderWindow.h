#pragma once
// The trigger recorder's window (触发录波): the command strip ("通道设置", "立即启动",
// "触发启动", "停止", "XY游标", "游标锁定", "坐标范围", "导入数据", "导出数据", "保存图片",
// "记录信息", a progress bar and two status texts) over the waveform panel that draws the
// last recording or the data file opened. The exchange with the drive is the core's
// recording::TriggerRecorder; this window only starts it and shows what it reports.
//
// The settings are loaded from the device type's automatic settings file when the window
// first shows a project and written back after every OK of "通道设置".
//
// Thread: UI thread only.

#include "recording/TriggerRecorder.h"
#include "recording/TriggerRecording.h"

#include "model/UserPrompt.h"
#include "shell/MonitorSession.h"

#include <QWidget>

#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace hesk::app {

class WaveformPanel;

class TriggerRecorderWindow final : public QWidget {
    Q_OBJECT
public:
    // All must outlive the window.
    TriggerRecorderWindow(recording::TriggerRecorder& recorder, shell::MonitorSession& session,
                          model::UserPrompt& prompt, QWidget* parent = nullptr);

    // The project changed (opened or closed): the settings of its device type, the
    // display emptied.
    void projectChanged();
    // "通道设置": false when the dialog was cancelled.
    bool editSettings();
    // Shows a recording (processed or read from a file).
    void showRecording(const recording::TriggerRecording& recording);
    bool hasData() const { return m_recording.has_value(); }
    const std::optional<recording::TriggerRecording>& recording() const { return m_recording; }
    // The recording shown came from the drive and has not been exported since.
    bool unsaved() const { return m_unsaved; }

    // "导入数据" with a path (the main menu's 打开触发录波文件) or through the open dialog.
    bool importData(const std::optional<QString>& path = std::nullopt);
    // "导出数据"; true when written.
    bool exportData(const std::optional<QString>& path = std::nullopt);
    bool savePicture(const std::optional<QString>& path = std::nullopt);
    void showInformation();

    WaveformPanel* panel() const { return m_panel; }
    QPushButton* button(const QString& text) const;
    QString statusText() const;

private:
    void updateButtons();
    void recordingComplete(const recording::TriggerRecording& recording, bool display);

    recording::TriggerRecorder& m_recorder;
    shell::MonitorSession& m_session;
    model::UserPrompt& m_prompt;
    WaveformPanel* m_panel = nullptr;
    QPushButton* m_settings = nullptr;
    QPushButton* m_immediate = nullptr;
    QPushButton* m_triggered = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_picture = nullptr;
    QPushButton* m_information = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_state = nullptr;
    QLabel* m_status = nullptr;
    std::optional<recording::TriggerRecording> m_recording;
    bool m_unsaved = false;
};

}  // namespace hesk::app
