#pragma once
// A UserPrompt for tests: records every message, question and file dialog, and answers
// questions and file dialogs from queues the test fills beforehand. File and folder
// dialogs take their answers from the one queue chooseFile() fills, in call order.
//
// Anything a workflow asks that the test did not script fails the test at once (with the
// question's text in the failure) and gets the dismissing answer; a scripted answer that
// no question used fails the test when the prompt is destroyed; an answer that is not
// among the offered buttons fails too. Use it on one thread.

#include "model/UserPrompt.h"

#include <QString>

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace hesk::testsupport {

struct PromptQuestion {
    QString title;
    QString text;
    model::PromptButtons buttons = model::PromptButtons::OkCancel;
    bool operator==(const PromptQuestion&) const = default;
};

struct FileDialogCall {
    bool save = false;
    model::FileDialogSpec spec;  // for a folder dialog: its title and directory
    bool folder = false;         // a folder dialog
};

class ScriptedPrompt final : public model::UserPrompt {
public:
    ScriptedPrompt() = default;
    ScriptedPrompt(const ScriptedPrompt&) = delete;
    ScriptedPrompt& operator=(const ScriptedPrompt&) = delete;

    ~ScriptedPrompt() override
    {
        if (!m_answers.empty())
            ADD_FAILURE() << m_answers.size() << " scripted answer(s) were never asked for";
        if (!m_files.empty())
            ADD_FAILURE() << m_files.size() << " scripted file dialog answer(s) were never used";
    }

    // Scripting.
    ScriptedPrompt& answer(model::PromptAnswer answer)
    {
        m_answers.push_back(answer);
        return *this;
    }
    ScriptedPrompt& chooseFile(std::optional<QString> path)
    {
        m_files.push_back({path.has_value(), path.value_or(QString())});
        return *this;
    }

    // What the person saw.
    const std::vector<model::UserMessage>& messages() const { return m_messages; }
    const std::vector<PromptQuestion>& questions() const { return m_questions; }
    const std::vector<FileDialogCall>& fileDialogs() const { return m_fileDialogs; }

    void show(model::MessageKind kind, const QString& title, const QString& text) override
    {
        m_messages.push_back({kind, title, text});
    }

    model::PromptAnswer ask(const QString& title, const QString& text, model::PromptButtons buttons) override
    {
        m_questions.push_back({title, text, buttons});
        if (m_answers.empty()) {
            ADD_FAILURE() << "unscripted question \"" << title.toStdString() << "\": \""
                          << text.toStdString() << '"';
            return model::dismissAnswer(buttons);
        }
        const model::PromptAnswer scripted = m_answers.front();
        m_answers.pop_front();
        if (!model::offers(buttons, scripted)) {
            ADD_FAILURE() << "scripted answer is not offered by question \"" << text.toStdString() << '"';
            return model::dismissAnswer(buttons);
        }
        return scripted;
    }

    std::optional<QString> saveFile(const model::FileDialogSpec& spec) override { return fileDialog(true, spec); }
    std::optional<QString> openFile(const model::FileDialogSpec& spec) override { return fileDialog(false, spec); }
    std::optional<QString> chooseFolder(const model::FolderDialogSpec& spec) override
    {
        model::FileDialogSpec asFile;
        asFile.title = spec.title;
        asFile.directory = spec.directory;
        return fileDialog(false, asFile, true);
    }

private:
    std::optional<QString> fileDialog(bool save, const model::FileDialogSpec& spec, bool folder = false)
    {
        m_fileDialogs.push_back({save, spec, folder});
        if (m_files.empty()) {
            ADD_FAILURE() << "unscripted " << (folder ? "folder" : save ? "save file" : "open file") << " dialog \""
                          << spec.title.toStdString() << '"';
            return std::nullopt;
        }
        const ScriptedFile file = m_files.front();
        m_files.pop_front();
        if (!file.chosen)
            return std::nullopt;
        return file.path;
    }

    std::deque<model::PromptAnswer> m_answers;
    struct ScriptedFile {
        bool chosen = false;  // false: the person cancels
        QString path;
    };
    std::deque<ScriptedFile> m_files;
    std::vector<model::UserMessage> m_messages;
    std::vector<PromptQuestion> m_questions;
    std::vector<FileDialogCall> m_fileDialogs;
};

}  // namespace hesk::testsupport
