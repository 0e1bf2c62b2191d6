#include "CsvText.h"

#include <QStringEncoder>

namespace hesk::files {

namespace {

QString field(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char(','), QStringLiteral("，"));
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QStringLiteral("=\"") + text + QLatin1Char('"');
}

}  // namespace

QString csvLine(const QStringList& fields)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString& f : fields)
        out << field(f);
    return out.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QByteArray gbCodePageBytes(const QString& text)
{
    QStringEncoder gbk("GBK");
    if (gbk.isValid()) {
        QByteArray bytes = gbk.encode(text);
        if (!gbk.hasError())
            return bytes;
    }
    QStringEncoder gb18030("GB18030");
    return gb18030.encode(text);
}

}  // namespace hesk::files
