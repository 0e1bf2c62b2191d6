#include "XlsxSheetWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <map>

#include <xlsxwriter.h>

namespace hesk::samples {

namespace {

// 2023-06-01 00:00:00 UTC.
constexpr time_t kCreationTime = 1685577600;

class Workbook {
public:
    explicit Workbook(const QByteArray& path) : path_(path) { book_ = workbook_new(path_.constData()); }
    ~Workbook()
    {
        if (book_)
            workbook_close(book_);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    lxw_workbook* get() { return book_; }
    lxw_error close()
    {
        const lxw_error result = workbook_close(book_);
        book_ = nullptr;
        return result;
    }

private:
    QByteArray path_;
    lxw_workbook* book_ = nullptr;
};

}  // namespace

bool isPlainNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
    // Leading zeros ("007") would be lost in a number cell; such texts stay texts.
    if (text.size() > 1 && text.startsWith(QLatin1Char('0')) && text[1] != QLatin1Char('.'))
        return false;
    return number.match(text).hasMatch();
}

std::optional<QString> writeSheetWorkbook(const QString& path, const SheetContent& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString temporary = path + QStringLiteral(".part");
    const QByteArray encoded = QFile::encodeName(temporary);
    {
        Workbook book(encoded);
        if (!book.get())
            return QStringLiteral("%1: cannot create the workbook").arg(temporary);
        lxw_doc_properties properties{};
        properties.created = kCreationTime;
        workbook_set_properties(book.get(), &properties);

        lxw_worksheet* sheet = workbook_add_worksheet(book.get(), content.sheetName.toUtf8().constData());
        lxw_format* bold = workbook_add_format(book.get());
        format_set_bold(bold);
        std::map<int, lxw_format*> decimalFormats;
        auto numberFormat = [&](int decimals) {
            auto& format = decimalFormats[decimals];
            if (!format) {
                format = workbook_add_format(book.get());
                const QByteArray pattern = decimals == 0 ? QByteArray("0") : "0." + QByteArray(decimals, '0');
                format_set_num_format(format, pattern.constData());
            }
            return format;
        };

        lxw_error status = LXW_NO_ERROR;
        for (int c = 0; c < content.header.size() && status == LXW_NO_ERROR; ++c)
            status = worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c), content.header[c].toUtf8().constData(), bold);
        for (std::size_t r = 0; r < content.rows.size() && status == LXW_NO_ERROR; ++r) {
            const QStringList& row = content.rows[r];
            const auto rowIndex = static_cast<lxw_row_t>(r + 1);
            for (int c = 0; c < row.size() && status == LXW_NO_ERROR; ++c) {
                const QString& text = row[c];
                const auto col = static_cast<lxw_col_t>(c);
                if (text.isEmpty())
                    continue;
                if (isPlainNumber(text)) {
                    const qsizetype dot = text.indexOf(QLatin1Char('.'));
                    const int decimals = dot < 0 ? 0 : static_cast<int>(text.size() - dot - 1);
                    status = worksheet_write_number(sheet, rowIndex, col, text.toDouble(), numberFormat(decimals));
                } else {
                    status = worksheet_write_string(sheet, rowIndex, col, text.toUtf8().constData(), nullptr);
                }
            }
        }
        const lxw_error closed = book.close();
        if (status == LXW_NO_ERROR)
            status = closed;
        if (status != LXW_NO_ERROR) {
            QFile::remove(temporary);
            return QStringLiteral("%1: %2").arg(path, QString::fromUtf8(lxw_strerror(status)));
        }
    }
    QFile::remove(path);
    if (!QFile::rename(temporary, path)) {
        QFile::remove(temporary);
        return QStringLiteral("%1: cannot move the workbook into place").arg(path);
    }
    return std::nullopt;
}

}  // namespace hesk::samples
