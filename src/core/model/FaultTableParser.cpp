#include "FaultTableParser.h"

#include <QStringDecoder>
#include <QStringList>

#include <array>

namespace hesk::model {

namespace {

constexpr int kColumnCount = 6;
const QString kHeader = QStringLiteral("word\tbit\tcode\tname\tdescription\tremedy");
const QString kWordPrefix = QStringLiteral("r0943.");

// Undoes the cell escapes; nothing for an unknown escape or a trailing backslash.
std::optional<QString> unescapeCell(QStringView cell)
{
    QString text;
    text.reserve(cell.size());
    for (qsizetype i = 0; i < cell.size(); ++i) {
        const QChar c = cell[i];
        if (c != u'\\') {
            text.append(c);
            continue;
        }
        if (++i >= cell.size())
            return std::nullopt;
        switch (cell[i].unicode()) {
        case u'n': text.append(u'\n'); break;
        case u't': text.append(u'\t'); break;
        case u'\\': text.append(u'\\'); break;
        default: return std::nullopt;
        }
    }
    return text;
}

std::optional<int32_t> parseBit(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok || value < 0 || value > 15 || text != QString::number(value))
        return std::nullopt;
    return value;
}

// Applies one line's cells to the template; the template changes only when the whole
// line is sound, so a malformed line leaves no trace in the entries that follow it.
std::optional<QString> applyLine(const QStringList& rawCells, FaultAlarm& entryTemplate)
{
    if (rawCells.size() != kColumnCount)
        return QStringLiteral("expected %1 tab-separated cells, found %2")
            .arg(kColumnCount)
            .arg(rawCells.size());

    std::array<QString, kColumnCount> cells;
    for (int i = 0; i < kColumnCount; ++i) {
        const std::optional<QString> cell = unescapeCell(rawCells[i]);
        if (!cell)
            return QStringLiteral("cell %1 has an unknown escape: %2").arg(i + 1).arg(rawCells[i]);
        cells[i] = *cell;
    }

    FaultAlarm entry = entryTemplate;
    if (!cells[0].isEmpty())
        entry.word = cells[0];
    if (!cells[1].isEmpty()) {
        const std::optional<int32_t> bit = parseBit(cells[1]);
        if (!bit)
            return QStringLiteral("bit must be 0 to 15: %1").arg(cells[1]);
        entry.bit = *bit;
    }
    if (!cells[2].isEmpty())
        entry.code = cells[2];
    if (!cells[3].isEmpty())
        entry.name = cells[3];
    if (!cells[4].isEmpty())
        entry.description = cells[4];
    if (!cells[5].isEmpty())
        entry.remedy = cells[5];

    if (!faultWordIndex(entry.word))
        return QStringLiteral("word must be r0943.0 to r0943.15: %1").arg(entry.word);
    if (!entry.code.isEmpty() && !isFaultAlarmCode(entry.code))
        return QStringLiteral("code must be F or A and three digits: %1").arg(entry.code);
    if (entry.name.isEmpty() || entry.description.isEmpty() || entry.remedy.isEmpty())
        return QStringLiteral("name, description and remedy must not be empty");

    entryTemplate = entry;
    return std::nullopt;
}

}  // namespace

std::optional<int> faultWordIndex(QStringView wordKeyText)
{
    if (!wordKeyText.startsWith(kWordPrefix))
        return std::nullopt;
    const QStringView digits = wordKeyText.mid(kWordPrefix.size());
    bool ok = false;
    const int index = digits.toInt(&ok, 10);
    if (!ok || index < 0 || index > 15 || digits != QString::number(index))
        return std::nullopt;
    return index;
}

bool isFaultAlarmCode(QStringView code)
{
    if (code.size() != 4 || (code[0] != u'F' && code[0] != u'A'))
        return false;
    for (qsizetype i = 1; i < 4; ++i) {
        if (code[i] < u'0' || code[i] > u'9')
            return false;
    }
    return true;
}

FaultTableParseResult parseFaultTable(const QByteArray& utf8Bytes)
{
    FaultTableParseResult result;

    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(utf8Bytes);
    if (decoder.hasError())
        result.issues.push_back({0, QStringLiteral("the file is not valid UTF-8")});

    // A byte-order mark is dropped by the decoder; line ends may be LF or CR LF.
    const QStringList lines = text.split(u'\n');
    if (lines.isEmpty() || QStringView(lines[0]).trimmed() != kHeader) {
        result.issues.push_back({1, QStringLiteral("the first line must be the header: %1").arg(kHeader)});
        return result;
    }

    FaultAlarm entryTemplate;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QStringView line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        // A line of tabs is a real entry (it repeats the template); only lines without
        // any cell are blank.
        const bool blank = line.trimmed().isEmpty() && !line.contains(u'\t');
        if (blank || line.startsWith(u'#'))
            continue;
        const QStringList cells = line.toString().split(u'\t');
        if (const std::optional<QString> problem = applyLine(cells, entryTemplate)) {
            result.issues.push_back({static_cast<int>(i + 1), *problem});
            continue;
        }
        result.entries.push_back(entryTemplate);
    }
    return result;
}

}  // namespace hesk::model
