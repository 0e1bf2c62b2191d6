// The recorder's settings dialog: each channel's and each trigger condition's "..." button
// opens the parameter selection dialog on the field's current number; a double-clicked
// connector or a typed number is put into the field, Cancel leaves it as it was.

#include "recording/TriggerSettingsDialog.h"

#include "operation/FreeDisplayDialog.h"

#include "ScriptedPrompt.h"
#include "model/FaultTableLibrary.h"
#include "model/OpenedProject.h"
#include "recording/TriggerSettings.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace hesk::app::test {
namespace {

// What the person does in the selection dialog once it is open.
using Answer = std::function<void(FreeDisplayDialog&)>;

struct Seen {
    QString title;
    QString proposed;  // the number the dialog opened with
};

// Clicks the button and answers the selection dialog that opens modally over the settings.
Seen pick(QToolButton* button, const Answer& answer)
{
    Seen seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<FreeDisplayDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            // Some other dialog: close it, so that the test fails on its checks, not by hanging.
            if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                other->reject();
            return;
        }
        seen = {dialog->windowTitle(), dialog->numberEdit()->text()};
        answer(*dialog);
    });
    button->click();
    return seen;
}

void doubleClickNumber(FreeDisplayDialog& dialog, const QString& number)
{
    QTableWidget* list = dialog.candidateList();
    for (int row = 0; row < list->rowCount(); ++row)
        if (list->item(row, 0)->text() == number) {
            Q_EMIT list->cellDoubleClicked(row, 1);
            return;
        }
    dialog.reject();  // not listed: the field must stay as it was
}

class TriggerSettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(project.open(QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj")));
        dialog = std::make_unique<TriggerSettingsDialog>(recording::defaultTriggerSettings(project), project, prompt, 125);
    }
    QToolButton* button(const QString& name) const { return dialog->findChild<QToolButton*>(name); }
    // The edit beside a "..." button.
    static QLineEdit* fieldOf(QToolButton* button) { return button->parentWidget()->findChild<QLineEdit*>(); }

    model::FaultTableLibrary faults;
    model::OpenedProject project{faults};
    testsupport::ScriptedPrompt prompt;
    std::unique_ptr<TriggerSettingsDialog> dialog;
};

TEST_F(TriggerSettingsDialogTest, everyChannelAndConditionPicksItsParameterInTheSelectionDialog)
{
    QStringList names;
    for (int channel = 1; channel <= recording::kRecorderChannels; ++channel)
        names << QStringLiteral("pickChannel%1").arg(channel);
    names << QStringLiteral("pickCondition1") << QStringLiteral("pickCondition2");
    for (const QString& name : names) {
        QToolButton* pickButton = button(name);
        ASSERT_NE(pickButton, nullptr) << name.toStdString();
        QLineEdit* field = fieldOf(pickButton);
        ASSERT_NE(field, nullptr) << name.toStdString();
        field->setText(QStringLiteral("K0021"));

        const Seen seen = pick(pickButton, [](FreeDisplayDialog& d) { doubleClickNumber(d, QStringLiteral("K0002")); });
        EXPECT_EQ(seen.title, QStringLiteral("选择参数")) << name.toStdString();
        EXPECT_EQ(seen.proposed, QStringLiteral("K0021")) << name.toStdString();
        EXPECT_EQ(field->text(), QStringLiteral("K0002")) << name.toStdString();
    }
}

TEST_F(TriggerSettingsDialogTest, aTypedNumberIsTakenAndCancelKeepsTheField)
{
    struct Case {
        const char* what;
        Answer answer;
        QString expected;
    };
    const std::vector<Case> cases = {
        {"typed in lower case, OK",
         [](FreeDisplayDialog& d) {
             d.numberEdit()->setText(QStringLiteral(" b0010 "));
             d.accept();
         },
         QStringLiteral("B0010")},
        {"typed, then Cancel",
         [](FreeDisplayDialog& d) {
             d.numberEdit()->setText(QStringLiteral("K0091"));
             d.reject();
         },
         QStringLiteral("B0001")},
    };
    for (const Case& c : cases) {
        QToolButton* pickButton = button(QStringLiteral("pickCondition2"));
        ASSERT_NE(pickButton, nullptr);
        fieldOf(pickButton)->setText(QStringLiteral("B0001"));
        pick(pickButton, c.answer);
        EXPECT_EQ(fieldOf(pickButton)->text(), c.expected) << c.what;
    }
}

TEST_F(TriggerSettingsDialogTest, aPickedChannelReachesTheSettingsDraft)
{
    pick(button(QStringLiteral("pickChannel3")), [](FreeDisplayDialog& d) { doubleClickNumber(d, QStringLiteral("K0002")); });
    EXPECT_EQ(dialog->draft().channelNames[2], QStringLiteral("K0002"));
}

}  // namespace
}  // namespace hesk::app::test
