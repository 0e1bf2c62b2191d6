// WidgetPrompt, the person's side of the prompt: message boxes with the caption and
// icon of their kind and Chinese buttons, questions answered by the button clicked (or
// dismissed), and the open-file and folder dialogs returning what was chosen.

#include "DialogTestSupport.h"
#include "QtPrinters.h"

#include "dialogs/WidgetPrompt.h"

#include <QAbstractButton>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace hesk::apptest {
namespace {

using app::WidgetPrompt;
using model::MessageKind;
using model::PromptAnswer;
using model::PromptButtons;

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

SeenBox describe(QMessageBox* box)
{
    SeenBox seen{box->windowTitle(), box->text(), box->icon(), {}};
    for (QAbstractButton* b : box->buttons())
        seen.buttons << b->text();
    seen.buttons.sort();
    return seen;
}

// Acts on the message box that opens: records it, then clicks the button with the text
// given, or presses Escape when it is empty.
ModalWatcher answerBox(SeenBox& seen, const QString& buttonText)
{
    return ModalWatcher([&seen, buttonText](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seen = describe(box);
        if (buttonText.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton* b : box->buttons())
            if (b->text() == buttonText)
                return b->click();
        ADD_FAILURE() << "no button " << buttonText.toStdString();
        box->close();
    });
}

TEST(WidgetPrompt, messagesShowTheirCaptionIconAndAChineseOkButton)
{
    struct Case {
        MessageKind kind;
        const char* title;
        QMessageBox::Icon icon;
    };
    const Case cases[] = {
        {MessageKind::Error, "错误", QMessageBox::Critical},
        {MessageKind::Warning, "警告", QMessageBox::Warning},
        {MessageKind::Information, "信息", QMessageBox::Information},
        {MessageKind::Hint, "提示", QMessageBox::NoIcon},
    };
    WidgetPrompt prompt;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        SeenBox seen;
        ModalWatcher watcher = answerBox(seen, QStringLiteral("确定"));
        prompt.show(c.kind, QString::fromUtf8(c.title), QStringLiteral("串口打开失败！"));
        EXPECT_TRUE(watcher.opened());
        EXPECT_EQ(seen.title, QString::fromUtf8(c.title));
        EXPECT_EQ(seen.text, QStringLiteral("串口打开失败！"));
        EXPECT_EQ(seen.icon, c.icon);
        EXPECT_EQ(seen.buttons, QStringList{"确定"});
    }
}

TEST(WidgetPrompt, questionsGiveTheButtonClickedOrTheDismissingAnswer)
{
    struct Case {
        PromptButtons buttons;
        const char* click;  // "" presses Escape
        PromptAnswer answer;
        QStringList offered;
    };
    const Case cases[] = {
        {PromptButtons::OkCancel, "确定", PromptAnswer::Ok, {"取消", "确定"}},
        {PromptButtons::OkCancel, "取消", PromptAnswer::Cancel, {"取消", "确定"}},
        {PromptButtons::OkCancel, "", PromptAnswer::Cancel, {"取消", "确定"}},
        {PromptButtons::YesNo, "是", PromptAnswer::Yes, {"否", "是"}},
        {PromptButtons::YesNo, "否", PromptAnswer::No, {"否", "是"}},
        {PromptButtons::YesNoCancel, "否", PromptAnswer::No, {"取消", "否", "是"}},
        {PromptButtons::YesNoCancel, "", PromptAnswer::Cancel, {"取消", "否", "是"}},
    };
    WidgetPrompt prompt;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.click);
        SeenBox seen;
        ModalWatcher watcher = answerBox(seen, QString::fromUtf8(c.click));
        const PromptAnswer answer =
            prompt.ask(QStringLiteral("警告"), QStringLiteral("已搜索到设备，是否打开对应工程？"), c.buttons);
        EXPECT_TRUE(watcher.opened());
        EXPECT_EQ(answer, c.answer);
        EXPECT_EQ(seen.title, QStringLiteral("警告"));
        EXPECT_EQ(seen.icon, QMessageBox::Question);
        QStringList offered = c.offered;
        offered.sort();
        EXPECT_EQ(seen.buttons, offered);
    }
}

TEST(WidgetPrompt, fileAndFolderDialogsReturnTheChoiceOrNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("Monitor.monitorary"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    WidgetPrompt prompt;

    QString title;
    ModalWatcher pickFile([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        dialog->selectFile(file);
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(prompt.openFile({QStringLiteral("打开中间文件"), dir.path(), QStringLiteral("Monitor.monitorary"),
                               QStringLiteral("项目文件(*.monitorary)"), {}}),
              file);
    EXPECT_EQ(title, QStringLiteral("打开中间文件"));

    ModalWatcher cancelFile([](QWidget* modal) { modal->close(); });
    EXPECT_EQ(prompt.openFile({QStringLiteral("打开中间文件"), dir.path(), {}, {}, {}}), std::nullopt);

    ModalWatcher pickFolder([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        static_cast<QDialog*>(dialog)->accept();  // the folder it opened in
    });
    const std::optional<QString> folder = prompt.chooseFolder({QStringLiteral("选取工程存放的目录"), dir.path()});
    ASSERT_TRUE(folder);
    EXPECT_EQ(QDir(*folder).canonicalPath(), QDir(dir.path()).canonicalPath());
    EXPECT_EQ(title, QStringLiteral("选取工程存放的目录"));

    ModalWatcher cancelFolder([](QWidget* modal) { modal->close(); });
    EXPECT_EQ(prompt.chooseFolder({QStringLiteral("选取工程存放的目录"), dir.path()}), std::nullopt);
}

}  // namespace
}  // namespace hesk::apptest
