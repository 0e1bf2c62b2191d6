#pragma once
// Changing a parameter's value as the value and bit editors do, without widgets.
//
// Offline the accepted text becomes the parameter's offline value (marked modified).
// Online the text is converted into the raw word, the word goes into the parameter
// table at once (the page shows it), and the write frame (0x03) is confirmed by the
// drive; a failed write puts the previous word back, so that the page does not show a
// value the drive never took, and the failure is reported.
//
// Every refusal and failure is shown through the prompt exactly once; the editor then
// stays open with the text the person typed.

#include "DriveAccess.h"

#include "model/OpenedProject.h"
#include "model/UserPrompt.h"
#include "pages/OfflineValueSet.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace hesk::editing {

// What every editor works with. All references must outlive the editing.
struct EditEnvironment {
    model::OpenedProject& project;
    pages::OfflineValueSet& offline;
    model::UserPrompt& prompt;
    DriveAccess drive;  // offline when it has no tables
};

struct EditOutcome {
    bool applied = false;  // stored offline or confirmed by the drive: the editor closes
    QString text;          // the new value text of the parameter (also of a failed write)
    bool writeFailed = false;  // written online but not confirmed (not a refusal)
};

// What a long write (the reference cascade) shows: `start` with the maximum before the
// first write, `step` with the position after each dependent, `finish` when it ends
// (also on failure).
struct CascadeProgress {
    std::function<void(int maximum)> start;
    std::function<void(int position)> step;
    std::function<void()> finish;
};

// The value editor's OK: the allowed values of special parameters, the type, decimals
// and range, then the offline store or the confirmed write. Online, the reference values
// P0350 to P0353 of the inverter write their dependents after them (MotorDataCascade.h),
// reporting the steps to `progress`.
EditOutcome applyValueText(EditEnvironment& environment, const model::HeskParameterElement& parameter,
                           const QString& typed, const CascadeProgress& progress = {});

// The range text the value editor shows for the parameter: the effective limits
// "min~max", or the option list of P0749.
QString rangeText(model::OpenedProject& project, const model::HeskParameterElement& parameter);

// The bit editor's OK: the composed word goes the value editor's way, as the text of the
// type's format.
EditOutcome applyBitWord(EditEnvironment& environment, const model::HeskParameterElement& parameter,
                         uint16_t word);

// Writes a raw word online (0x03) with the table put first and restored when the drive
// did not confirm. No message; true when confirmed.
bool writeValueWord(DriveAccess& drive, const model::HeskParameterElement& parameter, uint16_t raw);

}  // namespace hesk::editing
