// The interface language: the choice from the setting and the system locale, and the
// stored setting behind 设置 > 界面语言.

#include "QtPrinters.h"
#include "ScriptedPrompt.h"

#include "online/IniFile.h"
#include "shell/InterfaceLanguage.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace hesk;
using namespace hesk::shell;
using model::MessageKind;

namespace {

struct LanguageCase {
    LanguageSetting setting;
    const char* locale;
    InterfaceLanguage expected;
};

TEST(InterfaceLanguageTest, settingAndSystemLocaleChooseTheLanguage)
{
    const auto zh = InterfaceLanguage::Chinese;
    const auto en = InterfaceLanguage::English;
    const LanguageCase cases[] = {
        // "system" follows the locale's language.
        {LanguageSetting::System, "zh_CN", zh},
        {LanguageSetting::System, "zh_TW.UTF-8", zh},
        {LanguageSetting::System, "zh", zh},
        {LanguageSetting::System, "en_US", en},
        {LanguageSetting::System, "en_GB.UTF-8", en},
        {LanguageSetting::System, "de_DE@euro", en},
        {LanguageSetting::System, "fr-FR", en},
        {LanguageSetting::System, "ja_JP", en},
        // No locale at all keeps the window as it has always been.
        {LanguageSetting::System, "C", zh},
        {LanguageSetting::System, "C.UTF-8", zh},
        {LanguageSetting::System, "POSIX", zh},
        {LanguageSetting::System, "", zh},
        // An explicit choice wins over any locale.
        {LanguageSetting::Chinese, "en_US", zh},
        {LanguageSetting::Chinese, "C", zh},
        {LanguageSetting::English, "zh_CN", en},
        {LanguageSetting::English, "C", en},
    };
    for (const LanguageCase& c : cases)
        EXPECT_EQ(chooseInterfaceLanguage(c.setting, QString::fromUtf8(c.locale)), c.expected)
            << "setting " << languageSettingText(c.setting).toStdString() << ", locale '" << c.locale << "'";
}

TEST(InterfaceLanguageTest, settingTextsRoundTripAndOthersAreRefused)
{
    for (const LanguageSetting s : {LanguageSetting::System, LanguageSetting::Chinese, LanguageSetting::English})
        EXPECT_EQ(parseLanguageSetting(languageSettingText(s)), s);
    EXPECT_EQ(languageSettingText(LanguageSetting::Chinese), QStringLiteral("zh_CN"));
    EXPECT_EQ(languageSettingText(LanguageSetting::English), QStringLiteral("en"));
    for (const char* text : {"", "EN", "zh", "zh_TW", "english", " en", "system "})
        EXPECT_FALSE(parseLanguageSetting(QString::fromUtf8(text)).has_value()) << "'" << text << "'";
}

class StoredLanguageTest : public ::testing::Test {
protected:
    QString ini() const { return dir.filePath(QStringLiteral("interfacecfg.ini")); }
    online::InterfaceSettings settings() const { return online::InterfaceSettings({ini(), {}}); }
    QString storedText() const
    {
        return online::IniFile::load(ini()).file.value(QStringLiteral("SETTING"), QStringLiteral("LANGUAGE")).value_or(QString());
    }

    QTemporaryDir dir;
    testsupport::ScriptedPrompt prompt;
};

TEST_F(StoredLanguageTest, missingOrUnknownValueReadsAsSystem)
{
    EXPECT_EQ(storedLanguageSetting(settings()), LanguageSetting::System);  // no file
    online::InterfaceSettings s = settings();
    ASSERT_TRUE(s.setInterfaceLanguage(QStringLiteral("klingon")).ok());
    EXPECT_EQ(storedLanguageSetting(settings()), LanguageSetting::System);
}

TEST_F(StoredLanguageTest, choosingStoresTheSettingAndSaysWhenItTakesEffect)
{
    online::InterfaceSettings s = settings();
    ASSERT_TRUE(s.setApproximateComparison(true).ok());

    EXPECT_EQ(chooseLanguageSetting(s, LanguageSetting::English, prompt), LanguageSetting::English);

    EXPECT_EQ(storedText(), QStringLiteral("en"));
    EXPECT_EQ(storedLanguageSetting(settings()), LanguageSetting::English);
    EXPECT_TRUE(settings().approximateComparison());  // the other keys are kept
    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages().front(), (model::UserMessage{MessageKind::Hint, QStringLiteral("提示"),
                                                             QStringLiteral("界面语言将在程序下次启动时切换。")}));

    EXPECT_EQ(chooseLanguageSetting(s, LanguageSetting::System, prompt), LanguageSetting::System);
    EXPECT_EQ(storedText(), QStringLiteral("system"));
}

TEST_F(StoredLanguageTest, unwritableFileKeepsTheSettingAndSaysSo)
{
    ASSERT_TRUE(QDir().mkpath(ini()));  // a folder where the file should be
    online::InterfaceSettings s = settings();

    EXPECT_EQ(chooseLanguageSetting(s, LanguageSetting::English, prompt), LanguageSetting::System);

    EXPECT_EQ(storedLanguageSetting(settings()), LanguageSetting::System);
    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages().front(), (model::UserMessage{MessageKind::Error, QStringLiteral("错误"),
                                                             QStringLiteral("文件保存失败！")}));
}

}  // namespace
