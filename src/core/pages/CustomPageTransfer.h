#pragma once
// Saving the custom page to a custom page file and loading one, with every question and
// message the person sees (through the UserPrompt) and the log lines of rejected lines.
//
// Save ("另存为参数文件(.fpm)"): the save dialog with the default name; the file is written
// to a temporary file and renamed into place, so a failed save leaves an existing file
// whole. Success: "成功将参数导出至文件：" and the path; failure: "建立输出文件失败，请您
// 重新尝试！".
//
// Load ("加载参数文件(.fpm)"): the open dialog, the device-style questions, the checks of
// the parameter lines (last to first, each rejected line logged), the offer to keep the
// current list (update its file, or save it as a file), then the list is replaced. Every
// refusal, cancel or failure leaves the list as it was.
//
// Runs on the UI thread (the prompt's thread).

#include "CustomPageList.h"

#include "model/LogSink.h"
#include "model/UserPrompt.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace hesk::pages {

class CustomPageTransfer {
public:
    using Clock = std::function<QDateTime()>;

    // prompt and log must outlive this object; clock gives the local time (the current
    // time when empty).
    CustomPageTransfer(model::UserPrompt& prompt, model::LogSink& log, Clock clock = {});

    // Offers the save dialog and writes the list. True when written (the list then
    // comes from that file and is unchanged); false when cancelled or failed.
    bool saveAs(CustomPageList& list);
    // Writes the list into a given file, with the same messages. True when written.
    bool saveTo(CustomPageList& list, const QString& path);

    enum class LoadResult {
        Loaded,     // the list was replaced
        Cancelled,  // the person cancelled a dialog or said No
        Failed,     // the file could not be read, held no valid number, or saving the current list failed
    };
    // Only a regular file of at most kMaxCustomPageFileBytes is read; a larger one is
    // refused with its own message.
    LoadResult load(CustomPageList& list);

private:
    QDateTime now() const;
    bool writeFile(const CustomPageList& list, const QString& path);
    bool offerToKeepCurrentList(CustomPageList& list, bool& cancelled);

    model::UserPrompt& m_prompt;
    model::LogSink& m_log;
    Clock m_clock;
};

}  // namespace hesk::pages
