// Feeds arbitrary bytes to both parameter-file readers: the accepted-row reader with its
// row split and the header reader, and the strict compare reader with the merge. Checks
// what every caller relies on: accepted rows are at least 12 characters and hold "|",
// a row key is at most 8 characters, a read that succeeds is strictly ascending, a
// failed read carries its row number and no rows.

#include "files/DnlCompare.h"
#include "files/DnlFormat.h"

#include <cstdint>
#include <cstdlib>
#include <tuple>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    for (const QString& line : hesk::files::acceptedDnlRows(bytes)) {
        check(line.size() >= hesk::files::kDnlLabelLength && line.contains(QLatin1Char('|')));
        const hesk::files::DnlRow row = hesk::files::splitDnlRow(line);
        check(row.rowKey.size() <= hesk::files::kDnlRowKeyLength);
        check(!row.value.contains(QLatin1Char('|')));
    }
    const hesk::files::DnlHeader header = hesk::files::parseDnlHeader(bytes);
    check(header.style == header.style.trimmed() && header.version == header.version.trimmed());

    const hesk::files::CompareRead read = hesk::files::parseCompareRows(bytes);
    if (read.ok()) {
        check(!read.entries.empty());
        for (std::size_t i = 1; i < read.entries.size(); ++i)
            check(std::tie(read.entries[i - 1].mainNumber, read.entries[i - 1].auxNumber)
                  < std::tie(read.entries[i].mainNumber, read.entries[i].auxNumber));
        const auto rows = hesk::files::mergeCompareEntries(read.entries, read.entries);
        check(rows.size() == read.entries.size());
    } else {
        check(read.entries.empty());
        const bool order = read.status == hesk::files::CompareReadStatus::MainOrder
                           || read.status == hesk::files::CompareReadStatus::AuxOrder;
        check(order == (read.rowNumber >= 2));
    }
    return 0;
}
