#pragma once
// A log that keeps nothing and a prompt that answers no question, for benchmarks that run
// workflows: a message (which a benchmark should never cause) goes to standard error.

#include "model/LogSink.h"
#include "model/UserPrompt.h"

#include <cstdio>

namespace hesk::bench {

class QuietLog final : public model::LogSink {
public:
    void log(const QString&, int) override {}
};

class QuietPrompt final : public model::UserPrompt {
public:
    void show(model::MessageKind, const QString& title, const QString& text) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    }
    model::PromptAnswer ask(const QString&, const QString&, model::PromptButtons buttons) override
    {
        return model::dismissAnswer(buttons);
    }
    std::optional<QString> saveFile(const model::FileDialogSpec&) override { return std::nullopt; }
    std::optional<QString> openFile(const model::FileDialogSpec&) override { return std::nullopt; }
    std::optional<QString> chooseFolder(const model::FolderDialogSpec&) override { return std::nullopt; }
};

}  // namespace hesk::bench
