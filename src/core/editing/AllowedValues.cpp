#include "AllowedValues.h"

#include <QCoreApplication>

#include <cmath>

namespace hesk::editing {

namespace {

using model::DeviceClass;

QStringList texts(std::initializer_list<const char*> values)
{
    QStringList list;
    for (const char* v : values)
        list << QString::fromLatin1(v);
    return list;
}

bool isInverterOrActive(DeviceClass c) { return c == DeviceClass::Inverter || c == DeviceClass::ActiveRectifier; }
bool isRectifier(DeviceClass c)
{
    return c == DeviceClass::FeedbackRectifier || c == DeviceClass::ActiveRectifier || c == DeviceClass::BasicRectifier;
}

constexpr uint16_t kTransformerTap = 749;    // P0749: values of the form digit, point, digit
constexpr uint16_t kPulseFrequency = 340;    // P0340: compared by value, see below

// P0749's allowed values in tenths: 0.0, 0.7, 1.0, 1.3, ... 5.3.
constexpr int kTapTenths[] = {0, 7, 10, 13, 20, 23, 30, 33, 40, 43, 50, 53};

QString tapText(int tenths)
{
    return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}

// The stored form of a P0749 text, or nothing when the value is not allowed. Blanks are
// trimmed and leading zeros removed (one directly before the point stays); what is left
// must be a plain decimal number of one to three characters.
std::optional<QString> transformerTapText(const QString& text)
{
    QString t = text.trimmed();
    while (t.size() > 1 && t[0] == QLatin1Char('0') && t[1] != QLatin1Char('.'))
        t.remove(0, 1);
    if (t.isEmpty() || t.size() > 3)
        return std::nullopt;
    int digits = 0;
    int points = 0;
    for (const QChar c : t) {
        if (c.unicode() >= '0' && c.unicode() <= '9')
            ++digits;
        else if (c == QLatin1Char('.'))
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1)
        return std::nullopt;
    const double tenths = t.toDouble() * 10.0;
    for (const int allowed : kTapTenths) {
        // The stored form is built from the value, so ".7" and "1." come out as "0.7"
        // and "1.0" as well: always digit, point, digit.
        if (std::abs(tenths - allowed) < 1e-6)
            return tapText(allowed);
    }
    return std::nullopt;
}

QStringList pulseFrequencies(const QString& deviceVersion)
{
    if (model::isNewFirmware(kExtendedPulseFrequencyFamily, deviceVersion))
        return texts({"1.25", "1.5", "2", "2.5", "3", "5", "10"});
    return texts({"1.25", "2.5", "3", "5", "10"});
}

// P0340 is a decimal parameter with two decimals, so its texts come as "2.50" from the
// drive, the pages and parameter files; it is compared by value with the set.
bool isAllowedPulseFrequency(const QStringList& allowed, const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return false;
    for (const QString& a : allowed) {
        if (std::abs(a.toDouble() - value) < 1e-9)
            return true;
    }
    return false;
}

}  // namespace

AllowedValueSource AllowedValueSource::of(const model::OpenedProject& project)
{
    return of(project.deviceClass(), project.project());
}

AllowedValueSource AllowedValueSource::of(DeviceClass deviceClass, const model::HeskProject& project)
{
    AllowedValueSource source;
    source.deviceClass = deviceClass;
    source.deviceVersion = project.header.deviceVersion;
    for (const model::UbaseInfo& row : project.ubaseTable)
        source.baseValueKeys << row.columns[0];
    return source;
}

std::optional<QStringList> allowedValues(const AllowedValueSource& source, uint16_t number)
{
    const DeviceClass c = source.deviceClass;
    if (number == 70 && (c == DeviceClass::Inverter || isRectifier(c)))
        return source.baseValueKeys;
    if (number == kTransformerTap && isInverterOrActive(c)) {
        QStringList stored;
        for (const int tenths : kTapTenths)
            stored << tapText(tenths);
        return stored;
    }
    if (c == DeviceClass::Inverter) {
        switch (number) {
        case 830:
            return texts({"0",   "2",   "5",   "8",   "15",  "20",  "21",  "22",  "29",  "35",  "36",  "37",
                          "53",  "56",  "59",  "65",  "82",  "87",  "99",  "103", "107", "122", "129", "148",
                          "149", "150", "151", "222", "229", "322", "329", "422", "429", "522", "529"});
        case 60: return texts({"1", "2", "5", "7", "8"});
        case 100:
        case 115: return texts({"0", "1", "2", "3", "4", "5"});
        case 130: return texts({"10", "11"});
        case 201: return texts({"1", "2", "4"});
        case 348:
        case 372:
        case 970:
        case 514:
        case 956: return texts({"0", "1"});
        case 368: return texts({"0", "1", "2", "3", "4", "6"});
        case 702: return texts({"0", "3", "4"});
        case kPulseFrequency: return pulseFrequencies(source.deviceVersion);
        default: return std::nullopt;
        }
    }
    if (isRectifier(c)) {
        if (number == 60)
            return texts({"1", "2", "5", "8"});
        if (number == 956 && c == DeviceClass::ActiveRectifier)
            return texts({"0", "1"});
    }
    return std::nullopt;
}

bool hasAllowedValues(const AllowedValueSource& source, uint16_t number)
{
    return allowedValues(source, number).has_value();
}

bool checkAllowedValue(const AllowedValueSource& source, uint16_t number, QString& valueText)
{
    const std::optional<QStringList> allowed = allowedValues(source, number);
    if (!allowed)
        return true;
    if (number == kTransformerTap) {
        const std::optional<QString> stored = transformerTapText(valueText);
        if (!stored)
            return false;
        valueText = *stored;
        return true;
    }
    if (number == kPulseFrequency)
        return isAllowedPulseFrequency(*allowed, valueText);
    return allowed->contains(valueText);
}

model::UserMessage allowedValueRefusal(uint16_t number)
{
    if (number == kTransformerTap)
        return model::UserMessage::warning(
            QCoreApplication::translate("AllowedValues",
                                        "参数值不在范围内！\n范围：0.0~0.7、1.0~1.3、2.0~2.3、3.0~3.3、4.0~4.3、5.0~5.3"));
    return model::UserMessage::warning(QCoreApplication::translate("AllowedValues", "数据不在范围内！"));
}

QString allowedValueRefusalLogPrefix()
{
    return QStringLiteral("修改值项值不在范围内：");
}

}  // namespace hesk::editing
