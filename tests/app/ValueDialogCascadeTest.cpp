// The value dialog over a reference value: the progress bar shows the cascade's steps
// while the dependents are written and is hidden again when it ends.

#include "ScriptedPrompt.h"

#include "editors/ValueEditorDialog.h"
#include "model/FaultTableLibrary.h"
#include "model/ProjectFile.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace hesk::app::test {
namespace {

model::HeskParameterElement percent(uint16_t number, uint16_t address, uint16_t sub = model::kNoSubIndex)
{
    model::HeskParameterElement e;
    e.number = number;
    e.subIndex = sub;
    e.typeCode = 1;  // N2
    e.address = address;
    e.settable = 1;
    e.decimals = 2;
    e.name = QStringLiteral("参数%1").arg(number);
    e.minText = e.rawMinText = QStringLiteral("-200.00");
    e.maxText = e.rawMaxText = QStringLiteral("199.99");
    e.commandType = QStringLiteral("1");
    return e;
}

// An inverter project with the reference frequency P0352 (address 32) and its
// dependents P0452.1, P0452.2 (40, 41).
class ValueDialogCascadeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        model::HeskProject project;
        project.header.deviceType = QStringLiteral("VRA1");
        project.header.deviceVersion = QStringLiteral("V1.14.18");
        project.header.cpuType = QStringLiteral("HESK6500");
        project.elements = {percent(352, 32), percent(452, 40, 1), percent(452, 41, 2)};
        project.sortElements();
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("cascade.tmprj"));
        ASSERT_FALSE(model::saveProject(path, project).has_value());
        ASSERT_FALSE(opened.open(path).has_value());
    }

    QTemporaryDir dir;
    model::FaultTableLibrary faultTables;
    model::OpenedProject opened{faultTables};
    pages::OfflineValueSet offline;
    testsupport::ScriptedPrompt prompt;
    link::OnlineValueTables tables;
};

TEST_F(ValueDialogCascadeTest, ProgressBarFollowsTheDependentsAndHidesAfterwards)
{
    editing::EditEnvironment env{opened, offline, prompt, {}};
    env.drive.tables = &tables;
    env.drive.read = [this](const std::vector<const model::HeskParameterElement*>&) {
        tables.parameters.store(32, 16384);  // 100 %
        tables.parameters.store(40, 1000);
        tables.parameters.store(41, 2000);
        return true;
    };
    ValueEditorDialog* dialog = nullptr;
    QStringList seen;  // "visible value/maximum" at each write
    env.drive.write = [&](const link::CommandFrame&) {
        const QProgressBar* bar = dialog->findChild<QProgressBar*>(QStringLiteral("progressBar"));
        seen << QStringLiteral("%1 %2/%3").arg(bar->isVisible()).arg(bar->value()).arg(bar->maximum());
        return true;
    };
    ValueEditorDialog d(env, *opened.find(QStringLiteral("P0352")), QStringLiteral("100.00"));
    dialog = &d;
    d.show();
    d.valueEdit()->setText(QStringLiteral("50.00"));
    d.accept();

    EXPECT_EQ(d.result(), QDialog::Accepted);
    // The reference at 0 of 13, then each dependent after the previous step.
    EXPECT_EQ(seen, (QStringList{"1 0/13", "1 0/13", "1 1/13"}));
    EXPECT_TRUE(d.findChild<QProgressBar*>(QStringLiteral("progressBar"))->isHidden());
    EXPECT_EQ(tables.parameters.value(40), 2000);
    EXPECT_EQ(tables.parameters.value(41), 4000);
}

}  // namespace
}  // namespace hesk::app::test
