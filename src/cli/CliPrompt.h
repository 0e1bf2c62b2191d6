#pragma once
// The terminal side of the workflows' questions and messages, and of the log, for the
// online commands. Messages go to standard error as "title: text"; a question is
// answered Yes/OK with --yes and dismissed otherwise (heskmon never waits for a person);
// file and folder dialogs are not offered. Log lines of level 2 and above (all with
// --verbose) go to standard error as "log: text".

#include "model/LogSink.h"
#include "model/UserPrompt.h"

#include <mutex>

namespace hesk::cli {

class CliPrompt final : public model::UserPrompt {
public:
    explicit CliPrompt(bool yes) : m_yes(yes) {}
    void show(model::MessageKind kind, const QString& title, const QString& text) override;
    model::PromptAnswer ask(const QString& title, const QString& text, model::PromptButtons buttons) override;
    std::optional<QString> saveFile(const model::FileDialogSpec&) override { return std::nullopt; }
    std::optional<QString> openFile(const model::FileDialogSpec&) override { return std::nullopt; }
    std::optional<QString> chooseFolder(const model::FolderDialogSpec&) override { return std::nullopt; }

private:
    bool m_yes;
};

// Thread-safe: reply handlers log from the link's reader threads.
class CliLog final : public model::LogSink {
public:
    explicit CliLog(bool verbose) : m_threshold(verbose ? 0 : 2) {}
    void log(const QString& text, int level) override;

private:
    int m_threshold;
    std::mutex m_lock;
};

}  // namespace hesk::cli
