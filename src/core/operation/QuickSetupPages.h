#pragma once
// The ten steps of the quick commissioning wizard: each step's title, the parameters its
// page shows (as the page labels name them) and the action it offers, and how a label
// becomes a definition of the open project.
//
// A label is a short parameter number with an optional index: "P105.x" takes the active
// motor data set (r0011) as index, ".n" the active BICO data set (r0012), ".m" the
// active function data set (r0013); "P466.1" is a fixed index and "P142" has none. A
// label whose definition the project lacks is left out of the page. Every page but the
// first shows the menu level P0060 last.

#include "model/OpenedProject.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace hesk::operation {

// What a page offers besides editing its parameters.
enum class QuickSetupAction {
    None,
    FactoryRestore,    // step 1: "开 始 恢 复" with the reset mode combo
    DataSetDefaults,   // step 3: "自动设置参数" (data-set selection)
    MotorAutomatic,    // step 4: "自动设置参数" (the drive's own motor calculation)
    Identification,    // step 10: "启动辨识" and "故障复位"
};

struct QuickSetupPageSpec {
    int step = 0;        // 1..10
    QString title;       // "1   恢复出厂参数", ...
    QStringList labels;  // "r0001", "P105.x", ...; "#product" is the product type row
    QuickSetupAction action = QuickSetupAction::None;
};

inline constexpr int kQuickSetupSteps = 10;

// The steps in order (index 0 is step 1).
const std::array<QuickSetupPageSpec, kQuickSetupSteps>& quickSetupPages();

// The active data sets the labels' indices stand for.
struct ActiveDataSets {
    int motor = 1;     // r0011, 1..4
    int bico = 1;      // r0012, 1..2
    int function = 1;  // r0013, 1..4
    bool operator==(const ActiveDataSets&) const = default;
};

// The word the drive last reported for a definition; nothing when unknown.
using ReportedWord = std::function<std::optional<uint16_t>(const model::HeskParameterElement&)>;

// The data sets from r0011..r0013; a value that is unknown, missing from the project or
// outside its range counts as data set 1, so that a page always shows one data set.
ActiveDataSets activeDataSets(const model::OpenedProject& project, const ReportedWord& reported);

// The key text of a label ("P105.x" with motor data set 2 -> "P0105.2", "r73" -> "r0073");
// nothing for the product type row or a label that is not a parameter number.
std::optional<QString> quickSetupKey(const QString& label, const ActiveDataSets& sets);

struct QuickSetupRow {
    QString label;                                    // as the page names it
    const model::HeskParameterElement* element = nullptr;  // null: the product type row
    bool isProductType() const { return element == nullptr; }
};

// The rows of a step (1..10) in the open project; empty for a step out of range.
std::vector<QuickSetupRow> quickSetupRows(const model::OpenedProject& project, int step, const ActiveDataSets& sets);

// The definitions of the rows that the page reads from the drive: those with a device
// address (r0071..r0073 have none; their values come from the base values).
std::vector<const model::HeskParameterElement*> rowElements(const std::vector<QuickSetupRow>& rows);

}  // namespace hesk::operation
