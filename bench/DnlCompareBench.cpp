// File compare and offline import on the largest installed sample project (VRA1V11418):
//   CompareTwoFiles    two parameter files of 10,000 rows each read by the strict compare
//                      reader, merged, and every row given its name, comment and equality
//                      (the work behind "开始"); goal under 50 ms
//   ImportRows         the offline import of 10,000 rows of settable parameters (the
//                      checks, the offline set), to show it needs no progress steps of
//                      more than a few milliseconds per chunk

#include "files/DnlCompare.h"
#include "files/DnlFormat.h"
#include "files/DnlImport.h"
#include "model/FaultTableLibrary.h"
#include "model/OpenedProject.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

const QString kProject = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");
constexpr int kRows = 10'000;

struct Sample {
    hesk::model::FaultTableLibrary faults;
    hesk::model::OpenedProject opened{faults};
    QTemporaryDir dir;
    QString base, compare;
    QStringList importRows;

    Sample()
    {
        if (const auto failure = opened.open(kProject)) {
            std::fprintf(stderr, "%s\n", qPrintable(failure->text));
            std::abort();
        }
        // 10,000 ascending rows: the project's labels for the first, then made-up
        // numbers above them; every 7th value differs between the two files.
        QByteArray a = hesk::files::dnlHeaderBytes(QDateTime::currentDateTime(), QStringLiteral("VRA1"),
                                                   QStringLiteral("V1.14.18"));
        QByteArray b = a;
        int written = 0;
        std::pair<int, int> last{-1, -1};
        for (const auto& e : opened.project().elements) {
            const std::pair<int, int> key{e.referenceKey.left(4).toInt(), e.referenceKey.mid(5, 3).toInt()};
            if (e.referenceKey.size() != 12 || written >= kRows || key <= last)
                continue;
            last = key;
            a += hesk::files::dnlRowBytes(e.referenceKey, QStringLiteral("%1.25").arg(written));
            b += hesk::files::dnlRowBytes(e.referenceKey, QStringLiteral("%1.25").arg(written + (written % 7 == 0)));
            if (e.isSettable() && !e.isConnection())
                importRows << QString::fromLatin1(hesk::files::dnlRowBytes(e.referenceKey, e.factoryValue)).trimmed();
            ++written;
        }
        for (int n = 0; written < kRows; ++n, ++written) {
            const QString label = QStringLiteral("%1|%2|00|").arg(last.first + 1 + n / 100, 4, 10, QLatin1Char('0')).arg(n % 100, 3, 10, QLatin1Char('0'));
            a += hesk::files::dnlRowBytes(label, QString::number(n));
            b += hesk::files::dnlRowBytes(label, QString::number(n + (n % 7 == 0)));
        }
        base = dir.filePath(QStringLiteral("base.dnl"));
        compare = dir.filePath(QStringLiteral("compare.dnl"));
        for (const auto& [path, bytes] : {std::pair{base, a}, std::pair{compare, b}}) {
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
                std::abort();
        }
        while (importRows.size() < kRows)
            importRows += importRows.mid(0, std::min<qsizetype>(importRows.size(), kRows - importRows.size()));
    }
};

Sample& sample()
{
    static Sample s;
    return s;
}

void CompareTwoFiles(benchmark::State& state)
{
    Sample& s = sample();
    for (auto _ : state) {
        const auto base = hesk::files::readCompareFile(s.base);
        const auto compare = hesk::files::readCompareFile(s.compare);
        auto rows = hesk::files::mergeCompareEntries(base.entries, compare.entries);
        hesk::files::annotateCompareRows(rows, &s.opened, true);
        if (rows.size() != kRows)
            std::abort();
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(CompareTwoFiles)->Unit(benchmark::kMillisecond);

void ImportRows(benchmark::State& state)
{
    Sample& s = sample();
    hesk::model::NullLogSink log;
    for (auto _ : state) {
        hesk::pages::OfflineValueSet offline;
        hesk::files::DnlImporter importer(s.opened, offline, log, s.importRows);
        importer.importAll();
        benchmark::DoNotOptimize(importer.summary().imported);
    }
}
BENCHMARK(ImportRows)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
