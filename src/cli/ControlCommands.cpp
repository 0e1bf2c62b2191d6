// heskmon control and heskmon restore: the window's control panel and factory restore on
// the same core code, one call at a time.

#include "CliCommand.h"
#include "OnlineCall.h"

#include "operation/ControlPanel.h"
#include "operation/FactoryRestore.h"
#include "operation/PanelHooks.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonObject>
#include <QTextStream>
#include <QTimer>

namespace hesk::cli {

namespace {

using operation::ControlPanel;
using operation::PanelCommand;

// Longer than any panel command or restore takes (each ends itself); only a guard.
constexpr int kBackstopMs = 60 * 1000;

QTextStream& errorStream()
{
    static QTextStream err(stderr);
    return err;
}

// Runs an event loop until the panel's running command ends; its success.
bool waitForCommand(ControlPanel& panel)
{
    if (!panel.busy())
        return false;
    bool success = false;
    QEventLoop loop;
    QObject::connect(&panel, &ControlPanel::commandFinished, &loop, [&](PanelCommand, bool ok) {
        success = ok;
        loop.quit();
    });
    QObject::connect(&panel, &ControlPanel::startCheckStarted, &loop, [](operation::StartCheck*) {
        errorStream() << QStringLiteral("start check...\n");
        errorStream().flush();
    });
    QTimer::singleShot(kBackstopMs, &loop, &QEventLoop::quit);
    loop.exec();
    return success;
}

// Keeps the event loop running for `seconds` (the session polls meanwhile).
void runFor(double seconds)
{
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

std::optional<operation::SetpointUnit> unitOption(const CliArguments& call, QString& problem)
{
    const QString text = call.option(QStringLiteral("--unit")).value_or(QStringLiteral("hz")).toLower();
    static const QStringList names = {QStringLiteral("hz"), QStringLiteral("hz%"), QStringLiteral("rpm"),
                                      QStringLiteral("rpm%")};
    const auto unit = operation::setpointUnitFromIndex(static_cast<int>(names.indexOf(text)));
    if (!unit)
        problem = QStringLiteral("--unit takes hz, hz%, rpm or rpm%, not '%1'").arg(text);
    return unit;
}

// The panel's view after reading what it shows once.
void printStatus(OnlineCall& online, ControlPanel& panel, const CliOutput& out)
{
    const std::vector<const model::HeskParameterElement*> watched = panel.parameters().watched();
    online.readForDisplay(watched);
    panel.refresh();
    const operation::PanelView& view = panel.view();
    const auto dataSet = [](const char* prefix, std::optional<int> value) {
        return value ? QString::fromLatin1(prefix) + QString::number(*value) : QString();
    };
    const auto& captions = operation::statusLampCaptions();
    if (out.json()) {
        QJsonObject lamps;
        for (std::size_t i = 0; i < captions.size(); ++i)
            lamps.insert(captions[i], view.lamps[i]);
        out.document(QJsonObject{
            {QStringLiteral("state"), view.stateText},
            {QStringLiteral("deviceStatus"), view.deviceStatus},
            {QStringLiteral("controlHeld"), panel.controlHeld()},
            {QStringLiteral("runCommanded"), panel.runCommanded()},
            {QStringLiteral("lamps"), lamps},
            {QStringLiteral("motorDataSet"), dataSet("MDS", view.motorDataSet)},
            {QStringLiteral("bicoDataSet"), dataSet("BICO DS", view.bicoDataSet)},
            {QStringLiteral("functionDataSet"), dataSet("FDS", view.functionDataSet)},
            {QStringLiteral("actualCaption"), view.actualCaption},
            {QStringLiteral("actualValue"), view.actualValue},
            {QStringLiteral("current"), view.current},
            {QStringLiteral("dcVoltage"), view.dcVoltage},
            {QStringLiteral("torque"), view.torque}});
        return;
    }
    out.line(QStringLiteral("运行状态：\t%1").arg(view.stateText));
    out.line(QStringLiteral("设备状态：\t%1").arg(view.deviceStatus));
    out.line(QStringLiteral("控制权：\t%1").arg(panel.controlHeld() ? QStringLiteral("HESKMonitor")
                                                                   : QStringLiteral("小键盘")));
    QStringList lit;
    for (std::size_t i = 0; i < captions.size(); ++i)
        lit << captions[i] + (view.lamps[i] ? QStringLiteral("=1") : QStringLiteral("=0"));
    out.line(QStringLiteral("状态字：\t%1").arg(lit.join(QLatin1Char(' '))));
    out.line(QStringLiteral("数据组：\t%1 %2 %3")
                 .arg(dataSet("MDS", view.motorDataSet), dataSet("BICO DS", view.bicoDataSet),
                      dataSet("FDS", view.functionDataSet)));
    out.line(QStringLiteral("%1\t%2").arg(view.actualCaption, view.actualValue));
    out.line(QStringLiteral("实际电流(A)\t%1").arg(view.current));
    out.line(QStringLiteral("直流电压(V)\t%1").arg(view.dcVoltage));
    out.line(QStringLiteral("实际转矩(%)\t%1").arg(view.torque));
}

int runControl(const QStringList& args, const CliArguments& call, const CliOutput& out)
{
    const QString action = args.value(0);
    static const QStringList actions = {QStringLiteral("take"),  QStringLiteral("release"), QStringLiteral("start"),
                                        QStringLiteral("stop"),  QStringLiteral("reset"),   QStringLiteral("setpoint"),
                                        QStringLiteral("status")};
    if (!actions.contains(action))
        return out.usage(QStringLiteral("control takes one of: %1").arg(actions.join(QStringLiteral(", "))));
    if ((action == QLatin1String("setpoint")) != (args.size() == 2))
        return out.usage(action == QLatin1String("setpoint") ? QStringLiteral("control setpoint takes a VALUE")
                                                             : QStringLiteral("only control setpoint takes a VALUE"));
    QString problem;
    const std::optional<operation::SetpointUnit> unit = unitOption(call, problem);
    if (!unit)
        return out.usage(problem);
    double seconds = 0.0;
    if (const std::optional<QString> text = call.option(QStringLiteral("--seconds"))) {
        bool ok = false;
        seconds = text->toDouble(&ok);
        if (!ok || seconds < 0 || seconds > 3600)
            return out.usage(QStringLiteral("--seconds takes 0 to 3600"));
    }
    const bool keep = call.has(QStringLiteral("--keep"));

    int exitCode = ExitOk;
    auto online = OnlineCall::prepare(call, out, exitCode);
    if (!online)
        return exitCode;
    shell::MonitorSession& session = online->session();
    CliPrompt prompt(call.has(QStringLiteral("--yes")));
    ControlPanel panel(session, prompt);
    operation::PanelHooks hooks(panel);
    session.setHooks(&hooks);
    if (!online->connect())
        return ExitFailure;
    panel.changeUnit(*unit);
    // The refusals and the setpoint's conversion need the drive's state, menu level and
    // reference values before the first poll cycle brought them.
    online->readForDisplay(panel.parameters().watched());

    bool ok = true;
    const auto takeControl = [&] {
        if (panel.adoptHeldControl())
            return true;
        return panel.takeOrRelease() && waitForCommand(panel) && panel.controlHeld();
    };
    if (action == QLatin1String("status")) {
        panel.adoptHeldControl();
        printStatus(*online, panel, out);
        session.setHooks(nullptr);
        session.disconnectDevice();
        return ExitOk;
    }
    if (action == QLatin1String("reset")) {
        ok = panel.faultReset() && waitForCommand(panel);
    } else if (action == QLatin1String("release")) {
        ok = panel.adoptHeldControl() ? panel.release(true) && waitForCommand(panel)
                                      : (out.line(QStringLiteral("control was not held")), true);
    } else {
        ok = takeControl();
        if (ok && action == QLatin1String("setpoint"))
            ok = panel.writeSetpoint(args.value(1));
        if (ok && action == QLatin1String("start"))
            ok = panel.start() && waitForCommand(panel);
        if (ok && action == QLatin1String("stop"))
            ok = panel.stop() && waitForCommand(panel);
        if (ok && seconds > 0)
            runFor(seconds);
    }
    if (ok && action != QLatin1String("release") && action != QLatin1String("reset"))
        printStatus(*online, panel, out);
    if (panel.controlHeld()) {
        if (keep && ok) {
            if (!panel.endHeartbeatSupervision())
                errorStream() << QStringLiteral("heskmon: the drive did not acknowledge the end of its heartbeat "
                                                "supervision: it may stop the motor\n");
            errorStream() << QStringLiteral("heskmon: control stays with the tool (P0880 = 1); "
                                            "heskmon control release gives it back\n");
            errorStream().flush();
        } else if (!(panel.release(true) && waitForCommand(panel)) && panel.controlHeld()) {
            ok = false;
            errorStream() << QStringLiteral("heskmon: control could not be released\n");
            errorStream().flush();
        }
    }
    session.setHooks(nullptr);
    session.disconnectDevice();
    return ok ? ExitOk : ExitFailure;
}

int runRestore(const QStringList&, const CliArguments& call, const CliOutput& out)
{
    int exitCode = ExitOk;
    auto online = OnlineCall::prepare(call, out, exitCode);
    if (!online)
        return exitCode;
    shell::MonitorSession& session = online->session();
    CliPrompt prompt(call.has(QStringLiteral("--yes")));
    if (!online->connect())
        return ExitFailure;
    operation::FactoryRestore restore(session, prompt);
    std::optional<bool> result;
    QEventLoop loop;
    QObject::connect(&restore, &operation::FactoryRestore::finished, &loop, [&](bool success) {
        result = success;
        loop.quit();
    });
    int lastShown = -1;
    QObject::connect(&restore, &operation::FactoryRestore::progress, &loop, [&](int position, int maximum) {
        const int percent = maximum > 0 ? position * 100 / maximum : 0;
        if (percent / 25 == lastShown / 25 && percent != 100)
            return;
        lastShown = percent;
        errorStream() << QStringLiteral("restore: %1/%2 (%3%)\n").arg(position).arg(maximum).arg(percent);
        errorStream().flush();
    });
    if (!restore.start()) {
        session.disconnectDevice();
        return out.fail(QStringLiteral("heskmon: the factory restore did not run"));
    }
    QTimer::singleShot(kBackstopMs, &loop, &QEventLoop::quit);
    if (!result)
        loop.exec();
    session.disconnectDevice();
    if (!result)
        return out.fail(QStringLiteral("heskmon: the factory restore did not end"));
    if (*result && !out.json())
        out.line(QStringLiteral("restored"));
    if (out.json())
        out.document(QJsonObject{{QStringLiteral("restored"), *result}});
    return *result ? ExitOk : ExitFailure;
}

}  // namespace

void addControlCommands(std::vector<CliCommand>& table)
{
    QStringList valueOptions = OnlineCall::valueOptions();
    valueOptions << QStringLiteral("--unit") << QStringLiteral("--seconds");
    QStringList flagOptions = OnlineCall::flagOptions();
    flagOptions << QStringLiteral("--keep");
    table.push_back({{QStringLiteral("control")},
                     QStringLiteral("control take|release|start|stop|reset|status|setpoint [VALUE] --project P "
                                    "[--port PATH | --udp] [--unit hz|hz%|rpm|rpm%] [--seconds N] [--keep] [--yes]"),
                     QStringLiteral("operate the motor as the control panel does"),
                     OnlineCall::optionsHelp() + QStringLiteral(R"(--unit U         the setpoint's unit: hz (频率给定(Hz), the default), hz%, rpm, rpm%
--seconds N      keep the session (and the motor) running N seconds before the end
--keep           leave control with the tool at the end (P0880 stays 1, the drive's
                 heartbeat supervision is switched off); otherwise a command that took
                 control releases it again, with the motor stopped
--yes            answer the question of taking control with OK

take      takes control (checks: offline, drive running, P0060 = 2/5/8, no P7200;
          then the question)
start     takes control (or carries on with control an earlier --keep left), starts the
          motor and runs the start check
stop      stops the motor
setpoint  writes the setpoint VALUE in the unit, through the value editor's rules
reset     fault reset (P7000.4 pulsed), control not needed
release   releases control with the motor stopped
status    what the panel shows: state, device status, lamps, data sets, actual values

JSON (status and the commands that end with it): {state, deviceStatus, controlHeld,
runCommanded, lamps, motorDataSet, bicoDataSet, functionDataSet, actualCaption,
actualValue, current, dcVoltage, torque})"),
                     1, 2, valueOptions, flagOptions, runControl});
    table.push_back({{QStringLiteral("restore")},
                     QStringLiteral("restore --project P [--port PATH | --udp] [--yes]"),
                     QStringLiteral("restore the drive's factory parameters"),
                     OnlineCall::optionsHelp() + QStringLiteral(R"(--yes   answer the question "确定要恢复出厂设置吗？该操作不可撤销！" with Yes

Refused on the test bench, while recording, while the drive runs, without the
modification right (P0053 bit 1), unless P0060 = 2, and while control is held. The
reset-retention entries P0941.x/P0942.x are read first and written back after the
restore. Progress goes to standard error.

JSON: {restored})"),
                     0, 0, OnlineCall::valueOptions(), OnlineCall::flagOptions(), runRestore});
}

}  // namespace hesk::cli
