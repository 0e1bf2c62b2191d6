#include "SampleProject.h"

#include "model/ParameterTypes.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <map>

namespace hesk::testsupport {

using model::HeskBlock;
using model::HeskConnection;
using model::HeskExplain;
using model::HeskPackage;
using model::HeskPage;
using model::HeskParameterElement;
using model::HeskPort;
using model::HeskProject;
using model::UbaseInfo;

namespace {

// Small deterministic generator (xorshift64*), the same on every platform.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
    uint64_t next()
    {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T, std::size_t N>
    const T& pick(const std::array<T, N>& values) { return values[static_cast<std::size_t>(below(N))]; }

private:
    uint64_t state_;
};

const std::array<const char*, 24> kNames = {
    "直流母线电压", "输出电流", "输出频率", "电机转速", "电机额定电压", "电机额定电流",
    "电机额定功率", "电机额定频率", "电机额定转速", "斜坡上升时间", "斜坡下降时间", "转速设定值",
    "转矩限幅", "电流环比例增益", "电流环积分时间", "速度环比例增益", "速度环积分时间", "故障代码",
    "报警代码", "散热器温度", "控制字来源", "状态字", "模拟量输入滤波时间", "数字量输出选择"};

const std::array<const char*, 8> kComments = {
    "", "", "驱动运行时不可修改", "单位换算见基准值表",
    "从0加速到最高频率所需的时间", "来自控制单元的信号源（BICO）", "仅在快速调试时设置", "断电后保持"};

const std::array<const char*, 11> kUnits = {"V", "A", "Hz", "rpm", "%", "s", "ms", "kW", "℃", "Nm", ""};

// Type codes of the project with a weight: N2 and I2 dominate real parameter lists.
const std::array<uint16_t, 16> kTypeCodes = {1, 1, 1, 1, 3, 3, 3, 4, 4, 2, 0, 6, 7, 8, 10, 24};

struct Shape {
    bool settable;
    int subIndices;  // 0: no sub-index
};

// The parameters that pages and workflows look up by key text get their real shape.
const std::map<uint16_t, Shape>& specialShapes()
{
    static const std::map<uint16_t, Shape> shapes = {
        {1, {false, 0}},   {53, {true, 0}},   {60, {true, 0}},   {70, {true, 0}},
        {71, {false, 0}},  {72, {false, 0}},  {73, {false, 0}},  {107, {true, 5}},
        {304, {true, 0}},  {305, {true, 0}},  {943, {false, 21}}};
    return shapes;
}

QString limitText(Random& random, uint16_t typeCode, bool upper)
{
    switch (typeCode) {
    case 2: return upper ? QStringLiteral("1111111111111111") : QStringLiteral("0");
    case 0:
    case 6:
    case 8: return upper ? QStringLiteral("FFFF") : QStringLiteral("0");
    case 4: return upper ? QStringLiteral("3000.00") : QStringLiteral("-3000.00");
    default: return upper ? QString::number(100 * (1 + random.below(300))) : QStringLiteral("0");
    }
}

HeskParameterElement makeElement(Random& random, uint16_t number, uint16_t subIndex, bool settable,
                                 uint16_t address)
{
    HeskParameterElement e;
    e.version = 3;
    e.number = number;
    e.subIndex = subIndex;
    e.typeCode = random.pick(kTypeCodes);
    e.address = address;
    e.word5 = static_cast<uint16_t>(random.below(4));
    e.word6 = static_cast<uint16_t>(random.below(2) * 16);
    e.settable = settable ? 1 : 0;
    e.connectionFlag = (settable && e.typeCode == 8) ? 1 : 0;
    e.word9 = static_cast<uint16_t>(random.below(3));
    e.sourceText1 = QStringLiteral("%1%2").arg(settable ? 'P' : 'r').arg(number, 4, 10, QLatin1Char('0'));
    e.currentValueText = QStringLiteral("0");
    e.rawMaxText = limitText(random, e.typeCode, true);
    e.rawMinText = limitText(random, e.typeCode, false);
    e.comment = QString::fromUtf8(random.pick(kComments));
    e.name = QString::fromUtf8(random.pick(kNames));
    if (subIndex != model::kNoSubIndex)
        e.name += QStringLiteral("[%1]").arg(subIndex);
    e.sourceTexts7to11[0] = QStringLiteral("BLK%1").arg(random.below(200));
    e.sourceTexts7to11[1] = random.chance(30) ? QStringLiteral("X%1").arg(random.below(9)) : QString();
    e.factoryValue = random.chance(50) ? QStringLiteral("0") : QString::number(random.below(1000));
    e.decimals = e.typeCode == 4 ? 2 : random.below(3);
    e.commandType = random.chance(12) ? QStringLiteral("3") : QStringLiteral("1");
    if (e.usesFormulas()) {
        const QString key = model::keyText(e);
        e.reverseFormula = key + QStringLiteral("*UDCn/16384");
        e.forwardFormula = key + QStringLiteral("*16384/UDCn");
    }
    e.maxText = e.rawMaxText;
    e.minText = e.rawMinText;
    e.word11 = random.below(2);
    e.unit = QString::fromUtf8(random.pick(kUnits));
    e.importFlag = settable ? QStringLiteral("1") : QStringLiteral("0");
    e.referenceKey = QStringLiteral("REF_%1").arg(number).left(12);
    e.auxFlag = random.chance(5) ? QStringLiteral("1") : QStringLiteral("0");
    return e;
}

void addDefinitions(HeskProject& project, Random& random, int count)
{
    uint16_t number = 0;
    uint16_t address = 0;
    const auto& specials = specialShapes();
    while (static_cast<int>(project.elements.size()) < count) {
        Shape shape{false, 0};
        bool skip = false;
        if (const auto it = specials.find(number); it != specials.end()) {
            shape = it->second;
        } else {
            shape.settable = random.chance(60);
            shape.subIndices = random.chance(10) ? std::array{2, 3, 4, 8}[static_cast<std::size_t>(random.below(4))] : 0;
            skip = random.chance(25);
        }
        if (!skip) {
            const int subs = std::max(shape.subIndices, 1);
            for (int s = 0; s < subs && static_cast<int>(project.elements.size()) < count; ++s) {
                const uint16_t sub = shape.subIndices == 0 ? model::kNoSubIndex : static_cast<uint16_t>(s);
                project.elements.push_back(makeElement(random, number, sub, shape.settable, address));
                address = static_cast<uint16_t>((address + 1) % 8192);
            }
        }
        ++number;
    }
    for (HeskParameterElement& e : project.elements) {
        if (e.number >= 71 && e.number <= 73)
            e.word10 = 1;
        if (e.number == 70)
            e.currentValueText = QStringLiteral("37");
    }
}

HeskPort makePort(Random& random, int index, bool longForm)
{
    HeskPort p;
    p.version = longForm ? 2 : (index % 2);
    p.text1 = QStringLiteral("X%1").arg(index);
    p.text2 = QStringLiteral("端口%1").arg(index);
    p.word1 = index;
    p.text3 = random.chance(50) ? QStringLiteral("REAL") : QStringLiteral("BOOL");
    p.word2 = random.below(4);
    p.text4 = QStringLiteral("0.0");
    p.word3 = random.below(8);
    p.text7 = QStringLiteral("r%1").arg(random.below(3000), 4, 10, QLatin1Char('0'));
    p.word4 = random.below(100);
    p.word5 = -1;
    p.text11 = random.chance(20) ? QStringLiteral("注释") : QString();
    p.word6 = random.below(1000);
    p.word7 = random.below(1000);
    p.shortWord = static_cast<uint16_t>(random.below(65536));
    if (longForm) {
        p.text13 = QStringLiteral("EXT%1").arg(index);
        p.word8 = random.below(50);
        p.word9 = -random.below(50);
    }
    return p;
}

HeskBlock makeBlock(Random& random, int index)
{
    static const std::array<const char*, 6> kKinds = {"PI", "RFG", "LIM", "ADD", "MUL", "FILT"};
    HeskBlock b;
    b.word1 = index;
    b.texts1to6[0] = QString::fromUtf8(random.pick(kKinds));
    b.texts1to6[1] = QStringLiteral("%1_%2").arg(b.texts1to6[0]).arg(index);
    b.texts1to6[2] = QStringLiteral("速度控制器");
    for (int i = 0; i < 6; ++i)
        b.words2to7[static_cast<std::size_t>(i)] = random.below(2000);
    b.texts7to9[0] = QStringLiteral("T%1").arg(random.below(6));
    for (int i = 0, n = 2 + random.below(3); i < n; ++i)
        b.firstPorts.push_back(makePort(random, i, random.chance(50)));
    for (int i = 0, n = 1 + random.below(2); i < n; ++i)
        b.secondPorts.push_back(makePort(random, 10 + i, random.chance(50)));
    b.text10 = QStringLiteral("OB%1").arg(random.below(4));
    b.word8 = random.below(16);
    b.word9 = random.below(16);
    b.word10 = 1;
    return b;
}

HeskConnection makeConnection(Random& random, int index)
{
    HeskConnection c;
    // Short (0, 1), long (2) and a negative version, which is the long form as well.
    static const std::array<int32_t, 5> kVersions = {1, 2, 2, 0, -1};
    c.version = kVersions[static_cast<std::size_t>(index) % kVersions.size()];
    c.text1 = QStringLiteral("L%1").arg(index);
    for (int32_t& w : c.words1to4)
        w = random.below(4000);
    c.texts2to9[0] = QStringLiteral("PI_%1.Y").arg(index);
    c.texts2to9[1] = QStringLiteral("LIM_%1.X").arg(index + 1);
    for (int i = 0, n = random.below(4); i < n; ++i)
        c.points.push_back({random.below(4000), random.below(3000)});
    c.word5 = random.below(3);
    c.word6 = random.below(3);
    if (c.hasLongForm())
        c.word7 = random.below(100);
    return c;
}

void addProgram(HeskProject& project, Random& random, int definitions)
{
    auto& program = project.program;
    program.word1 = 7;
    program.texts1to4 = {QStringLiteral("HESK6700"), QStringLiteral("VRA1_MAIN"), QStringLiteral("2023-06-01"),
                         QStringLiteral("主程序")};
    program.word2 = 2;
    program.text5 = QStringLiteral("V1.14.18");
    const int packages = std::clamp(definitions / 2000, 1, 6);
    const int pagesPerPackage = std::clamp(definitions / 400, 1, 8);
    const int blocksPerPage = std::clamp(definitions / 100, 2, 8);
    int blockIndex = 0;
    for (int k = 0; k < packages; ++k) {
        HeskPackage package;
        package.word = k;
        package.text1 = QStringLiteral("PKG%1").arg(k);
        package.text2 = QStringLiteral("功能包%1").arg(k);
        for (int g = 0; g < pagesPerPackage; ++g) {
            HeskPage page;
            page.word1 = g;
            page.text1 = QStringLiteral("页%1").arg(g);
            page.word2 = 1;
            for (int b = 0; b < blocksPerPage; ++b)
                page.blocks.push_back(makeBlock(random, blockIndex++));
            for (int c = 0; c < blocksPerPage; ++c)
                page.connections.push_back(makeConnection(random, c));
            HeskExplain explain;
            explain.word1 = g;
            explain.text1 = QStringLiteral("说明：速度环");
            explain.words2to5 = {10, 20, 300, 40};
            page.explains.push_back(explain);
            page.word3 = -1;
            package.pages.push_back(std::move(page));
        }
        program.packages.push_back(std::move(package));
    }
}

void addTables(HeskProject& project, Random& random)
{
    for (const HeskParameterElement& e : project.elements)
        (e.isSettable() ? project.wordTableB : project.wordTableA).push_back(e.address);
    project.textTable = {QStringLiteral("CU"), QStringLiteral("PU"), QStringLiteral("控制单元")};
    for (int i = 0; i < 64; ++i)
        project.byteTable.append(static_cast<char>(random.below(256)));
    static const std::array<const char*, 6> kPowers = {"11", "15", "22", "37", "55", "75"};
    for (std::size_t r = 0; r < kPowers.size(); ++r) {
        UbaseInfo row;
        row.columns[0] = QString::fromUtf8(kPowers[r]);
        row.columns[1] = QStringLiteral("VRA1-%1").arg(QString::fromUtf8(kPowers[r]));
        for (std::size_t c = 2; c < row.columns.size(); ++c)
            row.columns[c] = QString::number(static_cast<double>(random.below(100000)) / 100.0, 'f', 2);
        project.ubaseTable.push_back(row);
    }
    for (const HeskParameterElement& e : project.elements) {
        if (project.customParameters.size() >= 12)
            break;
        if (e.isSettable() && !e.hasSubIndex())
            project.customParameters.push_back(e.number);
    }
}

}  // namespace

HeskProject makeSampleProject(const SampleProjectOptions& options)
{
    Random random(options.seed);
    HeskProject project;
    auto& h = project.header;
    h.headerWord = 1;
    h.deviceType = QStringLiteral("VRA1");
    h.deviceVersion = QStringLiteral("V1.14.18");
    h.headerTexts3to7 = {QStringLiteral("VRA1V11418"), QStringLiteral("变频器"), QStringLiteral("2023-06-01"),
                         QString(), QStringLiteral("示例工程")};
    h.creatorVersion = QStringLiteral("V2.16.35");
    h.programId = 0x4A21;
    h.secondHeaderWord = 3;
    h.cpuType = QStringLiteral("HESK6700");
    project.timeBases = {125, 250, 500, 1000, 2000, 4000};

    addDefinitions(project, random, options.definitions);
    addProgram(project, random, options.definitions);
    addTables(project, random);
    project.sortElements();
    return project;
}

}  // namespace hesk::testsupport
