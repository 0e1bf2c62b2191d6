// hesk-make-sample OUT.tmprj [--definitions N] [--seed S]
// Writes a generated, realistic sample project for demos, benchmarks and fuzz seeds.

#include "SampleProject.h"
#include "model/ProjectFile.h"

#include <QString>

#include <cstdio>
#include <cstring>

namespace {

int usage()
{
    std::fputs("usage: hesk-make-sample OUT.tmprj [--definitions N] [--seed S]\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    QString outPath;
    hesk::testsupport::SampleProjectOptions options;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--definitions") == 0 && hasValue) {
            bool ok = false;
            options.definitions = QString::fromLocal8Bit(argv[++i]).toInt(&ok);
            if (!ok || options.definitions < 0)
                return usage();
        } else if (std::strcmp(argv[i], "--seed") == 0 && hasValue) {
            bool ok = false;
            options.seed = QString::fromLocal8Bit(argv[++i]).toULongLong(&ok);
            if (!ok)
                return usage();
        } else if (argv[i][0] != '-' && outPath.isEmpty()) {
            outPath = QString::fromLocal8Bit(argv[i]);
        } else {
            return usage();
        }
    }
    if (outPath.isEmpty())
        return usage();

    const hesk::model::HeskProject project = hesk::testsupport::makeSampleProject(options);
    if (const auto message = hesk::model::saveProject(outPath, project)) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(message->text));
        return 1;
    }
    std::printf("%s: %zu definitions\n", qUtf8Printable(outPath), project.elements.size());
    return 0;
}
