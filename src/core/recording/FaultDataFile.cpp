#include "FaultDataFile.h"

#include "files/DnlFileWrite.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <map>

namespace hesk::recording {

namespace {

constexpr int kCellWidth = 8;
const QString kCellGap = QStringLiteral("  ");
const QString kGroupPrefix = QStringLiteral("G   ");
const QString kDriveBoardStyle = QStringLiteral("DriverBoard");

QString formatError() { return QCoreApplication::translate("FaultDataFile", "文件格式不符！"); }

QString groupName(int faultNumber) { return QStringLiteral("FAULT%1").arg(faultNumber); }

QString sampleText(const FaultChannel& channel, double value)
{
    if (channel.digital)
        return QString::number(static_cast<long long>(std::llround(value)));
    // What fits into the cell: the decoder's values stay far inside.
    const double fitted = std::clamp(value, -999.999, 9999.999);
    return QString::number(fitted, 'f', 3);
}

void appendLine(QString& text, const QString& line)
{
    text += line;
    text += QStringLiteral("\r\n");
}

void appendGroup(QString& text, const FaultEntry& fault)
{
    const QString name = kGroupPrefix + groupName(fault.number);
    QString header = name + kCellGap;
    size_t rows = 0;
    for (const FaultChannel& c : fault.channels) {
        header += QStringLiteral("CH%1").arg(c.number).leftJustified(kCellWidth) + kCellGap;
        rows = std::max(rows, c.samples.size());
    }
    appendLine(text, header);
    for (size_t row = 0; row < rows; ++row) {
        QString line = QString::number(row + 1).leftJustified(name.size()) + kCellGap;
        for (const FaultChannel& c : fault.channels) {
            const QString cell = row < c.samples.size() ? sampleText(c, c.samples[row]) : QString();
            line += cell.leftJustified(kCellWidth) + kCellGap;
        }
        appendLine(text, line);
    }
}

std::optional<int> intAfter(const QString& line, qsizetype prefix)
{
    bool ok = false;
    const int value = line.mid(prefix).trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// One group while it is read: its channels by column.
struct GroupReader {
    FaultEntry entry;
    qsizetype prefixWidth = 0;
};

std::optional<GroupReader> readGroupHeader(const QString& line, bool driveBoard)
{
    static const QRegularExpression pattern(QStringLiteral("^G   (FAULT([1-9]\\d{0,5}))  ((?:CH\\d{1,4} *  )*)$"));
    const QRegularExpressionMatch match = pattern.match(line);
    if (!match.hasMatch())
        return std::nullopt;
    GroupReader group;
    group.entry.number = match.captured(2).toInt();
    group.prefixWidth = kGroupPrefix.size() + match.captured(1).size() + kCellGap.size();
    const QString cells = match.captured(3);
    for (qsizetype at = 0; at < cells.size(); at += kCellWidth + kCellGap.size()) {
        const QString cell = cells.mid(at, kCellWidth);
        if (cells.mid(at + kCellWidth, kCellGap.size()) != kCellGap || !cell.startsWith(QLatin1String("CH")))
            return std::nullopt;
        bool ok = false;
        FaultChannel channel;
        channel.number = cell.mid(2).trimmed().toInt(&ok);
        if (!ok || channel.number < 1 || cell != QStringLiteral("CH%1").arg(channel.number).leftJustified(kCellWidth))
            return std::nullopt;
        if (driveBoard) {
            channel.name = driveBoardChannelName(channel.number);
            channel.digital = !channel.name.isEmpty();
        }
        group.entry.channels.push_back(std::move(channel));
    }
    if (cells.size() % (kCellWidth + kCellGap.size()) != 0)
        return std::nullopt;
    return group;
}

bool readRow(const QString& line, GroupReader& group, size_t expectedRow)
{
    const qsizetype numberWidth = group.prefixWidth - kCellGap.size();
    if (line.left(numberWidth) != QString::number(expectedRow).leftJustified(numberWidth)
        || line.mid(numberWidth, kCellGap.size()) != kCellGap)
        return false;
    bool ok = false;
    const qsizetype step = kCellWidth + kCellGap.size();
    if (line.size() != group.prefixWidth + step * static_cast<qsizetype>(group.entry.channels.size()))
        return false;
    for (size_t c = 0; c < group.entry.channels.size(); ++c) {
        const qsizetype at = group.prefixWidth + step * static_cast<qsizetype>(c);
        if (line.mid(at + kCellWidth, kCellGap.size()) != kCellGap)
            return false;
        const QString cell = line.mid(at, kCellWidth).trimmed();
        if (cell.isEmpty())
            continue;
        FaultChannel& channel = group.entry.channels[c];
        if (channel.samples.size() + 1 != expectedRow)
            return false;  // a sample after a gap in its column
        const double value = cell.toDouble(&ok);
        // Only what the writer writes: the same text comes out again.
        if (!ok || !std::isfinite(value) || sampleText(channel, value) != cell)
            return false;
        channel.samples.push_back(value);
    }
    return true;
}

}  // namespace

QString faultFileDeviceStyle(model::DeviceClass deviceClass)
{
    switch (deviceClass) {
    case model::DeviceClass::Inverter:
        return QStringLiteral("VRA1");
    case model::DeviceClass::FeedbackRectifier:
        return QStringLiteral("SLM");
    case model::DeviceClass::BasicRectifier:
        return QStringLiteral("BLM");
    case model::DeviceClass::ActiveRectifier:
        return QStringLiteral("AIC");
    case model::DeviceClass::TestBench:
        return QStringLiteral("PTB");
    case model::DeviceClass::None:
        break;
    }
    return QStringLiteral("UNKNOW");
}

FaultFileHeader faultFileHeader(const FaultRecord& record, model::DeviceClass deviceClass,
                                const QString& deviceVersion, const QDateTime& written)
{
    if (record.driveBoard)
        return {written, kDriveBoardStyle, QStringLiteral("V1.00.00")};
    return {written, faultFileDeviceStyle(deviceClass), deviceVersion};
}

QByteArray faultDataFileBytes(const FaultRecord& record, const FaultFileHeader& header)
{
    QString text;
    appendLine(text, QStringLiteral("Data:  ") + header.written.toString(QStringLiteral("yyyy-MM-dd"))
                         + QStringLiteral("   Time:  ") + header.written.toString(QStringLiteral("HH:mm:ss")));
    appendLine(text, QStringLiteral("Device Style:    ") + header.deviceStyle);
    appendLine(text, QStringLiteral("Device Version:    ") + header.deviceVersion);
    for (const FaultEntry& fault : record.faults)
        appendGroup(text, fault);
    appendLine(text, QStringLiteral("FNM:%1").arg(record.faults.size()));
    appendLine(text, QStringLiteral("STN:%1").arg(record.stationCount));
    const size_t hexWords = record.faultWordCount();
    for (size_t i = 0; i < record.words.size(); ++i) {
        const QString value = i < hexWords ? QStringLiteral("%1").arg(record.words[i], 4, 16, QLatin1Char('0'))
                                           : QString::number(record.words[i]);
        appendLine(text, QStringLiteral("FW%1:%2").arg(i + 1).arg(value));
    }
    appendLine(text, QStringLiteral("STATION:%1").arg(record.station));
    return text.toLatin1();
}

FaultFileRead parseFaultDataFile(const QByteArray& bytes)
{
    QList<QByteArray> rawLines = bytes.split('\n');
    QStringList lines;
    for (QByteArray& raw : rawLines) {
        if (raw.endsWith('\r'))
            raw.chop(1);
        lines << QString::fromLatin1(raw);
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();

    FaultFileContents contents;
    FaultRecord& record = contents.record;
    bool haveData = false, haveDevice = false, haveVersion = false;
    std::optional<int> faultCount, stationCount, station;
    std::optional<GroupReader> group;
    size_t row = 0;
    QStringList wordTexts;
    const FaultFileRead bad{std::nullopt, formatError()};

    auto closeGroup = [&] {
        if (group)
            record.faults.push_back(std::move(group->entry));
        group.reset();
    };

    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String("Data:"))) {
            static const QRegularExpression date(
                QStringLiteral("^Data:  (\\d{4}-\\d{2}-\\d{2})   Time:  (\\d{2}:\\d{2}:\\d{2})$"));
            const QRegularExpressionMatch m = date.match(line);
            if (haveData || !m.hasMatch())
                return bad;
            contents.header.written = QDateTime::fromString(m.captured(1) + QLatin1Char(' ') + m.captured(2),
                                                            QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            if (!contents.header.written.isValid())
                return bad;
            haveData = true;
        } else if (line.startsWith(QLatin1String("Device Style:"))) {
            if (haveDevice || !record.faults.empty() || group)
                return bad;
            contents.header.deviceStyle = line.mid(13).trimmed();
            record.driveBoard = contents.header.deviceStyle == kDriveBoardStyle;
            haveDevice = true;
        } else if (line.startsWith(QLatin1String("Device Version:"))) {
            if (haveVersion)
                return bad;
            contents.header.deviceVersion = line.mid(15).trimmed();
            haveVersion = true;
        } else if (line.startsWith(kGroupPrefix)) {
            if (!haveDevice || faultCount)
                return bad;
            closeGroup();
            group = readGroupHeader(line, record.driveBoard);
            if (!group)
                return bad;
            if (!record.faults.empty() && record.faults.back().number >= group->entry.number)
                return bad;  // faults are written by ascending number
            row = 0;
        } else if (line.startsWith(QLatin1String("FNM:"))) {
            closeGroup();
            faultCount = intAfter(line, 4);
            if (!faultCount)
                return bad;
        } else if (line.startsWith(QLatin1String("STN:"))) {
            stationCount = intAfter(line, 4);
            if (!stationCount || !faultCount)
                return bad;
        } else if (line.startsWith(QLatin1String("FW"))) {
            const qsizetype colon = line.indexOf(QLatin1Char(':'));
            bool ok = false;
            const qsizetype number = line.mid(2, colon - 2).toLongLong(&ok);
            if (colon < 0 || !ok || number != wordTexts.size() + 1 || !stationCount || station)
                return bad;
            wordTexts << line.mid(colon + 1);
        } else if (line.startsWith(QLatin1String("STATION:"))) {
            station = intAfter(line, 8);
            if (!station || !stationCount)
                return bad;
        } else if (group && !faultCount) {
            if (!readRow(line, *group, ++row))
                return bad;
        } else {
            return bad;
        }
    }
    closeGroup();
    if (!haveData || !haveDevice || !haveVersion || !faultCount || !stationCount || !station)
        return bad;
    if (*faultCount != static_cast<int>(record.faults.size()))
        return bad;
    record.stationCount = *stationCount;
    record.station = *station;
    const size_t hexWords = record.driveBoard
                                ? 0
                                : std::min(static_cast<size_t>(wordTexts.size()),
                                           record.faults.size() * static_cast<size_t>(faultWordKeys().size()));
    for (qsizetype i = 0; i < wordTexts.size(); ++i) {
        const QString& t = wordTexts[i];
        bool ok = false;
        const bool hex = static_cast<size_t>(i) < hexWords;
        const uint value = hex ? t.toUInt(&ok, 16) : t.toUInt(&ok, 10);
        if (!ok || value > 0xFFFF || (hex && t.size() != 4))
            return bad;
        record.words.push_back(static_cast<uint16_t>(value));
    }
    const size_t perFault = static_cast<size_t>(faultWordKeys().size());
    for (size_t f = 0; f < record.faults.size() && !record.driveBoard; ++f) {
        const size_t first = f * perFault;
        if (first >= record.words.size())
            break;
        const size_t count = std::min(perFault, record.words.size() - first);
        record.faults[f].faultWords.assign(record.words.begin() + static_cast<std::ptrdiff_t>(first),
                                           record.words.begin() + static_cast<std::ptrdiff_t>(first + count));
    }
    return {std::move(contents), {}};
}

FaultFileRead readFaultDataFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, QCoreApplication::translate("FaultDataFile", "文件打开失败！")};
    return parseFaultDataFile(file.readAll());
}

std::optional<QString> writeFaultDataFile(const QString& path, const FaultRecord& record,
                                          const FaultFileHeader& header)
{
    const files::DnlFileWrite written = files::writeDnlFile(path, faultDataFileBytes(record, header));
    if (written.ok)
        return std::nullopt;
    return written.error;
}

std::optional<QString> faultWordMismatch(const FaultRecord& record, const model::FaultCatalogue& catalogue)
{
    if (record.driveBoard)
        return std::nullopt;
    const QStringList& keys = faultWordKeys();
    for (const FaultEntry& fault : record.faults) {
        for (size_t i = 0; i < fault.faultWords.size() && i < static_cast<size_t>(keys.size()); ++i) {
            if (fault.faultWords[i] == 0)
                continue;
            const QString& key = keys[static_cast<qsizetype>(i)];
            const bool named = std::any_of(catalogue.entries().begin(), catalogue.entries().end(),
                                           [&](const model::FaultAlarm& e) { return e.word == key; });
            if (!named)
                return QCoreApplication::translate(
                    "FaultDataFile",
                    "导入故障录波文件时，文件中要求显示的故障字信息与当前工程不匹配，导入操作被禁止！");
        }
    }
    return std::nullopt;
}

QString faultFileFilter() { return QStringLiteral("txt File (*.txt)"); }
QString faultFileProposedName() { return QStringLiteral("FAULTDATA.txt"); }
QString noFaultDataText() { return QCoreApplication::translate("FaultDataFile", "当前缓冲没有数据！"); }
QString faultFileExportedText(const QString& path)
{
    return QCoreApplication::translate("FaultDataFile", "数据成功导出至：") + path;
}

}  // namespace hesk::recording
