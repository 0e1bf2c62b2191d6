#include "EditorMessages.h"

#include <QCoreApplication>

namespace hesk::editing {

using model::UserMessage;

UserMessage valueWriteFailed() { return UserMessage::warning(
    QCoreApplication::translate("EditorMessages", "在线修改参数值失败！")); }
UserMessage connectionWriteFailed() { return UserMessage::warning(
    QCoreApplication::translate("EditorMessages", "在线修改参数连线失败！")); }
UserMessage conversionFailed() { return UserMessage::error(
    QCoreApplication::translate("EditorMessages", "数据转换出错，请联系开发人员！")); }

UserMessage connectionSourceMissing()
{
    return UserMessage::hint(QCoreApplication::translate("EditorMessages", "请您输入参数号或双击列表相应行，修改连线！"));
}
UserMessage connectionSourceUnknown()
{
    return UserMessage::hint(QCoreApplication::translate("EditorMessages", "参数不存在，请您重新输入或双击列表相应行，修改连线！"));
}
UserMessage connectionSourceKindRefusal()
{
    return UserMessage::warning(QCoreApplication::translate("EditorMessages", "此连接型参数即不是K参数也不是B参数，请联系开发人员！"));
}
UserMessage notReconnectable() { return UserMessage::warning(
    QCoreApplication::translate("EditorMessages", "此参数不允许修改连线！")); }
UserMessage connectionCloseRefusal()
{
    return UserMessage::warning(QCoreApplication::translate("EditorMessages", "改连线过程中，不允许关闭对话框！"));
}
UserMessage valueCloseRefusal() { return UserMessage::warning(
    QCoreApplication::translate("EditorMessages", "改值过程中，不允许关闭对话框！")); }

}  // namespace hesk::editing
