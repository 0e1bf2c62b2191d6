#include "TriggerRecorderWindow.h"

#include "TriggerSettingsDialog.h"
#include "charts/ChartView.h"
#include "charts/WaveformPanel.h"
#include "dialogs/FileChoice.h"

#include "recording/TricfgFile.h"
#include "recording/TriggerDataFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace hesk::app {

namespace {

const char* const kNoData = QT_TRANSLATE_NOOP("TriggerRecorderWindow", "当前缓冲没有数据！");

QString stateText(int state)
{
    switch (state) {
    case 0: return QCoreApplication::translate("TriggerRecorderWindow", "空闲");
    case 1:
    case 2:
    case 3:
    case 4: return QCoreApplication::translate("TriggerRecorderWindow", "正在设置");
    case 5: return QCoreApplication::translate("TriggerRecorderWindow", "等待触发");
    default: return QCoreApplication::translate("TriggerRecorderWindow", "正在接收数据");
    }
}

}  // namespace

TriggerRecorderWindow::TriggerRecorderWindow(recording::TriggerRecorder& recorder, shell::MonitorSession& session,
                                             model::UserPrompt& prompt, QWidget* parent)
    : QWidget(parent, Qt::Window), m_recorder(recorder), m_session(session), m_prompt(prompt)
{
    setWindowTitle(tr("触发录波"));
    const QStringList yRanges{QStringLiteral("0.001"), QStringLiteral("0.01"), QStringLiteral("0.1"), QStringLiteral("1"),
                              QStringLiteral("10"),    QStringLiteral("100"),  QStringLiteral("1000"), QStringLiteral("10000")};
    m_panel = new WaveformPanel(recording::kRecorderChannels, yRanges, QStringLiteral("10"), prompt, this);
    const auto makeButton = [this](const QString& text) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(text);
        return button;
    };
    m_settings = makeButton(tr("通道设置"));
    m_immediate = makeButton(tr("立即启动"));
    m_triggered = makeButton(tr("触发启动"));
    m_stop = makeButton(tr("停止"));
    m_import = makeButton(tr("导入数据"));
    m_export = makeButton(tr("导出数据"));
    m_picture = makeButton(tr("保存图片"));
    m_information = makeButton(tr("记录信息"));
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 0);
    m_progress->setMaximumWidth(120);
    m_progress->setTextVisible(false);
    m_state = new QLabel(stateText(0), this);
    m_status = new QLabel(this);

    auto* strip = new QHBoxLayout;
    for (QPushButton* button : {m_settings, m_immediate, m_triggered, m_stop})
        strip->addWidget(button);
    strip->addSpacing(8);
    for (QPushButton* button : {m_panel->cursorButton(), m_panel->lockButton(), m_panel->axisRangeButton()})
        strip->addWidget(button);
    strip->addSpacing(8);
    for (QPushButton* button : {m_import, m_export, m_picture, m_information})
        strip->addWidget(button);
    strip->addSpacing(8);
    strip->addWidget(m_progress);
    strip->addWidget(m_state);
    strip->addWidget(m_status, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(strip);
    layout->addWidget(m_panel, 1);
    resize(1180, 720);

    connect(m_settings, &QPushButton::clicked, this, &TriggerRecorderWindow::editSettings);
    connect(m_immediate, &QPushButton::clicked, this,
            [this] { m_recorder.start(recording::TriggerRecorder::StartKind::Immediate); });
    connect(m_triggered, &QPushButton::clicked, this,
            [this] { m_recorder.start(recording::TriggerRecorder::StartKind::Triggered); });
    connect(m_stop, &QPushButton::clicked, &m_recorder, &recording::TriggerRecorder::stop);
    connect(m_import, &QPushButton::clicked, this, [this] { importData(); });
    connect(m_export, &QPushButton::clicked, this, [this] { exportData(); });
    connect(m_picture, &QPushButton::clicked, this, [this] { savePicture(); });
    connect(m_information, &QPushButton::clicked, this, &TriggerRecorderWindow::showInformation);
    connect(&m_recorder, &recording::TriggerRecorder::stateChanged, this, &TriggerRecorderWindow::updateButtons);
    connect(&m_recorder, &recording::TriggerRecorder::statusText, m_status, &QLabel::setText);
    connect(&m_recorder, &recording::TriggerRecorder::triggered, this, [this] {
        show();
        raise();
    });
    connect(&m_recorder, &recording::TriggerRecorder::recordingComplete, this, &TriggerRecorderWindow::recordingComplete);
    connect(&m_recorder, &recording::TriggerRecorder::recordingSaved, this,
            [this](const QString& path) { m_status->setText(tr("已自动保存：") + path); });
    connect(&m_session, &shell::MonitorSession::connectionChanged, this, &TriggerRecorderWindow::updateButtons);
    updateButtons();
}

void TriggerRecorderWindow::projectChanged()
{
    m_recording.reset();
    m_unsaved = false;
    m_panel->setChannels({}, 1.0);
    const model::OpenedProject& project = m_session.project();
    if (project.isOpen()) {
        const recording::TriggerSettings defaults = recording::defaultTriggerSettings(project);
        m_recorder.setSettings(
            recording::loadAutomaticTricfg(recording::automaticTricfgPath(defaults.deviceCode), defaults));
    }
    updateButtons();
}

bool TriggerRecorderWindow::editSettings()
{
    if (!m_session.project().isOpen())
        return false;
    const int baseTime = m_session.project().project().timeBases[0];
    TriggerSettingsDialog dialog(m_recorder.settings(), m_session.project(), m_prompt, baseTime, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_recorder.setSettings(dialog.settings());
    const recording::TricfgWrite written =
        recording::writeTricfg(recording::automaticTricfgPath(dialog.settings().deviceCode), dialog.settings());
    if (!written.ok)
        m_prompt.showMessage(recording::automaticTricfgSaveFailedMessage());
    return true;
}

void TriggerRecorderWindow::recordingComplete(const recording::TriggerRecording& recording, bool display)
{
    if (!display)
        return;
    showRecording(recording);
    m_unsaved = true;
    m_status->setText(tr("录波完成：") + recording.information.time);
}

void TriggerRecorderWindow::showRecording(const recording::TriggerRecording& recording)
{
    m_recording = recording;
    std::vector<recording::WaveformChannel> channels;
    for (const recording::RecordedChannel& channel : recording.channels)
        channels.push_back({channel.label, channel.words, channel.triggerPosition});
    m_panel->setChannels(channels, recording.sampleIntervalMs());
    m_panel->chart()->setTitle(recording.information.time);
    updateButtons();
}

bool TriggerRecorderWindow::importData(const std::optional<QString>& path)
{
    model::FileDialogSpec spec;
    spec.title = tr("导入数据");
    spec.filter = QStringLiteral("txt File (*.txt)");
    const std::optional<QString> chosen = givenOrOpened(path, m_prompt, spec);
    if (!chosen)
        return false;
    auto read = recording::readTriggerDataFile(*chosen);
    if (const auto* problem = std::get_if<model::UserMessage>(&read)) {
        m_prompt.showMessage(*problem);  // the display keeps what it showed
        return false;
    }
    showRecording(std::get<recording::TriggerRecording>(read));
    m_unsaved = false;
    return true;
}

bool TriggerRecorderWindow::exportData(const std::optional<QString>& path)
{
    if (!m_recording) {
        m_prompt.showMessage(model::UserMessage::warning(QCoreApplication::translate("TriggerRecorderWindow", kNoData)));
        return false;
    }
    model::FileDialogSpec spec;
    spec.title = tr("导出数据");
    spec.filter = QStringLiteral("txt File (*.txt)");
    spec.defaultSuffix = QStringLiteral("txt");
    const std::optional<QString> chosen = givenOrSaved(path, m_prompt, spec);
    if (!chosen) {
        m_prompt.showMessage(model::UserMessage::error(tr("请选择导出文件路径，导出数据任务失败！")));
        return false;
    }
    const recording::TriggerDataWrite written = recording::writeTriggerDataFile(*chosen, *m_recording);
    if (!written.ok) {
        m_prompt.showMessage(model::UserMessage::error(tr("文件保存失败！")));
        return false;
    }
    m_unsaved = false;
    m_status->setText(tr("数据已导出：") + *chosen);
    return true;
}

bool TriggerRecorderWindow::savePicture(const std::optional<QString>& path)
{
    if (!m_recording) {
        m_prompt.showMessage(model::UserMessage::warning(QCoreApplication::translate("TriggerRecorderWindow", kNoData)));
        return false;
    }
    model::FileDialogSpec spec;
    spec.title = tr("保存图片");
    spec.fileName = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss")) + QStringLiteral(".png");
    spec.filter = QStringLiteral("png File (*.png)");
    spec.defaultSuffix = QStringLiteral("png");
    const std::optional<QString> chosen = givenOrSaved(path, m_prompt, spec);
    if (!chosen)
        return false;
    if (!m_panel->chart()->savePng(*chosen)) {
        m_prompt.showMessage(model::UserMessage::error(tr("图片保存失败！")));
        return false;
    }
    return true;
}

void TriggerRecorderWindow::showInformation()
{
    if (!m_recording) {
        m_prompt.showMessage(model::UserMessage::warning(tr("当前缓冲没有数据，无记录信息！")));
        return;
    }
    QDialog dialog(this);
    dialog.setWindowTitle(tr("记录信息"));
    const auto rows = m_recording->informationRows();
    auto* table = new QTableWidget(static_cast<int>(rows.size()), 2, &dialog);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        table->setItem(i, 0, new QTableWidgetItem(rows[static_cast<size_t>(i)].first));
        table->setItem(i, 1, new QTableWidgetItem(rows[static_cast<size_t>(i)].second));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(table);
    dialog.resize(480, 360);
    dialog.exec();
}

void TriggerRecorderWindow::updateButtons()
{
    const int state = m_recorder.state();
    const bool online = m_session.isOnline();
    const bool project = m_session.project().isOpen();
    m_settings->setEnabled(project && state == 0);
    m_immediate->setEnabled(online && state == 0);
    m_triggered->setEnabled(online && state == 0);
    m_stop->setEnabled(online && state >= 5);
    m_import->setEnabled(project && state < 5);
    m_progress->setVisible(state > 0);
    m_state->setText(stateText(state));
}

QPushButton* TriggerRecorderWindow::button(const QString& text) const
{
    return findChild<QPushButton*>(text);
}

QString TriggerRecorderWindow::statusText() const
{
    return m_status->text();
}

}  // namespace hesk::app
