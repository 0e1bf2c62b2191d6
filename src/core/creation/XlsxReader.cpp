#include "XlsxReader.h"

#include "XlsxPackage.h"
#include "XlsxParts.h"

#include <QFile>
#include <QFileInfo>

namespace hesk::creation {

namespace {

const QString kDefaultWorkbookPart = QStringLiteral("xl/workbook.xml");

XlsxReadResult failure(XlsxStatus status, const QString& detail)
{
    XlsxReadResult result;
    result.status = status;
    result.detail = detail;
    return result;
}

XlsxReadResult partFailure(const PartRead& part)
{
    return failure(part.status == PartReadStatus::TooLarge ? XlsxStatus::TooLarge : XlsxStatus::Damaged, part.detail);
}

QString folderOf(const QString& partName)
{
    const qsizetype slash = partName.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : partName.left(slash);
}

QString relationshipsPartOf(const QString& partName)
{
    const QString folder = folderOf(partName);
    const QString file = partName.mid(folder.isEmpty() ? 0 : folder.size() + 1);
    return (folder.isEmpty() ? QString() : folder + QLatin1Char('/')) + QStringLiteral("_rels/") + file
        + QStringLiteral(".rels");
}

bool typeEndsWith(const xlsx::Relationship& relationship, const char* tail)
{
    return relationship.type.endsWith(QLatin1String(tail));
}

// The workbook part as the package relationships name it; xl/workbook.xml when they
// do not (or cannot be read: the workbook part itself then decides).
QString workbookPartName(const XlsxPackage& package, const XlsxLimits& limits)
{
    const PartRead rels = package.read(QStringLiteral("_rels/.rels"), limits.maxPartBytes);
    if (rels.status == PartReadStatus::Ok) {
        if (const auto relationships = xlsx::parseRelationships(rels.bytes, nullptr)) {
            for (const xlsx::Relationship& relationship : *relationships) {
                if (!typeEndsWith(relationship, "/officeDocument"))
                    continue;
                const auto part = xlsx::resolveTarget(QString(), relationship.target);
                if (part && package.contains(*part))
                    return *part;
            }
        }
    }
    return kDefaultWorkbookPart;
}

const xlsx::SheetEntry* findSheet(const std::vector<xlsx::SheetEntry>& sheets, const QString& name)
{
    for (const xlsx::SheetEntry& sheet : sheets)
        if (sheet.name == name)
            return &sheet;
    for (const xlsx::SheetEntry& sheet : sheets)
        if (sheet.name.compare(name, Qt::CaseInsensitive) == 0)
            return &sheet;
    return nullptr;
}

}  // namespace

QStringList XlsxTable::missingColumns(const QStringList& names) const
{
    QStringList missing;
    for (const QString& name : names)
        if (!columnNames.contains(name))
            missing.append(name);
    return missing;
}

XlsxReadResult readXlsxSheet(const QString& path, const QString& sheetName, const XlsxLimits& limits)
{
    const QFileInfo info(path);
    if (!info.exists())
        return failure(XlsxStatus::FileMissing, QStringLiteral("%1 does not exist").arg(path));
    if (!info.isFile())
        return failure(XlsxStatus::FileUnreadable, QStringLiteral("%1 is not a file").arg(path));
    if (info.size() > limits.maxFileBytes)
        return failure(XlsxStatus::TooLarge,
                       QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(limits.maxFileBytes));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(XlsxStatus::FileUnreadable, QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.read(limits.maxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return failure(XlsxStatus::FileUnreadable, QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return readXlsxSheet(bytes, sheetName, limits);
}

XlsxReadResult readXlsxSheet(const QByteArray& fileBytes, const QString& sheetName, const XlsxLimits& limits)
{
    if (fileBytes.size() > limits.maxFileBytes)
        return failure(XlsxStatus::TooLarge, QStringLiteral("the file is larger than %1 bytes").arg(limits.maxFileBytes));

    QString detail;
    const std::unique_ptr<XlsxPackage> package = XlsxPackage::open(fileBytes, &detail);
    if (!package) {
        // Bytes that begin like a zip archive are a damaged workbook; anything else is a
        // format this reader does not handle (an old binary workbook, a text file, ...).
        const bool looksLikeZip = fileBytes.startsWith(QByteArrayLiteral("PK\x03\x04"))
            || fileBytes.startsWith(QByteArrayLiteral("PK\x05\x06"));
        return failure(looksLikeZip ? XlsxStatus::Damaged : XlsxStatus::UnsupportedFormat, detail);
    }

    const QString workbookPart = workbookPartName(*package, limits);
    const PartRead workbook = package->read(workbookPart, limits.maxPartBytes);
    if (workbook.status == PartReadStatus::Missing)
        return failure(XlsxStatus::UnsupportedFormat, QStringLiteral("a zip archive without a workbook part"));
    if (workbook.status != PartReadStatus::Ok)
        return partFailure(workbook);
    const auto sheets = xlsx::parseWorkbookSheets(workbook.bytes, &detail);
    if (!sheets)
        return failure(XlsxStatus::Damaged, QStringLiteral("%1: %2").arg(workbookPart, detail));

    const xlsx::SheetEntry* sheet = findSheet(*sheets, sheetName);
    if (!sheet) {
        QStringList names;
        for (const xlsx::SheetEntry& entry : *sheets)
            names << entry.name;
        return failure(XlsxStatus::SheetMissing, QStringLiteral("no sheet \"%1\" (sheets: %2)")
                                                     .arg(sheetName, names.join(QLatin1String(", "))));
    }

    const QString relsPart = relationshipsPartOf(workbookPart);
    const PartRead rels = package->read(relsPart, limits.maxPartBytes);
    if (rels.status != PartReadStatus::Ok)
        return partFailure(rels);
    const auto relationships = xlsx::parseRelationships(rels.bytes, &detail);
    if (!relationships)
        return failure(XlsxStatus::Damaged, QStringLiteral("%1: %2").arg(relsPart, detail));

    const QString workbookFolder = folderOf(workbookPart);
    std::optional<QString> sheetPart;
    std::optional<QString> sharedStringsPart;
    for (const xlsx::Relationship& relationship : *relationships) {
        if (relationship.id == sheet->relationshipId)
            sheetPart = xlsx::resolveTarget(workbookFolder, relationship.target);
        if (typeEndsWith(relationship, "/sharedStrings") && !sharedStringsPart)
            sharedStringsPart = xlsx::resolveTarget(workbookFolder, relationship.target);
    }
    if (!sheetPart)
        return failure(XlsxStatus::Damaged, QStringLiteral("sheet \"%1\" has no valid relationship \"%2\"")
                                                .arg(sheet->name, sheet->relationshipId));
    if (!sharedStringsPart) {
        const QString conventional = workbookFolder + QStringLiteral("/sharedStrings.xml");
        if (package->contains(conventional))
            sharedStringsPart = conventional;
    }

    QStringList sharedStrings;
    if (sharedStringsPart) {
        const PartRead strings = package->read(*sharedStringsPart, limits.maxPartBytes);
        if (strings.status != PartReadStatus::Ok)
            return partFailure(strings);
        auto parsed = xlsx::parseSharedStrings(strings.bytes, &detail);
        if (!parsed)
            return failure(XlsxStatus::Damaged, QStringLiteral("%1: %2").arg(*sharedStringsPart, detail));
        sharedStrings = std::move(*parsed);
    }

    const PartRead worksheet = package->read(*sheetPart, limits.maxPartBytes);
    if (worksheet.status != PartReadStatus::Ok)
        return partFailure(worksheet);
    return xlsx::parseWorksheet(worksheet.bytes, sharedStrings, limits);
}

}  // namespace hesk::creation
