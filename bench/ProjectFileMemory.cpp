// Peak memory of loading a project of 10,000 parameter definitions, compared with the
// size of its file. Run without arguments: writes the sample project to a temporary
// folder and measures the load in a fresh child process (so that generating the sample
// does not raise the peak being measured). `ProjectFileMemory --measure FILE` measures
// one file.
//
// Reports the growth of the peak resident set (VmHWM) across the load, and the heap the
// loaded project keeps (mallinfo2).

#include "SampleProject.h"
#include "model/ProjectFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <malloc.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kDefinitions = 10000;

// Peak resident set of this process image (VmHWM). Unlike getrusage's ru_maxrss it is
// not inherited across exec, so the parent's memory does not hide the child's peak.
long peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

std::size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

int measure(const QString& path)
{
    const double fileMiB = static_cast<double>(QFileInfo(path).size()) / (1024.0 * 1024.0);
    const long peakBefore = peakResidentKiB();
    const std::size_t heapBefore = heapInUse();

    hesk::model::HeskProject open;
    if (const auto message = hesk::model::loadProject(path, open)) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(message->text));
        return 1;
    }

    const double peakGrowthMiB = static_cast<double>(peakResidentKiB() - peakBefore) / 1024.0;
    const double keptMiB = static_cast<double>(heapInUse() - heapBefore) / (1024.0 * 1024.0);
    std::printf("definitions            %zu\n", open.elements.size());
    std::printf("file size              %.2f MiB\n", fileMiB);
    std::printf("peak RSS growth (load) %.2f MiB = %.2f x file size\n", peakGrowthMiB, peakGrowthMiB / fileMiB);
    std::printf("heap kept by project   %.2f MiB = %.2f x file size\n", keptMiB, keptMiB / fileMiB);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--measure") == 0)
        return measure(QString::fromLocal8Bit(argv[2]));

    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sample.tmprj"));
    if (!dir.isValid()
        || hesk::model::saveProject(path, hesk::testsupport::makeSampleProject({.definitions = kDefinitions}))) {
        std::fputs("cannot write the sample project\n", stderr);
        return 1;
    }
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--measure"), path});
    child.waitForFinished(-1);
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : 1;
}
