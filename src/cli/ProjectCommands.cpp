// heskmon project info | params | save

#include "CliCommand.h"
#include "CliProject.h"

#include "model/PageCatalogue.h"
#include "model/ProjectFile.h"

#include <QJsonArray>

using namespace hesk::model;

namespace hesk::cli {

namespace {

struct ProgramCounts {
    int packages = 0, pages = 0, blocks = 0, ports = 0, connections = 0;
};

ProgramCounts countProgram(const HeskProgram& program)
{
    ProgramCounts counts;
    counts.packages = static_cast<int>(program.packages.size());
    for (const HeskPackage& package : program.packages) {
        counts.pages += static_cast<int>(package.pages.size());
        for (const HeskPage& page : package.pages) {
            counts.blocks += static_cast<int>(page.blocks.size());
            counts.connections += static_cast<int>(page.connections.size());
            for (const HeskBlock& block : page.blocks)
                counts.ports += static_cast<int>(block.firstPorts.size() + block.secondPorts.size());
        }
    }
    return counts;
}

int runInfo(const QStringList& args, const CliArguments&, const CliOutput& out)
{
    auto cli = CliProject::open(args[0], out);
    if (!cli)
        return ExitFailure;
    OpenedProject& opened = cli->opened();
    const HeskProject& p = opened.project();
    const HeskProjectHeader& h = p.header;

    int settable = 0, connections = 0, formulas = 0;
    for (const HeskParameterElement& e : p.elements) {
        settable += e.isSettable() ? 1 : 0;
        connections += e.isConnection() ? 1 : 0;
        formulas += e.usesFormulas() ? 1 : 0;
    }
    const ProgramCounts program = countProgram(p.program);
    const QString code = QStringLiteral("0x%1").arg(opened.cpu().code, 4, 16, QLatin1Char('0')).toUpper().replace(QLatin1String("0X"), QLatin1String("0x"));
    QJsonArray timeBases;
    for (int32_t t : p.timeBases)
        timeBases.append(t);

    const QJsonObject counts{
        {QStringLiteral("definitions"), static_cast<int>(p.elements.size())},
        {QStringLiteral("settable"), settable},
        {QStringLiteral("readOnly"), static_cast<int>(p.elements.size()) - settable},
        {QStringLiteral("connections"), connections},
        {QStringLiteral("formulas"), formulas},
        {QStringLiteral("baseValueRows"), static_cast<int>(p.ubaseTable.size())},
        {QStringLiteral("customParameters"), static_cast<int>(p.customParameters.size())},
        {QStringLiteral("wordTableA"), static_cast<int>(p.wordTableA.size())},
        {QStringLiteral("wordTableB"), static_cast<int>(p.wordTableB.size())},
        {QStringLiteral("textTable"), static_cast<int>(p.textTable.size())},
        {QStringLiteral("byteTable"), static_cast<int>(p.byteTable.size())},
        {QStringLiteral("packages"), program.packages},
        {QStringLiteral("pages"), program.pages},
        {QStringLiteral("blocks"), program.blocks},
        {QStringLiteral("ports"), program.ports},
        {QStringLiteral("programConnections"), program.connections},
        {QStringLiteral("faultCatalogueEntries"), static_cast<int>(opened.faults().entries().size())},
    };
    if (out.json()) {
        out.document(QJsonObject{
            {QStringLiteral("path"), opened.path()},
            {QStringLiteral("name"), opened.name()},
            {QStringLiteral("deviceType"), h.deviceType},
            {QStringLiteral("deviceCode"), deviceStyleName(h.deviceType)},
            {QStringLiteral("deviceVersion"), h.deviceVersion},
            {QStringLiteral("creatorVersion"), h.creatorVersion},
            {QStringLiteral("programId"), h.programId},
            {QStringLiteral("cpuType"), h.cpuType},
            {QStringLiteral("cpuCode"), opened.cpu().code},
            {QStringLiteral("cpuName"), opened.cpu().name},
            {QStringLiteral("deviceClass"), static_cast<int>(opened.deviceClass())},
            {QStringLiteral("deviceClassName"), deviceClassName(opened.deviceClass())},
            {QStringLiteral("timeBases"), timeBases},
            {QStringLiteral("counts"), counts},
        });
        return ExitOk;
    }
    out.line(QStringLiteral("Project         %1").arg(opened.path()));
    out.line(QStringLiteral("Device type     %1 (%2)").arg(h.deviceType, deviceStyleName(h.deviceType)));
    out.line(QStringLiteral("Version         %1").arg(h.deviceVersion));
    out.line(QStringLiteral("Created by      %1").arg(h.creatorVersion));
    out.line(QStringLiteral("Program id      %1 (0x%2)").arg(h.programId).arg(h.programId, 4, 16, QLatin1Char('0')));
    out.line(QStringLiteral("CPU type        %1, code %2, name %3").arg(h.cpuType, code, opened.cpu().name));
    out.line(QStringLiteral("Device class    %1 (%2)").arg(static_cast<int>(opened.deviceClass())).arg(deviceClassName(opened.deviceClass())));
    QStringList bases;
    for (int32_t t : p.timeBases)
        bases << QString::number(t);
    out.line(QStringLiteral("Time bases      %1").arg(bases.join(QLatin1String(", "))));
    out.line(QStringLiteral("Definitions     %1 (%2 settable, %3 read-only, %4 connections, %5 with formulas)")
                 .arg(p.elements.size()).arg(settable).arg(p.elements.size() - settable).arg(connections).arg(formulas));
    out.line(QStringLiteral("Program         %1 packages, %2 pages, %3 blocks, %4 ports, %5 connections")
                 .arg(program.packages).arg(program.pages).arg(program.blocks).arg(program.ports).arg(program.connections));
    out.line(QStringLiteral("Tables          word table A %1, word table B %2, texts %3, bytes %4")
                 .arg(p.wordTableA.size()).arg(p.wordTableB.size()).arg(p.textTable.size()).arg(p.byteTable.size()));
    out.line(QStringLiteral("Base values     %1 rows").arg(p.ubaseTable.size()));
    out.line(QStringLiteral("Custom page     %1 numbers").arg(p.customParameters.size()));
    out.line(QStringLiteral("Fault catalogue %1 entries").arg(opened.faults().entries().size()));
    return ExitOk;
}

int runParams(const QStringList& args, const CliArguments& call, const CliOutput& out)
{
    auto cli = CliProject::open(args[0], out);
    if (!cli)
        return ExitFailure;
    OpenedProject& opened = cli->opened();
    const PageCatalogue catalogue(opened.deviceClass());
    const QString page = call.option(QStringLiteral("--page")).value_or(pages::kAll);
    if (!catalogue.hasPage(page))
        return out.fail(QStringLiteral("heskmon: this project has no page %1 (pages: %2)")
                            .arg(page, catalogue.pageNames().join(QLatin1String(", "))));
    const auto rows = catalogue.rows(opened.project(), page);
    QJsonArray list;
    for (std::size_t index : rows)
        list.append(definitionJson(opened, opened.project().elements[index]));
    if (out.json()) {
        out.document(QJsonObject{{QStringLiteral("page"), page}, {QStringLiteral("parameters"), list}});
        return ExitOk;
    }
    out.line(QStringLiteral("Page %1: %2 parameters").arg(page).arg(list.size()));
    for (const QJsonValue& value : list) {
        const QJsonObject row = value.toObject();
        out.line(QStringLiteral("%1\t%2\t%3\t%4\t%5\t[%6 .. %7]\t%8")
                     .arg(row[QStringLiteral("displayNumber")].toString(), row[QStringLiteral("key")].toString(),
                          row[QStringLiteral("name")].toString(), row[QStringLiteral("type")].toString(),
                          row[QStringLiteral("unit")].toString(), row[QStringLiteral("min")].toString(),
                          row[QStringLiteral("max")].toString(), row[QStringLiteral("factoryValue")].toString()));
    }
    return ExitOk;
}

int runSave(const QStringList& args, const CliArguments&, const CliOutput& out)
{
    auto cli = CliProject::open(args[0], out);
    if (!cli)
        return ExitFailure;
    if (const auto failure = saveProject(args[1], cli->project()))
        return out.fail(failure->text);
    if (out.json())
        out.document(QJsonObject{{QStringLiteral("saved"), args[1]},
                                 {QStringLiteral("definitions"), static_cast<int>(cli->project().elements.size())}});
    else
        out.line(QStringLiteral("Saved %1").arg(args[1]));
    return ExitOk;
}

}  // namespace

void addProjectCommands(std::vector<CliCommand>& table)
{
    table.push_back({
        {QStringLiteral("project"), QStringLiteral("info")},
        QStringLiteral("project info FILE"),
        QStringLiteral("header fields, CPU code and name, device class and counts of a project"),
        QStringLiteral(R"(FILE   a project file (.tmprj)

JSON: {path, name, deviceType, deviceCode ("VRA1", "SLM", "AIC", "BLM", "PTB" or
"UNKNOW"), deviceVersion, creatorVersion, programId, cpuType, cpuCode, cpuName,
deviceClass (0 none, 1 inverter, 2 rectifier with regenerative feedback, 3 active
rectifier, 4 basic rectifier, 5 test bench), deviceClassName, timeBases [6],
counts {definitions, settable, readOnly, connections, formulas, baseValueRows,
customParameters, wordTableA, wordTableB, textTable, byteTable, packages, pages,
blocks, ports, programConnections, faultCatalogueEntries}})"),
        1, 1, {}, {}, runInfo});
    table.push_back({
        {QStringLiteral("project"), QStringLiteral("params")},
        QStringLiteral("project params FILE [--page NAME]"),
        QStringLiteral("one row per parameter definition, of all parameters or of one page"),
        QStringLiteral(R"(FILE          a project file (.tmprj)
--page NAME   a page of the project's device type, e.g. "P参数", "r参数", "所有参数"
              (default), "自定义参数", "逆变器并联", "DP通讯"

Text: display number, key, name, type, unit, [min .. max], factory value.
JSON: {page, parameters: [{displayNumber, key, number, subIndex (null without),
name, type, unit, min, max (effective limits in display units), factoryValue,
decimals, settable, connection, address, comment, reverseFormula and forwardFormula
(only for formula parameters)}]})"),
        1, 1, {QStringLiteral("--page")}, {}, runParams});
    table.push_back({
        {QStringLiteral("project"), QStringLiteral("save")},
        QStringLiteral("project save FILE OUT"),
        QStringLiteral("load a project and save it again (a round trip)"),
        QStringLiteral(R"(FILE   the project file to read
OUT    the file to write (written to a temporary file first, then renamed)

JSON: {saved, definitions})"),
        2, 2, {}, {}, runSave});
}

}  // namespace hesk::cli
