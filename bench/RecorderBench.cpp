// A full trigger recording (8192 samples, one channel) against the real simulated drive
// on a pseudo-terminal paced at 38400 baud, with the installed inverter sample, for both
// device variants:
//   Variant1  the drive sends 1366 16-byte data frames (six samples each).
//   Variant0  4096 exchanges of two samples: the drive's 0x36, the tool's echo, the
//             drive's 0x37 check (24 bytes on the line per exchange).
// Measured from the first data frame to the processed recording; goal: within 1.05 x the
// wire time of the data frames after the first ("goalRatio" <= 1.05; "frames",
// "wireSeconds" as well). The recording itself (8192 x TA) runs in the drive before.
// Run from the build tree: build/default/bench/RecorderBench.
#include "QuietSeams.h"

#include "link/FrameCodec.h"
#include "model/FaultTableLibrary.h"
#include "recording/RecorderSessionHooks.h"
#include "recording/TriggerRecorder.h"
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

class ErrorsOnlyPrompt final : public hesk::model::UserPrompt {
public:
    void show(hesk::model::MessageKind kind, const QString& title, const QString& text) override
    {
        if (kind == hesk::model::MessageKind::Error || kind == hesk::model::MessageKind::Warning)
            std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    }
    hesk::model::PromptAnswer ask(const QString&, const QString&, hesk::model::PromptButtons) override
    {
        return hesk::model::PromptAnswer::Yes;
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
    std::unique_ptr<hesk::recording::TriggerRecorder> recorder;
    std::unique_ptr<hesk::recording::RecorderSessionHooks> hooks;

    bool start(int variant)
    {
        sim.start(QStringLiteral(HESK_SIM_PATH), {QStringLiteral("--project"), kProject, QStringLiteral("--pty"),
                                                  QStringLiteral("--baud"), QString::number(kBaud),
                                                  QStringLiteral("--variant"), QString::number(variant)});
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
        recorder = std::make_unique<hesk::recording::TriggerRecorder>(*session, prompt);
        hooks = std::make_unique<hesk::recording::RecorderSessionHooks>(*recorder);
        session->setHooks(hooks.get());
        session->ports().recorder = recorder.get();
        hesk::recording::TriggerSettings s = hesk::recording::defaultTriggerSettings(session->project());
        for (size_t i = 1; i < s.channels.size(); ++i)
            s.channels[i] = {};
        s.channels[0] = *hesk::recording::channelFor(session->project(), QStringLiteral("K0021"));
        recorder->setSettings(s);
        return session->connectDevice();
    }
    ~Online()
    {
        if (session)
            session->ports().recorder = nullptr;
        recorder.reset();
        session.reset();
        sim.terminate();
        sim.waitForFinished(3000);
    }
};

void record(benchmark::State& state, int variant)
{
    Online online;
    if (!online.start(variant)) {
        state.SkipWithError("the simulated drive did not come online");
        return;
    }
    hesk::recording::TriggerRecorder& recorder = *online.recorder;
    double total = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        bool complete = false;
        QEventLoop loop;
        QObject::connect(&recorder, &hesk::recording::TriggerRecorder::receiving, &loop, [&] { clock.start(); });
        QObject::connect(&recorder, &hesk::recording::TriggerRecorder::recordingComplete, &loop,
                         [&](const hesk::recording::TriggerRecording& r, bool) {
                             complete = r.channels[0].words.size() == 8192;
                             loop.quit();
                         });
        QObject::connect(&recorder, &hesk::recording::TriggerRecorder::ended, &loop, [&] { loop.quit(); });
        if (!recorder.start(hesk::recording::TriggerRecorder::StartKind::Immediate)) {
            state.SkipWithError("the recorder did not start");
            return;
        }
        QTimer::singleShot(120000, &loop, &QEventLoop::quit);
        loop.exec();
        if (!complete || !clock.isValid()) {
            state.SkipWithError("the recording failed");
            return;
        }
        const double seconds = clock.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        total += seconds;
    }
    // After the first frame: variant 1 the other 1365 frames of 16 bytes; variant 0 the
    // rest of the first exchange (echo and check) and 4095 whole exchanges.
    const double frames = variant == 1 ? 1365 : 2 + 3 * 4095;
    const double bytes = variant == 1 ? 1365.0 * hesk::link::kTraceFrameSize
                                      : (2 + 3 * 4095.0) * hesk::link::kCommandFrameSize;
    const double wire = bytes * kByteSeconds;
    state.counters["frames"] = frames;
    state.counters["wireSeconds"] = wire;
    state.counters["goalRatio"] = total / static_cast<double>(state.iterations()) / wire;
}

void Variant1(benchmark::State& state) { record(state, 1); }
void Variant0(benchmark::State& state) { record(state, 0); }

}  // namespace

BENCHMARK(Variant1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(Variant0)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
