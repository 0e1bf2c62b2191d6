// 参数 > 三方比较 against the real simulated drive: the drive's values are uploaded through
// the window's upload command and set beside a backup and the factory values; the row
// changed on the drive since the backup names the drive as the side that stands apart.

#include "SampleApplicationFixture.h"

#include "ApplicationWindows.h"
#include "dialogs/ThreeWayCompareDialog.h"

#include <QFile>
#include <QTableWidget>

namespace hesk::app::test {
namespace {

using shell::Command;
using namespace std::chrono_literals;

class ThreeWayCompareTest : public SampleApplicationTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        startWith({});
    }
};

TEST_F(ThreeWayCompareTest, theDriveIsComparedWithABackupAndTheFactoryValues)
{
    MainWindow& w = application->window();
    w.runCommand(Command::Connect);
    ASSERT_TRUE(w.session().isOnline()) << messageTexts().join(QLatin1Char('|')).toStdString();
    const QString backup = QDir(dir.path()).filePath(QStringLiteral("backup.dnl"));
    bool backedUp = false;
    ASSERT_TRUE(application->upload().run(backup, [&](const files::UploadOutcome& o) { backedUp = o.success; }));
    ASSERT_TRUE(sim::test::pumpUntil([&] { return backedUp; }, 20s));
    ASSERT_TRUE(sim.command(QStringLiteral("set P7030 8192")).startsWith(QLatin1String("ok")));

    w.refreshCommands();
    ASSERT_TRUE(w.action(Command::CompareWithDrive)->isEnabled());
    w.runCommand(Command::CompareWithDrive);
    auto* dialog = qobject_cast<ThreeWayCompareDialog*>(application->threeWayCompare());
    ASSERT_NE(dialog, nullptr);
    dialog->start();  // no file yet: refused
    EXPECT_TRUE(messageTexts().contains(QStringLiteral("请先选择要与设备比较的dnl文件！")));
    ASSERT_TRUE(dialog->setFile(backup)) << messageTexts().join(QLatin1Char('|')).toStdString();
    dialog->start();
    ASSERT_TRUE(sim::test::pumpUntil([&] { return !dialog->rows().empty(); }, 20s)) << dialog->statusText().toStdString();
    dialog->showFilter(files::CompareFilter::Different);
    QTableWidget* table = dialog->table();
    int p7030 = -1;
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->item(row, 0)->text() == QStringLiteral("7030"))
            p7030 = row;
    ASSERT_GE(p7030, 0) << dialog->statusText().toStdString();
    EXPECT_EQ(table->item(p7030, 3)->text(), QStringLiteral("50.00"));  // 8192 of 16384
    EXPECT_EQ(table->item(p7030, 4)->text(), QStringLiteral("0.00"));
    EXPECT_EQ(table->item(p7030, 6)->text(), QStringLiteral("设备"));
    dialog->showFilter(files::CompareFilter::Equal);
    for (int row = 0; row < table->rowCount(); ++row)
        EXPECT_NE(table->item(row, 0)->text(), QStringLiteral("7030"));
    EXPECT_TRUE(dialog->statusText().startsWith(QStringLiteral("共"))) << dialog->statusText().toStdString();
    EXPECT_FALSE(messageTexts().join('|').contains(QStringLiteral("导出dnl文件成功"))) << "the upload into the scratch file is quiet";
}

}  // namespace
}  // namespace hesk::app::test
