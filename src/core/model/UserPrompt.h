#pragma once
// The one way workflows reach the person at the tool: messages, questions, the two file
// dialogs and the folder dialog. The GUI implements it with message boxes and file
// dialogs, the CLI with the terminal and its flags, tests with a scripted prompt that
// records every message.
//
// It sits in model/ beside UserMessage so that every layer above (online, files,
// operation, recording, shell) can take one without including upward.
//
// Contract: a workflow calls its prompt on the thread it was given the prompt on (the UI
// thread in the application); every call blocks until the person has answered.

#include "UserMessage.h"

#include <QString>

#include <optional>

namespace hesk::model {

// The button sets the system's questions use.
enum class PromptButtons { OkCancel, YesNo, YesNoCancel };

enum class PromptAnswer { Ok, Cancel, Yes, No };

// True when the answer is one of the buttons offered.
constexpr bool offers(PromptButtons buttons, PromptAnswer answer)
{
    switch (buttons) {
    case PromptButtons::OkCancel:
        return answer == PromptAnswer::Ok || answer == PromptAnswer::Cancel;
    case PromptButtons::YesNo:
        return answer == PromptAnswer::Yes || answer == PromptAnswer::No;
    case PromptButtons::YesNoCancel:
        return answer == PromptAnswer::Yes || answer == PromptAnswer::No || answer == PromptAnswer::Cancel;
    }
    return false;
}

// The answer of a person who closes the question without choosing (Cancel where offered,
// else No).
constexpr PromptAnswer dismissAnswer(PromptButtons buttons)
{
    return buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Cancel;
}

// What a file dialog shows. filter is in the file dialog's usual form, for example
// "参数文件 (*.dnl)"; several filters are separated by ";;".
struct FileDialogSpec {
    QString title;
    QString directory;      // folder shown first; empty: the implementation's choice
    QString fileName;       // proposed name (save) or preselected name (open)
    QString filter;
    QString defaultSuffix;  // added to a typed name without suffix ("dnl"), save only
    bool operator==(const FileDialogSpec&) const = default;
};

// What a folder dialog shows ("选取工程存放的目录" when a new project's folder is chosen).
struct FolderDialogSpec {
    QString title;
    QString directory;  // folder shown first; empty: the implementation's choice
    bool operator==(const FolderDialogSpec&) const = default;
};

class UserPrompt {
public:
    virtual ~UserPrompt() = default;

    // A message box of the given kind and caption.
    virtual void show(MessageKind kind, const QString& title, const QString& text) = 0;

    // A question; the answer is always one of the offered buttons.
    virtual PromptAnswer ask(const QString& title, const QString& text, PromptButtons buttons) = 0;

    // The chosen path, nothing when the person cancelled.
    virtual std::optional<QString> saveFile(const FileDialogSpec& spec) = 0;
    virtual std::optional<QString> openFile(const FileDialogSpec& spec) = 0;
    // The chosen existing folder, nothing when the person cancelled.
    virtual std::optional<QString> chooseFolder(const FolderDialogSpec& spec) = 0;

    void showMessage(const UserMessage& message) { show(message.kind, message.title, message.text); }
};

}  // namespace hesk::model
