#pragma once
// Whether a parameter's value cell may be edited now and which editor opens: the rules
// per device type (system parameters, access word, operating state, menu levels, motor
// data sets, slave count, the rectifier rule table) and the editor dispatch. Pure
// decisions on the values the caller hands in; no state, no I/O.

#include "model/DeviceCatalogue.h"
#include "model/ProjectRecords.h"
#include "model/UserMessage.h"

#include <cstdint>
#include <optional>

namespace hesk::editing {

// The drive's last known raw words that the rules read. A value never read counts as 0
// (access bit clear, menu level 0, stopped).
struct DriveRuleValues {
    uint16_t accessWord = 0;      // P0053; bit 1 (value 2) = extended access
    uint16_t menuLevel = 0;       // P0060
    uint16_t operatingState = 0;  // r0001; 9 or less = not running
    uint16_t activeDataSet = 0;   // r0011, inverter only
    uint16_t slaveCount = 0;      // P0089, inverter only

    bool extendedAccess() const { return (accessWord & 0x0002) != 0; }
    bool running() const { return operatingState >= 10; }
};

// The trigger recorder as the rules see it.
struct RecorderActivity {
    int state = 0;
    bool transferFlag = false;
    // Data are being transferred: state above 5 with the transfer flag clear.
    bool transferring() const { return state > 5 && !transferFlag; }
};

struct EditContext {
    model::DeviceClass deviceClass = model::DeviceClass::None;
    bool online = false;          // offline, no rule that reads drive values applies
    DriveRuleValues values;       // read only when online
    RecorderActivity recorder;
    // The project defines P0848 only with sub-indices (no P0848 without one): only then
    // does the slave count bound the sub-index.
    bool slaveParametersIndexed = false;
};

enum class EditorKind {
    None,                    // nothing opens (refused, or the test bench)
    ValueDialog,             // ValueEditorDialog, mode 5
    BitDialog,               // BitWordEditorDialog (P0053)
    ConnectionDialog,        // ConnectionEditorDialog
    SpecialParameterDialog,  // SpecialValueEditorDialog
    CommentDialog,           // the text editor of the comment cell (mode 8)
};

struct EditDecision {
    std::optional<model::UserMessage> refusal;  // set when the change is refused
    EditorKind editor = EditorKind::None;
    // A refusal of the rectifier rule table gives the focus back to the list.
    bool focusBackToList = false;

    bool refused() const { return refusal.has_value(); }
};

// The value cell: runs the rules for the device class and, when they pass, names the
// editor. Exactly one of refusal and an editor is set, except on the test bench (and
// projects without a device class), where opening a value cell does nothing.
EditDecision decideValueEdit(const EditContext& context, const model::HeskParameterElement& parameter);

// The comment cell is subject to no rule: it always opens the comment editor.
EditDecision decideCommentEdit();

// The editor for a parameter whose change the rules allowed.
EditorKind editorFor(model::DeviceClass deviceClass, const model::HeskParameterElement& parameter);

}  // namespace hesk::editing
