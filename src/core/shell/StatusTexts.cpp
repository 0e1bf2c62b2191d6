#include "StatusTexts.h"

#include <QCoreApplication>

namespace hesk::shell {

QString initialPageStatusText() { return QCoreApplication::translate("StatusTexts", "窗口未打开，请双击左侧树菜单"); }

QString pageStatusText(bool projectOpen, const std::optional<QString>& pageText)
{
    if (!projectOpen)
        return QCoreApplication::translate("StatusTexts", "未打开工程：请在菜单栏打开工程");
    if (!pageText || pageText->isEmpty())
        return QCoreApplication::translate("StatusTexts", "未打开窗口：请双击左侧树菜单");
    return *pageText;
}

}  // namespace hesk::shell
