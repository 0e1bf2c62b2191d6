#include "ValueFormat.h"

namespace hesk::model {

namespace {

QString realText(double value)
{
    return QString::asprintf("%f", value);
}

QString hexText(unsigned value, int digits)
{
    return QString::asprintf("0x%.*x", digits, value).toUpper();
}

bool isName(const QString& typeName, const char* name)
{
    return typeName == QLatin1String(name);
}

}  // namespace

std::optional<QString> formatRawValue(const QString& typeName, uint16_t raw, Radix radix,
                                      const TimeBases& timeBases)
{
    const int s = static_cast<int16_t>(raw);
    const unsigned u = raw;

    if (isName(typeName, "N2"))
        return realText(s / 163.84);
    if (isName(typeName, "E2"))
        return realText(s / 127.996);
    if (isName(typeName, "O2"))
        return s > 0 ? QString::number(s) : QStringLiteral("0");
    if (isName(typeName, "V1")) {
        const unsigned lowByte = u & 0xFFu;
        if (radix == Radix::Hexadecimal)
            return hexText(lowByte, 2);
        if (radix == Radix::Decimal)
            return QString::number(lowByte);
        return std::nullopt;
    }
    if (isName(typeName, "V2") || isName(typeName, "GT")) {
        if (radix == Radix::Hexadecimal)
            return hexText(u, 4);
        if (radix == Radix::Decimal)
            return QString::number(u);
        return std::nullopt;
    }
    if (isName(typeName, "I2") || isName(typeName, "CH"))
        return QString::number(s);
    if (isName(typeName, "B1"))
        return s > 0 ? QStringLiteral("1") : QStringLiteral("0");
    if (isName(typeName, "NK"))
        return hexText(u, 2);
    if (isName(typeName, "G2") || isName(typeName, "G3"))
        return realText(u * 0.125);
    if (isName(typeName, "H2") || isName(typeName, "H3"))
        return realText(u * 32 / 1000.0);
    if (isName(typeName, "T2")) {
        // raw × word 2 is exact in 64 bits; the second factor is taken in double so no
        // product can overflow (exact for every product below 2^53).
        const int64_t partial = static_cast<int64_t>(u) * timeBases[2];
        return realText(static_cast<double>(partial) * timeBases[0] / 1000.0);
    }
    return std::nullopt;
}

QString formatRawValueOr(const QString& typeName, uint16_t raw, Radix radix,
                         const TimeBases& timeBases, const QString& previousText)
{
    return formatRawValue(typeName, raw, radix, timeBases).value_or(previousText);
}

}  // namespace hesk::model
