#pragma once
// Writes small .xlsx workbooks at test time with libxlsxwriter, which stores texts as
// shared strings the way spreadsheet programs do (inline strings in its constant-memory
// mode). Header-only: only the test programs that include it link libxlsxwriter.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <xlsxwriter.h>

#include <vector>

namespace hesk::testsupport {

struct XCell {
    enum class Kind { Blank, Text, Number, Boolean, RichText };
    Kind kind = Kind::Blank;
    QString text;
    double number = 0;
    QStringList runs;  // rich text: the runs, every second one bold

    static XCell blank() { return {}; }
    static XCell str(const QString& s) { return {Kind::Text, s, 0, {}}; }
    static XCell num(double v) { return {Kind::Number, {}, v, {}}; }
    static XCell boolean(bool v) { return {Kind::Boolean, {}, v ? 1.0 : 0.0, {}}; }
    static XCell rich(const QStringList& runs) { return {Kind::RichText, {}, 0, runs}; }
};

using XRow = std::vector<XCell>;

struct XSheet {
    QString name;
    std::vector<XRow> rows;  // row 0 is the sheet's row 1; a cell's index is its column
};

// Writes the sheets; false when libxlsxwriter reports an error.
inline bool writeWorkbook(const QString& path, const std::vector<XSheet>& sheets, bool inlineStrings = false)
{
    const QByteArray file = path.toLocal8Bit();
    lxw_workbook_options options{};
    options.constant_memory = inlineStrings ? LXW_TRUE : LXW_FALSE;
    lxw_workbook* workbook = workbook_new_opt(file.constData(), &options);
    if (!workbook)
        return false;
    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);
    for (const XSheet& sheet : sheets) {
        const QByteArray name = sheet.name.toUtf8();
        lxw_worksheet* worksheet = workbook_add_worksheet(workbook, name.constData());
        if (!worksheet) {
            workbook_close(workbook);
            return false;
        }
        for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
            for (std::size_t c = 0; c < sheet.rows[r].size(); ++c) {
                const XCell& cell = sheet.rows[r][c];
                const auto row = static_cast<lxw_row_t>(r);
                const auto col = static_cast<lxw_col_t>(c);
                switch (cell.kind) {
                case XCell::Kind::Blank: break;
                case XCell::Kind::Text: {
                    const QByteArray text = cell.text.toUtf8();
                    worksheet_write_string(worksheet, row, col, text.constData(), nullptr);
                    break;
                }
                case XCell::Kind::Number: worksheet_write_number(worksheet, row, col, cell.number, nullptr); break;
                case XCell::Kind::Boolean: worksheet_write_boolean(worksheet, row, col, cell.number != 0, nullptr); break;
                case XCell::Kind::RichText: {
                    std::vector<QByteArray> texts;
                    std::vector<lxw_rich_string_tuple> tuples;
                    texts.reserve(static_cast<std::size_t>(cell.runs.size()));
                    for (const QString& run : cell.runs)
                        texts.push_back(run.toUtf8());
                    for (std::size_t i = 0; i < texts.size(); ++i)
                        tuples.push_back({i % 2 ? bold : nullptr, texts[i].data()});
                    std::vector<lxw_rich_string_tuple*> pointers;
                    for (lxw_rich_string_tuple& tuple : tuples)
                        pointers.push_back(&tuple);
                    pointers.push_back(nullptr);
                    worksheet_write_rich_string(worksheet, row, col, pointers.data(), nullptr);
                    break;
                }
                }
            }
        }
    }
    return workbook_close(workbook) == LXW_NO_ERROR;
}

inline XRow textRow(const QStringList& texts)
{
    XRow row;
    for (const QString& text : texts)
        row.push_back(text.isEmpty() ? XCell::blank() : XCell::str(text));
    return row;
}

}  // namespace hesk::testsupport
