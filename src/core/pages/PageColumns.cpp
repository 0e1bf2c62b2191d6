#include "PageColumns.h"

#include <QCoreApplication>

namespace hesk::pages {

const std::array<PageColumnSpec, kPageColumnCount>& pageColumns()
{
    // Number, name, value, factory value and unit fit into about 700 pixels, so they are
    // all in view beside the project tree on a 1280-pixel screen.
    static constexpr std::array<PageColumnSpec, kPageColumnCount> columns = {{
        {"", 0},
        {QT_TRANSLATE_NOOP("PageColumns", "主参数"), 80},
        {QT_TRANSLATE_NOOP("PageColumns", "名称"), 240},
        {"", 30},
        {QT_TRANSLATE_NOOP("PageColumns", "辅参数"), 80},
        {QT_TRANSLATE_NOOP("PageColumns", "跟踪值"), 110},
        {QT_TRANSLATE_NOOP("PageColumns", "出厂值"), 110},
        {QT_TRANSLATE_NOOP("PageColumns", "单位"), 60},
        {QT_TRANSLATE_NOOP("PageColumns", "注释"), 300},
    }};
    return columns;
}

QString pageColumnHeader(int column)
{
    if (column < 0 || column >= kPageColumnCount)
        return {};
    const char* header = pageColumns()[static_cast<std::size_t>(column)].header;
    // Translated at every call, so the headers follow the translator installed now.
    return *header == '\0' ? QString() : QCoreApplication::translate("PageColumns", header);
}

}  // namespace hesk::pages
