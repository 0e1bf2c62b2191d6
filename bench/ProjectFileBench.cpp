// Load and save of a realistic project of 10,000 parameter definitions, beside the time it
// takes only to read the file's bytes into memory, so that the ratio load / read shows
// what parsing costs on top of the I/O. The *Cold variants first drop the file from the
// page cache (posix_fadvise), as when a project is opened for the first time.

#include "SampleProject.h"
#include "model/ProjectFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace {

using hesk::model::HeskProject;

constexpr int kDefinitions = 10000;

// The generated project and its file, made once for all benchmarks of this program.
struct SampleFile {
    QTemporaryDir dir;
    QString path;
    HeskProject project;
    qint64 size = 0;

    SampleFile()
        : path(dir.filePath(QStringLiteral("sample.tmprj"))),
          project(hesk::testsupport::makeSampleProject({.definitions = kDefinitions}))
    {
        if (!dir.isValid() || hesk::model::saveProject(path, project)) {
            std::fputs("cannot write the sample project\n", stderr);
            std::abort();
        }
        size = QFileInfo(path).size();
    }
};

SampleFile& sampleFile()
{
    static SampleFile file;
    return file;
}

// Drops the file's pages from the page cache (only this file's; written back first).
void evictFromPageCache(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return;
    ::fdatasync(fd);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

void readBytes(benchmark::State& state, bool cold)
{
    SampleFile& sample = sampleFile();
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            evictFromPageCache(sample.path);
            state.ResumeTiming();
        }
        QFile file(sample.path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot open the sample project");
        QByteArray bytes = file.readAll();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * sample.size);
}
BENCHMARK_CAPTURE(readBytes, warm, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readBytes, cold, true)->Unit(benchmark::kMillisecond);

void loadProject(benchmark::State& state, bool cold)
{
    SampleFile& sample = sampleFile();
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            evictFromPageCache(sample.path);
            state.ResumeTiming();
        }
        auto open = std::make_unique<HeskProject>();
        if (hesk::model::loadProject(sample.path, *open))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(open->elements.data());
        state.PauseTiming();  // freeing the project is not part of loading it
        open.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * sample.size);
    state.counters["definitions"] = kDefinitions;
}
BENCHMARK_CAPTURE(loadProject, warm, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadProject, cold, true)->Unit(benchmark::kMillisecond);

void parseProjectInMemory(benchmark::State& state)
{
    SampleFile& sample = sampleFile();
    QFile file(sample.path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    for (auto _ : state) {
        auto project = std::make_unique<std::optional<HeskProject>>(hesk::model::parseProject(bytes));
        benchmark::DoNotOptimize(project.get());
        state.PauseTiming();
        project.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * sample.size);
}
BENCHMARK(parseProjectInMemory)->Unit(benchmark::kMillisecond);

void saveProject(benchmark::State& state)
{
    SampleFile& sample = sampleFile();
    const QString target = sample.dir.filePath(QStringLiteral("saved.tmprj"));
    for (auto _ : state) {
        if (hesk::model::saveProject(target, sample.project))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * sample.size);
}
BENCHMARK(saveProject)->Unit(benchmark::kMillisecond);

void serializeProjectInMemory(benchmark::State& state)
{
    SampleFile& sample = sampleFile();
    for (auto _ : state) {
        auto bytes = hesk::model::serializeProject(sample.project);
        benchmark::DoNotOptimize(bytes->data());
    }
    state.SetBytesProcessed(state.iterations() * sample.size);
}
BENCHMARK(serializeProjectInMemory)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
