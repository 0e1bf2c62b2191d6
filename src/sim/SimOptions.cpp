#include "SimOptions.h"

#include "ControlCommand.h"

namespace hesk::sim {

QString simUsage()
{
    return QStringLiteral(
        "usage: hesk-drive-sim --project FILE (--pty [--link PATH] | --udp ADDR[:PORT]) [options]\n"
        "\n"
        "A simulated drive that answers the device protocol from the project's parameter\n"
        "table (factory values), runs a drive model, a trigger recorder and a fault memory.\n"
        "\n"
        "Where it serves:\n"
        "  --project FILE          the .tmprj project that describes the drive (required)\n"
        "  --pty                   create a pseudo-terminal; its device path is printed on\n"
        "                          stdout as the first line\n"
        "  --link PATH             also make PATH a symbolic link to that device\n"
        "  --udp ADDR[:PORT]       serve the datagram protocol on ADDR, port 8001 unless\n"
        "                          given (e.g. 127.0.0.2); prints \"udp ADDR:PORT\" when ready\n"
        "  --baud N                pace the serial output like a real line at N baud\n"
        "                          (10 bit times per byte); default: no pacing\n"
        "  --control PATH          accept control commands on a Unix socket at PATH (one\n"
        "                          command per line, one reply line); stdin always works\n"
        "\n"
        "Misbehaviour at start (all can be changed later through the control channel):\n"
        "  --noise RATE            corrupt this share of the bytes sent (0.01 or 1%)\n"
        "  --drop RATE             never send this share of the frames\n"
        "  --seed N                seed of the noise and drop choices (default 1)\n"
        "  --mute                  do not answer at all\n"
        "  --ignore CODE           take no notice of requests with this code (hex, 0x0E):\n"
        "                          neither answered nor acted on (repeatable)\n"
        "  --misaddress            read answers carry the next address and its value\n"
        "  --boot-delay SECONDS    slow boot: no answer for SECONDS after start\n"
        "  --program-id ID         report this program identifier instead of the project's\n"
        "  --cpu-type CODE         report this CPU type code instead of the project's\n"
        "  --last-download-failed  report that the last download failed (0x2F)\n"
        "  --download-stop-after N the parameter download goes silent after N blocks\n"
        "  --download-bad-echo N|always\n"
        "                          corrupt one byte of the echo of download block N (from\n"
        "                          1, once) or of every block\n"
        "  --last-restore-failed   report that the last factory restore failed (0x2F)\n"
        "  --variant 0|1           device variant flag (0: recorder data as 0x36/0x37\n"
        "                          exchange, 1: 16-byte data frames; default 1)\n"
        "  --device-flag 0|1       device flag of a parallel group (default 0)\n"
        "  --slaves N              number of slaves (P0089; default 0)\n"
        "  --fault W.B             trip with bit B of fault word r0943.W set (repeatable)\n"
        "  --heartbeat-timeout S   seconds without a request before the heartbeat\n"
        "                          supervision stops the motor (default 3)\n"
        "  --help                  this text\n"
        "\n"
        "Control commands (stdin or --control socket):\n")
           + controlHelp();
}

ParsedOptions parseSimOptions(const QStringList& arguments)
{
    SimOptions o;
    auto fail = [](const QString& text) { return ParsedOptions{std::nullopt, text}; };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        const QString value = hasValue ? arguments[i + 1] : QString();
        auto needsValue = [&](const QString& name) {
            return QStringLiteral("%1 needs a value").arg(name);
        };
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            o.help = true;
        } else if (a == QLatin1String("--pty")) {
            o.pty = true;
        } else if (a == QLatin1String("--mute")) {
            o.behaviour.mute = true;
        } else if (a == QLatin1String("--misaddress")) {
            o.behaviour.misaddress = true;
        } else if (a == QLatin1String("--last-download-failed")) {
            o.behaviour.lastDownloadFailed = true;
        } else if (a == QLatin1String("--last-restore-failed")) {
            o.behaviour.lastRestoreFailed = true;
        } else {
            // Every other option takes one value.
            if (!a.startsWith(QLatin1String("--")))
                return fail(QStringLiteral("unexpected argument %1").arg(a));
            if (!hasValue)
                return fail(needsValue(a));
            ++i;
            if (a == QLatin1String("--project")) {
                o.projectPath = value;
            } else if (a == QLatin1String("--link")) {
                o.linkPath = value;
            } else if (a == QLatin1String("--control")) {
                o.controlPath = value;
            } else if (a == QLatin1String("--udp")) {
                const qsizetype colon = value.lastIndexOf(QLatin1Char(':'));
                o.udpAddress = colon < 0 ? value : value.left(colon);
                if (colon >= 0) {
                    const auto port = parseWord(value.mid(colon + 1));
                    if (!port || *port == 0)
                        return fail(QStringLiteral("bad port in --udp %1").arg(value));
                    o.udpPort = *port;
                }
                if (o.udpAddress.isEmpty())
                    return fail(QStringLiteral("--udp needs an address"));
            } else if (a == QLatin1String("--baud")) {
                bool ok = false;
                const uint32_t baud = value.toUInt(&ok);
                if (!ok || baud == 0 || baud > 4000000)
                    return fail(QStringLiteral("bad baud rate %1").arg(value));
                o.baud = baud;
            } else if (a == QLatin1String("--seed")) {
                bool ok = false;
                o.seed = value.toULongLong(&ok);
                if (!ok)
                    return fail(QStringLiteral("bad seed %1").arg(value));
            } else if (a == QLatin1String("--noise") || a == QLatin1String("--drop")) {
                const auto share = parseShare(value);
                if (!share)
                    return fail(QStringLiteral("bad rate %1 for %2").arg(value, a));
                (a == QLatin1String("--noise") ? o.behaviour.noiseRate : o.behaviour.dropShare) = *share;
            } else if (a == QLatin1String("--boot-delay") || a == QLatin1String("--heartbeat-timeout")) {
                const auto s = parseSeconds(value);
                if (!s)
                    return fail(QStringLiteral("bad seconds %1 for %2").arg(value, a));
                if (a == QLatin1String("--boot-delay"))
                    o.bootDelaySeconds = *s;
                else
                    o.behaviour.heartbeatTimeout = seconds(*s);
            } else if (a == QLatin1String("--program-id") || a == QLatin1String("--cpu-type")
                       || a == QLatin1String("--slaves")) {
                const auto word = parseWord(value);
                if (!word)
                    return fail(QStringLiteral("bad value %1 for %2").arg(value, a));
                if (a == QLatin1String("--program-id"))
                    o.behaviour.programId = *word;
                else if (a == QLatin1String("--cpu-type"))
                    o.behaviour.cpuType = *word;
                else
                    o.behaviour.slaves = *word;
            } else if (a == QLatin1String("--variant") || a == QLatin1String("--device-flag")) {
                const auto flag = parseFlag(value);
                if (!flag)
                    return fail(QStringLiteral("%1 takes 0 or 1").arg(a));
                (a == QLatin1String("--variant") ? o.behaviour.variantFlag : o.behaviour.deviceFlag) = *flag;
            } else if (a == QLatin1String("--download-stop-after") || a == QLatin1String("--download-bad-echo")) {
                const bool always = a == QLatin1String("--download-bad-echo") && value == QLatin1String("always");
                bool ok = false;
                const uint32_t blocks = value.toUInt(&ok);
                if (!always && (!ok || (a == QLatin1String("--download-bad-echo") && blocks == 0)))
                    return fail(QStringLiteral("bad value %1 for %2").arg(value, a));
                if (a == QLatin1String("--download-stop-after"))
                    o.behaviour.downloadStopAfterBlocks = blocks;
                else if (always)
                    o.behaviour.downloadBadEchoAlways = true;
                else
                    o.behaviour.downloadBadEchoBlock = blocks;
            } else if (a == QLatin1String("--ignore")) {
                const auto code = parseRequestCode(value);
                if (!code)
                    return fail(QStringLiteral("bad request code %1 for --ignore (0x00..0xFF)").arg(value));
                o.behaviour.ignoredCodes.set(*code);
            } else if (a == QLatin1String("--fault")) {
                const auto bit = parseFaultBit(value);
                if (!bit)
                    return fail(QStringLiteral("bad fault bit %1 (W.B, W 0..20, B 0..15)").arg(value));
                o.faults.push_back(*bit);
            } else {
                return fail(QStringLiteral("unknown option %1").arg(a));
            }
        }
    }
    if (o.help)
        return {o, {}};
    if (o.projectPath.isEmpty())
        return fail(QStringLiteral("--project FILE is required"));
    if (o.pty == !o.udpAddress.isEmpty())
        return fail(QStringLiteral("give either --pty or --udp ADDR"));
    if (!o.linkPath.isEmpty() && !o.pty)
        return fail(QStringLiteral("--link needs --pty"));
    return {o, {}};
}

}  // namespace hesk::sim
