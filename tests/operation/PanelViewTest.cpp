// The control panel's device status: the first catalogue entry whose fault bit the drive
// reports set, or normal; the fault flag tells the two apart in whatever language the
// texts are shown (the window colours the status by it).

#include "operation/PanelParameters.h"
#include "operation/PanelView.h"

#include "link/ValueTables.h"
#include "model/FaultTableLibrary.h"
#include "model/OpenedProject.h"
#include "model/ParameterTypes.h"

#include "MarkingTranslator.h"

#include <gtest/gtest.h>

#include <memory>

namespace hesk::operation {
namespace {

const QString kSample = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");

class PanelViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(sample.open(kSample).has_value());
        parameters = PanelParameters::of(sample);
        // The first catalogue entry on a fault word the project has.
        for (const model::FaultAlarm& e : sample.faults().entries()) {
            for (const model::HeskParameterElement* w : parameters.faultWords) {
                if (model::keyText(*w) == e.word && e.bit >= 0 && e.bit < 16) {
                    entry = e;
                    word = w;
                    break;
                }
            }
            if (word != nullptr)
                break;
        }
        ASSERT_NE(word, nullptr);
        // Every fault word reported, none set.
        for (const model::HeskParameterElement* w : parameters.faultWords)
            tables->readOnly.store(w->address, 0);
    }
    PanelView view() { return computePanelView(sample, *tables, parameters, SetpointUnit::Hz, {}); }
    void setFaultBit(bool set) { tables->readOnly.store(word->address, set ? uint16_t(1u << entry.bit) : uint16_t(0)); }
    QString entryText() const { return entry.code.isEmpty() ? entry.name : entry.code + QLatin1Char(' ') + entry.name; }

    model::FaultTableLibrary faultTables;
    model::OpenedProject sample{faultTables};
    PanelParameters parameters;
    std::unique_ptr<link::OnlineValueTables> tables = std::make_unique<link::OnlineValueTables>();
    model::FaultAlarm entry;
    const model::HeskParameterElement* word = nullptr;
};

TEST_F(PanelViewTest, theDeviceStatusNamesTheSetFaultBitAndFlagsIt)
{
    EXPECT_FALSE(view().deviceFault);
    EXPECT_EQ(view().deviceStatus, QStringLiteral("正常"));
    setFaultBit(true);
    EXPECT_TRUE(view().deviceFault);
    EXPECT_EQ(view().deviceStatus, entryText());
    const PanelView offline = PanelView::offline(SetpointUnit::Hz);
    EXPECT_FALSE(offline.deviceFault);
    EXPECT_EQ(offline.deviceStatus, QStringLiteral("未知"));
}

// Translated, "normal" and "unknown" change their words while the catalogue's fault
// name (project data) stays; the flag still says which is a fault.
TEST_F(PanelViewTest, theFaultFlagHoldsWhenTheTextsAreTranslated)
{
    testsupport::ScopedMarkingTranslator translation;
    ASSERT_TRUE(translation.installed());
    EXPECT_FALSE(view().deviceFault);
    EXPECT_EQ(view().deviceStatus, testsupport::MarkingTranslator::marked(QStringLiteral("正常")));
    setFaultBit(true);
    EXPECT_TRUE(view().deviceFault);
    EXPECT_EQ(view().deviceStatus, entryText());
    EXPECT_EQ(PanelView::offline(SetpointUnit::Hz).deviceStatus, testsupport::MarkingTranslator::marked(QStringLiteral("未知")));
    // The lamps: the signal names stay, the described ones are translated.
    const std::array<QString, 7> lamps = statusLampCaptions();
    EXPECT_EQ(lamps[0], QStringLiteral("ON/OFF1"));
    EXPECT_EQ(lamps[3], testsupport::MarkingTranslator::marked(QStringLiteral("脉冲使能")));
}

}  // namespace
}  // namespace hesk::operation
