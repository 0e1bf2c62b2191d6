#pragma once
// The CSV form the exports share: every field written as ="text" so that spreadsheet
// programs keep numbers as they are, "," turned into the full-width "，" and line breaks
// into blanks (the field form has no room for either), a quotation mark doubled; lines
// end with CR LF; the text is encoded in the GB code page (GBK, or GB18030 for what GBK
// lacks) as the spreadsheet programs of the region read it.
//
// Contract: pure functions; any thread.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace hesk::files {

QString csvLine(const QStringList& fields);
QByteArray gbCodePageBytes(const QString& text);

}  // namespace hesk::files
