#pragma once
// Hand-made .xlsx packages for the reader's edge cases: every part is given as text, so
// a test can leave parts out, break their XML or write what no spreadsheet program
// writes (prefixed elements, cells without references, references beyond the grid).
// The zip container itself is made by libzip.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <zip.h>

#include <map>

namespace hesk::testsupport::rawxlsx {

using Parts = std::map<QString, QByteArray>;

// Zips the parts into a file in dir and returns its bytes (empty on failure).
inline QByteArray zipParts(const QTemporaryDir& dir, const Parts& parts)
{
    const QString path = dir.filePath("raw.xlsx");
    QFile::remove(path);
    int error = 0;
    zip_t* archive = zip_open(path.toLocal8Bit().constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return {};
    for (const auto& [name, bytes] : parts) {
        zip_source_t* source = zip_source_buffer(archive, bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0);
        if (!source || zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return {};
        }
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        return {};
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whether the zip file at path holds an entry of that name.
inline bool zipHasEntry(const QString& path, const char* name)
{
    int error = 0;
    zip_t* archive = zip_open(path.toLocal8Bit().constData(), ZIP_RDONLY, &error);
    if (!archive)
        return false;
    const bool found = zip_name_locate(archive, name, 0) >= 0;
    zip_discard(archive);
    return found;
}

inline QByteArray workbookXml(const QString& sheetName = "PARAM", const QString& prefix = "")
{
    const QString p = prefix.isEmpty() ? QString() : prefix + ":";
    const QString ns = prefix.isEmpty() ? "xmlns" : "xmlns:" + prefix;
    return QStringLiteral(
               R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<%1workbook %2="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<%1sheets><%1sheet name="Other" sheetId="1" r:id="rId1"/><%1sheet name="%3" sheetId="2" r:id="rId2"/></%1sheets></%1workbook>)")
        .arg(p, ns, sheetName)
        .toUtf8();
}

inline QByteArray workbookRelsXml(bool withSharedStrings = true)
{
    QByteArray xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/other.xml"/>
<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/../worksheets/param.xml"/>)";
    if (withSharedStrings)
        xml += R"(<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="strings.xml"/>)";
    return xml + "</Relationships>";
}

// Shared strings: 0 "名称", 1 "值", 2 rich text "ab"+"cd" with a phonetic run left out.
inline QByteArray sharedStringsXml()
{
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="3" uniqueCount="3">
<si><t>名称</t></si><si><t xml:space="preserve"> 值 </t></si>
<si><r><rPr><b/></rPr><t>ab</t></r><r><t>cd</t></r><rPh sb="0" eb="1"><t>PHONETIC</t></rPh></si></sst>)";
}

inline QByteArray sheetXml(const QByteArray& sheetData, const QString& prefix = "")
{
    const QByteArray p = prefix.isEmpty() ? QByteArray() : prefix.toUtf8() + ":";
    const QByteArray ns = prefix.isEmpty() ? "xmlns" : "xmlns:" + prefix.toUtf8();
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<" + p + "worksheet " + ns
        + "=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><" + p
        + "dimension ref=\"A1:XFD1048576\"/><" + p + "sheetData>" + sheetData + "</" + p + "sheetData></" + p
        + "worksheet>";
}

// A package whose sheet "PARAM" holds sheetData (strings.xml as above).
inline Parts packageWithSheet(const QByteArray& sheetData)
{
    return {
        {"xl/workbook.xml", workbookXml()},
        {"xl/_rels/workbook.xml.rels", workbookRelsXml()},
        {"xl/strings.xml", sharedStringsXml()},
        {"xl/worksheets/other.xml", sheetXml("")},
        {"xl/worksheets/param.xml", sheetXml(sheetData)},
    };
}

}  // namespace hesk::testsupport::rawxlsx
