#include "QuickSetupPages.h"

#include "link/ValueTables.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace hesk::operation {

namespace {

const QString kProduct = QStringLiteral("#product");

QuickSetupPageSpec page(int step, const char* title, std::initializer_list<const char*> labels,
                        QuickSetupAction action = QuickSetupAction::None)
{
    QuickSetupPageSpec spec;
    spec.step = step;
    // Translated when the pages are first asked for, which is after the translator is in place.
    spec.title = QCoreApplication::translate("QuickSetupPages", title);
    for (const char* label : labels)
        spec.labels << QString::fromLatin1(label);
    // Every page but the first ends with the menu level.
    if (step > 1)
        spec.labels << QStringLiteral("P0060");
    spec.action = action;
    return spec;
}

std::array<QuickSetupPageSpec, kQuickSetupSteps> buildPages()
{
    return {
        page(1, QT_TRANSLATE_NOOP("QuickSetupPages", "1   恢复出厂参数"), {"r0001", "P0970", "P0060"},
             QuickSetupAction::FactoryRestore),
        page(2, QT_TRANSLATE_NOOP("QuickSetupPages", "2   装置功率"),
             {"#product", "P0070", "r0071", "r0072", "r73", "P0089", "P0848.0", "P0848.1", "P0848.2", "P0848.3",
              "P0848.4", "P0848.5"}),
        page(3, QT_TRANSLATE_NOOP("QuickSetupPages", "3   参数组设置"),
             {"r0012", "r0011", "r0013", "P0590", "P579.n", "P578.n", "P577.n", "P576.n"},
             QuickSetupAction::DataSetDefaults),
        page(4, QT_TRANSLATE_NOOP("QuickSetupPages", "4   电机参数"),
             {"r0011", "P105.x", "P108.x", "P101.x", "P113.x", "P107.x", "P109.x", "P102.x", "P128.x", "P453.x",
              "P452.x", "P104.x"},
             QuickSetupAction::MotorAutomatic),
        page(5, QT_TRANSLATE_NOOP("QuickSetupPages", "5   编码器"), {"r0011", "P151.x", "P142", "P215.x", "P130.x"}),
        page(6, QT_TRANSLATE_NOOP("QuickSetupPages", "6   参考值"), {"P0350", "P0351", "P0352", "P0353", "P0354"}),
        page(7, QT_TRANSLATE_NOOP("QuickSetupPages", "7   控制模式，命令源"),
             {"r0011", "P100.x", "P368", "r0012", "P0590", "P443.n", "P554.n", "P555.n", "P561.n", "P565.n", "P567.n",
              "P568.n", "P571.n", "P572.n", "P573.n", "P574.n"}),
        page(8, QT_TRANSLATE_NOOP("QuickSetupPages", "8   斜坡函数发生器"),
             {"r0013", "P461", "P462.m", "P463.m", "P464.m", "P465.m", "P466.1", "P466.2", "P467.m", "P468", "P469.m",
              "P470.m"}),
        page(9, QT_TRANSLATE_NOOP("QuickSetupPages", "9   转速及转矩限幅"),
             {"r0011", "r0013", "P452.x", "P453.x", "P492.m", "P498.m"}),
        page(10, QT_TRANSLATE_NOOP("QuickSetupPages", "10 电机参数辨识"),
             {"r0001", "P115", "r0011", "P103.x", "P127.x", "P116.x", "P235.x", "P236.x", "P120.x", "P121.x", "P122.x",
              "P283.x", "P284.x", "P240.x", "r126"},
             QuickSetupAction::Identification),
    };
}

int dataSetOr1(const model::OpenedProject& project, const char* key, int maximum, const ReportedWord& reported)
{
    const model::HeskParameterElement* element = project.find(QString::fromLatin1(key));
    if (element == nullptr || !reported)
        return 1;
    const std::optional<uint16_t> word = reported(*element);
    if (!word || *word < 1 || *word > maximum)
        return 1;
    return *word;
}

}  // namespace

const std::array<QuickSetupPageSpec, kQuickSetupSteps>& quickSetupPages()
{
    static const std::array<QuickSetupPageSpec, kQuickSetupSteps> pages = buildPages();
    return pages;
}

ActiveDataSets activeDataSets(const model::OpenedProject& project, const ReportedWord& reported)
{
    return {dataSetOr1(project, "r0011", 4, reported), dataSetOr1(project, "r0012", 2, reported),
            dataSetOr1(project, "r0013", 4, reported)};
}

std::optional<QString> quickSetupKey(const QString& label, const ActiveDataSets& sets)
{
    static const QRegularExpression pattern(QStringLiteral("^([Pr])(\\d{1,4})(?:\\.([0-9]+|[xnm]))?$"));
    const QRegularExpressionMatch match = pattern.match(label);
    if (!match.hasMatch())
        return std::nullopt;
    QString key = match.captured(1) + QStringLiteral("%1").arg(match.captured(2).toInt(), 4, 10, QLatin1Char('0'));
    const QString index = match.captured(3);
    if (index.isEmpty())
        return key;
    if (index == QLatin1String("x"))
        return key + QLatin1Char('.') + QString::number(sets.motor);
    if (index == QLatin1String("n"))
        return key + QLatin1Char('.') + QString::number(sets.bico);
    if (index == QLatin1String("m"))
        return key + QLatin1Char('.') + QString::number(sets.function);
    return key + QLatin1Char('.') + QString::number(index.toInt());
}

std::vector<QuickSetupRow> quickSetupRows(const model::OpenedProject& project, int step, const ActiveDataSets& sets)
{
    std::vector<QuickSetupRow> rows;
    if (step < 1 || step > kQuickSetupSteps)
        return rows;
    for (const QString& label : quickSetupPages()[static_cast<std::size_t>(step - 1)].labels) {
        if (label == kProduct) {
            rows.push_back({label, nullptr});
            continue;
        }
        const std::optional<QString> key = quickSetupKey(label, sets);
        if (!key)
            continue;
        if (const model::HeskParameterElement* element = project.find(*key))
            rows.push_back({label, element});
    }
    return rows;
}

std::vector<const model::HeskParameterElement*> rowElements(const std::vector<QuickSetupRow>& rows)
{
    std::vector<const model::HeskParameterElement*> elements;
    for (const QuickSetupRow& row : rows)
        if (row.element && row.element->address < link::kAddressLimit)
            elements.push_back(row.element);
    return elements;
}

}  // namespace hesk::operation
