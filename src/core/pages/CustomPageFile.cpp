#include "CustomPageFile.h"

#include "model/DeviceCatalogue.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace hesk::pages {

namespace {

constexpr char kAnsiCodec[] = "GB18030";

QByteArray encode(const QString& text)
{
    QStringEncoder encoder(kAnsiCodec);
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}

QString decode(const QByteArray& bytes)
{
    QStringDecoder decoder(kAnsiCodec);
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

const QStringList& fileStyles()
{
    static const QStringList styles = {QStringLiteral("VRA1"), QStringLiteral("SLM"), QStringLiteral("AIC"),
                                       QStringLiteral("BLM")};
    return styles;
}

}  // namespace

QString defaultCustomPageFileName(const QDateTime& time)
{
    return time.toString(QStringLiteral("_yyyyMMdd_HHmmss")) + QStringLiteral(".fpm");
}

QString customPageStyleName(const QString& deviceType)
{
    const QString code = model::shortCodeForDeviceType(deviceType);
    return fileStyles().contains(code) ? code : QStringLiteral("UNKNOW");
}

bool styleMatchesDeviceType(const QString& style, const QString& deviceType)
{
    if (style == customPageStyleName(deviceType))
        return true;
    const QString code = style.isEmpty() ? QStringLiteral("VRA1") : style;
    if (!fileStyles().contains(code))
        return false;
    return model::deviceTypeForShortCode(code) == deviceType;
}

QByteArray customPageFileBytes(const QDateTime& time, const QString& styleName, const QString& deviceVersion,
                               const std::vector<uint16_t>& numbers)
{
    QString text;
    text += QStringLiteral(";Time:   ") + time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral("\r\n");
    text += QStringLiteral(";Device Style:   ") + styleName + QStringLiteral("\r\n");
    text += QStringLiteral(";Device Version:   ") + deviceVersion + QStringLiteral("\r\n");
    for (uint16_t number : numbers)
        text += QString::number(number) + QStringLiteral("\r\n");
    return encode(text);
}

CustomPageFileContent parseCustomPageFile(const QByteArray& bytes)
{
    CustomPageFileContent content;
    const QString text = decode(bytes);
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char(';'))) {
            if (!content.deviceStyle && line.contains(QLatin1String("Device Style:"))) {
                QString style = line.mid(line.indexOf(QLatin1Char(':')) + 1);
                const auto firstText = std::find_if(style.begin(), style.end(), [](QChar c) { return !c.isSpace(); });
                style.remove(0, firstText - style.begin());
                content.deviceStyle = style;
            }
            continue;
        }
        content.parameterLines << line;
    }
    return content;
}

std::optional<uint32_t> parameterLineNumber(const QString& line)
{
    if (line.isEmpty())
        return std::nullopt;
    for (QChar c : line)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    bool ok = false;
    const uint value = line.toUInt(&ok);
    if (!ok)
        return std::nullopt;
    return static_cast<uint32_t>(value);
}

}  // namespace hesk::pages
