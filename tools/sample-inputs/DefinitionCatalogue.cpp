#include "DefinitionCatalogue.h"

#include <QFile>

#include <array>
#include <utility>

namespace hesk::samples {

namespace {

const QString kNone = QStringLiteral("-");

QString field(const QStringList& fields, int index)
{
    if (index >= fields.size())
        return {};
    const QString text = fields[index].trimmed();
    return text == kNone ? QString() : text;
}

std::optional<DefinitionKind> kindOf(const QString& text)
{
    if (text == QLatin1String("P"))
        return DefinitionKind::Value;
    if (text == QLatin1String("r"))
        return DefinitionKind::ReadOnly;
    if (text == QLatin1String("PK"))
        return DefinitionKind::ConnectorInput;
    if (text == QLatin1String("PB"))
        return DefinitionKind::BinectorInput;
    return std::nullopt;
}

// "-", "MDS", "FDS", "BDS" or "a-b".
bool readSubIndices(const QString& text, CatalogueRow& row)
{
    auto range = [&row](int first, int last) {
        for (int s = first; s <= last; ++s)
            row.subIndices.push_back(static_cast<uint16_t>(s));
    };
    if (text.isEmpty())
        return true;
    if (text == QLatin1String("MDS")) {
        row.family = SubIndexFamily::MotorDataSet;
        range(1, 4);
        return true;
    }
    if (text == QLatin1String("FDS")) {
        row.family = SubIndexFamily::FunctionDataSet;
        range(1, 4);
        return true;
    }
    if (text == QLatin1String("BDS")) {
        row.family = SubIndexFamily::BicoDataSet;
        range(1, 2);
        return true;
    }
    const QStringList parts = text.split(QLatin1Char('-'));
    bool okFirst = false, okLast = false;
    const int first = parts.value(0).toInt(&okFirst);
    const int last = parts.value(parts.size() - 1).toInt(&okLast);
    if (parts.size() > 2 || !okFirst || !okLast || first < 0 || last < first || last >= kNoSubIndex)
        return false;
    row.family = SubIndexFamily::Indexed;
    range(first, last);
    return true;
}

}  // namespace

std::optional<uint16_t> typeCodeOfName(const QString& name)
{
    static const std::array<std::pair<const char*, uint16_t>, 14> kTypes = {{
        {"V2", 0}, {"N2", 1}, {"B1", 2}, {"I2", 3}, {"E2", 4}, {"O2", 5}, {"V1", 6},
        {"T2", 7}, {"NK", 8}, {"GT", 9}, {"G2", 10}, {"H2", 11}, {"G3", 24}, {"H3", 25},
    }};
    for (const auto& [typeName, code] : kTypes)
        if (name == QLatin1String(typeName))
            return code;
    return std::nullopt;
}

QString defaultRawMin(uint16_t typeCode)
{
    switch (typeCode) {
    case 0: return QStringLiteral("0x0000");
    case 6:
    case 8: return QStringLiteral("0x00");
    case 1:
    case 3:
    case 4: return QStringLiteral("-32768");
    default: return QStringLiteral("0");
    }
}

QString defaultRawMax(uint16_t typeCode)
{
    switch (typeCode) {
    case 0: return QStringLiteral("0xFFFF");
    case 6:
    case 8: return QStringLiteral("0xFF");
    case 2: return QStringLiteral("1");
    case 1:
    case 3:
    case 4:
    case 5: return QStringLiteral("32767");
    default: return QStringLiteral("65535");
    }
}

bool CatalogueRow::appliesTo(const SampleProfile& profile) const
{
    bool deviceListed = false, deviceMatches = false;
    bool versionListed = false, versionMatches = false;
    for (const QString& tag : tags) {
        if (tag.startsWith(QLatin1Char('V')) && tag.contains(QLatin1Char('.'))) {
            versionListed = true;
            versionMatches = versionMatches || tag == profile.version;
        } else {
            deviceListed = true;
            deviceMatches = deviceMatches || tag == profile.shortCode;
        }
    }
    return (!deviceListed || deviceMatches) && (!versionListed || versionMatches);
}

CatalogueParse parseCatalogue(const QString& text)
{
    CatalogueParse result;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char('|'));
        auto fail = [&](const QString& why) { result.errors << QStringLiteral("line %1: %2").arg(i + 1).arg(why); };
        if (f.size() < 10) {
            fail(QStringLiteral("fewer than 10 fields"));
            continue;
        }
        CatalogueRow row;
        row.line = i + 1;
        bool ok = false;
        const int number = field(f, 0).toInt(&ok);
        if (!ok || number <= 0 || number > 0xFFFF) {
            fail(QStringLiteral("bad number"));
            continue;
        }
        row.number = static_cast<uint16_t>(number);
        const auto kind = kindOf(field(f, 1));
        const auto type = typeCodeOfName(field(f, 3));
        if (!kind || !type || !readSubIndices(field(f, 2), row)) {
            fail(QStringLiteral("bad kind, type or sub-indices"));
            continue;
        }
        row.kind = *kind;
        row.typeCode = *type;
        row.unit = field(f, 4);
        row.decimals = field(f, 5).toInt();
        row.minText = field(f, 6);
        row.maxText = field(f, 7);
        const QString factory = field(f, 8);
        if (factory.startsWith(QLatin1String("raw:"))) {
            const int raw = factory.mid(4).toInt(&ok);
            if (!ok) {
                fail(QStringLiteral("bad raw factory value"));
                continue;
            }
            row.factoryDeviceValue = raw;
        } else {
            row.factoryText = factory;
        }
        row.name = field(f, 9);
        // "\n" in the comment field stands for a line break (bit texts: "Bit0: ...").
        row.comment = field(f, 10).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        const QString formulas = field(f, 11);
        if (!formulas.isEmpty()) {
            const QStringList pair = formulas.split(QLatin1Char(';'));
            if (pair.size() != 2 || pair[0].isEmpty() || pair[1].isEmpty()) {
                fail(QStringLiteral("formulas must be \"reverse;forward\""));
                continue;
            }
            row.reverseFormula = pair[0];
            row.forwardFormula = pair[1];
        }
        if (row.factoryDeviceValue && row.reverseFormula.isEmpty()) {
            fail(QStringLiteral("a raw factory value needs formulas"));
            continue;
        }
        const QString tags = field(f, 12);
        if (!tags.isEmpty())
            row.tags = tags.split(QLatin1Char(','), Qt::SkipEmptyParts);
        const QString raw = field(f, 13);
        if (!raw.isEmpty()) {
            const QStringList limits = raw.split(QStringLiteral(".."));
            if (limits.size() != 2) {
                fail(QStringLiteral("raw limits must be \"min..max\""));
                continue;
            }
            row.rawMinText = limits[0];
            row.rawMaxText = limits[1];
        }
        if (row.name.isEmpty()) {
            fail(QStringLiteral("no name"));
            continue;
        }
        result.rows.push_back(std::move(row));
    }
    return result;
}

QString catalogueResource(model::DeviceClass deviceClass)
{
    switch (deviceClass) {
    case model::DeviceClass::Inverter: return QStringLiteral(":/sample-catalogue/inverter.txt");
    case model::DeviceClass::FeedbackRectifier:
    case model::DeviceClass::ActiveRectifier:
    case model::DeviceClass::BasicRectifier: return QStringLiteral(":/sample-catalogue/rectifier.txt");
    case model::DeviceClass::TestBench: return QStringLiteral(":/sample-catalogue/testbench.txt");
    case model::DeviceClass::None: break;
    }
    return {};
}

std::vector<SampleDefinition> expandRow(const CatalogueRow& row)
{
    std::vector<SampleDefinition> out;
    std::vector<uint16_t> subs = row.subIndices;
    if (subs.empty())
        subs.push_back(kNoSubIndex);
    for (const uint16_t& sub : subs) {
        SampleDefinition d;
        d.number = row.number;
        d.subIndex = sub;
        d.kind = row.kind;
        d.family = row.family;
        d.typeCode = row.typeCode;
        d.unit = row.unit;
        d.decimals = row.decimals;
        d.minText = row.minText;
        d.maxText = row.maxText;
        d.rawMinText = row.rawMinText.isEmpty() ? defaultRawMin(row.typeCode) : row.rawMinText;
        d.rawMaxText = row.rawMaxText.isEmpty() ? defaultRawMax(row.typeCode) : row.rawMaxText;
        if (d.isConnection()) {
            d.rawMinText.clear();
            d.rawMaxText.clear();
        }
        // "1,0,0": one factory value per sub-index, in order; a single text for all.
        const QStringList factories = row.factoryText.split(QLatin1Char(','));
        const qsizetype position = static_cast<qsizetype>(&sub - subs.data());
        d.factoryText = factories.size() == static_cast<qsizetype>(subs.size()) ? factories[position] : row.factoryText;
        d.name = row.name;
        d.comment = row.comment;
        const QString key = d.keyText();
        d.reverseFormula = QString(row.reverseFormula).replace(QLatin1Char('#'), key);
        d.forwardFormula = QString(row.forwardFormula).replace(QLatin1Char('#'), key);
        out.push_back(std::move(d));
    }
    return out;
}

QString SampleDefinition::keyText() const
{
    QString key = QStringLiteral("%1%2").arg(settable() ? QLatin1Char('P') : QLatin1Char('r')).arg(number, 4, 10, QLatin1Char('0'));
    if (hasSubIndex())
        key += QLatin1Char('.') + QString::number(subIndex);
    return key;
}

}  // namespace hesk::samples
