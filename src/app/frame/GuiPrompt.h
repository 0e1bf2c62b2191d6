#pragma once
// The application's UserPrompt: modal message boxes and file dialogs over the main
// window. The icon follows the message kind (error, exclamation, information); questions
// carry the question icon. While a box is open the wait cursor of a running workflow
// gives way to the arrow.

#include "model/UserPrompt.h"

class QWidget;

namespace hesk::app {

class GuiPrompt final : public model::UserPrompt {
public:
    // parent: the window the boxes belong to; it must outlive the prompt (or be nullptr).
    explicit GuiPrompt(QWidget* parent);

    void show(model::MessageKind kind, const QString& title, const QString& text) override;
    model::PromptAnswer ask(const QString& title, const QString& text, model::PromptButtons buttons) override;
    std::optional<QString> saveFile(const model::FileDialogSpec& spec) override;
    std::optional<QString> openFile(const model::FileDialogSpec& spec) override;

private:
    std::optional<QString> fileDialog(const model::FileDialogSpec& spec, bool save);

    QWidget* m_parent;
};

}  // namespace hesk::app
