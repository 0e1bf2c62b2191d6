#include "ProgramTreeBuilder.h"

#include "SampleRandom.h"

#include "model/ParameterTypes.h"

#include <QStringList>

#include <array>
#include <map>

namespace hesk::samples {

namespace {

using model::HeskBlock;
using model::HeskConnection;
using model::HeskExplain;
using model::HeskPackage;
using model::HeskPage;
using model::HeskPort;
using model::HeskProgram;

struct PackageSpec {
    const char* symbol;
    const char* title;
};

constexpr int kBlocksPerPage = 6;
constexpr int kDefinitionsPerBlock = 4;

int packageOf(const SampleDefinition& d, model::DeviceClass deviceClass)
{
    const int n = d.number;
    if (deviceClass == model::DeviceClass::TestBench)
        return (n >= 100 && n < 300) ? 0 : 1;
    if ((n >= 2000 && n < 4000) || (n >= 6000 && n < 7000))
        return 3;
    if ((n >= 700 && n < 800) || (n >= 7000 && n < 8000) || n == 918 || n == 919)
        return 2;
    if ((n >= 70 && n < 100) || (n >= 800 && n < 1000) || (n >= 340 && n < 400))
        return 1;
    return 0;
}

QString portDataType(uint16_t typeCode)
{
    switch (typeCode) {
    case 2: return QStringLiteral("BOOL");
    case 0:
    case 6:
    case 8: return QStringLiteral("WORD");
    case 3:
    case 5:
    case 9: return QStringLiteral("INT");
    default: return QStringLiteral("REAL");
    }
}

QString symbolOf(const SampleDefinition& d)
{
    QString symbol = QStringLiteral("%1%2").arg(d.settable() ? QLatin1Char('p') : QLatin1Char('r')).arg(d.number);
    if (d.hasSubIndex())
        symbol += QStringLiteral("[%1]").arg(d.subIndex);
    return symbol;
}

HeskPort makePort(SampleRandom& random, const SampleDefinition& d, int index, bool input)
{
    HeskPort p;
    p.version = random.chance(40) ? 1 : 2;
    p.text1 = QStringLiteral("%1%2").arg(input ? QLatin1Char('X') : QLatin1Char('Y')).arg(index + 1);
    p.text2 = d.name;
    p.word1 = index;
    p.text3 = portDataType(d.typeCode);
    p.word2 = d.typeCode;
    p.text4 = d.settable() ? d.deviceValueText : QString();
    p.text5 = d.unit;
    p.word3 = d.decimals;
    p.text7 = d.keyText();
    p.text8 = symbolOf(d);
    p.word4 = d.address;
    p.word5 = d.isConnection() ? 1 : 0;
    p.text11 = d.isConnection() ? d.deviceValueText : QString();
    p.word6 = input ? 0 : 120;
    p.word7 = 20 + 16 * index;
    p.shortWord = d.number;
    if (p.hasLongForm()) {
        p.text13 = d.timeSlice;
        p.word8 = d.hasSubIndex() ? d.subIndex : -1;
        p.word9 = 0;
    }
    return p;
}

HeskBlock makeBlock(SampleRandom& random, const std::vector<const SampleDefinition*>& members, int index,
                    const char* package)
{
    HeskBlock b;
    b.word1 = index;
    const SampleDefinition& first = *members.front();
    b.texts1to6[0] = first.isConnection() ? QStringLiteral("BICO") : first.settable() ? QStringLiteral("PARA")
                                                                                      : QStringLiteral("SIG");
    b.texts1to6[1] = QStringLiteral("%1_%2").arg(QLatin1String(package)).arg(index, 4, 10, QLatin1Char('0'));
    b.texts1to6[2] = first.name;
    b.texts1to6[3] = QStringLiteral("%1-%2").arg(first.number).arg(members.back()->number);
    const int column = index % kBlocksPerPage;
    b.words2to7 = {40 + 180 * (column % 3), 40 + 160 * (column / 3), 140, 30 + 16 * static_cast<int>(members.size()),
                   random.below(8), index};
    b.texts7to9[0] = first.timeSlice;
    int inputs = 0, outputs = 0;
    for (const SampleDefinition* d : members) {
        if (d->settable())
            b.firstPorts.push_back(makePort(random, *d, inputs++, true));
        else
            b.secondPorts.push_back(makePort(random, *d, outputs++, false));
    }
    b.text10 = QStringLiteral("OB%1").arg(first.timeSlice.mid(1));
    b.word8 = first.timeSlice.mid(1).toInt();
    b.word9 = inputs + outputs;
    b.text11 = QString();
    b.text12 = QString();
    b.word10 = 1;
    return b;
}

HeskConnection makeConnection(SampleRandom& random, const HeskBlock& from, const HeskBlock& to, int index)
{
    HeskConnection c;
    // Mostly the long form; the short ones are lines drawn by an older tool version.
    static const std::array<int32_t, 4> kVersions = {2, 1, 2, 0};
    c.version = kVersions[static_cast<std::size_t>(index) % kVersions.size()];
    c.text1 = QStringLiteral("L%1").arg(index);
    c.words1to4 = {from.word1, 0, to.word1, 0};
    c.texts2to9[0] = from.texts1to6[1] + QStringLiteral(".Y1");
    c.texts2to9[1] = to.texts1to6[1] + QStringLiteral(".X1");
    c.texts2to9[2] = from.secondPorts.empty() ? QString() : from.secondPorts.front().text7;
    c.texts2to9[3] = to.firstPorts.empty() ? QString() : to.firstPorts.front().text7;
    const int x1 = from.words2to7[0] + from.words2to7[2], y1 = from.words2to7[1] + 20;
    const int x2 = to.words2to7[0], y2 = to.words2to7[1] + 20;
    for (int i = 0, n = random.below(3); i < n; ++i)
        c.points.push_back({x1 + (x2 - x1) * (i + 1) / (n + 1), i % 2 ? y2 : y1});
    c.word5 = 1;
    c.word6 = random.below(2);
    if (c.hasLongForm())
        c.word7 = random.below(16);
    return c;
}

}  // namespace

HeskProgram makeProgram(const SampleProfile& profile, const std::vector<SampleDefinition>& definitions)
{
    SampleRandom random(profile.seed ^ 0x9E0C);
    const bool bench = profile.deviceClass == model::DeviceClass::TestBench;
    const std::vector<PackageSpec> packages =
        bench ? std::vector<PackageSpec>{{"TEST", "测试流程"}, {"PU", "功率单元"}}
              : std::vector<PackageSpec>{{"CU", "控制单元"}, {"PU", "功率单元"}, {"COMM", "通讯"}, {"FB", "自由功能块"}};
    const int maxBlocksPerPackage = profile.deviceClass == model::DeviceClass::Inverter ? 36 : bench ? 8 : 12;

    std::vector<std::vector<const SampleDefinition*>> members(packages.size());
    for (const SampleDefinition& d : definitions)
        if (d.inIntermediateFile)
            members[static_cast<std::size_t>(packageOf(d, profile.deviceClass))].push_back(&d);

    HeskProgram program;
    program.word1 = 7;
    program.texts1to4 = {profile.cpuType, profile.shortCode + QStringLiteral("_MAIN"),
                         QStringLiteral("2023-%1-15").arg(1 + static_cast<int>(profile.seed % 12), 2, 10, QLatin1Char('0')),
                         QStringLiteral("%1主程序").arg(profile.deviceType)};
    program.word2 = 2;
    program.text5 = profile.version;

    int blockIndex = 0;
    int connectionIndex = 0;
    for (std::size_t k = 0; k < packages.size(); ++k) {
        HeskPackage package;
        package.word = static_cast<int32_t>(k);
        package.text1 = QString::fromLatin1(packages[k].symbol);
        package.text2 = QString::fromUtf8(packages[k].title);
        const auto& list = members[k];
        const int groups = static_cast<int>((list.size() + kDefinitionsPerBlock - 1) / kDefinitionsPerBlock);
        const int blocks = std::min(groups, maxBlocksPerPackage);
        // Spread the blocks over the package's parameters rather than taking the first.
        std::vector<HeskBlock> built;
        for (int b = 0; b < blocks; ++b) {
            const std::size_t start = static_cast<std::size_t>(b) * static_cast<std::size_t>(groups) /
                                      static_cast<std::size_t>(blocks) * kDefinitionsPerBlock;
            std::vector<const SampleDefinition*> group;
            for (std::size_t i = start; i < list.size() && group.size() < kDefinitionsPerBlock; ++i)
                group.push_back(list[i]);
            built.push_back(makeBlock(random, group, blockIndex++, packages[k].symbol));
        }
        for (std::size_t first = 0; first < built.size(); first += kBlocksPerPage) {
            HeskPage page;
            page.word1 = static_cast<int32_t>(package.pages.size());
            page.text1 = QStringLiteral("%1 第%2页").arg(package.text2).arg(package.pages.size() + 1);
            page.word2 = 1;
            page.text2 = built[first].texts1to6[2];
            const std::size_t last = std::min(built.size(), first + kBlocksPerPage);
            for (std::size_t b = first; b < last; ++b) {
                page.blocks.push_back(built[b]);
                if (b > first)
                    page.connections.push_back(makeConnection(random, built[b - 1], built[b], connectionIndex++));
            }
            HeskExplain explain;
            explain.word1 = page.word1;
            explain.text1 = QStringLiteral("说明：%1，参数%2起").arg(page.text1, page.text2);
            explain.words2to5 = {20, 500, 600, 40};
            explain.text2 = profile.version;
            page.explains.push_back(explain);
            page.word3 = static_cast<int32_t>(page.blocks.size());
            package.pages.push_back(std::move(page));
        }
        program.packages.push_back(std::move(package));
    }
    return program;
}

}  // namespace hesk::samples
