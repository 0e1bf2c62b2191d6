#include "BitWord.h"

#include "model/ParameterTypes.h"

namespace hesk::editing {

int bitCount(const model::HeskParameterElement& parameter)
{
    const QString type = model::typeName(parameter.typeCode);
    if (type == QLatin1String("B1"))
        return 1;
    if (type == QLatin1String("V1") || type == QLatin1String("NK"))
        return 8;
    return 16;
}

std::optional<uint16_t> bitWordFromText(const model::HeskParameterElement& parameter, const QString& text)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return uint16_t{0};
    const int bits = bitCount(parameter);
    const uint32_t mask = (1u << bits) - 1u;
    bool ok = false;
    long long value = 0;
    switch (model::radixOfType(parameter.typeCode)) {
    case model::Radix::Hexadecimal:
        if (!t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            return std::nullopt;
        value = t.mid(2).toLongLong(&ok, 16);
        break;
    case model::Radix::Binary:
        value = t.toLongLong(&ok, 2);
        break;
    case model::Radix::Decimal:
        value = t.toLongLong(&ok, 10);
        // A signed word is shown negative; its bits are those of the 16-bit word.
        if (ok && value < 0 && value >= -32768)
            value += 65536;
        break;
    }
    if (!ok || value < 0 || static_cast<unsigned long long>(value) > mask)
        return std::nullopt;
    return static_cast<uint16_t>(value);
}

QString bitWordText(const model::HeskParameterElement& parameter, uint16_t word)
{
    const QString type = model::typeName(parameter.typeCode);
    switch (model::radixOf(type)) {
    case model::Radix::Hexadecimal: {
        const int digits = bitCount(parameter) / 4;
        return QStringLiteral("0X") + QStringLiteral("%1").arg(word, digits, 16, QLatin1Char('0')).toUpper();
    }
    case model::Radix::Binary:
        return QString::number(word & 1u);
    case model::Radix::Decimal:
        break;
    }
    // The signed types show the word as a signed number.
    static const QStringList signedTypes = {QStringLiteral("N2"), QStringLiteral("E2"), QStringLiteral("O2"),
                                            QStringLiteral("I2")};
    if (signedTypes.contains(type))
        return QString::number(static_cast<int16_t>(word));
    return QString::number(word);
}

}  // namespace hesk::editing
