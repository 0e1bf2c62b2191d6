#include "EditMessages.h"

#include <QCoreApplication>

namespace hesk::editing {

namespace {

// Warning icon with the application's name as caption.
model::UserMessage applicationWarning(const QString& text)
{
    return {model::MessageKind::Warning, QString::fromLatin1(kApplicationTitle), text};
}

}  // namespace

model::UserMessage recorderTransferringRefusal()
{
    return model::UserMessage::warning(QCoreApplication::translate("EditMessages", "触发录波正在传输数据，当前状态禁止改值！"));
}

model::UserMessage systemParameterRefusal()
{
    return model::UserMessage::warning(QCoreApplication::translate("EditMessages", "系统参数，不允许修改！"));
}

model::UserMessage accessStateRefusal()
{
    return applicationWarning(QCoreApplication::translate("EditMessages", "该参数在此权限状态下不能被修改！"));
}

model::UserMessage runningRefusal()
{
    return applicationWarning(QCoreApplication::translate("EditMessages", "该参数在此权限状态下不能被修改！\n"));
}

model::UserMessage menuLevelRefusal(const QString& forbiddenLevels)
{
    return applicationWarning(
        QCoreApplication::translate("EditMessages", "当参数菜单P60为 %1 时，该参数不能被修改！").arg(forbiddenLevels));
}

model::UserMessage inactiveDataSetRefusal()
{
    return applicationWarning(QCoreApplication::translate("EditMessages", "该参数是未激活的电机数据组，不能被修改！"));
}

model::UserMessage slaveCountRefusal()
{
    return applicationWarning(QCoreApplication::translate("EditMessages", "该参数超过设置的从站个数范围，不能被修改！"));
}

model::UserMessage inverterReadOnlyRefusal()
{
    return model::UserMessage::warning(QCoreApplication::translate("EditMessages", "此类型的参数不允许修改！"));
}

model::UserMessage rectifierReadOnlyRefusal()
{
    return model::UserMessage::warning(QCoreApplication::translate("EditMessages", "r参数不允许改值或改连线！"));
}

model::UserMessage rectifierStateRefusal()
{
    return model::UserMessage::warning(QCoreApplication::translate("EditMessages", "当前状态下，该参数不能修改！"));
}

}  // namespace hesk::editing
