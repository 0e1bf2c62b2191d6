// The parameter upload against the real simulated drive on a pseudo-terminal paced at
// 38400 baud, with the installed inverter sample project (the largest sample):
//   Upload  from the start request to the file written: the start request, the length
//           frame and its echo, the block frames, the end frame and its echo, then the
//           block's check and the file. Goal: within 1.05 x the wire time of those frames
//           ("goalRatio" <= 1.05; "blockBytes", "frames", "wireSeconds" as well).
// Run from the build tree: build/default/bench/UploadBench.
#include "QuietSeams.h"

#include "files/ParameterUpload.h"
#include "link/FrameCodec.h"
#include "model/FaultTableLibrary.h"
#include "shell/MonitorSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

namespace {

constexpr int kBaud = 38400;
constexpr double kByteSeconds = 10.0 / kBaud;

const QString kProject = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");

// Shows only what goes wrong; the result message of every run stays quiet.
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

void Upload(benchmark::State& state)
{
    hesk::files::ParameterUpload upload(*g_online->session, g_online->prompt);
    qint64 blockBytes = 0;
    double total = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        std::optional<hesk::files::UploadOutcome> outcome;
        QEventLoop loop;
        QObject::connect(&upload, &hesk::files::ParameterUpload::progress, &loop, [&](qint64 done, qint64 all) {
            if (done < all && all > blockBytes)
                blockBytes = all;  // the announced length while the block arrives
        });
        QObject::connect(&upload, &hesk::files::ParameterUpload::finished, &loop,
                         [&](const hesk::files::UploadOutcome& o) {
                             outcome = o;
                             loop.quit();
                         });
        hesk::files::UploadOptions options;
        options.path = g_online->dir.filePath(QStringLiteral("upload.dnl"));
        clock.start();
        if (!upload.start(options)) {
            state.SkipWithError("the upload did not start");
            return;
        }
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        if (upload.running())
            loop.exec();
        if (!outcome || !outcome->success) {
            state.SkipWithError("the upload failed");
            return;
        }
        const double seconds = clock.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        total += seconds;
    }
    using hesk::link::kBlockDataSize;
    using hesk::link::kBlockFrameSize;
    using hesk::link::kCommandFrameSize;
    const qint64 blocks = (blockBytes + static_cast<qint64>(kBlockDataSize) - 1) / static_cast<qint64>(kBlockDataSize);
    // Start request, length frame and echo, end frame and echo; the blocks.
    const double wire = (5 * kCommandFrameSize + blocks * kBlockFrameSize) * kByteSeconds;
    state.counters["blockBytes"] = static_cast<double>(blockBytes);
    state.counters["frames"] = static_cast<double>(blocks + 5);
    state.counters["wireSeconds"] = wire;
    state.counters["goalRatio"] = total / static_cast<double>(state.iterations()) / wire;
}

}  // namespace

BENCHMARK(Upload)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

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
