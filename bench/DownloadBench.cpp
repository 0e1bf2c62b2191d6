// The parameter download against the real simulated drive on a pseudo-terminal paced at
// 38400 baud, with the installed inverter sample project and a parameter file of its
// factory values:
//   Transfer  from the drive's answer to the start request to the end byte's echo: the
//             blocks, their echoes and the control bytes with their echoes. Goal: within
//             1.1 x their wire time ("goalRatio" <= 1.1; "imageBytes", "blocks",
//             "wireSeconds" as well). The simulator paces only its own output, so
//             "pacedRatio" (the time over the wire time of the echoes alone) is the
//             figure that shows the tool's own overhead.
// Run from the build tree: build/default/bench/DownloadBench.
#include "QuietSeams.h"

#include "files/DnlFormat.h"
#include "files/DownloadImage.h"
#include "files/ParameterDownload.h"
#include "model/FaultTableLibrary.h"
#include "shell/MonitorSession.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

namespace {

constexpr int kBaud = 38400;
constexpr double kByteSeconds = 10.0 / kBaud;

const QString kProject = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11517/VRA1V11517.tmprj");

// Shows only what goes wrong; the hint and the result message of every run stay quiet.
class ErrorsOnlyPrompt final : public hesk::model::UserPrompt {
public:
    void show(hesk::model::MessageKind kind, const QString& title, const QString& text) override
    {
        if (kind == hesk::model::MessageKind::Error || kind == hesk::model::MessageKind::Warning)
            std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    }
    hesk::model::PromptAnswer ask(const QString&, const QString&, hesk::model::PromptButtons) override
    {
        return hesk::model::PromptAnswer::Yes;  // a version question: go on
    }
    std::optional<QString> saveFile(const hesk::model::FileDialogSpec&) override { return std::nullopt; }
    std::optional<QString> openFile(const hesk::model::FileDialogSpec&) override { return std::nullopt; }
    std::optional<QString> chooseFolder(const hesk::model::FolderDialogSpec&) override { return std::nullopt; }
};

struct Online {
    QProcess sim;
    QTemporaryDir dir;
    hesk::bench::QuietLog log;
    ErrorsOnlyPrompt prompt;
    hesk::model::FaultTableLibrary faults;
    std::unique_ptr<hesk::shell::MonitorSession> session;
    QString dnl;

    bool start()
    {
        sim.start(QStringLiteral(HESK_SIM_PATH), {QStringLiteral("--project"), kProject, QStringLiteral("--pty"),
                                                  QStringLiteral("--baud"), QString::number(kBaud)});
        if (!sim.waitForReadyRead(10000))
            return false;
        const QString pty = QString::fromLocal8Bit(sim.readLine()).trimmed();
        session = std::make_unique<hesk::shell::MonitorSession>(
            faults, log, prompt, hesk::online::InterfaceSettings({QStringLiteral("/nonexistent/interfacecfg.ini"), {}}));
        if (session->project().open(kProject))
            return false;
        // Every downloadable parameter with its factory value.
        dnl = dir.filePath(QStringLiteral("factory.dnl"));
        QFile file(dnl);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        const hesk::model::HeskProject& project = session->project().project();
        file.write(hesk::files::dnlHeaderBytes(QDateTime::currentDateTime(), QStringLiteral("VRA1"),
                                               project.header.deviceVersion));
        for (const hesk::model::HeskParameterElement& e : project.elements)
            if (hesk::files::isDownloadable(e) && e.referenceKey.size() == hesk::files::kDnlLabelLength)
                file.write(hesk::files::dnlRowBytes(e.referenceKey, hesk::files::dnlFileValue(e, e.factoryValue)));
        file.close();
        hesk::online::ConnectionSettings settings;
        settings.mode = hesk::online::InterfaceMode::Serial;
        settings.portName = settings.portPath = pty;
        settings.baudRate = QString::number(kBaud);
        session->overrideConnectionSettings(settings);
        return session->connectDevice();
    }
    ~Online()
    {
        session.reset();
        sim.terminate();
        sim.waitForFinished(3000);
    }
};

Online* g_online = nullptr;

void Transfer(benchmark::State& state)
{
    hesk::files::ParameterDownload download(*g_online->session, g_online->prompt);
    qint64 imageBytes = 0;
    double total = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        std::optional<hesk::files::DownloadOutcome> outcome;
        QEventLoop loop;
        QObject::connect(&download, &hesk::files::ParameterDownload::statusText, &loop, [&](const QString& text) {
            if (text == QStringLiteral("正在下载参数..."))
                clock.start();  // the start request was answered: the blocks go now
        });
        QObject::connect(&download, &hesk::files::ParameterDownload::progress, &loop,
                         [&](qint64, qint64 total) { imageBytes = total; });
        QObject::connect(&download, &hesk::files::ParameterDownload::finished, &loop,
                         [&](const hesk::files::DownloadOutcome& o) {
                             outcome = o;
                             loop.quit();
                         });
        hesk::files::DownloadOptions options;
        options.path = g_online->dnl;
        options.serialNumber = hesk::files::SerialNumberAnswer::No;
        if (!download.start(options)) {
            state.SkipWithError("the download did not start");
            return;
        }
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();
        if (!outcome || !outcome->success) {
            state.SkipWithError("the download failed");
            return;
        }
        const double seconds = clock.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        total += seconds;
    }
    const qint64 blocks = (imageBytes + 255) / 256;
    const double wire = (blocks * 2 * 256 + blocks * 2) * kByteSeconds;
    state.counters["imageBytes"] = static_cast<double>(imageBytes);
    state.counters["blocks"] = static_cast<double>(blocks);
    state.counters["wireSeconds"] = wire;
    state.counters["goalRatio"] = total / static_cast<double>(state.iterations()) / wire;
    // The simulator paces only what it sends (the echoes); what the tool sends reaches it
    // at once. The ratio against the paced half shows the overhead the tool adds.
    const double paced = (blocks * 256 + blocks) * kByteSeconds;
    state.counters["pacedSeconds"] = paced;
    state.counters["pacedRatio"] = total / static_cast<double>(state.iterations()) / paced;
}

}  // namespace

BENCHMARK(Transfer)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Online online;
    if (!online.start()) {
        std::fprintf(stderr, "the simulated drive did not come online\n");
        return 1;
    }
    g_online = &online;
    benchmark::RunSpecifiedBenchmarks();
    g_online = nullptr;
    benchmark::Shutdown();
    return 0;
}
