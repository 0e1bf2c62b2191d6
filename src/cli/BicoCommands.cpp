// heskmon bico: the wiring of the connection inputs, offline (factory values) or from the
// drive's connection table.

#include "CliCommand.h"
#include "CliProject.h"
#include "OnlineCall.h"

#include "pages/BicoWiring.h"

#include <QJsonArray>

namespace hesk::cli {

namespace {

QJsonObject connectionJson(const pages::BicoConnection& c)
{
    return QJsonObject{{QStringLiteral("input"), c.input},
                       {QStringLiteral("inputName"), c.inputName},
                       {QStringLiteral("source"), c.source},
                       {QStringLiteral("sourceName"), c.sourceName}};
}

int printWiring(const pages::BicoWiring& wiring, const CliArguments& call, const CliOutput& out)
{
    const std::optional<QString> output = call.option(QStringLiteral("--output"));
    const std::optional<QString> input = call.option(QStringLiteral("--input"));
    std::vector<pages::BicoConnection> rows;
    if (output) {
        rows = wiring.fedBy(*output);
    } else if (input) {
        rows = wiring.feeding(*input);
        if (rows.empty())
            return out.fail(QStringLiteral("%1 is no connection input of the project").arg(*input));
    } else {
        rows = wiring.connections();
    }
    if (out.json()) {
        QJsonArray array;
        for (const pages::BicoConnection& c : rows)
            array.append(connectionJson(c));
        out.document(array);
        return ExitOk;
    }
    for (const pages::BicoConnection& c : rows)
        out.line(QStringLiteral("%1\t%2\t<-\t%3\t%4").arg(c.input, c.inputName, c.source, c.sourceName));
    return ExitOk;
}

int runBico(const QStringList&, const CliArguments& call, const CliOutput& out)
{
    if (call.option(QStringLiteral("--output")) && call.option(QStringLiteral("--input")))
        return out.usage(QStringLiteral("--output and --input exclude each other"));
    const bool online = call.option(QStringLiteral("--port")) || call.has(QStringLiteral("--udp"));
    if (!online) {
        const std::optional<QString> path = call.option(QStringLiteral("--project"));
        if (!path)
            return out.usage(QStringLiteral("--project FILE is required"));
        auto cli = CliProject::open(*path, out);
        if (!cli)
            return ExitFailure;
        const pages::OfflineValueSet noOfflineValues;
        const model::DeviceClass deviceClass = cli->opened().deviceClass();
        const pages::BicoWiring wiring(cli->project(), deviceClass,
                                       pages::offlineBicoSource(deviceClass, noOfflineValues));
        return printWiring(wiring, call, out);
    }
    int exitCode = ExitOk;
    auto call_ = OnlineCall::prepare(call, out, exitCode);
    if (!call_)
        return exitCode;
    if (!call_->connect())
        return ExitFailure;
    std::vector<const model::HeskParameterElement*> inputs;
    for (const model::HeskParameterElement& e : call_->project().project().elements)
        if (e.isSettable() && e.isConnection())
            inputs.push_back(&e);
    if (!call_->session().readConnectionValues(inputs))
        return out.fail(QStringLiteral("请求数据超时，请您重新尝试！"));
    const pages::BicoWiring wiring(call_->project().project(), call_->project().deviceClass(),
                                   [&call_](const model::HeskParameterElement& e) { return call_->valueText(e); });
    return printWiring(wiring, call, out);
}

}  // namespace

void addBicoCommands(std::vector<CliCommand>& table)
{
    QStringList options = OnlineCall::valueOptions();
    options << QStringLiteral("--output") << QStringLiteral("--input");
    table.push_back({
        {QStringLiteral("bico")},
        QStringLiteral("bico --project FILE [--output K0091 | --input P0554] [--port PATH | --udp]"),
        QStringLiteral("the connection inputs and the outputs they take their signals from"),
        QStringLiteral(R"(Without --port and --udp the project's factory wiring; with them the drive's
connection table, read once after the connect.
--output K0091     only the inputs this connector or binector output feeds
--input P0554      only what feeds this input (P0554 names every sub-index,
                   P0554.1 one)
)") + OnlineCall::optionsHelp() + QStringLiteral(R"(
One line per connection: input, its name, "<-", source, the source's name.
JSON: [{input, inputName, source, sourceName}] in project order)"),
        0, 0, options, OnlineCall::flagOptions(), runBico});
}

}  // namespace hesk::cli
