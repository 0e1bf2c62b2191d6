#include "PageColumns.h"

namespace hesk::pages {

const std::array<PageColumnSpec, kPageColumnCount>& pageColumns()
{
    static const std::array<PageColumnSpec, kPageColumnCount> columns = {{
        {QString(), 0},
        {QStringLiteral("主参数"), 100},
        {QStringLiteral("名称"), 300},
        {QString(), 30},
        {QStringLiteral("辅参数"), 100},
        {QStringLiteral("跟踪值"), 150},
        {QStringLiteral("出厂值"), 150},
        {QStringLiteral("单位"), 80},
        {QStringLiteral("注释"), 300},
    }};
    return columns;
}

}  // namespace hesk::pages
