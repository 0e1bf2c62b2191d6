#include "PageCatalogue.h"

#include <QCoreApplication>

#include <algorithm>

namespace hesk::model {

namespace {

struct PageList {
    const char* name;  // a key (compared, given on the command line); pageCaption() shows it
    const char* numbers;  // "1, 53, 100-101, 733-735[1-10]": ranges, optional sub-index range
};

constexpr const char* kVectorNoEncoder =
    "1, 53, 60, 100-103, 107-109, 113, 115-116, 118-124, 126, 128-129, 215, 218, 222-223, "
    "229-230, 232-238, 240, 275, 283-284, 293, 315-318, 322, 325-326, 330-332, 334, 342, "
    "345-346, 602";

const std::vector<PageList>& inverterPages()
{
    static const std::vector<PageList> list = {
        {QT_TRANSLATE_NOOP("PageCatalogue", "控制字/状态字"), "550-569, 571-591"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "V/F开环控制(带码盘)"),
         "1, 53, 60, 100-101, 107-109, 121, 128-129, 215, 218, 222-223, 229-230, 232-238, 240, "
         "275, 293, 317-318, 322, 325-326, 330-332, 334, 342, 345-346, 602"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "V/F开环控制"),
         "1, 53, 60, 100-101, 107-109, 121, 128-129, 218, 229, 275, 293, 317-318, 322, 325-326, "
         "330-332, 336, 342, 345-346, 602"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "V/F开环控制(纺织应用)"),
         "1, 53, 60, 100-101, 107-109, 121, 128-129, 218, 229, 275, 293, 317-318, 322, 325-326, "
         "330-332, 336, 342, 345-346, 602"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "无码盘矢量控制"), kVectorNoEncoder},
        // vector control without encoder plus 142, 151
        {QT_TRANSLATE_NOOP("PageCatalogue", "有码盘矢量控制"), nullptr},
        // vector control with encoder plus the torque numbers
        {QT_TRANSLATE_NOOP("PageCatalogue", "转矩控制"), nullptr},
        {QT_TRANSLATE_NOOP("PageCatalogue", "电机数据组"),
         "100-109, 113, 116, 120-122, 127-128, 151, 215-216, 221, 223, 233-236, 240, 246, 250, "
         "253-254, 258-259, 278-280, 283-284, 287, 291, 293, 295, 301, 303, 305, 313-316, "
         "318-319, 322, 325-326, 330-332, 334-336, 340, 342, 344, 380-381, 383, 452-453, 471, "
         "515-519, 523, 536, 602-603, 760-762, 805-806"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "功能数据组"),
         "401-412, 434, 439, 444-445, 455-457, 462-465, 467, 469-470, 487, 492, 494, 498, 500, "
         "504-505, 507, 509, 792-794, 796-798, 800-801, 2001-2009, 2011-2018, 2021-2028, 2129, "
         "2131, 2133, 2294, 2297, 2300, 2303, 2306, 2309, 2313, 2330-2335, 2364, 2366-2367"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "BICO数据组"),
         "222, 232, 238, 241-242, 245, 256-257, 275, 317, 385, 417-418, 433, 438, 443, 473, "
         "483-484, 486, 493, 499, 506, 508, 554-569, 571-589, 591, 601, 651-654, 763"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "DP通讯"), "60, 722, 738-739, 918, 733-735[1-10]"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "PN通讯"), "60, 722, 733-735, 738-739, 919"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "SLB通讯"), "740, 743, 749-752"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "逆变器并联"), "60, 70-73, 89-90, 848"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "故障/报警"), "380-381, 383-384, 781, 943, 947, 949"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "自由功能参数"),
         "2001-2009, 2011-2187, 2190-2212, 2221-2318, 2320-2338, 2340-2344, 2346-2372, "
         "2380-2383, 2400-2421, 2433-2435, 2440-2443, 2950-2951"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "恢复出厂设定"), "1, 53, 60, 366, 826, 828, 970"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "系统设定"),
         "1, 11, 53, 60, 100-110, 113, 115, 201-204, 292, 320, 330, 333, 340-341, 350-354, "
         "380-384, 452-453, 826-828, 907-910, 918, 952, 977, 979"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "功率部分定义"), "1, 53, 60, 70-73, 89-90, 349, 359, 826-828, 848, 890, 900"},
    };
    return list;
}

const std::vector<PageList>& activeRectifierPages()
{
    static const std::vector<PageList> list = {
        {QT_TRANSLATE_NOOP("PageCatalogue", "控制字/状态字"), "550, 552, 554-557, 560-561, 565-567, 575"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "功能数据组"), "640, 643-644, 652-654"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "DP通讯"), "60, 722, 918, 733-735[1-10]"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "PN通讯"), "60, 722, 733-735, 919"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "装置并联"), "1, 60, 89, 848"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "故障/报警"), "943, 947, 949-951"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "自由功能参数"), "2072-2074, 2076-2079, 2221-2224, 2239-2242, 2251-2254"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "恢复出厂设定"), "1, 53, 60, 828, 970"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "系统设定"),
         "1, 11, 53, 60, 73-74, 81-86, 160-161, 173, 339, 342, 349, 384, 828, 888-889, 900, 952"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "功率部分定义"), "1, 53, 60, 70-72, 75, 89, 125, 828, 848, 890"},
    };
    return list;
}

const std::vector<PageList>& rectifierPages()
{
    static const std::vector<PageList> list = {
        {QT_TRANSLATE_NOOP("PageCatalogue", "控制字/状态字"), "550, 552, 554-556, 565-567, 575, 591"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "功能数据组"), "640, 643-644, 652-654"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "DP通讯"), "60, 722, 918, 733-735[1-10]"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "PN通讯"), "60, 722, 733-735, 919"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "装置并联"), "1, 60, 89, 848"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "故障/报警"), "943, 947, 949-950"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "自由功能参数"), "2072-2079, 2221-2254"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "恢复出厂设定"), "1, 53, 60, 970"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "系统设定"),
         "1, 11, 53, 60, 81-82, 145, 161, 187-190, 193-199, 325, 600-601, 828, 952"},
        {QT_TRANSLATE_NOOP("PageCatalogue", "功率部分定义"),
         "1, 53, 60, 70-73, 75, 89, 350-351, 828, 835, 838-841, 843-844, 848"},
    };
    return list;
}

// "100-103" or "733-735[1-10]" or "53": the text is fixed data, written above.
std::pair<int, int> parseSpan(const QString& text)
{
    const qsizetype dash = text.indexOf(QLatin1Char('-'));
    if (dash < 0)
        return {text.toInt(), text.toInt()};
    return {text.left(dash).toInt(), text.mid(dash + 1).toInt()};
}

}  // namespace

PageCatalogue::PageCatalogue(DeviceClass deviceClass)
{
    const std::vector<PageList>* lists = nullptr;
    switch (deviceClass) {
    case DeviceClass::Inverter: lists = &inverterPages(); break;
    case DeviceClass::ActiveRectifier: lists = &activeRectifierPages(); break;
    case DeviceClass::FeedbackRectifier:
    case DeviceClass::BasicRectifier: lists = &rectifierPages(); break;
    case DeviceClass::None:
    case DeviceClass::TestBench: return;
    }
    for (const PageList& list : *lists) {
        GroupPage page{QString::fromUtf8(list.name), {}};
        if (list.numbers) {
            for (const QString& item : QString::fromLatin1(list.numbers).split(QLatin1Char(','))) {
                QString text = item.trimmed();
                NumberRange range{};
                range.firstSubIndex = range.lastSubIndex = -1;
                const qsizetype bracket = text.indexOf(QLatin1Char('['));
                if (bracket >= 0) {
                    const auto sub = parseSpan(text.mid(bracket + 1).chopped(1));
                    range.firstSubIndex = sub.first;
                    range.lastSubIndex = sub.second;
                    text = text.left(bracket);
                }
                const auto span = parseSpan(text);
                range.first = span.first;
                range.last = span.second;
                page.ranges.push_back(range);
            }
        } else {
            // The two vector pages extend the page before them.
            page.ranges = groups_.back().ranges;
            const std::vector<std::pair<int, int>> extra =
                page.name == QStringLiteral("有码盘矢量控制")
                    ? std::vector<std::pair<int, int>>{{142, 142}, {151, 151}}
                    : std::vector<std::pair<int, int>>{{486, 487}, {492, 494}, {496, 500},
                                                       {502, 503}, {505, 505}, {587, 587}};
            for (const auto& [first, last] : extra)
                page.ranges.push_back({first, last, -1, -1});
        }
        groups_.push_back(std::move(page));
    }
}

QString pageCaption(const QString& pageName)
{
    // The general pages' names, listed here for the translation tools; the names in the
    // tables above are marked where they stand.
    [[maybe_unused]] static constexpr const char* kGeneralPages[] = {
        QT_TRANSLATE_NOOP("PageCatalogue", "P参数"), QT_TRANSLATE_NOOP("PageCatalogue", "r参数"),
        QT_TRANSLATE_NOOP("PageCatalogue", "所有参数"), QT_TRANSLATE_NOOP("PageCatalogue", "自定义参数")};
    return QCoreApplication::translate("PageCatalogue", pageName.toUtf8().constData());
}

QStringList PageCatalogue::pageNames() const
{
    QStringList names{pages::kSettable, pages::kReadOnly, pages::kAll, pages::kCustom};
    for (const GroupPage& page : groups_)
        names << page.name;
    return names;
}

bool PageCatalogue::hasPage(const QString& pageName) const
{
    return pageNames().contains(pageName);
}

bool PageCatalogue::groupContains(const GroupPage& page, const HeskParameterElement& element) const
{
    for (const NumberRange& range : page.ranges) {
        if (element.number < range.first || element.number > range.last)
            continue;
        if (range.firstSubIndex < 0)
            return true;
        if (element.hasSubIndex() && element.subIndex >= range.firstSubIndex
            && element.subIndex <= range.lastSubIndex)
            return true;
    }
    return false;
}

std::vector<std::size_t> PageCatalogue::rows(const HeskProject& project, const QString& pageName) const
{
    std::vector<std::size_t> result;
    const auto& elements = project.elements;
    if (pageName == pages::kCustom) {
        for (uint32_t listed : project.customParameters) {
            const auto number = static_cast<uint16_t>(listed & 0xFFFF);
            // The definitions are sorted by number: all of one number stand together.
            auto it = std::lower_bound(elements.begin(), elements.end(), number,
                                       [](const HeskParameterElement& e, uint16_t n) { return e.number < n; });
            for (; it != elements.end() && it->number == number; ++it)
                result.push_back(static_cast<std::size_t>(it - elements.begin()));
        }
        return result;
    }
    const GroupPage* group = nullptr;
    for (const GroupPage& page : groups_)
        if (page.name == pageName)
            group = &page;
    const bool settableOnly = pageName == pages::kSettable;
    const bool readOnlyOnly = pageName == pages::kReadOnly;
    if (!group && !settableOnly && !readOnlyOnly && pageName != pages::kAll)
        return result;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const HeskParameterElement& element = elements[i];
        if (settableOnly && !element.isSettable())
            continue;
        if (readOnlyOnly && element.isSettable())
            continue;
        if (group && !groupContains(*group, element))
            continue;
        result.push_back(i);
    }
    return result;
}

}  // namespace hesk::model
