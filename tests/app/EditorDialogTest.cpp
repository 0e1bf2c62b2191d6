// The editor dialogs on their own, over a drive whose writes the test answers: closing
// is refused while a write runs, a failed write keeps the dialog with its input, and the
// bit rows follow the word.

#include "ScriptedPrompt.h"
#include "SimProjectFixture.h"

#include "editors/BitWordEditorDialog.h"
#include "editors/ConnectionEditorDialog.h"
#include "editors/ValueEditorDialog.h"
#include "editors/SpecialValueEditorDialog.h"
#include "model/FaultTableLibrary.h"
#include "model/ProjectFile.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace hesk::app::test {
namespace {

class EditorDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_FALSE(opened.open(sim::test::writeSimProject(dir.path())).has_value());
    }
    const model::HeskParameterElement& element(const char* key) const { return *opened.find(QLatin1String(key)); }
    // Online over the test's tables; every write runs `during` first and gets `answer`.
    editing::EditEnvironment online(std::function<void()> during, bool answer)
    {
        editing::EditEnvironment env{opened, offline, prompt, {}};
        env.drive.tables = &tables;
        env.drive.write = [this, during, answer](const link::CommandFrame& frame) {
            frames.push_back(frame);
            if (during)
                during();
            return answer;
        };
        return env;
    }
    QStringList messageTexts() const
    {
        QStringList texts;
        for (const model::UserMessage& m : prompt.messages())
            texts << m.title + QLatin1Char(':') + m.text;
        return texts;
    }

    QTemporaryDir dir;
    model::FaultTableLibrary faultTables;
    model::OpenedProject opened{faultTables};
    pages::OfflineValueSet offline;
    testsupport::ScriptedPrompt prompt;
    link::OnlineValueTables tables;
    std::vector<link::CommandFrame> frames;
};

TEST_F(EditorDialogTest, connectionDialogRefusesToCloseDuringTheWrite)
{
    ConnectionEditorDialog* dialog = nullptr;
    bool visibleDuringWrite = false;
    editing::EditEnvironment env = online(
        [&] {
            dialog->reject();
            visibleDuringWrite = dialog->isVisible();
        },
        true);
    ConnectionEditorDialog d(env, element("P0554"), QStringLiteral("B0106"));
    dialog = &d;
    d.show();
    d.sourceEdit()->setText(QStringLiteral("B0106"));
    d.accept();
    EXPECT_TRUE(visibleDuringWrite);
    // The bracket's P0060 writes and the connection: each refused the close.
    EXPECT_EQ(frames.size(), 3u);
    EXPECT_EQ(messageTexts(), QStringList(3, QStringLiteral("警告:改连线过程中，不允许关闭对话框！")));
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.resultText(), QStringLiteral("B0106"));
    EXPECT_EQ(tables.connections.valueOr0(sim::test::kP0554), 0xFFF8);
}

TEST_F(EditorDialogTest, failedConnectionWriteKeepsTheDialog)
{
    editing::EditEnvironment env = online({}, false);
    ConnectionEditorDialog d(env, element("P0554"), QString());
    d.show();
    // The candidate list offers the project's one binector; a double-click applies it.
    ASSERT_EQ(d.candidateList()->rowCount(), 1);
    d.chooseRow(0);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.sourceEdit()->text(), QStringLiteral("B0106"));
    // P0060 = 5 was refused: nothing further is written.
    EXPECT_EQ(frames.size(), 1u);
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("警告:在线修改参数值失败！")});
}

TEST_F(EditorDialogTest, valueDialogShowsRangeAndHints)
{
    editing::EditEnvironment env{opened, offline, prompt, {}};
    ValueEditorDialog d(env, element("P7030"), QStringLiteral("10.00"));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("修改参数值"));
    EXPECT_EQ(d.valueEdit()->text(), QStringLiteral("10.00"));
    EXPECT_FALSE(d.rangeLabel()->text().isEmpty());
    d.show();
    d.valueEdit()->setText(QStringLiteral("1.234"));
    d.accept();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("警告:此类型参数值小数部分最多保留 2 位！")});
    d.valueEdit()->setText(QStringLiteral("1.23"));
    d.accept();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(offline.value(QStringLiteral("P7030")), QStringLiteral("1.23"));
}

TEST_F(EditorDialogTest, bitRowsFollowTheWord)
{
    editing::EditEnvironment env{opened, offline, prompt, {}};
    BitWordEditorDialog d(env, element("P0053"), QStringLiteral("0X0003"));
    ASSERT_EQ(d.bitList()->rowCount(), 16);
    EXPECT_EQ(d.bitList()->horizontalHeaderItem(0)->text(), QStringLiteral("比特位：值"));
    EXPECT_EQ(d.bitList()->horizontalHeaderItem(1)->text(), QStringLiteral("比特位含义"));
    EXPECT_EQ(d.bitList()->item(0, 0)->text(), QStringLiteral("0：1"));
    EXPECT_EQ(d.bitList()->item(1, 0)->checkState(), Qt::Checked);
    d.bitList()->item(0, 0)->setCheckState(Qt::Unchecked);
    d.setBit(15, true);
    EXPECT_EQ(d.word(), 0x8002);
    EXPECT_EQ(d.bitList()->item(0, 0)->text(), QStringLiteral("0：0"));
    EXPECT_EQ(d.bitList()->item(15, 0)->text(), QStringLiteral("15：1"));
}

// A project whose access word names some of its bits in the comment: the bit editor shows
// those meanings beside the bits and leaves the others empty.
TEST_F(EditorDialogTest, bitRowsShowTheMeaningsTheProjectGives)
{
    model::HeskProject project = sim::test::simProject();
    for (model::HeskParameterElement& e : project.elements)
        if (e.number == 53)
            e.comment = QStringLiteral("访问级别 Bit0: 标准; Bit1: 扩展\nBit15：专家");
    const QString path = dir.filePath(QStringLiteral("bits.tmprj"));
    ASSERT_FALSE(model::saveProject(path, project).has_value());
    model::OpenedProject withTexts{faultTables};
    ASSERT_FALSE(withTexts.open(path).has_value());

    editing::EditEnvironment env{withTexts, offline, prompt, {}};
    BitWordEditorDialog d(env, *withTexts.find(QStringLiteral("P0053")), QStringLiteral("0X0003"));
    ASSERT_EQ(d.bitList()->rowCount(), 16);
    QStringList meanings;
    for (int bit = 0; bit < 16; ++bit)
        meanings << d.bitList()->item(bit, 1)->text();
    QStringList expected(16, QString());
    expected[0] = QStringLiteral("标准");
    expected[1] = QStringLiteral("扩展");
    expected[15] = QStringLiteral("专家");
    EXPECT_EQ(meanings, expected);
    // The meanings stay put while bits change.
    d.setBit(2, true);
    EXPECT_EQ(d.bitList()->item(1, 1)->text(), QStringLiteral("扩展"));
    EXPECT_EQ(d.bitList()->item(2, 1)->text(), QString());
}

TEST_F(EditorDialogTest, specialDialogRefusesToCloseDuringTheWriteAndReportsFailure)
{
    SpecialValueEditorDialog* dialog = nullptr;
    editing::EditEnvironment env = online([&] { dialog->reject(); }, false);
    SpecialValueEditorDialog d(env, element("P0060"), QStringLiteral("7"));
    dialog = &d;
    d.show();
    ASSERT_NE(d.optionList()->currentItem(), nullptr);
    EXPECT_EQ(d.optionList()->currentItem()->text(), QStringLiteral("驱动设置 (7)"));
    d.optionList()->setCurrentRow(0);
    d.accept();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(messageTexts(), (QStringList{QStringLiteral("警告:改值过程中，不允许关闭对话框！"),
                                           QStringLiteral("警告:在线修改参数值失败！")}));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0][1], 0x03);
    EXPECT_EQ(frames[0][5], 1);
}

}  // namespace
}  // namespace hesk::app::test
