// heskmon create | project find

#include "CliCommand.h"
#include "CliProject.h"

#include "creation/ProjectCreation.h"
#include "model/DeviceCatalogue.h"
#include "model/ProjectFile.h"
#include "model/ProjectLocator.h"
#include "online/InstalledProjects.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>

using namespace hesk::model;
using namespace hesk::creation;

namespace hesk::cli {

namespace {

// A short code ("SLM") or a deviceType text ("整流回馈电源") to the deviceType text;
// anything else is passed on unchanged for the creation's own check to refuse.
QString deviceTypeOf(const QString& given)
{
    const QString fromCode = deviceTypeForShortCode(given);
    return fromCode.isEmpty() ? given : fromCode;
}

// A short code or a deviceType text to the short code; empty when it is neither.
QString shortCodeOf(const QString& given)
{
    if (shortCodes().contains(given))
        return given;
    return shortCodeForDeviceType(given);
}

int failStep(const CliOutput& out, const std::optional<UserMessage>& failure, const QString& detail)
{
    out.fail(failure ? failure->text : QStringLiteral("heskmon: failed"));
    if (!detail.isEmpty())
        out.fail(QStringLiteral("heskmon: %1").arg(detail));
    return ExitFailure;
}

int runCreate(const QStringList&, const CliArguments& call, const CliOutput& out)
{
    const auto device = call.option(QStringLiteral("--device"));
    const auto version = call.option(QStringLiteral("--version"));
    if (!device || !version)
        return out.usage(QStringLiteral("create needs --device TYPE and --version V"));

    const QString deviceType = deviceTypeOf(*device);
    if (auto invalid = ProjectCreation::checkDeviceChoice(deviceType, *version)) {
        out.fail(invalid->text);
        if (deviceTypeForShortCode(shortCodeOf(deviceType)).isEmpty())
            return out.fail(QStringLiteral("heskmon: device types: %1").arg(shortCodes().join(QLatin1String(", "))));
        return out.fail(QStringLiteral("heskmon: versions of %1: %2")
                            .arg(*device, firmwareVersions(deviceType).join(QLatin1String(", "))));
    }

    // The wizard's steps in its order; a step whose input was not given is left out, so
    // the finish checks name what is missing with the system's own messages.
    ProjectCreation creation(deviceType, *version);
    if (const auto path = call.option(QStringLiteral("--intermediate"))) {
        const StepResult step = creation.loadIntermediate(*path);
        if (!step.ok())
            return failStep(out, step.failure, step.detail);
    }
    if (const auto path = call.option(QStringLiteral("--workbook"))) {
        const StepResult step = creation.readConversionWorkbook(*path);
        if (!step.ok())
            return failStep(out, step.failure, step.detail);
    }
    if (const auto path = call.option(QStringLiteral("--ubase"))) {
        const StepResult step = creation.readBaseWorkbook(*path);
        if (!step.ok())
            return failStep(out, step.failure, step.detail);
    }
    const CreationResult created =
        creation.create(call.option(QStringLiteral("--name")).value_or(QString()),
                        call.option(QStringLiteral("--out")).value_or(QString()),
                        call.has(QStringLiteral("--replace")) ? ExistingProject::Replace : ExistingProject::Refuse);
    if (!created.ok())
        return failStep(out, created.failure, created.detail);

    // Open what was written, as the wizard does, so the report shows the file as read.
    auto cli = CliProject::open(created.projectPath, out);
    if (!cli)
        return ExitFailure;
    OpenedProject& opened = cli->opened();
    const HeskProject& p = opened.project();
    int settable = 0, connections = 0, formulas = 0;
    for (const HeskParameterElement& e : p.elements) {
        settable += e.isSettable() ? 1 : 0;
        connections += e.isConnection() ? 1 : 0;
        formulas += e.usesFormulas() ? 1 : 0;
    }
    const CreationCounts& c = creation.counts();
    if (out.json()) {
        out.document(QJsonObject{
            {QStringLiteral("path"), opened.path()},
            {QStringLiteral("name"), opened.name()},
            {QStringLiteral("replaced"), created.replaced},
            {QStringLiteral("deviceType"), p.header.deviceType},
            {QStringLiteral("deviceCode"), deviceStyleName(p.header.deviceType)},
            {QStringLiteral("deviceVersion"), p.header.deviceVersion},
            {QStringLiteral("creatorVersion"), p.header.creatorVersion},
            {QStringLiteral("programId"), p.header.programId},
            {QStringLiteral("cpuType"), p.header.cpuType},
            {QStringLiteral("deviceClass"), static_cast<int>(opened.deviceClass())},
            {QStringLiteral("deviceClassName"), deviceClassName(opened.deviceClass())},
            {QStringLiteral("counts"),
             QJsonObject{
                 {QStringLiteral("definitions"), static_cast<int>(p.elements.size())},
                 {QStringLiteral("intermediateDefinitions"), c.intermediateDefinitions},
                 {QStringLiteral("fixedDefinitions"), c.fixedDefinitions},
                 {QStringLiteral("workbookRows"), c.workbookRows},
                 {QStringLiteral("skippedRows"), c.skippedRows},
                 {QStringLiteral("mergedDefinitions"), c.mergedDefinitions},
                 {QStringLiteral("baseValueRows"), static_cast<int>(p.ubaseTable.size())},
                 {QStringLiteral("settable"), settable},
                 {QStringLiteral("readOnly"), static_cast<int>(p.elements.size()) - settable},
                 {QStringLiteral("connections"), connections},
                 {QStringLiteral("formulas"), formulas},
             }},
        });
        return ExitOk;
    }
    out.line(QStringLiteral("%1 %2").arg(created.replaced ? QStringLiteral("Replaced") : QStringLiteral("Created "),
                                         opened.path()));
    out.line(QStringLiteral("Device      %1 (%2) %3, CPU type %4, device class %5 (%6)")
                 .arg(p.header.deviceType, deviceStyleName(p.header.deviceType), p.header.deviceVersion,
                      p.header.cpuType)
                 .arg(static_cast<int>(opened.deviceClass()))
                 .arg(deviceClassName(opened.deviceClass())));
    out.line(QStringLiteral("Definitions %1 (%2 from the intermediate file, %3 fixed; %4 settable, %5 connections, "
                            "%6 with formulas)")
                 .arg(p.elements.size()).arg(c.intermediateDefinitions).arg(c.fixedDefinitions)
                 .arg(settable).arg(connections).arg(formulas));
    out.line(QStringLiteral("Workbook    %1 rows (%2 skipped), %3 definitions merged")
                 .arg(c.workbookRows).arg(c.skippedRows).arg(c.mergedDefinitions));
    out.line(QStringLiteral("Base values %1 rows").arg(p.ubaseTable.size()));
    return ExitOk;
}

QString statusName(ProjectLocateStatus status)
{
    switch (status) {
    case ProjectLocateStatus::Found: return QStringLiteral("found");
    case ProjectLocateStatus::FoundFallback: return QStringLiteral("fallback");
    case ProjectLocateStatus::Missing: return QStringLiteral("missing");
    case ProjectLocateStatus::UnknownDeviceCode: break;
    }
    return QStringLiteral("unknown");
}

int runFind(const QStringList& args, const CliArguments& call, const CliOutput& out)
{
    const QString code = shortCodeOf(args[0]);
    const QString& version = args[1];
    if (code.isEmpty())
        return out.fail(QStringLiteral("heskmon: unknown device code %1 (codes: %2)")
                            .arg(args[0], shortCodes().join(QLatin1String(", "))));
    const online::ProjectRoot root = online::applicationProjectRoot(call.option(QStringLiteral("--root")));
    const ProjectLocator locator(root.folder);
    const ProjectLocateResult located = locator.locate(code, version);
    const QString key = ProjectLocator::projectKey(code, version);
    const QString requestedPath = locator.projectPath(code, key);
    if (!located.found()) {
        out.fail(located.message ? located.message->text : QStringLiteral("heskmon: no project"));
        return out.fail(QStringLiteral("heskmon: looked for %1 below %2 (%3)").arg(key, root.folder, root.source));
    }
    const std::optional<HeskProjectHeader> header = readProjectHeader(located.path);
    if (out.json()) {
        QJsonObject document{
            {QStringLiteral("code"), code},
            {QStringLiteral("version"), version},
            {QStringLiteral("key"), QFileInfo(located.path).completeBaseName()},
            {QStringLiteral("status"), statusName(located.status)},
            {QStringLiteral("path"), located.path},
            {QStringLiteral("requestedPath"), requestedPath},
            {QStringLiteral("root"), root.folder},
            {QStringLiteral("rootSource"), root.source},
        };
        if (header) {
            document.insert(QStringLiteral("deviceType"), header->deviceType);
            document.insert(QStringLiteral("deviceVersion"), header->deviceVersion);
        }
        out.document(document);
        return ExitOk;
    }
    out.line(QStringLiteral("%1 %2").arg(located.status == ProjectLocateStatus::Found ? QStringLiteral("Found   ")
                                                                                       : QStringLiteral("Fallback"),
                                         located.path));
    if (located.status == ProjectLocateStatus::FoundFallback)
        out.line(QStringLiteral("Missing  %1").arg(requestedPath));
    if (header)
        out.line(QStringLiteral("Header   %1 %2").arg(header->deviceType, header->deviceVersion));
    out.line(QStringLiteral("Root     %1 (%2)").arg(root.folder, root.source));
    return ExitOk;
}

}  // namespace

void addCreateCommands(std::vector<CliCommand>& table)
{
    table.push_back({
        {QStringLiteral("create")},
        QStringLiteral("create --device TYPE --version V --name NAME --intermediate FILE --workbook FILE "
                       "--ubase FILE --out FOLDER [--replace]"),
        QStringLiteral("create a project (.tmprj) from an intermediate file and the two workbooks"),
        QStringLiteral(R"(--device TYPE          "VRA1", "SLM", "AIC", "BLM", "PTB" or the device type text
                       ("整流回馈电源", "有源整流电源", "基本型整流电源", "标准产品测试台")
--version V            a firmware version offered for the device type (e.g. V1.14.18)
--name NAME            project name: 1 to 12 letters, digits or "_"
--intermediate FILE    the drive program's intermediate file (.monitorary)
--workbook FILE        the conversion workbook (.xlsx, sheet "PARAM")
--ubase FILE           the base-value workbook (.xlsx, sheet "Sheet1")
--out FOLDER           storage folder; the project goes to FOLDER/NAME/NAME.tmprj
--replace              replace an existing FOLDER/NAME/NAME.tmprj (refused otherwise)

The steps run in the wizard's order (intermediate file, conversion workbook, base-value
workbook, create); a left-out input is refused with the wizard's message for it
("请加载转换文件！", ...). Nothing is written unless every step passes.

JSON: {path, name, replaced, deviceType, deviceCode, deviceVersion, creatorVersion,
programId, cpuType, deviceClass, deviceClassName, counts {definitions,
intermediateDefinitions, fixedDefinitions (r0071..r0073 added for the class),
workbookRows, skippedRows, mergedDefinitions, baseValueRows, settable, readOnly,
connections, formulas}})"),
        0, 0,
        {QStringLiteral("--device"), QStringLiteral("--version"), QStringLiteral("--name"),
         QStringLiteral("--intermediate"), QStringLiteral("--workbook"), QStringLiteral("--ubase"),
         QStringLiteral("--out")},
        {QStringLiteral("--replace")},
        runCreate});
    table.push_back({
        {QStringLiteral("project"), QStringLiteral("find")},
        QStringLiteral("project find CODE VERSION [--root DIR]"),
        QStringLiteral("the installed project for a device code and firmware version, with the fallback version"),
        QStringLiteral(R"(CODE        "VRA1", "SLM", "AIC", "BLM", "PTB" (or the device type text)
VERSION     firmware version, e.g. V1.14.18
--root DIR  folder that holds one folder per device code

Looks for ROOT/CODE/KEY/KEY.tmprj with KEY = CODE + VERSION without dots; when that
file is missing, for the fallback version of the code (VRA1 V11418, SLM V20111, AIC
V20207 for V2.01.06, V2.01.07 and V2.02.07, else V21308, BLM V20001, PTB V10000). When
neither exists: "文件<path>不存在，装载失败！" and exit 1.

ROOT is, in this order: --root DIR; the environment variable HESK_PROJECTS_DIR;
<folder of heskmon>/../share/heskmonitor/projects when it exists (installed);
the source tree's data/projects (a build tree).

JSON: {code, version, key (the project found), status ("found" or "fallback"), path,
requestedPath, root, rootSource ("option", "environment", "installation" or
"source tree"), deviceType and deviceVersion (from the file's header, when readable)})"),
        2, 2, {QStringLiteral("--root")}, {}, runFind});
}

}  // namespace hesk::cli
