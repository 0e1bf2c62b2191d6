#include "PageColumns.h"

namespace hesk::pages {

const std::array<PageColumnSpec, kPageColumnCount>& pageColumns()
{
    static const std::array<PageColumnSpec, kPageColumnCount> columns = {{
        // Number, name, value, factory value and unit fit into about 700 pixels, so they
        // are all in view beside the project tree on a 1280-pixel screen.
        {QString(), 0},
        {QStringLiteral("主参数"), 80},
        {QStringLiteral("名称"), 240},
        {QString(), 30},
        {QStringLiteral("辅参数"), 80},
        {QStringLiteral("跟踪值"), 110},
        {QStringLiteral("出厂值"), 110},
        {QStringLiteral("单位"), 60},
        {QStringLiteral("注释"), 300},
    }};
    return columns;
}

}  // namespace hesk::pages
