// The scripted prompt the workflow tests talk to: it records what the person would have
// seen and fails the test on any question or file dialog the test did not expect.

#include "QtPrinters.h"
#include "ScriptedPrompt.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <memory>

using hesk::model::FileDialogSpec;
using hesk::model::MessageKind;
using hesk::model::PromptAnswer;
using hesk::model::PromptButtons;
using hesk::model::UserMessage;
using hesk::testsupport::PromptQuestion;
using hesk::testsupport::ScriptedPrompt;

namespace {

TEST(ScriptedPrompt, recordsMessagesAndAnswersQuestionsInOrder)
{
    ScriptedPrompt prompt;
    prompt.answer(PromptAnswer::Yes).answer(PromptAnswer::Cancel);
    prompt.showMessage(UserMessage::error(QStringLiteral("串口打开失败！")));
    prompt.show(MessageKind::Warning, QStringLiteral("WARNING"), QStringLiteral("当前机器上没有检测到串口设备!"));
    EXPECT_EQ(prompt.ask(QStringLiteral("提示"), QStringLiteral("保存？"), PromptButtons::YesNo), PromptAnswer::Yes);
    EXPECT_EQ(prompt.ask(QStringLiteral("警告"), QStringLiteral("打开？"), PromptButtons::OkCancel),
              PromptAnswer::Cancel);

    EXPECT_EQ(prompt.messages(),
              (std::vector<UserMessage>{
                  {MessageKind::Error, QStringLiteral("错误"), QStringLiteral("串口打开失败！")},
                  {MessageKind::Warning, QStringLiteral("WARNING"), QStringLiteral("当前机器上没有检测到串口设备!")}}));
    EXPECT_EQ(prompt.questions(),
              (std::vector<PromptQuestion>{{QStringLiteral("提示"), QStringLiteral("保存？"), PromptButtons::YesNo},
                                           {QStringLiteral("警告"), QStringLiteral("打开？"), PromptButtons::OkCancel}}));
}

TEST(ScriptedPrompt, fileDialogsAnswerFromTheirQueue)
{
    ScriptedPrompt prompt;
    prompt.chooseFile(QStringLiteral("/tmp/a.dnl")).chooseFile(std::nullopt);
    const FileDialogSpec spec{QStringLiteral("保存"), QStringLiteral("/tmp"), QStringLiteral("a.dnl"),
                              QStringLiteral("参数文件 (*.dnl)"), QStringLiteral("dnl")};
    EXPECT_EQ(prompt.saveFile(spec), QStringLiteral("/tmp/a.dnl"));
    EXPECT_EQ(prompt.openFile(spec), std::nullopt);
    ASSERT_EQ(prompt.fileDialogs().size(), 2u);
    EXPECT_TRUE(prompt.fileDialogs()[0].save);
    EXPECT_FALSE(prompt.fileDialogs()[1].save);
    EXPECT_EQ(prompt.fileDialogs()[1].spec, spec);
}

TEST(ScriptedPrompt, folderDialogsShareTheFileQueueInCallOrder)
{
    ScriptedPrompt prompt;
    prompt.chooseFile(QStringLiteral("/tmp/in.monitorary")).chooseFile(QStringLiteral("/tmp/projects")).chooseFile(std::nullopt);
    EXPECT_EQ(prompt.openFile({}), QStringLiteral("/tmp/in.monitorary"));
    EXPECT_EQ(prompt.chooseFolder({QStringLiteral("选取工程存放的目录"), QStringLiteral("/tmp")}),
              QStringLiteral("/tmp/projects"));
    EXPECT_EQ(prompt.chooseFolder({}), std::nullopt);
    ASSERT_EQ(prompt.fileDialogs().size(), 3u);
    EXPECT_FALSE(prompt.fileDialogs()[0].folder);
    EXPECT_TRUE(prompt.fileDialogs()[1].folder);
    EXPECT_FALSE(prompt.fileDialogs()[1].save);
    EXPECT_EQ(prompt.fileDialogs()[1].spec.title, QStringLiteral("选取工程存放的目录"));
    EXPECT_EQ(prompt.fileDialogs()[1].spec.directory, QStringLiteral("/tmp"));
    EXPECT_NONFATAL_FAILURE(prompt.chooseFolder({QStringLiteral("目录"), {}}), "unscripted folder dialog");
}

TEST(ScriptedPrompt, anUnscriptedQuestionFailsTheTestAndIsDismissed)
{
    ScriptedPrompt prompt;
    PromptAnswer answer = PromptAnswer::Ok;
    EXPECT_NONFATAL_FAILURE(answer = prompt.ask(QStringLiteral("提示"), QStringLiteral("意外的问题"), PromptButtons::YesNo),
                            "unscripted question");
    EXPECT_EQ(answer, PromptAnswer::No);
    EXPECT_NONFATAL_FAILURE(prompt.openFile({}), "unscripted open file dialog");
}

TEST(ScriptedPrompt, anAnswerTheQuestionDoesNotOfferFailsTheTest)
{
    ScriptedPrompt prompt;
    prompt.answer(PromptAnswer::Yes);
    PromptAnswer answer = PromptAnswer::Ok;
    EXPECT_NONFATAL_FAILURE(answer = prompt.ask(QStringLiteral("警告"), QStringLiteral("打开？"), PromptButtons::OkCancel),
                            "not offered");
    EXPECT_EQ(answer, PromptAnswer::Cancel);
}

TEST(ScriptedPrompt, scriptedAnswersNobodyAskedForFailTheTest)
{
    auto answers = std::make_unique<ScriptedPrompt>();
    answers->answer(PromptAnswer::Ok);
    EXPECT_NONFATAL_FAILURE(answers.reset(), "never asked for");

    auto files = std::make_unique<ScriptedPrompt>();
    files->chooseFile(QStringLiteral("/tmp/x"));
    EXPECT_NONFATAL_FAILURE(files.reset(), "never used");
}

}  // namespace
