#pragma once
// The interface language: Chinese (the texts as written) or English (the translation).
// The person's choice lives in the settings file ("SETTING", "LANGUAGE": "system",
// "zh_CN" or "en"); a command-line option may override it for one run. "system" follows
// the system locale: English unless its language is Chinese or it is C/POSIX (no locale
// at all, as on a bare build machine), so that such machines keep the Chinese window.

#include "model/UserPrompt.h"
#include "online/InterfaceSettings.h"

#include <QString>

#include <optional>

namespace hesk::shell {

enum class InterfaceLanguage { Chinese, English };
enum class LanguageSetting { System, Chinese, English };

// "system", "zh_CN", "en" (exactly, as stored); anything else is nothing.
std::optional<LanguageSetting> parseLanguageSetting(const QString& text);
QString languageSettingText(LanguageSetting setting);

// The language for a setting and the system locale's name ("zh_CN", "en_US.UTF-8", "C",
// "POSIX", "de_DE@euro"; empty counts as no locale).
InterfaceLanguage chooseInterfaceLanguage(LanguageSetting setting, const QString& systemLocaleName);

// The stored setting; a missing or unknown value reads as System.
LanguageSetting storedLanguageSetting(const online::InterfaceSettings& settings);

// Stores the person's choice and says that it takes effect at the next start. When the
// file cannot be written the person is told ("文件保存失败！") and the stored setting
// stays as it was. Returns the stored setting afterwards.
LanguageSetting chooseLanguageSetting(online::InterfaceSettings& settings, LanguageSetting setting,
                                      model::UserPrompt& prompt);

}  // namespace hesk::shell
