#include "OfflineValueSave.h"

namespace hesk::pages {

QString offlineSaveNotBuiltText()
{
    return QStringLiteral("保存离线参数到dnl文件的功能尚未提供，离线信息没有保存，当前操作已停止。\n"
                          "如不需要保留离线修改，请在询问时选择“否”。");
}

bool saveOfflineValuesToParameterFile(const OfflineValueSet& values, model::UserPrompt& prompt, model::LogSink& log)
{
    log.log(QStringLiteral("<错误>保存离线参数到dnl文件的功能尚未提供，%1个离线修改没有保存")
                .arg(values.modifiedKeys().size()),
            3);
    prompt.show(model::MessageKind::Warning, QStringLiteral("警告"), offlineSaveNotBuiltText());
    return false;
}

}  // namespace hesk::pages
