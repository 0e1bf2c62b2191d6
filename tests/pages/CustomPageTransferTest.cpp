// Saving the custom page to a .fpm file and loading one: the bytes written, every
// question and message on the way, the log lines of rejected lines, and that every
// refusal leaves the list as it was.

#include "NamedPipes.h"
#include "PageFixtures.h"
#include "ScriptedPrompt.h"

#include "pages/CustomPageFile.h"
#include "pages/CustomPageTransfer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace hesk;
using namespace hesk::pages;
using hesk::model::PromptAnswer;
using hesk::pages::test::definition;
using hesk::pages::test::RecordingLog;
using hesk::testsupport::ScriptedPrompt;

namespace {

const QDateTime kTime(QDate(2026, 12, 5), QTime(12, 15, 0));

model::HeskProject smallProject(const QString& deviceType)
{
    model::HeskProject project;
    project.header.deviceType = deviceType;
    project.header.deviceVersion = QStringLiteral("V1.14.18");
    project.elements = {definition(60, model::kNoSubIndex, true), definition(100, 1, true), definition(100, 2, true),
                        definition(943, 0, false)};
    project.sortElements();
    return project;
}

class FpmFiles : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    void writeFile(const QString& filePath, const QByteArray& bytes) const
    {
        QFile file(filePath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray readFile(const QString& filePath)
    {
        QFile file(filePath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QByteArray header(const char* style = "VRA1") const
    {
        return QByteArray(";Time:   2026-12-01 08:00:00\r\n;Device Style:   ") + style
            + "\r\n;Device Version:   V1.14.18\r\n";
    }
    CustomPageTransfer::LoadResult load() { return transfer.load(list); }
    std::vector<uint32_t> numbers() const { return project.customParameters; }

    QTemporaryDir dir;
    model::HeskProject project = smallProject(QStringLiteral("VRA1"));
    CustomPageState state;
    CustomPageList list{project, model::DeviceClass::Inverter, state};
    ScriptedPrompt prompt;
    RecordingLog log;
    CustomPageTransfer transfer{prompt, log, [] { return kTime; }};
};

model::UserMessage info(const QString& text)
{
    return {model::MessageKind::Information, QStringLiteral("信息"), text};
}
model::UserMessage error(const QString& text)
{
    return {model::MessageKind::Error, QStringLiteral("错误"), text};
}

}  // namespace

TEST_F(FpmFiles, saveWritesHeaderAndEachNumberOncePerRun)
{
    project.customParameters = {100, 100, 60, 943, 5};
    const QString target = path("custom.fpm");
    prompt.chooseFile(target);
    ASSERT_TRUE(transfer.saveAs(list));

    EXPECT_EQ(readFile(target), QByteArray(";Time:   2026-12-05 12:15:00\r\n"
                                           ";Device Style:   VRA1\r\n"
                                           ";Device Version:   V1.14.18\r\n"
                                           "100\r\n60\r\n943\r\n"));
    ASSERT_EQ(prompt.fileDialogs().size(), 1u);
    const model::FileDialogSpec& spec = prompt.fileDialogs()[0].spec;
    EXPECT_TRUE(prompt.fileDialogs()[0].save);
    EXPECT_EQ(spec.fileName, QStringLiteral("_20261205_121500.fpm"));
    EXPECT_EQ(spec.filter, QStringLiteral("fpm File (*.fpm)"));
    EXPECT_EQ(spec.defaultSuffix, QStringLiteral("fpm"));
    EXPECT_EQ(prompt.messages(), (std::vector<model::UserMessage>{info(QStringLiteral("成功将参数导出至文件：") + target)}));
    EXPECT_EQ(state.filePath, target);
    EXPECT_FALSE(state.changed);
}

TEST_F(FpmFiles, cancelledSaveWritesNothingAndSaysNothing)
{
    project.customParameters = {60};
    state.changed = true;
    prompt.chooseFile(std::nullopt);
    EXPECT_FALSE(transfer.saveAs(list));
    EXPECT_TRUE(prompt.messages().empty());
    EXPECT_TRUE(state.changed);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(FpmFiles, fileThatCannotBeCreatedIsReportedAndTheListKeepsItsMark)
{
    project.customParameters = {60};
    state.changed = true;
    prompt.chooseFile(path("missing-folder/custom.fpm"));
    EXPECT_FALSE(transfer.saveAs(list));
    EXPECT_EQ(prompt.messages(), (std::vector<model::UserMessage>{error(QStringLiteral("建立输出文件失败，请您重新尝试！"))}));
    EXPECT_TRUE(state.changed);
    EXPECT_TRUE(state.filePath.isEmpty());
}

TEST_F(FpmFiles, roundTripIntoAnotherProjectOfTheSameTypeAsksNothing)
{
    project.customParameters = {943, 100, 60};
    const QString target = path("round.fpm");
    prompt.chooseFile(target);
    ASSERT_TRUE(transfer.saveAs(list));

    model::HeskProject other = smallProject(QStringLiteral("VRA1"));
    CustomPageState otherState;
    CustomPageList otherList(other, model::DeviceClass::Inverter, otherState);
    prompt.chooseFile(target);
    ASSERT_EQ(transfer.load(otherList), CustomPageTransfer::LoadResult::Loaded);
    EXPECT_EQ(other.customParameters, (std::vector<uint32_t>{943, 100, 60}));
    EXPECT_EQ(otherState.filePath, target);
    EXPECT_TRUE(otherState.changed);
    EXPECT_TRUE(prompt.questions().empty());
    const model::FileDialogSpec& spec = prompt.fileDialogs().back().spec;
    EXPECT_FALSE(prompt.fileDialogs().back().save);
    EXPECT_EQ(spec.title, QStringLiteral("打开自定义参数文件"));
    EXPECT_EQ(spec.fileName, QStringLiteral("*.fpm"));
    EXPECT_EQ(spec.filter, QStringLiteral("fpm File (*.fpm)"));
}

TEST_F(FpmFiles, testBenchProjectReadsItsOwnUnknownStyleWithoutAQuestion)
{
    project = smallProject(QStringLiteral("标准产品测试台"));
    project.customParameters = {60};
    const QString target = path("bench.fpm");
    prompt.chooseFile(target);
    ASSERT_TRUE(transfer.saveAs(list));
    EXPECT_TRUE(readFile(target).contains(";Device Style:   UNKNOW\r\n"));
    prompt.chooseFile(target);
    EXPECT_EQ(load(), CustomPageTransfer::LoadResult::Loaded);
    EXPECT_TRUE(prompt.questions().empty());
}

TEST_F(FpmFiles, junkLinesAreLoggedFromLastToFirstAndDropped)
{
    const QString source = path("junk.fpm");
    writeFile(source, header() + "abc\r\n\r\n   100   \r\n5\n12a\r\n60\r\n;a comment line\r\n");
    prompt.chooseFile(source);
    EXPECT_EQ(load(), CustomPageTransfer::LoadResult::Loaded);
    EXPECT_EQ(numbers(), (std::vector<uint32_t>{100, 60}));
    EXPECT_EQ(log.lines, (std::vector<RecordingLog::Line>{
                             {QStringLiteral("导入自定义参数文件，参数格式不符：12a！"), 3},
                             {QStringLiteral("导入自定义参数文件，主参为5的参数不存在！"), 3},
                             {QStringLiteral("导入自定义参数文件，参数格式不符：abc！"), 3},
                         }));
}

TEST_F(FpmFiles, fileWithoutValidNumbersLeavesTheListAsItWas)
{
    project.customParameters = {943};
    const QString source = path("empty.fpm");
    writeFile(source, header() + "x\r\n70000\r\n");
    prompt.chooseFile(source);
    EXPECT_EQ(load(), CustomPageTransfer::LoadResult::Failed);
    EXPECT_EQ(numbers(), (std::vector<uint32_t>{943}));
    EXPECT_EQ(prompt.messages(), (std::vector<model::UserMessage>{
                                     {model::MessageKind::Information, QStringLiteral("提示"),
                                      QStringLiteral("文件中没有有效的参数信息！")}}));
}

TEST_F(FpmFiles, fileThatCannotBeOpenedIsReported)
{
    prompt.chooseFile(path("nowhere.fpm"));
    EXPECT_EQ(load(), CustomPageTransfer::LoadResult::Failed);
    EXPECT_EQ(prompt.messages(), (std::vector<model::UserMessage>{error(QStringLiteral("文件打开失败！"))}));
}

TEST_F(FpmFiles, onlyASmallRegularFileIsRead)
{
    project.customParameters = {943};
    const QString huge = path("huge.fpm");
    writeFile(huge, header() + "60\r\n");
    ASSERT_TRUE(QFile::resize(huge, kMaxCustomPageFileBytes + 1));
    prompt.chooseFile(huge);
    EXPECT_EQ(load(), CustomPageTransfer::LoadResult::Failed);
    EXPECT_EQ(prompt.messages(),
              (std::vector<model::UserMessage>{
                  error(QStringLiteral("文件") + huge + QStringLiteral("过大（超过1 MB），不是自定义参数文件，打开失败！"))}));

    // A pipe picked in the file dialog is not opened: the window would hang on it.
    const QString pipe = path("pipe.fpm");
    ASSERT_TRUE(hesk::testsupport::makeNamedPipe(pipe));
    prompt.chooseFile(pipe);
    const auto [result, blocked] = hesk::testsupport::runUnblockingPipe(pipe, [&] { return load(); });
    EXPECT_FALSE(blocked);
    EXPECT_EQ(result, CustomPageTransfer::LoadResult::Failed);
    EXPECT_EQ(prompt.messages().back(), error(QStringLiteral("文件打开失败！")));
    EXPECT_EQ(numbers(), std::vector<uint32_t>{943});
}

TEST_F(FpmFiles, cancelledOpenDialogDoesNothing)
{
    project.customParameters = {943};
    prompt.chooseFile(std::nullopt);
    EXPECT_EQ(load(), CustomPageTransfer::LoadResult::Cancelled);
    EXPECT_EQ(numbers(), (std::vector<uint32_t>{943}));
    EXPECT_TRUE(prompt.messages().empty());
}

// The two device-type questions: the question asked, and that No keeps the list.
struct StyleCase {
    const char* name;
    const char* fileHead;
    const char* deviceType;
    const char* question;  // nullptr: no question
};

class FpmStyle : public FpmFiles, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(FpmStyle, questionAndAnswerDecide)
{
    const StyleCase& c = GetParam();
    project = smallProject(QString::fromUtf8(c.deviceType));
    const QString source = path("style.fpm");
    writeFile(source, QByteArray(c.fileHead) + "60\r\n");

    for (const PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Yes}) {
        project.customParameters = {};
        prompt.chooseFile(source);
        if (c.question)
            prompt.answer(answer);
        const auto result = load();
        if (!c.question || answer == PromptAnswer::Yes) {
            EXPECT_EQ(result, CustomPageTransfer::LoadResult::Loaded) << c.name;
            EXPECT_EQ(numbers(), (std::vector<uint32_t>{60})) << c.name;
        } else {
            EXPECT_EQ(result, CustomPageTransfer::LoadResult::Cancelled) << c.name;
            EXPECT_TRUE(numbers().empty()) << c.name;
        }
    }
    if (!c.question) {
        EXPECT_TRUE(prompt.questions().empty()) << c.name;
        return;
    }
    ASSERT_EQ(prompt.questions().size(), 2u) << c.name;
    EXPECT_EQ(prompt.questions()[0].title, QStringLiteral("询问"));
    EXPECT_EQ(prompt.questions()[0].text, QString::fromUtf8(c.question));
    EXPECT_EQ(prompt.questions()[0].buttons, model::PromptButtons::YesNo);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FpmStyle,
    ::testing::Values(
        StyleCase{"sameInverter", ";Device Style:   VRA1\r\n", "VRA1", nullptr},
        StyleCase{"emptyStyleIsTheInverter", ";Device Style:\r\n", "VRA1", nullptr},
        StyleCase{"sameRectifier", ";Device Style:   AIC\r\n", "有源整流电源", nullptr},
        StyleCase{"otherRectifier", ";Device Style:   SLM\r\n", "有源整流电源",
                  "文件中的设备类型为：SLM，与当前工程不一致，是否继续加载？"},
        StyleCase{"rectifierFileForInverter", ";Device Style:   BLM\r\n", "VRA1",
                  "文件中的设备类型为：BLM，与当前工程不一致，是否继续加载？"},
        StyleCase{"unknownStyle", ";Device Style:   XYZ\r\n", "VRA1",
                  "文件中的设备类型为：XYZ，与当前工程不一致，是否继续加载？"},
        StyleCase{"noStyleLine", ";Time:   2026-12-01 08:00:00\r\n", "VRA1",
                  "文件中缺少有效的设备类型信息，是否继续加载？"},
        StyleCase{"styleOutsideAHeaderLine", "Device Style:   VRA1\r\n", "VRA1",
                  "文件中缺少有效的设备类型信息，是否继续加载？"}),
    [](const ::testing::TestParamInfo<StyleCase>& info) { return std::string(info.param.name); });

TEST_F(FpmFiles, listFromNoFileIsOfferedForSavingFirst)
{
    project.customParameters = {943};
    const QString source = path("new.fpm");
    writeFile(source, header() + "60\r\n");

    // No: loaded, nothing saved.
    prompt.chooseFile(source).answer(PromptAnswer::No);
    EXPECT_EQ(load(), CustomPageTransfer::LoadResult::Loaded);
    EXPECT_EQ(numbers(), (std::vector<uint32_t>{60}));
    ASSERT_EQ(prompt.questions().size(), 1u);
    EXPECT_EQ(prompt.questions()[0],
              (testsupport::PromptQuestion{QStringLiteral("提示"), QStringLiteral("当前自定义参数是否另存为文件？"),
                                           model::PromptButtons::YesNo}));
}

TEST_F(FpmFiles, savingTheCurrentListFirstThenLoading)
{
    project.customParameters = {943};
    const QString source = path("new.fpm");
    const QString keep = path("keep.fpm");
    writeFile(source, header() + "60\r\n");
    prompt.chooseFile(source).answer(PromptAnswer::Yes).chooseFile(keep);
    EXPECT_EQ(load(), CustomPageTransfer::LoadResult::Loaded);
    EXPECT_TRUE(readFile(keep).endsWith("\r\n943\r\n"));
    EXPECT_EQ(numbers(), (std::vector<uint32_t>{60}));
    EXPECT_EQ(state.filePath, source);
}

TEST_F(FpmFiles, cancelledSaveOfTheCurrentListStopsTheLoading)
{
    project.customParameters = {943};
    const QString source = path("new.fpm");
    writeFile(source, header() + "60\r\n");
    prompt.chooseFile(source).answer(PromptAnswer::Yes).chooseFile(std::nullopt);
    EXPECT_EQ(load(), CustomPageTransfer::LoadResult::Cancelled);
    EXPECT_EQ(numbers(), (std::vector<uint32_t>{943}));
    EXPECT_TRUE(state.filePath.isEmpty());
}

TEST_F(FpmFiles, changedListFromAFileIsOfferedForUpdatingThatFile)
{
    const QString original = path("original.fpm");
    const QString source = path("next.fpm");
    writeFile(original, header() + "943\r\n");
    writeFile(source, header() + "60\r\n");
    prompt.chooseFile(original);
    ASSERT_EQ(load(), CustomPageTransfer::LoadResult::Loaded);
    list.insert(-1, 100);  // changed since

    prompt.chooseFile(source).answer(PromptAnswer::Yes);
    EXPECT_EQ(load(), CustomPageTransfer::LoadResult::Loaded);
    ASSERT_EQ(prompt.questions().size(), 1u);
    EXPECT_EQ(prompt.questions()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(prompt.questions()[0].text, QStringLiteral("当前自定义参数是否更新至原文件？\n文件路径：") + original);
    EXPECT_TRUE(readFile(original).endsWith("\r\n943\r\n100\r\n"));
    EXPECT_EQ(numbers(), (std::vector<uint32_t>{60}));
    EXPECT_EQ(state.filePath, source);
}

TEST_F(FpmFiles, unchangedListFromAFileIsReplacedWithoutAQuestion)
{
    const QString original = path("original.fpm");
    writeFile(original, header() + "943\r\n");
    prompt.chooseFile(original);
    ASSERT_EQ(load(), CustomPageTransfer::LoadResult::Loaded);
    transfer.saveTo(list, original);  // saved: unchanged since
    ASSERT_FALSE(state.changed);

    const QString source = path("next.fpm");
    writeFile(source, header() + "60\r\n");
    prompt.chooseFile(source);
    EXPECT_EQ(load(), CustomPageTransfer::LoadResult::Loaded);
    EXPECT_TRUE(prompt.questions().empty());
}

TEST_F(FpmFiles, failedUpdateOfTheOriginalFileStopsTheLoading)
{
    QDir(dir.path()).mkdir(QStringLiteral("gone"));
    const QString original = path("gone/original.fpm");
    writeFile(original, header() + "943\r\n");
    prompt.chooseFile(original);
    ASSERT_EQ(load(), CustomPageTransfer::LoadResult::Loaded);
    list.insert(-1, 100);
    QDir(path("gone")).removeRecursively();

    const QString source = path("next.fpm");
    writeFile(source, header() + "60\r\n");
    prompt.chooseFile(source).answer(PromptAnswer::Yes);
    EXPECT_EQ(load(), CustomPageTransfer::LoadResult::Failed);
    EXPECT_EQ(prompt.messages().back(), error(QStringLiteral("建立输出文件失败，请您重新尝试！")));
    EXPECT_EQ(numbers(), (std::vector<uint32_t>{943, 100}));
    EXPECT_EQ(state.filePath, original);
}

TEST(CustomPageFileFormat, parsesTheFirstStyleLineOnlyAndTrimsLines)
{
    const CustomPageFileContent content = parseCustomPageFile(
        "  ;Device Style:    SLM  \r\n;Device Style:   AIC\r\n\t100\t\n ; note\n 7 \n");
    ASSERT_TRUE(content.deviceStyle);
    EXPECT_EQ(*content.deviceStyle, QStringLiteral("SLM"));
    EXPECT_EQ(content.parameterLines, (QStringList{"100", "7"}));
}

TEST(CustomPageFileFormat, lineNumbersAreDecimalDigitsOnly)
{
    EXPECT_EQ(parameterLineNumber(QStringLiteral("100")), 100u);
    EXPECT_EQ(parameterLineNumber(QStringLiteral("0")), 0u);
    EXPECT_EQ(parameterLineNumber(QStringLiteral("+1")), std::nullopt);
    EXPECT_EQ(parameterLineNumber(QStringLiteral("1 2")), std::nullopt);
    EXPECT_EQ(parameterLineNumber(QStringLiteral("0x10")), std::nullopt);
    EXPECT_EQ(parameterLineNumber(QStringLiteral("99999999999")), std::nullopt);
}
