#pragma once
// A command's file: the path a caller gave (the main menu, a test, heskmon-like use), or
// the one the person chooses in the save or open dialog that `spec` describes.

#include "model/UserPrompt.h"

#include <QString>

#include <optional>

namespace hesk::app {

// Nothing when no path was given and the dialog was cancelled.
inline std::optional<QString> givenOrSaved(const std::optional<QString>& given, model::UserPrompt& prompt,
                                           const model::FileDialogSpec& spec)
{
    return given ? given : prompt.saveFile(spec);
}

inline std::optional<QString> givenOrOpened(const std::optional<QString>& given, model::UserPrompt& prompt,
                                            const model::FileDialogSpec& spec)
{
    return given ? given : prompt.openFile(spec);
}

}  // namespace hesk::app
