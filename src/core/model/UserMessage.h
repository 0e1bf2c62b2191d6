#pragma once
// A message meant for the person at the tool: its kind decides the caption and icon
// ("错误", "警告", "提示", "信息", in the language of the loaded translator). Core code
// returns these; the GUI, the CLI and tests show or record them through the
// user-interaction seam.

#include <QCoreApplication>
#include <QString>

namespace hesk::model {

enum class MessageKind { Error, Warning, Hint, Information };

struct UserMessage {
    MessageKind kind = MessageKind::Error;
    QString title;
    QString text;

    static UserMessage error(const QString& text)
    {
        return {MessageKind::Error, QCoreApplication::translate("UserMessage", "错误"), text};
    }
    static UserMessage warning(const QString& text)
    {
        return {MessageKind::Warning, QCoreApplication::translate("UserMessage", "警告"), text};
    }
    static UserMessage hint(const QString& text)
    {
        return {MessageKind::Hint, QCoreApplication::translate("UserMessage", "提示"), text};
    }
    static UserMessage information(const QString& text)
    {
        return {MessageKind::Information, QCoreApplication::translate("UserMessage", "信息"), text};
    }
    bool operator==(const UserMessage&) const = default;
};

}  // namespace hesk::model
