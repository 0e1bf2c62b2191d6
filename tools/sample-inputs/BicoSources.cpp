#include "BicoSources.h"

#include "DefinitionCatalogue.h"

#include <QFile>

namespace hesk::samples {

namespace {

using model::DeviceClass;

void appendRange(std::vector<uint16_t>& pool, int first, int last)
{
    for (int n = first; n <= last; ++n)
        pool.push_back(static_cast<uint16_t>(n));
}

QString connectionText(QChar letter, uint16_t number)
{
    const int digits = number >= 8000 ? number - (letter == QLatin1Char('K') ? 8000 : 9000) : number;
    return QStringLiteral("%1%2").arg(letter).arg(digits, 4, 10, QLatin1Char('0'));
}

}  // namespace

BicoSources::BicoSources(const SampleProfile& profile)
{
    QFile file(QStringLiteral(":/sample-catalogue/connectors.txt"));
    if (!file.open(QIODevice::ReadOnly)) {
        errors_ << QStringLiteral("connectors.txt: not found");
        return;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char('|'));
        bool ok = false;
        const int digits = f.value(1).toInt(&ok);
        const auto type = typeCodeOfName(f.value(2));
        const QString letter = f.value(0);
        if (f.size() != 6 || !ok || !type || (letter != QLatin1String("K") && letter != QLatin1String("B"))) {
            errors_ << QStringLiteral("connectors.txt line %1: unreadable").arg(i + 1);
            continue;
        }
        const QString tags = f[5].trimmed();
        if (tags != QLatin1String("-") && !tags.split(QLatin1Char(',')).contains(profile.shortCode))
            continue;
        const int number = digits >= 1000 ? digits : digits + (letter == QLatin1String("K") ? 8000 : 9000);
        const QString unit = f[3] == QLatin1String("-") ? QString() : f[3];
        add(static_cast<uint16_t>(number), *type, unit, f[4]);
    }

    // Bus receive words (connectors) and the bits of the first control words (binectors).
    if (profile.deviceClass == DeviceClass::Inverter || profile.deviceClass == DeviceClass::ActiveRectifier) {
        for (int w = 1; w <= 16; ++w)
            add(static_cast<uint16_t>(7000 + w), 0, {}, QStringLiteral("DP接收字%1").arg(w));
        const int words = 2;
        for (int word = 0; word < words; ++word) {
            for (int bit = 0; bit < 16; ++bit) {
                // The inverter's second word starts at 7300: 7200 is its speed setpoint P7200.
                const int number = profile.deviceClass == DeviceClass::Inverter ? 7100 + 200 * word + bit
                                                                                  : 7100 + 16 * word + bit;
                add(static_cast<uint16_t>(number), 2, {}, QStringLiteral("DP控制字%1位%2").arg(word + 1).arg(bit));
            }
        }
    }

    // Ranges the free function blocks take their outputs from.
    switch (profile.deviceClass) {
    case DeviceClass::Inverter:
        appendRange(connectorPool_, 3001, 3099);
        appendRange(connectorPool_, 6001, 6099);
        for (int block = 3100; block <= 3900; block += 100)
            appendRange(binectorPool_, block, block + 15);
        for (int block = 6100; block <= 6900; block += 100)
            appendRange(binectorPool_, block, block + 15);
        break;
    case DeviceClass::FeedbackRectifier:
    case DeviceClass::ActiveRectifier:
    case DeviceClass::BasicRectifier:
        appendRange(connectorPool_, 3001, 3028);
        appendRange(binectorPool_, 3100, 3115);
        break;
    case DeviceClass::TestBench:
    case DeviceClass::None:
        break;
    }
}

void BicoSources::add(uint16_t number, uint16_t typeCode, const QString& unit, const QString& name)
{
    SampleDefinition d;
    d.number = number;
    d.kind = DefinitionKind::ReadOnly;
    d.typeCode = typeCode;
    d.unit = unit;
    d.decimals = typeCode == 1 ? 2 : 0;
    d.rawMinText = defaultRawMin(typeCode);
    d.rawMaxText = defaultRawMax(typeCode);
    if (typeCode == 1) {
        d.minText = QStringLiteral("-200.00");
        d.maxText = QStringLiteral("199.99");
    } else {
        d.minText = d.rawMinText;
        d.maxText = d.rawMaxText;
    }
    d.name = name;
    d.timeSlice = typeCode == 2 ? QStringLiteral("T3") : QStringLiteral("T2");
    outputs_[number] = d;
}

std::optional<uint16_t> BicoSources::numberOfConnectionText(const QString& text)
{
    if (text.size() != 5 || (text[0] != QLatin1Char('K') && text[0] != QLatin1Char('B')))
        return std::nullopt;
    bool ok = false;
    const int digits = text.mid(1).toInt(&ok);
    if (!ok || digits < 0)
        return std::nullopt;
    if (digits >= 1000)
        return static_cast<uint16_t>(digits);
    return static_cast<uint16_t>(digits + (text[0] == QLatin1Char('K') ? 8000 : 9000));
}

std::optional<QString> BicoSources::allocate(QChar letter, const QString& name)
{
    const bool connector = letter == QLatin1Char('K');
    std::vector<uint16_t>& pool = connector ? connectorPool_ : binectorPool_;
    std::size_t& next = connector ? nextConnector_ : nextBinector_;
    while (next < pool.size() && outputs_.count(pool[next]))
        ++next;
    if (next >= pool.size())
        return std::nullopt;
    const uint16_t number = pool[next++];
    add(number, connector ? 1 : 2, connector ? QStringLiteral("%") : QString(), name);
    return connectionText(letter, number);
}

bool BicoSources::contains(const QString& text) const
{
    const auto number = numberOfConnectionText(text);
    if (!number)
        return false;
    const auto it = outputs_.find(*number);
    if (it == outputs_.end())
        return false;
    // The letter must match the kind of the output: a binector is a bit signal.
    return (text[0] == QLatin1Char('B')) == (it->second.typeCode == 2);
}

std::vector<SampleDefinition> BicoSources::definitions() const
{
    std::vector<SampleDefinition> out;
    out.reserve(outputs_.size());
    for (const auto& [number, d] : outputs_)
        out.push_back(d);
    return out;
}

}  // namespace hesk::samples
