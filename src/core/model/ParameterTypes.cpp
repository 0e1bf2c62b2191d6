#include "ParameterTypes.h"

namespace hesk::model {

QString typeName(uint16_t typeCode)
{
    switch (typeCode) {
    case 0: return QStringLiteral("V2");
    case 1: return QStringLiteral("N2");
    case 2: return QStringLiteral("B1");
    case 3: return QStringLiteral("I2");
    case 4: return QStringLiteral("E2");
    case 5: return QStringLiteral("O2");
    case 6: return QStringLiteral("V1");
    case 7: return QStringLiteral("T2");
    case 8: return QStringLiteral("NK");
    case 9: return QStringLiteral("GT");
    case 10: return QStringLiteral("G2");
    case 11: return QStringLiteral("H2");
    case 24: return QStringLiteral("G3");
    case 25: return QStringLiteral("H3");
    default: return QStringLiteral("N2");
    }
}

Radix radixOf(const QString& name)
{
    if (name == QLatin1String("B1"))
        return Radix::Binary;
    if (name == QLatin1String("V1") || name == QLatin1String("V2") || name == QLatin1String("NK"))
        return Radix::Hexadecimal;
    return Radix::Decimal;
}

QString keyText(bool settable, uint16_t number, uint16_t subIndex)
{
    QString text = QStringLiteral("%1%2").arg(settable ? QLatin1Char('P') : QLatin1Char('r'))
                       .arg(number, 4, 10, QLatin1Char('0'));
    if (subIndex != kNoSubIndex)
        text += QLatin1Char('.') + QString::number(subIndex);
    return text;
}

QString keyText(const HeskParameterElement& element)
{
    return keyText(element.isSettable(), element.number, element.subIndex);
}

std::optional<ParsedKeyText> parseKeyText(const QString& text)
{
    if (text.size() < 5)
        return std::nullopt;
    ParsedKeyText key;
    if (text[0] == QLatin1Char('P'))
        key.settable = true;
    else if (text[0] != QLatin1Char('r'))
        return std::nullopt;
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    const QString numberPart = text.mid(1, dot < 0 ? -1 : dot - 1);
    if (numberPart.size() < 4)
        return std::nullopt;
    for (QChar c : numberPart)
        if (!c.isDigit() || c.unicode() > '9')
            return std::nullopt;
    bool ok = false;
    const uint number = numberPart.toUInt(&ok);
    if (!ok || number > 0xFFFF)
        return std::nullopt;
    key.number = static_cast<uint16_t>(number);
    if (dot >= 0) {
        const QString subPart = text.mid(dot + 1);
        if (subPart.isEmpty())
            return std::nullopt;
        for (QChar c : subPart)
            if (!c.isDigit() || c.unicode() > '9')
                return std::nullopt;
        const uint sub = subPart.toUInt(&ok);
        if (!ok || sub >= kNoSubIndex)
            return std::nullopt;
        key.subIndex = static_cast<uint16_t>(sub);
    }
    return key;
}

}  // namespace hesk::model
