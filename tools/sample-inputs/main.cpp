// hesk-sample-inputs OUTDIR [--only KEY[,KEY...]]
// hesk-sample-inputs --list
//
// Writes, for every sample device type and version, the inputs of project creation:
// OUTDIR/<key>/<key>.monitorary (intermediate file), OUTDIR/<key>/PARAM.xlsx (conversion
// workbook) and OUTDIR/<key>/Ubase.xlsx (base-value workbook). --list prints one line per
// sample: key, device code, device type, version, CPU type.

#include "BaseValueRows.h"
#include "ConversionRows.h"
#include "DefinitionBuilder.h"
#include "IntermediateFileWriter.h"
#include "SampleProfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

#include <cstdio>
#include <map>

using namespace hesk::samples;

namespace {

int usage()
{
    std::fputs("usage: hesk-sample-inputs OUTDIR [--only KEY[,KEY...]]\n"
               "       hesk-sample-inputs --list\n",
               stderr);
    return 2;
}

void printLine(const QString& text)
{
    std::printf("%s\n", qUtf8Printable(text));
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args == QStringList{QStringLiteral("--list")}) {
        for (const SampleProfile& p : sampleProfiles())
            printLine(QStringList{p.key, p.shortCode, p.deviceType, p.version, p.cpuType}.join(QLatin1Char('\t')));
        return 0;
    }
    QStringList only;
    QString outDir;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--only") && i + 1 < args.size())
            only = args[++i].split(QLatin1Char(','), Qt::SkipEmptyParts);
        else if (!args[i].startsWith(QLatin1Char('-')) && outDir.isEmpty())
            outDir = args[i];
        else
            return usage();
    }
    if (outDir.isEmpty())
        return usage();

    // Every profile is built, so each workbook can carry its siblings' rows.
    std::map<QString, BaseValueSheet> sheets;
    std::map<QString, SampleDefinitions> built;
    bool failed = false;
    for (const SampleProfile& p : sampleProfiles()) {
        sheets[p.key] = makeBaseValueSheet(p);
        built[p.key] = buildDefinitions(p, sheets[p.key]);
        for (const QString& error : built[p.key].errors) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(error));
            failed = true;
        }
    }
    if (failed)
        return 1;

    for (const SampleProfile& p : sampleProfiles()) {
        if (!only.isEmpty() && !only.contains(p.key))
            continue;
        const SampleDefinitions& definitions = built[p.key];
        std::vector<const SampleDefinitions*> siblings;
        for (const SampleProfile& other : sampleProfiles())
            if (other.shortCode == p.shortCode && other.key != p.key)
                siblings.push_back(&built[other.key]);

        const QString folder = QDir(outDir).filePath(p.key);
        const IntermediateContent content = makeIntermediateContent(p, definitions);
        const SheetContent conversion = makeConversionSheet(definitions, siblings);
        const SheetContent base = makeBaseValueWorkbookSheet(sheets[p.key]);
        for (const auto& error :
             {writeFileAtomically(QDir(folder).filePath(p.key + QStringLiteral(".monitorary")),
                                  serializeIntermediateFile(p, content)),
              writeSheetWorkbook(QDir(folder).filePath(QStringLiteral("PARAM.xlsx")), conversion),
              writeSheetWorkbook(QDir(folder).filePath(QStringLiteral("Ubase.xlsx")), base)}) {
            if (error) {
                std::fprintf(stderr, "%s\n", qUtf8Printable(*error));
                failed = true;
            }
        }
        printLine(QStringLiteral("%1: %2 settable + %3 read-only definitions, %4 workbook rows, %5 base-value rows")
                      .arg(p.key)
                      .arg(content.settableElements.size())
                      .arg(content.readOnlyElements.size())
                      .arg(conversion.rows.size())
                      .arg(base.rows.size()));
    }
    return failed ? 1 : 0;
}
