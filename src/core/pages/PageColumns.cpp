#include "PageColumns.h"

#include <QCoreApplication>

namespace hesk::pages {

const std::array<PageColumnSpec, kPageColumnCount>& pageColumns()
{
    // Built at the first call, after the application has loaded its translator.
    static const std::array<PageColumnSpec, kPageColumnCount> columns = {{
        // Number, name, value, factory value and unit fit into about 700 pixels, so they
        // are all in view beside the project tree on a 1280-pixel screen.
        {QString(), 0},
        {QCoreApplication::translate("PageColumns", "主参数"), 80},
        {QCoreApplication::translate("PageColumns", "名称"), 240},
        {QString(), 30},
        {QCoreApplication::translate("PageColumns", "辅参数"), 80},
        {QCoreApplication::translate("PageColumns", "跟踪值"), 110},
        {QCoreApplication::translate("PageColumns", "出厂值"), 110},
        {QCoreApplication::translate("PageColumns", "单位"), 60},
        {QCoreApplication::translate("PageColumns", "注释"), 300},
    }};
    return columns;
}

}  // namespace hesk::pages
