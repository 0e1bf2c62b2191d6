// Qt's own dialog and button texts follow the window's language.

#include "QtTranslations.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace hesk::apptest {
namespace {

QString qtText(const char* context, const char* text)
{
    return QCoreApplication::translate(context, text);
}

TEST(QtTranslations, qtDialogTextsAreChineseWhileInstalledAndEnglishAfter)
{
    {
        const app::QtTranslations texts;
        EXPECT_TRUE(texts.missing().isEmpty()) << texts.missing().join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(qtText("QFileDialog", "Look in:"), QStringLiteral("查找范围："));
        EXPECT_EQ(qtText("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
    }
    EXPECT_EQ(qtText("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
}

TEST(QtTranslations, missingCataloguesAreNamed)
{
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    const app::QtTranslations texts(empty.path());
    EXPECT_EQ(texts.missing(), (QStringList{empty.filePath(QStringLiteral("qtbase_zh_CN.qm")),
                                            empty.filePath(QStringLiteral("qtserialport_zh_CN.qm"))}));
    EXPECT_EQ(qtText("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
}

}  // namespace
}  // namespace hesk::apptest
