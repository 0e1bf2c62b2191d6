#pragma once
// Saving the offline values to a parameter file (.dnl), as close, exit, connect and the
// save command ask for it after "您的离线信息有修改,是否要保存到dnl文件？" was answered Yes.
//
// The parameter-file writer is not built yet. Until it is, the save says so to the person
// (a warning) and in the log, and reports that nothing was saved: the close, exit or
// connect that asked then stops and the offline values stay as they are, so nothing is
// lost without a word. Answering No to the question discards the changes and goes on.

#include "OfflineValueSet.h"

#include "model/LogSink.h"
#include "model/UserPrompt.h"

namespace hesk::pages {

// False: nothing was saved (see above).
bool saveOfflineValuesToParameterFile(const OfflineValueSet& values, model::UserPrompt& prompt, model::LogSink& log);

// The warning's text.
QString offlineSaveNotBuiltText();

}  // namespace hesk::pages
