#pragma once
// What the settings dialog ("触发设置") edits: the form the checks look at, plus the
// channel names, the start mode and the save path, taken from a settings record and put
// back into one. The checks run first, in their order and with their messages; a channel
// or condition parameter the project does not have is refused after them with a message
// that names it.
//
// Contract: pure functions; any thread.

#include "TriggerSettings.h"

#include "model/UserMessage.h"

#include <QString>

#include <array>
#include <variant>

namespace hesk::model {
class OpenedProject;
}

namespace hesk::recording {

struct TriggerSettingsDraft {
    TriggerSettingsForm form;
    std::array<QString, kRecorderChannels> channelNames;
    QString startMode = singleTriggerText();
    QString savePath;
};

TriggerSettingsDraft draftOf(const TriggerSettings& settings);

// The record the draft describes; `base` keeps what the dialog does not show (head and
// last text, the channels' two values, the device code).
std::variant<TriggerSettings, model::UserMessage> settingsFromDraft(const TriggerSettingsDraft& draft,
                                                                    const TriggerSettings& base,
                                                                    const model::OpenedProject& project);

}  // namespace hesk::recording
