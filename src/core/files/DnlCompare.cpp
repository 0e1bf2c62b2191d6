#include "DnlCompare.h"

#include "DnlFormat.h"

#include "model/HeskProject.h"
#include "model/RegularFile.h"
#include "pages/ValueComparison.h"

#include <QCoreApplication>

#include <tuple>

namespace hesk::files {

namespace {

// The decimal number at the start of a text (blanks and a sign allowed), 0 without digits.
int leadingInt(QStringView text)
{
    text = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int64_t value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i)
        value = std::min<int64_t>(value * 10 + (text[i].unicode() - '0'), 1'000'000'000);
    return static_cast<int>(negative ? -value : value);
}

bool keyLess(const CompareEntry& a, const CompareEntry& b)
{
    return std::tie(a.mainNumber, a.auxNumber) < std::tie(b.mainNumber, b.auxNumber);
}

std::optional<CompareEntry> splitCompareLine(QStringView line)
{
    const qsizetype first = line.indexOf(QLatin1Char('|'));
    if (first <= 0)
        return std::nullopt;
    const qsizetype second = line.indexOf(QLatin1Char('|'), first + 1);
    if (second < 0)
        return std::nullopt;
    const qsizetype third = line.indexOf(QLatin1Char('|'), second + 1);
    if (third < 0)
        return std::nullopt;
    CompareEntry entry;
    entry.main = line.left(first).toString();
    entry.aux = line.mid(first + 1, second - first - 1).toString();
    QStringView value = line.mid(third + 1);
    while (!value.isEmpty() && value.front().isSpace())
        value = value.mid(1);
    // The line end (CR) and blanks behind the value are no part of it.
    while (!value.isEmpty() && value.back().isSpace())
        value.chop(1);
    entry.value = value.toString();
    entry.mainNumber = leadingInt(entry.main);
    entry.auxNumber = leadingInt(entry.aux);
    return entry;
}

}  // namespace

CompareRead parseCompareRows(const QByteArray& bytes)
{
    CompareRead read;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        const QString line = QString::fromLatin1(bytes.constData() + start, end - start);
        start = end + 1;
        std::optional<CompareEntry> entry = splitCompareLine(QStringView(line).trimmed());
        if (!entry)
            continue;
        if (!read.entries.empty()) {
            const CompareEntry& last = read.entries.back();
            if (entry->mainNumber < last.mainNumber) {
                read.status = CompareReadStatus::MainOrder;
                read.rowNumber = static_cast<int>(read.entries.size()) + 1;
                read.entries.clear();
                return read;
            }
            if (entry->mainNumber == last.mainNumber && entry->auxNumber <= last.auxNumber) {
                read.status = CompareReadStatus::AuxOrder;
                read.rowNumber = static_cast<int>(read.entries.size()) + 1;
                read.entries.clear();
                return read;
            }
        }
        read.entries.push_back(std::move(*entry));
    }
    read.status = read.entries.empty() ? CompareReadStatus::NoData : CompareReadStatus::Read;
    return read;
}

CompareRead readCompareFile(const QString& path)
{
    const model::FileRead file = model::readRegularFile(path, kMaxDnlFileBytes);
    if (!file.ok()) {
        CompareRead read;
        read.status = CompareReadStatus::CannotOpen;
        return read;
    }
    return parseCompareRows(file.bytes);
}

std::optional<model::UserMessage> compareReadMessage(const CompareRead& read, const QString& path)
{
    const QString title = QCoreApplication::translate("DnlCompare", "错误");
    switch (read.status) {
    case CompareReadStatus::Read:
        return std::nullopt;
    case CompareReadStatus::CannotOpen:
    case CompareReadStatus::NoData:
        return model::UserMessage{model::MessageKind::Error, title,
                                  QCoreApplication::translate("DnlCompare", "文件 %1 中没有有效数据！").arg(path)};
    case CompareReadStatus::MainOrder:
        return model::UserMessage{
            model::MessageKind::Error, title,
            QCoreApplication::translate("DnlCompare", "文件中第 %1 行参数的主参顺序不对，打开失败！")
                .arg(read.rowNumber)};
    case CompareReadStatus::AuxOrder:
        return model::UserMessage{
            model::MessageKind::Error, title,
            QCoreApplication::translate("DnlCompare", "文件第 %1 行参数的辅参顺序不对或参数重复，打开失败！")
                .arg(read.rowNumber)};
    }
    return std::nullopt;
}

std::vector<CompareEntry> factoryCompareEntries(const model::OpenedProject& project)
{
    std::vector<CompareEntry> entries;
    if (!project.isOpen())
        return entries;
    entries.reserve(project.project().elements.size());
    for (const model::HeskParameterElement& e : project.project().elements) {
        if (e.referenceKey.size() != kDnlLabelLength)
            continue;
        const QString line = e.referenceKey + dnlFileValue(e, e.factoryValue);
        if (std::optional<CompareEntry> entry = splitCompareLine(line))
            entries.push_back(std::move(*entry));
    }
    // Project order is by number and sub-index already; labels decide here.
    std::stable_sort(entries.begin(), entries.end(), keyLess);
    return entries;
}

std::vector<CompareRow> mergeCompareEntries(const std::vector<CompareEntry>& base,
                                            const std::vector<CompareEntry>& compare)
{
    std::vector<CompareRow> rows;
    rows.reserve(std::max(base.size(), compare.size()));
    std::size_t i = 0, j = 0;
    while (i < base.size() || j < compare.size()) {
        CompareRow row;
        if (j >= compare.size() || (i < base.size() && keyLess(base[i], compare[j]))) {
            row.main = base[i].main;
            row.aux = base[i].aux;
            row.base = base[i].value;
            row.inBase = true;
            ++i;
        } else if (i >= base.size() || keyLess(compare[j], base[i])) {
            row.main = compare[j].main;
            row.aux = compare[j].aux;
            row.compare = compare[j].value;
            row.inCompare = true;
            ++j;
        } else {
            row.main = base[i].main;
            row.aux = base[i].aux;
            row.base = base[i].value;
            row.compare = compare[j].value;
            row.inBase = row.inCompare = true;
            ++i;
            ++j;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

void annotateCompareRows(std::vector<CompareRow>& rows, const model::OpenedProject* project,
                         bool approximateComparison)
{
    const model::HeskProject* p = project && project->isOpen() ? &project->project() : nullptr;
    for (CompareRow& row : rows) {
        const model::HeskParameterElement* element = nullptr;
        if (p) {
            DnlRow key;
            key.number = static_cast<uint16_t>(leadingInt(row.main));
            key.subIndex = static_cast<uint16_t>(leadingInt(row.aux));
            if (const std::optional<std::size_t> index = resolveDnlRow(*p, key))
                element = &p->elements[*index];
        }
        if (element) {
            row.name = element->name;
            row.comment = element->comment;
        }
        if (!row.inBase || !row.inCompare)
            row.equal = false;
        else if (element)
            row.equal = pages::valuesEqual(*element, row.base, row.compare, approximateComparison);
        else
            row.equal = row.base == row.compare;
    }
}

bool passesFilter(const CompareRow& row, CompareFilter filter)
{
    switch (filter) {
    case CompareFilter::All: return true;
    case CompareFilter::Equal: return row.equal;
    case CompareFilter::Different: return !row.equal;
    }
    return true;
}

}  // namespace hesk::files
