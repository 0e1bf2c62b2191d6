#pragma once
// The zip container of an .xlsx workbook, opened from bytes in memory through libzip.
// Parts are read by name and inflated with a size bound, whatever sizes the archive's
// directory claims, so a damaged or hostile archive costs at most the bound.
//
// Contract: one object per thread; the bytes are copied (implicitly shared) and live as
// long as the package.

#include <QByteArray>
#include <QString>

#include <memory>

namespace hesk::creation {

enum class PartReadStatus { Ok, Missing, Damaged, TooLarge };

struct PartRead {
    PartReadStatus status = PartReadStatus::Missing;
    QByteArray bytes;
    QString detail;  // English reason when not Ok
};

class XlsxPackage {
public:
    ~XlsxPackage();
    XlsxPackage(const XlsxPackage&) = delete;
    XlsxPackage& operator=(const XlsxPackage&) = delete;

    // Nothing when the bytes are no zip archive libzip can open; detail says why.
    static std::unique_ptr<XlsxPackage> open(const QByteArray& bytes, QString* detail);

    // Part names are zip entry names ("xl/workbook.xml"); an exact match wins, else
    // the name is looked up without case (some writers vary the case of part names).
    bool contains(const QString& partName) const;
    PartRead read(const QString& partName, qint64 maxBytes) const;

private:
    struct Archive;
    explicit XlsxPackage(std::unique_ptr<Archive> archive);
    long long locate(const QString& partName) const;

    std::unique_ptr<Archive> archive_;
};

}  // namespace hesk::creation
