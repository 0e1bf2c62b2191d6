#include "DnlFormat.h"

#include "model/DeviceCatalogue.h"
#include "model/HeskProject.h"
#include "model/ParameterTypes.h"

namespace hesk::files {

namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

// The decimal number at the start of a text, as the C library's atoi reads it: leading
// blanks, an optional sign, then digits; no digits give 0. Kept in 16 bits as the
// numbers of a project are.
uint16_t leadingNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    uint32_t value = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i)
        value = (value * 10 + static_cast<uint32_t>(text[i].unicode() - '0')) & 0xFFFFu;
    return static_cast<uint16_t>(negative ? (0x10000u - value) & 0xFFFFu : value);
}

QString headerValue(const QString& line, QLatin1StringView key)
{
    return line.mid(line.indexOf(key) + key.size()).trimmed();
}

}  // namespace

QString dnlStyleName(const QString& deviceType)
{
    // The test bench has a short code of its own but no style in parameter files.
    const QString code = model::shortCodeForDeviceType(deviceType);
    for (const char* style : {"VRA1", "SLM", "AIC", "BLM"})
        if (code == QLatin1String(style))
            return code;
    return QStringLiteral("UNKNOW");
}

QString defaultDnlFileName(const QString& styleName, const QString& deviceVersion, const QDateTime& time)
{
    return styleName + QLatin1Char('_') + deviceVersion + time.toString(QStringLiteral("_yyyyMMdd_HHmmss")) +
           QStringLiteral(".dnl");
}

QByteArray dnlHeaderBytes(const QDateTime& time, const QString& styleName, const QString& deviceVersion)
{
    QByteArray bytes;
    bytes += ";Data:  " + time.toString(QStringLiteral("yyyy-MM-dd")).toLatin1() + "   Time:  " +
             time.toString(QStringLiteral("HH:mm:ss")).toLatin1() + kLineEnd;
    bytes += ";Device Style:    " + styleName.toLatin1() + kLineEnd;
    bytes += ";Device Version:    " + deviceVersion.toLatin1() + kLineEnd;
    return bytes;
}

QByteArray dnlRowBytes(const QString& label, const QString& value)
{
    return label.toLatin1() + value.rightJustified(kDnlValueWidth, QLatin1Char(' ')).toLatin1() + kLineEnd;
}

QString dnlFileValue(const model::HeskParameterElement& element, const QString& displayText)
{
    if (element.isSettable() && element.isConnection()) {
        const QString digits = displayText.trimmed().right(4);
        bool ok = false;
        const int number = digits.toInt(&ok, 10);
        return ok && number >= 0 ? QString::number(number) : displayText;
    }
    if (model::radixOfType(element.typeCode) == model::Radix::Hexadecimal) {
        QString text = displayText.trimmed().toUpper();
        if (text.startsWith(QLatin1String("0X")))
            text.remove(0, 2);
        return text;
    }
    return displayText;
}

QStringList acceptedDnlRows(const QByteArray& bytes)
{
    QStringList rows;
    for (const QByteArray& raw : bytes.split('\n')) {
        const QString line = QString::fromLatin1(raw).trimmed();
        if (line.size() >= kDnlLabelLength && line.contains(QLatin1Char('|')))
            rows << line;
    }
    return rows;
}

DnlRowsRead readDnlRows(const QString& path)
{
    const model::FileRead read = model::readRegularFile(path, kMaxDnlFileBytes);
    DnlRowsRead result;
    result.status = read.status;
    if (read.ok())
        result.rows = acceptedDnlRows(read.bytes);
    return result;
}

DnlHeader parseDnlHeader(const QByteArray& bytes)
{
    DnlHeader header;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i < lines.size() && i < 3; ++i) {
        const QString line = QString::fromLatin1(lines[i]);
        if (line.contains(QLatin1String("Device Style:")))
            header.style = headerValue(line, QLatin1StringView("Device Style:"));
        if (line.contains(QLatin1String("Device Version:")))
            header.version = headerValue(line, QLatin1StringView("Device Version:"));
    }
    return header;
}

std::optional<DnlHeader> readDnlHeader(const QString& path)
{
    // Three header lines are short; 64 KiB covers them even after long blank runs.
    const model::FileRead read = model::readRegularFileStart(path, 64 * 1024);
    if (!read.ok())
        return std::nullopt;
    return parseDnlHeader(read.bytes);
}

DnlRow splitDnlRow(const QString& acceptedLine)
{
    DnlRow row;
    row.line = acceptedLine;
    row.number = leadingNumber(acceptedLine.left(4));
    row.subIndex = leadingNumber(acceptedLine.mid(5, 3));
    row.value = acceptedLine.mid(acceptedLine.lastIndexOf(QLatin1Char('|')) + 1).trimmed();
    row.rowKey = acceptedLine.left(kDnlRowKeyLength);
    return row;
}

std::optional<std::size_t> resolveDnlRow(const model::HeskProject& project, const DnlRow& row)
{
    if (const auto index = project.findElement(row.number, row.subIndex))
        return index;
    if (row.subIndex == 0)
        return project.findElement(row.number, model::kNoSubIndex);
    return std::nullopt;
}

}  // namespace hesk::files
