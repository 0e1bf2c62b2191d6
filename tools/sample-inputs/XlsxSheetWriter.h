#pragma once
// Writes a workbook with one sheet of text rows through libxlsxwriter, the way a person
// would have typed it into a spreadsheet: texts that are plain decimal numbers become
// number cells (shown with as many decimals as the text has), everything else becomes a
// shared string, empty texts stay empty cells. The workbook's creation time is fixed, so
// equal rows give byte-identical files. The file is written next to its destination and
// renamed into place.

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace hesk::samples {

struct SheetContent {
    QString sheetName;
    QStringList header;
    std::vector<QStringList> rows;
};

// True for "12", "-3.50", "0.125": a text a spreadsheet stores as a number.
bool isPlainNumber(const QString& text);

std::optional<QString> writeSheetWorkbook(const QString& path, const SheetContent& content);

}  // namespace hesk::samples
