#include "TriggerDataFile.h"

#include "files/DnlFileWrite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cmath>
#include <optional>

namespace hesk::recording {

namespace {

constexpr int kFieldWidth = 8;
constexpr int kFirstField = 6;        // "TR    ", "PRE   ", "%-4d  "
constexpr int kFieldStep = kFieldWidth + 2;
constexpr qint64 kLargestFile = 64LL << 20;

QString padded(const QString& text, int width) { return text.leftJustified(width, QLatin1Char(' ')); }

QString valueText(uint16_t word) { return QString::number(TriggerRecording::analogValue(word), 'f', 3); }

QString preField(const RecordedChannel& c)
{
    if (!c.hasData())
        return QString(kFieldWidth, QLatin1Char(' '));
    const long long share = static_cast<long long>(c.triggerPosition) * 100 / static_cast<long long>(c.words.size());
    return padded(QStringLiteral("%1/%2%").arg(c.triggerPosition).arg(share), kFieldWidth);
}

QString field(const QString& line, int channel)
{
    return line.mid(kFirstField + channel * kFieldStep, kFieldWidth);
}

QString firstWord(const QString& line)
{
    const qsizetype end = line.indexOf(QLatin1Char(' '));
    return end < 0 ? line : line.left(end);
}

std::optional<uint16_t> wordOf(const QString& text)
{
    bool ok = false;
    const double percent = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(percent))
        return std::nullopt;
    const long word = std::lround(percent * 163.84);
    if (word < -32768 || word > 32767)
        return std::nullopt;
    return static_cast<uint16_t>(static_cast<int16_t>(word));
}

bool isReferenceName(const QString& word)
{
    static const QStringList names = {QStringLiteral("P0350"), QStringLiteral("P0351"), QStringLiteral("P0352"),
                                      QStringLiteral("P0353"), QStringLiteral("P0354"), QStringLiteral("r0071"),
                                      QStringLiteral("r0072"), QStringLiteral("UDCn"),  QStringLiteral("r0350"),
                                      QStringLiteral("r0351")};
    return names.contains(word);
}

// "P0350 = 100.000/16384", "UDCn  = 540.000".
std::optional<ReferenceValue> referenceOf(const QString& text)
{
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq < 0)
        return std::nullopt;
    ReferenceValue r;
    r.name = text.left(eq).trimmed();
    if (!isReferenceName(r.name))
        return std::nullopt;
    const QString rest = text.mid(eq + 1).trimmed();
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    r.value = slash < 0 ? rest : rest.left(slash);
    r.second = slash < 0 ? QString() : rest.mid(slash + 1);
    return r;
}

}  // namespace

model::UserMessage dataFormatMessage()
{
    return model::UserMessage::error(QCoreApplication::translate("TriggerDataFile", "文件格式不符！"));
}
model::UserMessage dataFileOpenMessage()
{
    return model::UserMessage::error(QCoreApplication::translate("TriggerDataFile", "数据文件打开失败！"));
}

QByteArray encodeTriggerData(const TriggerRecording& r)
{
    QString text;
    const auto line = [&text](const QString& l) { text += l + QLatin1Char('\n'); };
    line(QStringLiteral("Device Style:    ") + r.deviceStyle);
    line(QStringLiteral("Device Version:    ") + r.deviceVersion);
    QString header = QStringLiteral("TR  ") + QStringLiteral("  ");
    for (int n = 1; n <= kRecorderChannels; ++n)
        header += QStringLiteral("CH%1     ").arg(n) + QStringLiteral("  ");
    line(header);
    QString pre = QStringLiteral("PRE   ");
    for (const RecordedChannel& c : r.channels)
        pre += preField(c) + QStringLiteral("  ");
    line(pre);
    const size_t rows = r.rowCount();
    text.reserve(text.size() + static_cast<qsizetype>(rows) * (kFirstField + kRecorderChannels * kFieldStep + 1) + 512);
    const QString blank(kFieldWidth, QLatin1Char(' '));
    for (size_t i = 0; i < rows; ++i) {
        QString row = padded(QString::number(i + 1), 4) + QStringLiteral("  ");
        for (const RecordedChannel& c : r.channels)
            row += (i < c.words.size() ? padded(valueText(c.words[i]), kFieldWidth) : blank) + QStringLiteral("  ");
        line(row);
    }
    const RecordInformation& info = r.information;
    line(QStringLiteral("TIME  ") + info.time);
    line(QStringLiteral("COND  ") + info.condition);
    line(QStringLiteral("SAMP  ") + info.sampling);
    line(QStringLiteral("FREQ  %1").arg(info.baseTime));
    const bool inverter = r.deviceStyle == QLatin1String("VRA1");
    for (size_t i = 0; i < info.references.size(); ++i) {
        const ReferenceValue& ref = info.references[i];
        const QString name = ref.name == QLatin1String("UDCn") ? QStringLiteral("UDCn ") : ref.name;
        QString l = name + QStringLiteral(" = ") + ref.value;
        if (!ref.second.isEmpty())
            l += QLatin1Char('/') + ref.second;
        // The inverter's five lines each carry the key word; the rectifiers' lines
        // after the first begin with the parameter.
        line((inverter || i == 0 ? QStringLiteral("BASE  ") : QString()) + l);
    }
    for (const RecordedChannel& c : r.channels)
        line(QStringLiteral("CHAN%1  ").arg(c.number) + c.label);
    // GB18030: the drive family's code page for every text GBK holds, and a form for
    // every other character too, so that any label reads back as it was.
    QStringEncoder encoder("GB18030");
    return encoder.encode(text);
}

std::variant<TriggerRecording, model::UserMessage> decodeTriggerData(QByteArrayView bytes)
{
    QStringDecoder decoder("GB18030");
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return dataFormatMessage();
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    for (QString& l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    TriggerRecording r;
    for (int i = 0; i < kRecorderChannels; ++i)
        r.channels[static_cast<size_t>(i)].number = i + 1;
    if (lines.size() < 4 || !lines[0].startsWith(QLatin1String("Device Style:"))
        || !lines[1].startsWith(QLatin1String("Device Version:")) || firstWord(lines[2]) != QLatin1String("TR")
        || firstWord(lines[3]) != QLatin1String("PRE"))
        return dataFormatMessage();
    r.deviceStyle = lines[0].mid(13).trimmed();
    r.deviceVersion = lines[1].mid(15).trimmed();
    for (int n = 1; n <= kRecorderChannels; ++n)
        if (field(lines[2], n - 1).trimmed() != QStringLiteral("CH%1").arg(n))
            return dataFormatMessage();

    // PRE: trigger position per channel, blank for a channel without data.
    std::array<std::optional<int>, kRecorderChannels> positions;
    for (int c = 0; c < kRecorderChannels; ++c) {
        const QString f = field(lines[3], c).trimmed();
        if (f.isEmpty())
            continue;
        const qsizetype slash = f.indexOf(QLatin1Char('/'));
        bool ok = false;
        const int position = f.left(slash).toInt(&ok);
        if (slash < 0 || !ok || position < 0 || !f.endsWith(QLatin1Char('%')))
            return dataFormatMessage();
        positions[static_cast<size_t>(c)] = position;
    }

    // The rows, by position, up to the TIME line.
    qsizetype at = 4;
    for (; at < lines.size() && firstWord(lines[at]) != QLatin1String("TIME"); ++at) {
        const QString& row = lines[at];
        bool ok = false;
        if (row.left(4).trimmed().toLongLong(&ok) != at - 3 || !ok || row.mid(4, 2).trimmed().size() != 0)
            return dataFormatMessage();
        for (int c = 0; c < kRecorderChannels; ++c) {
            RecordedChannel& channel = r.channels[static_cast<size_t>(c)];
            const QString f = field(row, c);
            if (f.trimmed().isEmpty())
                continue;
            // A channel's samples are one run from the first row.
            if (channel.words.size() != static_cast<size_t>(at - 4) || !positions[static_cast<size_t>(c)])
                return dataFormatMessage();
            const std::optional<uint16_t> word = wordOf(f);
            if (!word)
                return dataFormatMessage();
            channel.words.push_back(*word);
        }
        if (at - 3 > kRecorderSamples)
            return dataFormatMessage();
    }
    for (int c = 0; c < kRecorderChannels; ++c) {
        RecordedChannel& channel = r.channels[static_cast<size_t>(c)];
        if (positions[static_cast<size_t>(c)].has_value() != channel.hasData())
            return dataFormatMessage();
        channel.triggerPosition = positions[static_cast<size_t>(c)].value_or(0);
        if (channel.hasData() && static_cast<size_t>(channel.triggerPosition) >= channel.words.size())
            return dataFormatMessage();
    }

    // The record information.
    bool time = false, cond = false, samp = false, freq = false;
    std::array<bool, kRecorderChannels> labels{};
    for (; at < lines.size(); ++at) {
        const QString& l = lines[at];
        const QString word = firstWord(l);
        if (word == QLatin1String("TIME")) {
            r.information.time = l.mid(6);
            time = true;
        } else if (word == QLatin1String("COND")) {
            r.information.condition = l.mid(6);
            cond = true;
        } else if (word == QLatin1String("SAMP")) {
            r.information.sampling = l.mid(6);
            samp = true;
        } else if (word == QLatin1String("FREQ")) {
            bool ok = false;
            r.information.baseTime = l.mid(6).trimmed().toInt(&ok);
            if (!ok)
                return dataFormatMessage();
            freq = true;
        } else if (word == QLatin1String("BASE") || isReferenceName(word)) {
            const std::optional<ReferenceValue> ref =
                referenceOf(word == QLatin1String("BASE") ? l.mid(6) : l);
            if (!ref)
                return dataFormatMessage();
            r.information.references.push_back(*ref);
        } else if (word.startsWith(QLatin1String("CHAN")) && word.size() == 5 && word[4] >= QLatin1Char('1')
                   && word[4] <= QLatin1Char('4')) {
            const int n = word[4].digitValue();
            r.channels[static_cast<size_t>(n - 1)].label = l.mid(7);
            labels[static_cast<size_t>(n - 1)] = true;
        } else {
            return dataFormatMessage();
        }
    }
    if (!time || !cond || !samp || !freq || labels != std::array<bool, kRecorderChannels>{true, true, true, true})
        return dataFormatMessage();
    return r;
}

std::variant<TriggerRecording, model::UserMessage> readTriggerDataFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return dataFileOpenMessage();
    if (file.size() > kLargestFile)
        return dataFormatMessage();
    return decodeTriggerData(file.readAll());
}

TriggerDataWrite writeTriggerDataFile(const QString& path, const TriggerRecording& recording)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return {false, QStringLiteral("cannot create %1").arg(info.absolutePath())};
    const files::DnlFileWrite written = files::writeDnlFile(path, encodeTriggerData(recording));
    return {written.ok, written.error};
}

}  // namespace hesk::recording
