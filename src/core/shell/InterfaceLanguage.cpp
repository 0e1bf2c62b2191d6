#include "InterfaceLanguage.h"

#include <QCoreApplication>

namespace hesk::shell {

std::optional<LanguageSetting> parseLanguageSetting(const QString& text)
{
    if (text == QLatin1String("system"))
        return LanguageSetting::System;
    if (text == QLatin1String("zh_CN"))
        return LanguageSetting::Chinese;
    if (text == QLatin1String("en"))
        return LanguageSetting::English;
    return std::nullopt;
}

QString languageSettingText(LanguageSetting setting)
{
    switch (setting) {
    case LanguageSetting::Chinese: return QStringLiteral("zh_CN");
    case LanguageSetting::English: return QStringLiteral("en");
    case LanguageSetting::System: break;
    }
    return QStringLiteral("system");
}

InterfaceLanguage chooseInterfaceLanguage(LanguageSetting setting, const QString& systemLocaleName)
{
    switch (setting) {
    case LanguageSetting::Chinese: return InterfaceLanguage::Chinese;
    case LanguageSetting::English: return InterfaceLanguage::English;
    case LanguageSetting::System: break;
    }
    // The language is the part before the territory, encoding or modifier.
    qsizetype end = systemLocaleName.size();
    for (const QChar separator : {QLatin1Char('_'), QLatin1Char('-'), QLatin1Char('.'), QLatin1Char('@')}) {
        const qsizetype at = systemLocaleName.indexOf(separator);
        if (at >= 0 && at < end)
            end = at;
    }
    const QString language = systemLocaleName.left(end).toLower();
    if (language.isEmpty() || language == QLatin1String("zh") || language == QLatin1String("c")
        || language == QLatin1String("posix"))
        return InterfaceLanguage::Chinese;
    return InterfaceLanguage::English;
}

LanguageSetting storedLanguageSetting(const online::InterfaceSettings& settings)
{
    return parseLanguageSetting(settings.interfaceLanguage()).value_or(LanguageSetting::System);
}

LanguageSetting chooseLanguageSetting(online::InterfaceSettings& settings, LanguageSetting setting,
                                      model::UserPrompt& prompt)
{
    const LanguageSetting before = storedLanguageSetting(settings);
    if (!settings.setInterfaceLanguage(languageSettingText(setting)).ok()) {
        prompt.show(model::MessageKind::Error, QCoreApplication::translate("InterfaceLanguage", "错误"),
                    QCoreApplication::translate("InterfaceLanguage", "文件保存失败！"));
        return before;
    }
    prompt.show(model::MessageKind::Hint, QCoreApplication::translate("InterfaceLanguage", "提示"),
                QCoreApplication::translate("InterfaceLanguage", "界面语言将在程序下次启动时切换。"));
    return setting;
}

}  // namespace hesk::shell
