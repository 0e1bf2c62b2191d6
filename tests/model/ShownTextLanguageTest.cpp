// With a translator loaded, what the person reads is translated while what is logged,
// compared or used as a key keeps its source text.

#include "MarkingTranslator.h"

#include "model/CpuTypeCheck.h"
#include "model/PageCatalogue.h"
#include "model/UserMessage.h"

#include <gtest/gtest.h>

using namespace hesk::model;
using hesk::testsupport::MarkingTranslator;
using hesk::testsupport::ScopedMarkingTranslator;

namespace {

QString shown(const char* source)
{
    return MarkingTranslator::marked(QString::fromUtf8(source));
}

TEST(ShownTextLanguage, messageCaptionsAreTranslated)
{
    const ScopedMarkingTranslator translator;
    ASSERT_TRUE(translator.installed());
    const QString text = QStringLiteral("x");
    EXPECT_EQ(UserMessage::error(text).title, shown("错误"));
    EXPECT_EQ(UserMessage::warning(text).title, shown("警告"));
    EXPECT_EQ(UserMessage::hint(text).title, shown("提示"));
    EXPECT_EQ(UserMessage::information(text).title, shown("信息"));
    EXPECT_EQ(UserMessage::error(text).text, text);  // the caller's text is not translated again
}

TEST(ShownTextLanguage, cpuCheckShowsTranslatedTextButLogsTheSource)
{
    const ScopedMarkingTranslator translator;
    ASSERT_TRUE(translator.installed());

    const CpuTypeCheckResult mismatch = checkDriveCpuType(0x6504, QStringLiteral("HESK6500"));
    EXPECT_EQ(mismatch.logText, QStringLiteral("<错误>设备的CPU类型是HESK6504，请重新打开CPU类型匹配的Monitor工程"));
    ASSERT_TRUE(mismatch.message.has_value());
    EXPECT_EQ(mismatch.message->text,
              MarkingTranslator::marked(QStringLiteral("设备的CPU类型是HESK6504，与上位机的CPU类型HESK6500不匹配！\n"
                                                       "请重新打开CPU类型匹配的Monitor工程\n连接操作被终止！")));

    const CpuTypeCheckResult unknown = checkDriveCpuType(0xFFFF, QStringLiteral("HESK6504"));
    EXPECT_EQ(unknown.logText, QStringLiteral("<ERROR>下位机CPU类型不在处理范围内。"));
    ASSERT_TRUE(unknown.message.has_value());
    EXPECT_EQ(unknown.message->text,
              MarkingTranslator::marked(
                  QStringLiteral("上位机CPU类型是HESK6504！下位机CPU类型不在处理范围内。\n连接操作被终止！")));
}

TEST(ShownTextLanguage, pageNamesStayKeysAndOnlyTheirCaptionsAreTranslated)
{
    const ScopedMarkingTranslator translator;
    ASSERT_TRUE(translator.installed());
    const PageCatalogue catalogue(DeviceClass::Inverter);
    const QStringList names = catalogue.pageNames();
    ASSERT_EQ(names.size(), 23);
    EXPECT_EQ(names.front(), pages::kSettable);
    EXPECT_TRUE(names.contains(QStringLiteral("有码盘矢量控制")));
    EXPECT_TRUE(catalogue.hasPage(QStringLiteral("控制字/状态字")));
    EXPECT_FALSE(catalogue.hasPage(shown("控制字/状态字")));
    for (const QString& name : names)
        EXPECT_EQ(pageCaption(name), MarkingTranslator::marked(name)) << name.toStdString();
}

TEST(ShownTextLanguage, withoutTranslatorTheCaptionIsTheName)
{
    for (const QString& name : PageCatalogue(DeviceClass::ActiveRectifier).pageNames())
        EXPECT_EQ(pageCaption(name), name) << name.toStdString();
}

}  // namespace
