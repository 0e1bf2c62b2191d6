#include "ControlCommand.h"

#include "LinePlug.h"
#include "SimulatedDrive.h"

#include <cmath>

namespace hesk::sim {

namespace {

ControlReply ok(const QString& text = {})
{
    return {text.isEmpty() ? QStringLiteral("ok") : QStringLiteral("ok ") + text, false};
}

ControlReply error(const QString& text)
{
    return {QStringLiteral("error: ") + text, false};
}

std::optional<bool> parseOkFailed(const QString& text)
{
    if (text == QLatin1String("ok"))
        return false;
    if (text == QLatin1String("failed"))
        return true;
    return std::nullopt;
}

std::optional<bool> parseOnOff(const QString& text)
{
    if (text == QLatin1String("on"))
        return true;
    if (text == QLatin1String("off"))
        return false;
    return std::nullopt;
}

ControlReply status(SimulatedDrive& drive, SimTime now, const LinePlug* plug)
{
    DriveModel& model = drive.model();
    const DriveCounters& c = drive.counters();
    const DriveBehaviour& b = drive.behaviour();
    QString line;
    if (plug != nullptr) {
        const QString device = plug->devicePath();
        line = QStringLiteral(" line=") + (device.isEmpty() ? QStringLiteral("unplugged") : device);
    }
    const DataSets sets = model.dataSets();
    return ok(QStringLiteral("state=%1 frequency=%2 speed=%3 target=%4 fault=%5 answering=%6 requests=%7 "
                             "sent=%8 dropped=%9 corrupted=%10 recorder=%11 ignored=%12 ignore=%13 misaddress=%14 "
                             "mds=%15 bds=%16 fds=%17 load=%18")
                  .arg(static_cast<int>(model.state()))
                  .arg(model.frequency(), 0, 'f', 2)
                  .arg(model.speed(), 0, 'f', 1)
                  .arg(model.targetFrequency(), 0, 'f', 2)
                  .arg(model.anyFault() ? 1 : 0)
                  .arg(b.answering(now) ? 1 : 0)
                  .arg(c.requests)
                  .arg(c.framesSent)
                  .arg(c.framesDropped)
                  .arg(c.bytesCorrupted)
                  .arg(static_cast<int>(drive.recorder().phase()))
                  .arg(c.requestsIgnored)
                  .arg(requestCodesText(b.ignoredCodes))
                  .arg(b.misaddress ? 1 : 0)
                  .arg(sets.motor)
                  .arg(sets.bico)
                  .arg(sets.function)
                  .arg(model.extraLoad(), 0, 'f', 1)
              + line);
}

ControlReply ignore(DriveBehaviour& b, const QStringList& words)
{
    const QString usage = QStringLiteral("ignore CODE...|off (CODE 0x00..0xFF, e.g. 0x0E)");
    if (words.size() == 2 && words[1] == QLatin1String("off")) {
        b.ignoredCodes.reset();
        return ok(QStringLiteral("ignore=none"));
    }
    if (words.size() < 2)
        return error(usage);
    std::bitset<256> codes;
    for (qsizetype i = 1; i < words.size(); ++i) {
        const std::optional<uint8_t> code = parseRequestCode(words[i]);
        if (!code)
            return error(usage);  // nothing changes unless every code is good
        codes.set(*code);
    }
    b.ignoredCodes |= codes;
    return ok(QStringLiteral("ignore=") + requestCodesText(b.ignoredCodes));
}

ControlReply plugCommand(const QString& command, LinePlug* plug)
{
    if (plug == nullptr)
        return error(command + QStringLiteral(" needs the pseudo-terminal line (--pty)"));
    const PlugOutcome outcome = command == QLatin1String("replug") ? plug->replug()
                                : command == QLatin1String("unplug") ? plug->unplug()
                                                                     : plug->plug();
    return outcome.ok ? ok(outcome.text) : error(outcome.text);
}

ControlReply keyValue(SimulatedDrive& drive, const QStringList& words, SimTime now)
{
    const std::optional<ParameterSlot> slot = slotOf(drive.project(), words.value(1));
    if (!slot)
        return error(QStringLiteral("no parameter ") + words.value(1));
    if (words[0] == QLatin1String("get")) {
        if (words.size() != 2)
            return error(QStringLiteral("get KEY"));
        drive.advance(now);
        return ok(QStringLiteral("%1=%2").arg(words[1]).arg(drive.tables().value(slot->table, slot->address).value_or(0)));
    }
    std::optional<uint16_t> value = parseWord(words.value(2));
    if (!value && slot->table == TableKind::Connection)
        value = connectionSourceOf(drive.project(), words.value(2));
    if (words.size() != 3 || !value)
        return error(QStringLiteral("set KEY VALUE (a connection input also takes its source, B0001)"));
    const uint16_t old = drive.tables().value(slot->table, slot->address).value_or(0);
    drive.tables().setValue(slot->table, slot->address, *value);
    if (slot->table == TableKind::Settable)
        drive.model().settableWritten(slot->address, old, *value, now);
    return ok(QStringLiteral("%1=%2").arg(words[1]).arg(*value));
}

}  // namespace

std::optional<double> parseShare(const QString& text)
{
    QString t = text.trimmed();
    double divisor = 1.0;
    if (t.endsWith(QLatin1Char('%'))) {
        t.chop(1);
        divisor = 100.0;
    }
    bool ok = false;
    const double value = t.toDouble(&ok) / divisor;
    if (!ok || !std::isfinite(value) || value < 0.0 || value > 1.0)
        return std::nullopt;
    return value;
}

std::optional<uint16_t> parseWord(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    const qulonglong value = t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? t.mid(2).toULongLong(&ok, 16)
                                                                                    : t.toULongLong(&ok, 10);
    if (!ok || value > 0xFFFF)
        return std::nullopt;
    return static_cast<uint16_t>(value);
}

std::optional<std::pair<int, int>> parseFaultBit(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 2)
        return std::nullopt;
    bool okWord = false;
    bool okBit = false;
    const int word = parts[0].toInt(&okWord);
    const int bit = parts[1].toInt(&okBit);
    if (!okWord || !okBit || word < 0 || word >= DriveModel::kFaultWordCount || bit < 0 || bit > 15)
        return std::nullopt;
    return std::make_pair(word, bit);
}

std::optional<double> parseSeconds(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0.0 || value > 1e6)
        return std::nullopt;
    return value;
}

std::optional<uint8_t> parseFlag(const QString& text)
{
    const QString t = text.trimmed();
    if (t == QLatin1String("0"))
        return 0;
    if (t == QLatin1String("1"))
        return 1;
    return std::nullopt;
}

std::optional<uint8_t> parseRequestCode(const QString& text)
{
    const QString t = text.trimmed();
    if (!t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) || t.size() < 3 || t.size() > 4)
        return std::nullopt;
    uint value = 0;
    for (const QChar c : t.mid(2)) {
        const int digit = QStringLiteral("0123456789abcdef").indexOf(c.toLower());
        if (digit < 0)
            return std::nullopt;  // digits only: no sign, no blank
        value = value * 16 + static_cast<uint>(digit);
    }
    return static_cast<uint8_t>(value);
}

QString requestCodesText(const std::bitset<256>& codes)
{
    QStringList texts;
    for (size_t code = 0; code < codes.size(); ++code) {
        if (codes.test(code))
            texts << QStringLiteral("0x") + QString::number(code, 16).toUpper().rightJustified(2, QLatin1Char('0'));
    }
    return texts.isEmpty() ? QStringLiteral("none") : texts.join(QLatin1Char(','));
}

QString controlHelp()
{
    return QStringLiteral(
        "fault set W.B | fault clear W.B   set or clear bit B of fault word r0943.W\n"
        "noise RATE                        corrupt this share of the bytes sent (0.01 or 1%)\n"
        "drop RATE                         never send this share of the frames\n"
        "mute on|off                       stop answering / answer again\n"
        "ignore CODE...|off                ignore requests with these codes (0x0E); off: none\n"
        "misaddress on|off                 read answers carry the next address and its value\n"
        "replug | unplug | plug            pty only: pull and plug back the adapter / pull / plug\n"
        "boot SECONDS                      no answer for SECONDS from now\n"
        "program-id ID|project             report this program identifier\n"
        "cpu-type CODE|project             report this CPU type code\n"
        "last-download ok|failed           flag of the last download\n"
        "last-restore ok|failed            flag of the last factory restore\n"
        "download-stop-after N|off         the parameter download goes silent after N blocks\n"
        "download-bad-echo N|always|off    corrupt the echo of download block N (once) or all\n"
        "variant 0|1                       device variant flag\n"
        "device-flag 0|1                   device flag\n"
        "slaves N                          number of slaves (also P0089)\n"
        "get KEY | set KEY VALUE           raw word of a parameter (r0001, P7030); a connection\n"
        "                                  input takes its source too (set P0578.1 B0001)\n"
        "load PERCENT                      load torque added to the machine's, % of rated torque\n"
        "status | help | quit\n");
}

ControlReply executeControl(const QString& line, SimulatedDrive& drive, SimTime now, LinePlug* plug)
{
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return error(QStringLiteral("empty command"));
    const QString& command = words[0];
    const QString argument = words.value(1);
    DriveBehaviour& b = drive.behaviour();
    const bool oneArgument = words.size() == 2;

    if (command == QLatin1String("help"))
        return ok(controlHelp().replace(QLatin1Char('\n'), QStringLiteral("; ")));
    if (command == QLatin1String("quit"))
        return {QStringLiteral("ok bye"), true};
    if (command == QLatin1String("status"))
        return status(drive, now, plug);
    if (command == QLatin1String("get") || command == QLatin1String("set"))
        return keyValue(drive, words, now);
    if (command == QLatin1String("fault")) {
        const auto bit = parseFaultBit(words.value(2));
        const bool set = argument == QLatin1String("set");
        if (words.size() != 3 || !bit || (!set && argument != QLatin1String("clear")))
            return error(QStringLiteral("fault set|clear W.B (W 0..20, B 0..15)"));
        drive.setFaultBit(bit->first, bit->second, set, now);
        return ok(QStringLiteral("r0943.%1=%2").arg(bit->first).arg(drive.model().faultWord(bit->first)));
    }
    if (command == QLatin1String("noise") || command == QLatin1String("drop")) {
        const auto share = parseShare(argument);
        if (!oneArgument || !share)
            return error(command + QStringLiteral(" RATE (0..1 or 0%..100%)"));
        (command == QLatin1String("noise") ? b.noiseRate : b.dropShare) = *share;
        return ok(QStringLiteral("%1=%2").arg(command).arg(*share));
    }
    if (command == QLatin1String("mute") || command == QLatin1String("misaddress")) {
        const auto on = parseOnOff(argument);
        if (!oneArgument || !on)
            return error(command + QStringLiteral(" on|off"));
        (command == QLatin1String("mute") ? b.mute : b.misaddress) = *on;
        return ok();
    }
    if (command == QLatin1String("ignore"))
        return ignore(b, words);
    if (command == QLatin1String("replug") || command == QLatin1String("unplug") || command == QLatin1String("plug")) {
        if (words.size() != 1)
            return error(command + QStringLiteral(" takes no argument"));
        return plugCommand(command, plug);
    }
    if (command == QLatin1String("boot")) {
        const auto s = parseSeconds(argument);
        if (!oneArgument || !s)
            return error(QStringLiteral("boot SECONDS"));
        b.silentUntil = now + seconds(*s);
        return ok();
    }
    if (command == QLatin1String("program-id") || command == QLatin1String("cpu-type")) {
        std::optional<uint16_t>& target = command == QLatin1String("program-id") ? b.programId : b.cpuType;
        if (oneArgument && argument == QLatin1String("project")) {
            target.reset();
            return ok();
        }
        const auto word = parseWord(argument);
        if (!oneArgument || !word)
            return error(command + QStringLiteral(" VALUE|project"));
        target = *word;
        return ok();
    }
    if (command == QLatin1String("last-download") || command == QLatin1String("last-restore")) {
        const auto failed = parseOkFailed(argument);
        if (!oneArgument || !failed)
            return error(command + QStringLiteral(" ok|failed"));
        (command == QLatin1String("last-download") ? b.lastDownloadFailed : b.lastRestoreFailed) = *failed;
        return ok();
    }
    if (command == QLatin1String("download-stop-after") || command == QLatin1String("download-bad-echo")) {
        const bool stop = command == QLatin1String("download-stop-after");
        if (!oneArgument)
            return error(command + (stop ? QStringLiteral(" N|off") : QStringLiteral(" N|always|off")));
        if (argument == QLatin1String("off")) {
            if (stop) {
                b.downloadStopAfterBlocks.reset();
            } else {
                b.downloadBadEchoBlock.reset();
                b.downloadBadEchoAlways = false;
            }
            return ok();
        }
        if (!stop && argument == QLatin1String("always")) {
            b.downloadBadEchoAlways = true;
            return ok();
        }
        bool valid = false;
        const uint32_t blocks = argument.toUInt(&valid);
        if (!valid || (!stop && blocks == 0))
            return error(command + (stop ? QStringLiteral(" N|off") : QStringLiteral(" N|always|off")));
        (stop ? b.downloadStopAfterBlocks : b.downloadBadEchoBlock) = blocks;
        return ok();
    }
    if (command == QLatin1String("variant") || command == QLatin1String("device-flag")) {
        const auto flag = parseFlag(argument);
        if (!oneArgument || !flag)
            return error(command + QStringLiteral(" 0|1"));
        (command == QLatin1String("variant") ? b.variantFlag : b.deviceFlag) = *flag;
        return ok();
    }
    if (command == QLatin1String("load")) {
        bool valid = false;
        const double percent = argument.toDouble(&valid);
        if (!oneArgument || !valid || !std::isfinite(percent) || std::abs(percent) > 150.0)
            return error(QStringLiteral("load PERCENT (-150..150)"));
        drive.advance(now);
        drive.model().setExtraLoad(percent);
        return ok(QStringLiteral("load=%1").arg(percent, 0, 'f', 1));
    }
    if (command == QLatin1String("slaves")) {
        const auto n = parseWord(argument);
        if (!oneArgument || !n)
            return error(QStringLiteral("slaves N"));
        b.slaves = *n;
        drive.behaviourChanged();
        return ok();
    }
    return error(QStringLiteral("unknown command ") + command);
}

}  // namespace hesk::sim
