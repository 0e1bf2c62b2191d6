// Feeds arbitrary bytes to the workbook reader as the bytes of an .xlsx file: the zip
// container (every part read by name with a size bound, whatever the archive's directory
// claims) and then a whole sheet read through the workbook, its relationships, the shared
// strings and the worksheet. Besides the sanitizers it checks that no part comes back
// larger than its bound and that a table read holds one text per column name per row.

#include "creation/XlsxPackage.h"
#include "creation/XlsxReader.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

namespace {

using namespace hesk::creation;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

constexpr qint64 kPartBound = 256 * 1024;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    QString detail;
    if (const std::unique_ptr<XlsxPackage> package = XlsxPackage::open(bytes, &detail)) {
        const QStringList parts = {QStringLiteral("xl/workbook.xml"), QStringLiteral("xl/_rels/workbook.xml.rels"),
                                   QStringLiteral("XL/SharedStrings.XML"), QStringLiteral("xl/worksheets/sheet1.xml"),
                                   QStringLiteral("[Content_Types].xml")};
        for (const QString& name : parts) {
            const PartRead read = package->read(name, kPartBound);
            check(read.bytes.size() <= kPartBound);
            check(package->contains(name) == (read.status != PartReadStatus::Missing));
            if (read.status != PartReadStatus::Ok)
                check(read.bytes.isEmpty() && !read.detail.isEmpty());
        }
    } else {
        check(!detail.isEmpty());
    }

    XlsxLimits limits;
    limits.maxFileBytes = 1024 * 1024;
    limits.maxPartBytes = kPartBound;
    limits.lastRow = 500;
    limits.lastColumn = 40;
    for (const QString& sheet : {QStringLiteral("Sheet1"), QStringLiteral("PARAM")}) {
        const XlsxReadResult result = readXlsxSheet(bytes, sheet, limits);
        if (!result.ok()) {
            check(!result.detail.isEmpty());
            continue;
        }
        for (const XlsxRow& row : result.table.rows) {
            check(row.cells.size() == result.table.columnNames.size());
            check(row.sheetRow >= 2 && row.sheetRow <= limits.lastRow);
        }
    }
    return 0;
}
