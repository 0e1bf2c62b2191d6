#include "EditorMessages.h"

namespace hesk::editing {

using model::UserMessage;

UserMessage valueWriteFailed() { return UserMessage::warning(QStringLiteral("在线修改参数值失败！")); }
UserMessage connectionWriteFailed() { return UserMessage::warning(QStringLiteral("在线修改参数连线失败！")); }
UserMessage conversionFailed() { return UserMessage::error(QStringLiteral("数据转换出错，请联系开发人员！")); }

UserMessage connectionSourceMissing()
{
    return UserMessage::hint(QStringLiteral("请您输入参数号或双击列表相应行，修改连线！"));
}
UserMessage connectionSourceUnknown()
{
    return UserMessage::hint(QStringLiteral("参数不存在，请您重新输入或双击列表相应行，修改连线！"));
}
UserMessage connectionSourceKindRefusal()
{
    return UserMessage::warning(QStringLiteral("此连接型参数即不是K参数也不是B参数，请联系开发人员！"));
}
UserMessage notReconnectable() { return UserMessage::warning(QStringLiteral("此参数不允许修改连线！")); }
UserMessage connectionCloseRefusal()
{
    return UserMessage::warning(QStringLiteral("改连线过程中，不允许关闭对话框！"));
}
UserMessage valueCloseRefusal() { return UserMessage::warning(QStringLiteral("改值过程中，不允许关闭对话框！")); }

}  // namespace hesk::editing
