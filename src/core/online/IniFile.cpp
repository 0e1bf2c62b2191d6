#include "IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace hesk::online {

namespace {

constexpr char kAnsiCodec[] = "GB18030";

const QByteArray kBomUtf16LE("\xFF\xFE", 2);
const QByteArray kBomUtf16BE("\xFE\xFF", 2);
const QByteArray kBomUtf8("\xEF\xBB\xBF", 3);

int unitWidth(IniEncoding encoding)
{
    return encoding == IniEncoding::Utf16LE || encoding == IniEncoding::Utf16BE ? 2 : 1;
}

QString decode(IniEncoding encoding, const QByteArray& raw)
{
    switch (encoding) {
    case IniEncoding::Utf16LE: {
        QStringDecoder decoder(QStringConverter::Utf16LE, QStringConverter::Flag::Stateless);
        return decoder(raw);
    }
    case IniEncoding::Utf16BE: {
        QStringDecoder decoder(QStringConverter::Utf16BE, QStringConverter::Flag::Stateless);
        return decoder(raw);
    }
    case IniEncoding::Utf8:
        return QString::fromUtf8(raw);
    case IniEncoding::Ansi:
        break;
    }
    QStringDecoder decoder(kAnsiCodec);
    if (!decoder.isValid())
        return QString::fromLatin1(raw);  // no converter: ASCII names still work
    return decoder(raw);
}

QByteArray encode(IniEncoding encoding, const QString& text)
{
    switch (encoding) {
    case IniEncoding::Utf16LE: {
        QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::Stateless);
        return encoder(text);
    }
    case IniEncoding::Utf16BE: {
        QStringEncoder encoder(QStringConverter::Utf16BE, QStringConverter::Flag::Stateless);
        return encoder(text);
    }
    case IniEncoding::Utf8:
        return text.toUtf8();
    case IniEncoding::Ansi:
        break;
    }
    QStringEncoder encoder(kAnsiCodec);
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder(text);
}

bool hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

bool isQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

// The value as the profile functions return it: a matching pair of quotes removed.
QString unquoted(const QString& value)
{
    if (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

// The text to write so that reading gives value back.
QString quotedForWriting(const QString& value)
{
    const bool losesBlanks = value != value.trimmed();
    const bool losesQuotes = unquoted(value) != value;
    return losesBlanks || losesQuotes ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

QString limited(const QString& value)
{
    if (value.size() <= IniFile::kMaxValueLength)
        return value;
    qsizetype length = IniFile::kMaxValueLength;
    if (value.at(length - 1).isHighSurrogate())
        --length;
    return value.left(length);
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

IniFile::IniFile() = default;

IniFile IniFile::fromBytes(const QByteArray& bytes)
{
    IniFile file;
    qsizetype start = 0;
    if (bytes.startsWith(kBomUtf16LE)) {
        file.m_encoding = IniEncoding::Utf16LE;
        file.m_bom = kBomUtf16LE;
    } else if (bytes.startsWith(kBomUtf16BE)) {
        file.m_encoding = IniEncoding::Utf16BE;
        file.m_bom = kBomUtf16BE;
    } else if (bytes.startsWith(kBomUtf8)) {
        file.m_encoding = IniEncoding::Utf8;
        file.m_bom = kBomUtf8;
    } else {
        file.m_encoding = IniEncoding::Ansi;
        file.m_bom.clear();
    }
    start = file.m_bom.size();

    const int width = unitWidth(file.m_encoding);
    qsizetype size = bytes.size();
    if (width == 2 && (size - start) % 2 != 0)
        --size;  // an incomplete last code unit of a cut-off file

    const auto unitAt = [&](qsizetype at) -> char16_t {
        const auto b0 = static_cast<unsigned char>(bytes[at]);
        if (width == 1)
            return b0;
        const auto b1 = static_cast<unsigned char>(bytes[at + 1]);
        return file.m_encoding == IniEncoding::Utf16LE ? char16_t(b0 | (b1 << 8)) : char16_t((b0 << 8) | b1);
    };

    bool lineEndSeen = false;
    qsizetype lineStart = start;
    qsizetype at = start;
    while (at < size) {
        const char16_t unit = unitAt(at);
        if (unit != u'\n' && unit != u'\r') {
            at += width;
            continue;
        }
        QString ending = unit == u'\n' ? QStringLiteral("\n") : QStringLiteral("\r");
        qsizetype next = at + width;
        if (unit == u'\r' && next < size && unitAt(next) == u'\n') {
            ending = QStringLiteral("\r\n");
            next += width;
        }
        const QByteArray raw = bytes.mid(lineStart, at - lineStart);
        file.m_lines.push_back({raw, decode(file.m_encoding, raw), ending});
        if (!lineEndSeen) {
            file.m_lineEnd = ending;
            lineEndSeen = true;
        }
        lineStart = at = next;
    }
    if (lineStart < size) {
        const QByteArray raw = bytes.mid(lineStart, size - lineStart);
        file.m_lines.push_back({raw, decode(file.m_encoding, raw), QString()});
    }
    return file;
}

IniFile::Loaded IniFile::load(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {IniLoadStatus::Missing, IniFile()};
    if (!info.isFile() || info.size() > kMaxFileSize)
        return {IniLoadStatus::Unreadable, IniFile()};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {IniLoadStatus::Unreadable, IniFile()};
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (bytes.size() > kMaxFileSize || file.error() != QFileDevice::NoError)
        return {IniLoadStatus::Unreadable, IniFile()};
    return {IniLoadStatus::Loaded, fromBytes(bytes)};
}

IniFile::Parsed IniFile::parse(const QString& text)
{
    Parsed parsed;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        parsed.kind = LineKind::Blank;
        return parsed;
    }
    if (trimmed.startsWith(QLatin1Char('['))) {
        const qsizetype close = trimmed.lastIndexOf(QLatin1Char(']'));
        if (close > 0) {
            parsed.kind = LineKind::Section;
            parsed.name = trimmed.mid(1, close - 1).trimmed();
            return parsed;
        }
    }
    if (trimmed.startsWith(QLatin1Char(';'))) {
        parsed.kind = LineKind::Comment;
        return parsed;
    }
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals >= 0) {
        const QString key = text.left(equals).trimmed();
        if (!key.isEmpty()) {
            parsed.kind = LineKind::Entry;
            parsed.name = key;
            parsed.value = text.mid(equals + 1).trimmed();
            parsed.equalsAt = equals;
        }
    }
    return parsed;
}

std::optional<qsizetype> IniFile::findSection(const QString& section) const
{
    const QString wanted = section.trimmed();
    for (qsizetype i = 0; i < qsizetype(m_lines.size()); ++i) {
        const Parsed parsed = parse(m_lines[i].text);
        if (parsed.kind == LineKind::Section && sameName(parsed.name, wanted))
            return i;
    }
    return std::nullopt;
}

qsizetype IniFile::sectionEnd(qsizetype header) const
{
    qsizetype i = header + 1;
    while (i < qsizetype(m_lines.size()) && parse(m_lines[i].text).kind != LineKind::Section)
        ++i;
    return i;
}

std::optional<qsizetype> IniFile::findEntry(qsizetype header, const QString& key) const
{
    const QString wanted = key.trimmed();
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const Parsed parsed = parse(m_lines[i].text);
        if (parsed.kind == LineKind::Entry && sameName(parsed.name, wanted))
            return i;
    }
    return std::nullopt;
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const
{
    const std::optional<qsizetype> header = findSection(section);
    if (!header)
        return std::nullopt;
    const std::optional<qsizetype> entry = findEntry(*header, key);
    if (!entry)
        return std::nullopt;
    return limited(unquoted(parse(m_lines[*entry].text).value));
}

QString IniFile::value(const QString& section, const QString& key, const QString& defaultValue) const
{
    return value(section, key).value_or(limited(defaultValue));
}

QStringList IniFile::sectionNames() const
{
    QStringList names;
    for (const Line& line : m_lines) {
        const Parsed parsed = parse(line.text);
        if (parsed.kind == LineKind::Section)
            names.append(parsed.name);
    }
    return names;
}

IniFile::Line IniFile::makeLine(const QString& text, const QString& ending) const
{
    return {encode(m_encoding, text), text, ending};
}

void IniFile::insertLine(qsizetype at, const QString& text)
{
    // The line before it may be a last line without an end.
    if (at > 0 && m_lines[at - 1].ending.isEmpty())
        m_lines[at - 1].ending = m_lineEnd;
    m_lines.insert(m_lines.begin() + at, makeLine(text, m_lineEnd));
}

IniWriteResult IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    const bool badSection = sectionName.isEmpty() || hasLineBreak(sectionName);
    const bool badKey = keyName.isEmpty() || hasLineBreak(keyName) || keyName.contains(QLatin1Char('='))
                        || keyName.startsWith(QLatin1Char(';')) || keyName.startsWith(QLatin1Char('['));
    if (badSection || badKey)
        return {IniWriteStatus::InvalidName, {}};
    if (hasLineBreak(value))
        return {IniWriteStatus::InvalidValue, {}};

    const QString written = quotedForWriting(value);
    const std::optional<qsizetype> header = findSection(sectionName);
    if (!header) {
        insertLine(qsizetype(m_lines.size()), QLatin1Char('[') + sectionName + QLatin1Char(']'));
        insertLine(qsizetype(m_lines.size()), keyName + QLatin1Char('=') + written);
        return {};
    }
    if (const std::optional<qsizetype> entry = findEntry(*header, keyName)) {
        Line& line = m_lines[*entry];
        const Parsed parsed = parse(line.text);
        line = makeLine(line.text.left(parsed.equalsAt + 1) + written, line.ending);
        return {};
    }
    qsizetype insertAfter = *header;
    const qsizetype end = sectionEnd(*header);
    for (qsizetype i = *header + 1; i < end; ++i) {
        if (parse(m_lines[i].text).kind == LineKind::Entry)
            insertAfter = i;
    }
    insertLine(insertAfter + 1, keyName + QLatin1Char('=') + written);
    return {};
}

QByteArray IniFile::toBytes() const
{
    QByteArray bytes = m_bom;
    for (const Line& line : m_lines) {
        bytes += line.raw;
        bytes += encode(m_encoding, line.ending);
    }
    return bytes;
}

IniWriteResult IniFile::save(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {IniWriteStatus::CannotWrite, file.errorString()};
    const QByteArray bytes = toBytes();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {IniWriteStatus::CannotWrite, reason};
    }
    if (!file.commit())
        return {IniWriteStatus::CannotWrite, file.errorString()};
    return {};
}

QString readProfileString(const QString& path, const QString& section, const QString& key,
                          const QString& defaultValue)
{
    return IniFile::load(path).file.value(section, key, defaultValue);
}

IniWriteResult writeProfileString(const QString& path, const QString& section, const QString& key,
                                  const QString& value)
{
    IniFile::Loaded loaded = IniFile::load(path);
    if (loaded.status == IniLoadStatus::Unreadable)
        return {IniWriteStatus::CannotWrite, QStringLiteral("the existing file cannot be read")};
    const IniWriteResult set = loaded.file.setValue(section, key, value);
    if (!set.ok())
        return set;
    return loaded.file.save(path);
}

}  // namespace hesk::online
