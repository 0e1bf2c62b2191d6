#include "FaultWaveformPane.h"

#include "charts/ChartView.h"
#include "dialogs/FileChoice.h"
#include "dialogs/WorkflowProgressDialog.h"

#include "model/DeviceCatalogue.h"
#include "online/InstalledProjects.h"
#include "recording/FaultDataFile.h"
#include "recording/FaultFileOpen.h"

#include <QDateTime>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace hesk::app {

namespace {

const QColor kColours[] = {QColor(220, 0, 0), QColor(0, 64, 220), QColor(0, 140, 0), QColor(200, 0, 200),
                           QColor(200, 120, 0), QColor(0, 150, 160), QColor(90, 90, 90), QColor(140, 70, 20)};

}  // namespace

FaultWaveformPane::FaultWaveformPane(Environment environment, QWidget* parent)
    : QWidget(parent), m_env(std::move(environment))
{
    m_uploadButton = new QPushButton(tr("上传故障数据"), this);
    auto* import = new QPushButton(tr("导入数据"), this);
    auto* exportButton = new QPushButton(tr("导出数据"), this);
    auto* picture = new QPushButton(tr("保存图片"), this);
    auto* showCurves = new QPushButton(tr("显示波形"), this);
    m_faults = new QListWidget(this);
    m_meanings = new QListWidget(this);
    m_meanings->setWordWrap(true);
    m_status = new QLabel(this);
    m_status->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    for (QPushButton* button : {m_uploadButton, import, exportButton, picture, showCurves})
        layout->addWidget(button);
    layout->addWidget(new QLabel(tr("故障列表"), this));
    layout->addWidget(m_faults, 1);
    layout->addWidget(new QLabel(tr("故障码含义"), this));
    layout->addWidget(m_meanings, 2);
    layout->addWidget(m_status);

    // The curves need room: their own window beside the main window.
    m_window = new QWidget(nullptr, Qt::Window);
    m_window->setWindowTitle(tr("故障波形"));
    m_chart = new ChartView(m_window);
    // The fault memory says how many samples it kept, not how far apart they are.
    m_chart->setXAxisLabel(tr("采样点"));
    auto* windowLayout = new QVBoxLayout(m_window);
    windowLayout->addWidget(m_chart);
    m_window->resize(1000, 600);

    connect(m_uploadButton, &QPushButton::clicked, this, [this] { upload(); });
    connect(import, &QPushButton::clicked, this, [this] { openFile(); });
    connect(exportButton, &QPushButton::clicked, this, [this] { exportData(); });
    connect(picture, &QPushButton::clicked, this, [this] { savePicture(); });
    connect(showCurves, &QPushButton::clicked, this, [this] {
        m_window->show();
        m_window->raise();
    });
    connect(m_faults, &QListWidget::currentRowChanged, this, &FaultWaveformPane::selectFault);
    connect(&m_env.upload, &recording::FaultDataUpload::statusText, this, [this](const QString& text) {
        if (m_progress)
            m_progress->setLabelText(text);
    });
    connect(&m_env.upload, &recording::FaultDataUpload::finished, this, &FaultWaveformPane::uploadFinished);
    m_env.upload.setStationChoice(m_env.stationChoice);
}

FaultWaveformPane::~FaultWaveformPane()
{
    delete m_window;
    delete m_progress;
}

bool FaultWaveformPane::upload()
{
    if (m_env.upload.running())
        return false;
    if (!m_env.upload.start())
        return false;
    showProgress(tr("上传故障数据"));
    return true;
}

bool FaultWaveformPane::uploadFromBoard()
{
    if (m_env.boardUpload == nullptr || m_env.upload.running() || m_env.boardUpload->running())
        return false;
    if (!m_env.boardUpload->start())
        return false;
    showProgress(tr("上传驱动板故障录波"));
    return true;
}

void FaultWaveformPane::showProgress(const QString& title)
{
    m_uploadButton->setEnabled(false);
    m_progress = workflowProgressDialog(this, title, tr("等待设备回复..."), 0);
    m_progress->show();
}

void FaultWaveformPane::uploadFinished(const recording::FaultUploadOutcome& outcome)
{
    m_uploadButton->setEnabled(true);
    if (m_progress) {
        m_progress->close();
        m_progress->deleteLater();
    }
    // A failed upload leaves the record shown before it.
    if (outcome.success)
        showRecord(outcome.record);
}

bool FaultWaveformPane::openFile(const std::optional<QString>& path)
{
    model::FileDialogSpec spec;
    spec.title = tr("打开故障数据文件");
    spec.filter = recording::faultFileFilter();
    const std::optional<QString> chosen = givenOrOpened(path, m_env.prompt, spec);
    if (!chosen)
        return false;
    const model::OpenedProject& project = m_env.session.project();
    const QString style = project.isOpen() ? recording::faultFileDeviceStyle(project.deviceClass()) : QString();
    const QString version = project.isOpen() ? project.project().header.deviceVersion : QString();
    const recording::FaultFileOpenPlan plan = recording::planFaultFileOpen(
        *chosen, style, version, model::ProjectLocator(online::applicationProjectRoot().folder));
    if (plan.message) {
        m_env.prompt.showMessage(*plan.message);
        return false;
    }
    if (plan.projectToOpen && !(m_env.openProject && m_env.openProject(*plan.projectToOpen))) {
        m_env.prompt.showMessage(model::UserMessage::error(tr("根据文件中的设备类型和版本打开对应工程失败！")));
        return false;
    }
    if (!plan.contents)
        return false;
    if (const std::optional<model::UserMessage> refusal =
            recording::checkFaultFileWords(plan.contents->record, m_env.session.project().faults())) {
        m_env.prompt.showMessage(*refusal);
        return false;
    }
    showRecord(plan.contents->record);
    return true;
}

bool FaultWaveformPane::exportData(const std::optional<QString>& path)
{
    if (!m_record || m_record->empty()) {
        m_env.prompt.showMessage(model::UserMessage::warning(recording::noFaultDataText()));
        return false;
    }
    model::FileDialogSpec spec;
    spec.title = tr("导出数据");
    spec.fileName = recording::faultFileProposedName();
    spec.filter = recording::faultFileFilter();
    spec.defaultSuffix = QStringLiteral("txt");
    const std::optional<QString> chosen = givenOrSaved(path, m_env.prompt, spec);
    if (!chosen)
        return false;
    const model::OpenedProject& project = m_env.session.project();
    const recording::FaultFileHeader header =
        recording::faultFileHeader(*m_record, project.deviceClass(), project.project().header.deviceVersion,
                                   QDateTime::currentDateTime());
    if (const std::optional<QString> failure = recording::writeFaultDataFile(*chosen, *m_record, header)) {
        m_env.prompt.showMessage(model::UserMessage::error(tr("文件保存失败！") + *failure));
        return false;
    }
    m_env.prompt.showMessage(model::UserMessage::hint(recording::faultFileExportedText(*chosen)));
    return true;
}

bool FaultWaveformPane::savePicture(const std::optional<QString>& path)
{
    if (!m_record || m_record->empty()) {
        m_env.prompt.showMessage(model::UserMessage::warning(recording::noFaultDataText()));
        return false;
    }
    model::FileDialogSpec spec;
    spec.title = tr("保存图片");
    spec.fileName = QStringLiteral("1.png");
    spec.filter = QStringLiteral("png File (*.png)");
    spec.defaultSuffix = QStringLiteral("png");
    const std::optional<QString> chosen = givenOrSaved(path, m_env.prompt, spec);
    if (!chosen) {
        m_env.prompt.showMessage(model::UserMessage::warning(tr("请选择文件！")));
        return false;
    }
    if (!m_chart->savePng(*chosen)) {
        m_env.prompt.showMessage(model::UserMessage::error(tr("图片保存失败！")));
        return false;
    }
    return true;
}

void FaultWaveformPane::showRecord(const recording::FaultRecord& record)
{
    m_record = record;
    m_faults->clear();
    for (std::size_t i = 0; i < record.faults.size(); ++i)
        m_faults->addItem(record.faults[i].listText(i + 1 == record.faults.size()));
    QStringList status{record.stationText()};
    status << record.informationTexts();
    m_status->setText(status.join(QLatin1Char('\n')));
    if (!record.faults.empty())
        m_faults->setCurrentRow(static_cast<int>(record.faults.size()) - 1);
    else
        selectFault(-1);
    m_window->show();
    m_window->raise();
}

void FaultWaveformPane::selectFault(int index)
{
    m_meanings->clear();
    m_chart->clearSeries();
    m_curves.clear();
    if (!m_record || index < 0 || index >= static_cast<int>(m_record->faults.size())) {
        m_chart->replot();
        return;
    }
    const recording::FaultEntry& fault = m_record->faults[static_cast<std::size_t>(index)];
    const QStringList& keys = recording::faultWordKeys();
    const model::FaultCatalogue& catalogue = m_env.session.project().faults();
    for (std::size_t w = 0; w < fault.faultWords.size() && w < static_cast<std::size_t>(keys.size()); ++w)
        for (const model::FaultAlarm& entry : catalogue.explain(keys[static_cast<qsizetype>(w)], fault.faultWords[w]))
            m_meanings->addItem(QStringLiteral("%1 %2").arg(entry.code, entry.name));
    if (m_meanings->count() == 0)
        m_meanings->addItem(tr("（故障字中没有置位的故障）"));
    m_chart->setTitle(fault.listText(index + 1 == static_cast<int>(m_record->faults.size())) + QStringLiteral("  ")
                      + m_record->stationText());
    int colour = 0;
    for (const recording::FaultChannel& channel : fault.channels) {
        const QString name = channel.name.isEmpty() ? QStringLiteral("CH%1").arg(channel.number) : channel.name;
        const int id = m_chart->addSeries(name, kColours[colour++ % std::size(kColours)],
                                          channel.digital ? ChartView::Axis::Digital : ChartView::Axis::Analog);
        recording::SeriesPoints points;
        for (std::size_t k = 0; k < channel.samples.size(); ++k) {
            points.x.append(static_cast<double>(k));
            points.y.append(channel.samples[k]);
        }
        m_chart->setSeriesPoints(id, points);
        m_curves.push_back(id);
    }
    m_chart->replot();
}

void FaultWaveformPane::clear()
{
    m_record.reset();
    m_faults->clear();
    m_meanings->clear();
    m_status->clear();
    m_chart->clearSeries();
    m_curves.clear();
    m_chart->replot();
    m_window->hide();
}

}  // namespace hesk::app
