#pragma once
// The person's side of model::UserPrompt in the desktop application: modal message boxes
// with the caption and icon of the message's kind, questions with Chinese button texts,
// and the platform's file and folder dialogs.
//
// Icons: 错误 critical, 警告 exclamation, 信息 information, 提示 none; questions show the
// question icon. A question closed without a button gives model::dismissAnswer().
//
// Threads: the UI thread only. Every call blocks in a nested event loop until answered.

#include "model/UserPrompt.h"

#include <QPointer>
#include <QWidget>

namespace hesk::app {

class WidgetPrompt final : public model::UserPrompt {
public:
    // Boxes and dialogs appear over parent (may be null: over no window).
    explicit WidgetPrompt(QWidget* parent = nullptr) : m_parent(parent) {}

    void setParentWidget(QWidget* parent) { m_parent = parent; }

    void show(model::MessageKind kind, const QString& title, const QString& text) override;
    model::PromptAnswer ask(const QString& title, const QString& text, model::PromptButtons buttons) override;
    std::optional<QString> saveFile(const model::FileDialogSpec& spec) override;
    std::optional<QString> openFile(const model::FileDialogSpec& spec) override;
    std::optional<QString> chooseFolder(const model::FolderDialogSpec& spec) override;

    // A box's title as shown: the standard captions (错误, 警告, 信息, 提示) translated.
    static QString shownTitle(const QString& title);

private:
    std::optional<QString> fileDialog(const model::FileDialogSpec& spec, bool save);

    QPointer<QWidget> m_parent;
};

}  // namespace hesk::app
