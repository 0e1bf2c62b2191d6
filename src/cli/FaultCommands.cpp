// heskmon faults

#include "CliCommand.h"
#include "CliProject.h"

#include "model/ParameterTypes.h"

#include <QJsonArray>

using namespace hesk::model;

namespace hesk::cli {

namespace {

int runFaults(const QStringList& args, const CliArguments&, const CliOutput& out)
{
    auto cli = CliProject::open(args[0], out);
    if (!cli)
        return ExitFailure;
    const FaultCatalogue& catalogue = cli->opened().faults();
    QJsonArray words;
    QStringList lines;
    for (const QString& assignment : args.mid(1)) {
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        const QString word = assignment.left(equals);
        const QString valueText = assignment.mid(equals + 1);
        bool ok = false;
        const uint value = valueText.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                               ? valueText.mid(2).toUInt(&ok, 16)
                               : valueText.toUInt(&ok, 10);
        if (equals < 0 || !parseKeyText(word) || !ok || value > 0xFFFF)
            return out.usage(QStringLiteral("expected WORD=VALUE such as r0943.0=0x0039, not '%1'").arg(assignment));
        QJsonArray entries;
        lines << QStringLiteral("%1 = 0x%2").arg(word).arg(value, 4, 16, QLatin1Char('0'));
        for (const FaultAlarm& entry : catalogue.explain(word, static_cast<uint16_t>(value))) {
            entries.append(QJsonObject{{QStringLiteral("word"), entry.word},
                                       {QStringLiteral("bit"), entry.bit},
                                       {QStringLiteral("code"), entry.code},
                                       {QStringLiteral("name"), entry.name},
                                       {QStringLiteral("description"), entry.description},
                                       {QStringLiteral("remedy"), entry.remedy}});
            lines << QStringLiteral("  bit %1  %2 %3").arg(entry.bit, 2).arg(entry.code, entry.name);
            lines << QStringLiteral("          原因：%1").arg(entry.description);
            lines << QStringLiteral("          处理：%1").arg(entry.remedy);
        }
        if (entries.isEmpty())
            lines << QStringLiteral("  (no catalogue entry for the set bits)");
        words.append(QJsonObject{{QStringLiteral("word"), word},
                                 {QStringLiteral("value"), static_cast<int>(value)},
                                 {QStringLiteral("entries"), entries}});
    }
    if (out.json())
        out.document(QJsonObject{{QStringLiteral("words"), words}});
    else
        for (const QString& line : lines)
            out.line(line);
    return ExitOk;
}

}  // namespace

void addFaultCommands(std::vector<CliCommand>& table)
{
    table.push_back({
        {QStringLiteral("faults")},
        QStringLiteral("faults FILE WORD=VALUE..."),
        QStringLiteral("the fault and alarm catalogue entries that the set bits of fault words explain"),
        QStringLiteral(R"(FILE        a project file (.tmprj): its device class (and for the active
            rectifier its firmware version) chooses the catalogue
WORD=VALUE  a fault word key text and its value, decimal or 0x hexadecimal,
            e.g. r0943.0=0x0038 r0943.9=4

JSON: {words: [{word, value, entries: [{word, bit, code, name, description,
remedy}]}]} (entries in catalogue order))"),
        2, -1, {}, {}, runFaults});
}

}  // namespace hesk::cli
