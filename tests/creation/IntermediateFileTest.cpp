// The intermediate file: fields read from a byte-by-byte fixture, the mapping into
// definitions, truncation at every field and the load messages.

#include "CreationInputs.h"
#include "IntermediateFileBytes.h"
#include "NamedPipes.h"
#include "QtPrinters.h"

#include "creation/IntermediateFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace hesk::creation;
using namespace hesk::testsupport::intermediate;
using hesk::testsupport::ByteBuilder;
using hesk::model::HeskParameterElement;
using hesk::model::HeskProject;
using hesk::model::MessageKind;

namespace {

TEST(IntermediateFile, readsEveryFieldInOrder)
{
    const auto file = parseIntermediateFile(intermediateFileBytes(inverterSpec()));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->programId, 0x4242);
    EXPECT_EQ(file->secondHeaderWord, 7);
    EXPECT_EQ(file->cpuType, "HESK6700");
    EXPECT_EQ(file->program.word1, 11);
    EXPECT_EQ(file->program.text5, "prog5");
    ASSERT_EQ(file->program.packages.size(), 1u);
    ASSERT_EQ(file->program.packages[0].pages.size(), 1u);
    EXPECT_EQ(file->program.packages[0].pages[0].text2, "page2");
    EXPECT_EQ(file->timeBases, (std::array<int32_t, 6>{125, 250, 500, 1000, 2000, 4000}));
    ASSERT_EQ(file->firstDefinitions.size(), 4u);
    ASSERT_EQ(file->secondDefinitions.size(), 3u);
    const hesk::model::TTemporaryElement& e = file->firstDefinitions[0];
    EXPECT_EQ(e.words, (std::array<uint16_t, 9>{340, 255, 3, 12, 0x0505, 0x0606, 1, 0, 0x0909}));
    EXPECT_EQ(e.texts[0], "s1");
    EXPECT_EQ(e.texts[2], "32767");
    EXPECT_EQ(e.texts[5], "中间名340");
    EXPECT_EQ(e.texts[10], "s11");
    EXPECT_EQ(file->wordTableA, (std::vector<uint16_t>{0xA001, 0xA002, 0xA003}));
    EXPECT_EQ(file->wordTableB, (std::vector<uint16_t>{0xB001, 0xB002}));
    EXPECT_EQ(file->textTable, QStringList({"text one", "第二"}));
    EXPECT_EQ(file->byteTable, QByteArray::fromHex("DEADBEEF"));
}

TEST(IntermediateFile, writerReproducesTheFixtureBytes)
{
    const QByteArray bytes = intermediateFileBytes(inverterSpec());
    const auto file = parseIntermediateFile(bytes);
    ASSERT_TRUE(file);
    EXPECT_EQ(serializeIntermediateFile(*file), bytes);
}

TEST(IntermediateFile, definitionsTakeTheWordsAndTextsInOrderBothListsAppended)
{
    const auto file = parseIntermediateFile(intermediateFileBytes(inverterSpec()));
    ASSERT_TRUE(file);
    const HeskProject project = projectFromIntermediate(*file);
    EXPECT_EQ(project.header.programId, 0x4242);
    EXPECT_EQ(project.header.secondHeaderWord, 7);
    EXPECT_EQ(project.header.cpuType, "HESK6700");
    EXPECT_EQ(project.program, file->program);
    EXPECT_EQ(project.timeBases, file->timeBases);
    EXPECT_EQ(project.wordTableA, file->wordTableA);
    EXPECT_EQ(project.byteTable, file->byteTable);
    EXPECT_TRUE(project.ubaseTable.empty());
    EXPECT_TRUE(project.customParameters.empty());
    ASSERT_EQ(project.elements.size(), 7u);

    // File order, first list then second; nothing sorted yet.
    std::vector<std::pair<int, int>> order;
    for (const HeskParameterElement& element : project.elements)
        order.emplace_back(element.number, element.subIndex);
    EXPECT_EQ(order, (std::vector<std::pair<int, int>>{{340, 255}, {21, 255}, {107, 1}, {107, 2}, {100, 1}, {100, 0}, {100, 255}}));

    HeskParameterElement expected;
    expected.number = 21;
    expected.subIndex = 255;
    expected.typeCode = 3;
    expected.address = 40;
    expected.word5 = 0x0505;
    expected.word6 = 0x0606;
    expected.settable = 0;
    expected.connectionFlag = 0;
    expected.word9 = 0x0909;
    expected.sourceText1 = "s1";
    expected.rawMaxText = "32767";
    expected.rawMinText = "-32768";
    expected.comment = "中间注释21";
    expected.name = "中间名21";
    expected.sourceTexts7to11 = {"s7", "s8", "s9", "s10", "s11"};
    EXPECT_EQ(project.elements[1], expected);
    EXPECT_EQ(temporaryElementOf(project.elements[1]), file->firstDefinitions[1]);
}

TEST(IntermediateFile, cutShortAnywhereOrWithTrailingBytesIsNoFile)
{
    const QByteArray bytes = intermediateFileBytes(inverterSpec());
    // Offsets inside each field: program id, second word, CPU type, program, time
    // bases, both definition lists, word tables, text table, byte table.
    std::vector<qsizetype> cuts = {0, 1, 3, 6, 12, 40, 120, 160, 200};
    for (int tenth = 3; tenth <= 9; ++tenth)
        cuts.push_back(bytes.size() * tenth / 10);
    for (qsizetype tail = 1; tail <= 40; ++tail)
        cuts.push_back(bytes.size() - tail);
    for (qsizetype cut : cuts) {
        ASSERT_LT(cut, bytes.size());
        EXPECT_FALSE(parseIntermediateFile(bytes.left(cut))) << "cut at " << cut;
    }
    EXPECT_FALSE(parseIntermediateFile(bytes + '\0'));
}

TEST(IntermediateFile, absurdCountsFailBeforeAnyAllocation)
{
    ByteBuilder b;
    b.u16(1).u16(2).text("HESK6700");
    hesk::testsupport::intermediate::appendProgram(b);
    b.i32(0).i32(0).i32(0).i32(0).i32(0).i32(0);
    b.count(0x7FFFFFFF);  // first definitions, with nothing behind
    EXPECT_FALSE(parseIntermediateFile(b.data()));

    ByteBuilder words;
    words.u16(1).u16(2).text("HESK6700");
    hesk::testsupport::intermediate::appendProgram(words);
    words.i32(0).i32(0).i32(0).i32(0).i32(0).i32(0).count(0).count(-5).count(0x40000000);
    EXPECT_FALSE(parseIntermediateFile(words.data()));
}

TEST(IntermediateFile, loadMessagesNameThePath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray bytes = intermediateFileBytes(inverterSpec());
    const QString good = dir.filePath("Monitor.monitorary");
    const QString upper = dir.filePath("UPPER.MONITORARY");
    const QString cut = dir.filePath("cut.monitorary");
    const QString wrong = dir.filePath("Monitor.tmprj");
    ASSERT_TRUE(hesk::testsupport::creation::writeBytes(good, bytes));
    ASSERT_TRUE(hesk::testsupport::creation::writeBytes(upper, bytes));
    ASSERT_TRUE(hesk::testsupport::creation::writeBytes(cut, bytes.left(bytes.size() / 2)));
    ASSERT_TRUE(hesk::testsupport::creation::writeBytes(wrong, bytes));

    EXPECT_TRUE(loadIntermediateFile(good).file);
    EXPECT_TRUE(loadIntermediateFile(upper).file);

    struct Case {
        QString path;
        QString text;
    };
    const QString missing = dir.filePath("none.monitorary");
    const std::vector<Case> cases = {
        {wrong, "项目文件" + wrong + "错误，打开失败！"},
        {dir.filePath("none.txt"), "项目文件" + dir.filePath("none.txt") + "错误，打开失败！"},
        {missing, "文件" + missing + "不存在，装载失败！"},
        {cut, "CPU项目文件" + cut + "错误，装载失败！"},
    };
    for (const Case& c : cases) {
        const IntermediateLoad load = loadIntermediateFile(c.path);
        EXPECT_FALSE(load.file);
        ASSERT_TRUE(load.failure);
        EXPECT_EQ(load.failure->text, c.text);
        EXPECT_EQ(load.failure->title, "错误");
        EXPECT_EQ(load.failure->kind, MessageKind::Error);
    }
    // A folder named like an intermediate file cannot be read.
    const QString folder = dir.filePath("folder.monitorary");
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(loadIntermediateFile(folder).failure->text, "CPU项目文件" + folder + "错误，装载失败！");
}

TEST(IntermediateFile, onlyARegularFileWithinTheCapIsRead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A good file grown (sparsely) past the cap: refused unread, with its own message.
    const QString huge = dir.filePath("huge.monitorary");
    ASSERT_TRUE(hesk::testsupport::creation::writeBytes(huge, intermediateFileBytes(inverterSpec())));
    ASSERT_TRUE(QFile::resize(huge, kMaxIntermediateFileBytes + 1));
    const IntermediateLoad tooLarge = loadIntermediateFile(huge);
    EXPECT_FALSE(tooLarge.file);
    ASSERT_TRUE(tooLarge.failure);
    EXPECT_EQ(tooLarge.failure->text, "CPU项目文件" + huge + "过大（超过32 MB），不是有效的中间文件，装载失败！");

    // A pipe is never opened (that would block until a writer came).
    const QString pipe = dir.filePath("pipe.monitorary");
    ASSERT_TRUE(hesk::testsupport::makeNamedPipe(pipe));
    const auto [load, blocked] = hesk::testsupport::runUnblockingPipe(pipe, [&] { return loadIntermediateFile(pipe); });
    EXPECT_FALSE(blocked);
    ASSERT_TRUE(load.failure);
    EXPECT_EQ(load.failure->text, "CPU项目文件" + pipe + "错误，装载失败！");
}

}  // namespace
