#include "FreeFunctionBlocks.h"

#include "DefinitionCatalogue.h"

#include <QStringList>

#include <array>
#include <map>
#include <set>

namespace hesk::samples {

namespace {

using model::DeviceClass;

constexpr const char* kInverterFreeNumbers =
    "2001-2009, 2011-2187, 2190-2212, 2221-2318, 2320-2338, 2340-2344, 2346-2372, 2380-2383, "
    "2400-2421, 2433-2435, 2440-2443, 2950-2951";
constexpr const char* kInverterFunctionDataSetNumbers =
    "2001-2009, 2011-2018, 2021-2028, 2129, 2131, 2133, 2294, 2297, 2300, 2303, 2306, 2309, "
    "2313, 2330-2335, 2364, 2366-2367";
constexpr const char* kActiveRectifierFreeNumbers = "2072-2074, 2076-2079, 2221-2224, 2239-2242, 2251-2254";
constexpr const char* kRectifierFreeNumbers = "2072-2079, 2221-2254";

enum class SlotKind { ConnectorIn, BinectorIn, Setting, Display };

struct Slot {
    SlotKind kind;
    int subIndices;  // 0: none, else 1..n
    const char* type;
    const char* unit;
    int decimals;
    const char* min;
    const char* max;
    const char* factory;
    const char* suffix;
};

struct BlockTemplate {
    const char* name;
    char output;  // 'K', 'B' or 0
    std::vector<Slot> slots;
};

const std::vector<BlockTemplate>& templates()
{
    static const std::vector<BlockTemplate> list = {
        {"加法器", 'K', {{SlotKind::ConnectorIn, 2, "N2", "", 0, "", "", "", "输入"}}},
        {"限幅器", 'K',
         {{SlotKind::ConnectorIn, 0, "N2", "", 0, "", "", "", "输入"},
          {SlotKind::Setting, 0, "N2", "%", 2, "-200.00", "199.99", "100.00", "上限"},
          {SlotKind::Setting, 0, "N2", "%", 2, "-200.00", "199.99", "-100.00", "下限"}}},
        {"与门", 'B', {{SlotKind::BinectorIn, 4, "B1", "", 0, "", "", "", "输入"}}},
        {"比较器", 'B',
         {{SlotKind::ConnectorIn, 2, "N2", "", 0, "", "", "", "输入"},
          {SlotKind::Setting, 0, "N2", "%", 2, "0.00", "50.00", "1.00", "回差"}}},
        {"乘法器", 'K', {{SlotKind::ConnectorIn, 2, "N2", "", 0, "", "", "", "输入"}}},
        {"延时器", 'B',
         {{SlotKind::BinectorIn, 0, "B1", "", 0, "", "", "", "输入"},
          {SlotKind::Setting, 0, "T2", "ms", 0, "0", "60000", "500", "延时时间"},
          {SlotKind::Setting, 0, "I2", "", 0, "0", "3", "0", "方式"}}},
        {"或门", 'B', {{SlotKind::BinectorIn, 4, "B1", "", 0, "", "", "", "输入"}}},
        {"滤波器", 'K',
         {{SlotKind::ConnectorIn, 0, "N2", "", 0, "", "", "", "输入"},
          {SlotKind::Setting, 0, "H2", "ms", 1, "0.0", "2000.0", "10.0", "时间常数"}}},
        {"切换开关", 'K',
         {{SlotKind::BinectorIn, 0, "B1", "", 0, "", "", "", "切换信号"},
          {SlotKind::ConnectorIn, 2, "N2", "", 0, "", "", "", "输入"}}},
        {"减法器", 'K', {{SlotKind::ConnectorIn, 2, "N2", "", 0, "", "", "", "输入"}}},
        {"积分器", 'K',
         {{SlotKind::ConnectorIn, 0, "N2", "", 0, "", "", "", "输入"},
          {SlotKind::Setting, 0, "T2", "ms", 0, "1", "60000", "1000", "积分时间"},
          {SlotKind::BinectorIn, 0, "B1", "", 0, "", "", "", "复位"}}},
        {"非门", 'B', {{SlotKind::BinectorIn, 0, "B1", "", 0, "", "", "", "输入"}}},
        {"除法器", 'K', {{SlotKind::ConnectorIn, 2, "N2", "", 0, "", "", "", "输入"}}},
        {"RS触发器", 'B', {{SlotKind::BinectorIn, 2, "B1", "", 0, "", "", "", "置位/复位"}}},
        {"显示器", 0,
         {{SlotKind::ConnectorIn, 0, "N2", "", 0, "", "", "", "输入"},
          {SlotKind::Display, 0, "N2", "%", 2, "-200.00", "199.99", "", "显示值"}}},
        {"特性曲线", 'K',
         {{SlotKind::ConnectorIn, 0, "N2", "", 0, "", "", "", "输入"},
          {SlotKind::Setting, 4, "N2", "%", 2, "-200.00", "199.99", "0.00", "X坐标"},
          {SlotKind::Setting, 4, "N2", "%", 2, "-200.00", "199.99", "0.00", "Y坐标"}}},
        {"异或门", 'B', {{SlotKind::BinectorIn, 2, "B1", "", 0, "", "", "", "输入"}}},
    };
    return list;
}

class BlockWriter {
public:
    BlockWriter(BicoSources& sources, std::vector<SampleDefinition>& out) : sources_(sources), out_(out) {}

    void add(uint16_t number, DefinitionKind kind, int subs, SubIndexFamily family, const char* type,
             const QString& unit, int decimals, const QString& min, const QString& max, const QString& factory,
             const QString& name, const QString& comment = {})
    {
        const uint16_t typeCode = typeCodeOfName(QString::fromLatin1(type)).value_or(1);
        for (int s = (subs == 0 ? 0 : 1); s <= subs; ++s) {
            SampleDefinition d;
            d.number = number;
            d.subIndex = subs == 0 ? kNoSubIndex : static_cast<uint16_t>(s);
            d.kind = kind;
            d.family = subs == 0 ? SubIndexFamily::None : family;
            d.typeCode = typeCode;
            d.unit = unit;
            d.decimals = decimals;
            d.minText = min;
            d.maxText = max;
            if (!d.isConnection()) {
                d.rawMinText = defaultRawMin(typeCode);
                d.rawMaxText = defaultRawMax(typeCode);
            }
            d.factoryText = factory;
            d.name = name;
            d.comment = comment;
            d.timeSlice = QStringLiteral("T5");
            out_.push_back(std::move(d));
        }
    }

    // The factory source of the next connection input: the output of the block before,
    // when there is one of the right kind, else the fixed zero signal.
    QString nextSource(QChar letter)
    {
        QString& last = letter == QLatin1Char('K') ? lastConnector_ : lastBinector_;
        QString source = last.isEmpty() ? QString(letter) + QStringLiteral("0000") : last;
        last.clear();
        return source;
    }

    void setOutput(QChar letter, const QString& text)
    {
        (letter == QLatin1Char('K') ? lastConnector_ : lastBinector_) = text;
    }

    BicoSources& sources() { return sources_; }

private:
    BicoSources& sources_;
    std::vector<SampleDefinition>& out_;
    QString lastConnector_;
    QString lastBinector_;
};

QString subComment(int subs, const char* suffix)
{
    if (subs == 0)
        return {};
    QStringList parts;
    for (int s = 1; s <= subs; ++s)
        parts << QStringLiteral("%1=%2%3").arg(s).arg(QString::fromUtf8(suffix)).arg(s);
    return parts.join(QStringLiteral("；"));
}

// The fixed values at the start of the inverter's free range: U001..U009 setpoints,
// U011..U018 binary values, U021..U028 integer values, each per function data set.
bool writeFixedValue(BlockWriter& writer, uint16_t n)
{
    auto fds = SubIndexFamily::FunctionDataSet;
    if (n >= 2001 && n <= 2009) {
        const int i = n - 2000;
        const QString name = QStringLiteral("自由固定设定值%1").arg(i);
        writer.add(n, DefinitionKind::Value, 4, fds, "N2", QStringLiteral("%"), 2, QStringLiteral("-200.00"),
                   QStringLiteral("199.99"), QStringLiteral("0.00"), name);
        writer.sources().allocate(QLatin1Char('K'), name + QStringLiteral("输出"));
        return true;
    }
    if (n >= 2011 && n <= 2018) {
        const QString name = QStringLiteral("自由固定二进制值%1").arg(n - 2010);
        writer.add(n, DefinitionKind::Value, 4, fds, "B1", {}, 0, QStringLiteral("0"), QStringLiteral("1"),
                   QStringLiteral("0"), name);
        writer.sources().allocate(QLatin1Char('B'), name + QStringLiteral("输出"));
        return true;
    }
    if (n >= 2021 && n <= 2028) {
        const QString name = QStringLiteral("自由固定整数%1").arg(n - 2020);
        writer.add(n, DefinitionKind::Value, 4, fds, "I2", {}, 0, QStringLiteral("-32768"), QStringLiteral("32767"),
                   QStringLiteral("0"), name);
        writer.sources().allocate(QLatin1Char('K'), name + QStringLiteral("输出"));
        return true;
    }
    if (n == 2950) {
        writer.add(n, DefinitionKind::Value, 0, SubIndexFamily::None, "I2", {}, 0, QStringLiteral("1"),
                   QStringLiteral("5"), QStringLiteral("4"), QStringLiteral("自由功能块采样时间"),
                   QStringLiteral("1~5=时间片T1~T5"));
        return true;
    }
    if (n == 2951) {
        writer.add(n, DefinitionKind::Value, 0, SubIndexFamily::None, "V2", {}, 0, QStringLiteral("0x0000"),
                   QStringLiteral("0xFFFF"), QStringLiteral("0XFFFF"), QStringLiteral("自由功能块使能"),
                   QStringLiteral("Bit0~Bit15=功能块组1~16"));
        return true;
    }
    return false;
}

}  // namespace

std::vector<uint16_t> expandNumberList(const char* list)
{
    std::vector<uint16_t> numbers;
    for (const QString& item : QString::fromLatin1(list).split(QLatin1Char(','))) {
        const QStringList span = item.trimmed().split(QLatin1Char('-'));
        const int first = span.value(0).toInt();
        const int last = span.value(span.size() - 1).toInt();
        for (int n = first; n <= last; ++n)
            numbers.push_back(static_cast<uint16_t>(n));
    }
    return numbers;
}

std::vector<SampleDefinition> makeFreeFunctionBlocks(const SampleProfile& profile, BicoSources& sources)
{
    std::vector<uint16_t> numbers;
    std::set<uint16_t> functionDataSet;
    switch (profile.deviceClass) {
    case DeviceClass::Inverter: {
        numbers = expandNumberList(kInverterFreeNumbers);
        const auto fds = expandNumberList(kInverterFunctionDataSetNumbers);
        functionDataSet.insert(fds.begin(), fds.end());
        break;
    }
    case DeviceClass::ActiveRectifier: numbers = expandNumberList(kActiveRectifierFreeNumbers); break;
    case DeviceClass::FeedbackRectifier:
    case DeviceClass::BasicRectifier: numbers = expandNumberList(kRectifierFreeNumbers); break;
    case DeviceClass::TestBench:
    case DeviceClass::None: return {};
    }

    std::vector<SampleDefinition> out;
    BlockWriter writer(sources, out);
    std::map<QString, int> instances;
    std::size_t i = 0;
    std::size_t nextTemplate = 0;
    while (i < numbers.size()) {
        if (profile.deviceClass == DeviceClass::Inverter && writeFixedValue(writer, numbers[i])) {
            ++i;
            continue;
        }
        const BlockTemplate& block = templates()[nextTemplate++ % templates().size()];
        const QString blockName =
            QStringLiteral("%1%2").arg(QString::fromUtf8(block.name)).arg(++instances[QString::fromUtf8(block.name)]);
        for (const Slot& slot : block.slots) {
            // Settings that the drive keeps per function data set sit between the block's
            // other numbers; they belong to the block as its additional setpoint.
            while (i < numbers.size() && functionDataSet.count(numbers[i])) {
                writer.add(numbers[i++], DefinitionKind::Value, 4, SubIndexFamily::FunctionDataSet, "N2",
                           QStringLiteral("%"), 2, QStringLiteral("-200.00"), QStringLiteral("199.99"),
                           QStringLiteral("0.00"), blockName + QStringLiteral("附加设定值"));
            }
            if (i >= numbers.size() || numbers[i] >= 2950)
                break;
            const uint16_t n = numbers[i++];
            const QString name = blockName + QString::fromUtf8(slot.suffix);
            const QString comment = subComment(slot.subIndices, slot.suffix);
            switch (slot.kind) {
            case SlotKind::ConnectorIn:
            case SlotKind::BinectorIn: {
                const QChar letter = slot.kind == SlotKind::ConnectorIn ? QLatin1Char('K') : QLatin1Char('B');
                const QString source = writer.nextSource(letter);
                writer.add(n, slot.kind == SlotKind::ConnectorIn ? DefinitionKind::ConnectorInput
                                                                 : DefinitionKind::BinectorInput,
                           slot.subIndices, SubIndexFamily::Indexed, slot.type, {}, 0, {}, {}, source,
                           name + QStringLiteral("来源"), comment);
                break;
            }
            case SlotKind::Setting:
                writer.add(n, DefinitionKind::Value, slot.subIndices, SubIndexFamily::Indexed, slot.type,
                           QString::fromUtf8(slot.unit), slot.decimals, QString::fromLatin1(slot.min),
                           QString::fromLatin1(slot.max), QString::fromLatin1(slot.factory), name, comment);
                break;
            case SlotKind::Display:
                writer.add(n, DefinitionKind::ReadOnly, slot.subIndices, SubIndexFamily::Indexed, slot.type,
                           QString::fromUtf8(slot.unit), slot.decimals, QString::fromLatin1(slot.min),
                           QString::fromLatin1(slot.max), {}, name, comment);
                break;
            }
        }
        if (block.output) {
            const QChar letter = QLatin1Char(block.output);
            if (const auto output = sources.allocate(letter, blockName + QStringLiteral("输出")))
                writer.setOutput(letter, *output);
        }
    }
    return out;
}

}  // namespace hesk::samples
