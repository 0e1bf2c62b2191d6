#include "GuiPrompt.h"

#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>

namespace hesk::app {

namespace {

// Shows the arrow while the person answers, whatever cursor a workflow has set.
class ArrowCursor {
public:
    ArrowCursor() { QGuiApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~ArrowCursor() { QGuiApplication::restoreOverrideCursor(); }
    ArrowCursor(const ArrowCursor&) = delete;
    ArrowCursor& operator=(const ArrowCursor&) = delete;
};

QMessageBox::Icon iconOf(model::MessageKind kind)
{
    switch (kind) {
    case model::MessageKind::Error: return QMessageBox::Critical;
    case model::MessageKind::Warning: return QMessageBox::Warning;
    case model::MessageKind::Hint:
    case model::MessageKind::Information: break;
    }
    return QMessageBox::Information;
}

QMessageBox::StandardButtons buttonsOf(model::PromptButtons buttons)
{
    switch (buttons) {
    case model::PromptButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case model::PromptButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case model::PromptButtons::YesNoCancel: break;
    }
    return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
}

}  // namespace

GuiPrompt::GuiPrompt(QWidget* parent) : m_parent(parent) {}

void GuiPrompt::show(model::MessageKind kind, const QString& title, const QString& text)
{
    const ArrowCursor arrow;
    QMessageBox box(iconOf(kind), title, text, QMessageBox::Ok, m_parent);
    box.exec();
}

model::PromptAnswer GuiPrompt::ask(const QString& title, const QString& text, model::PromptButtons buttons)
{
    const ArrowCursor arrow;
    QMessageBox box(QMessageBox::Question, title, text, buttonsOf(buttons), m_parent);
    switch (box.exec()) {
    case QMessageBox::Ok: return model::PromptAnswer::Ok;
    case QMessageBox::Yes: return model::PromptAnswer::Yes;
    case QMessageBox::No: return model::PromptAnswer::No;
    case QMessageBox::Cancel: return model::PromptAnswer::Cancel;
    default: break;
    }
    return model::dismissAnswer(buttons);
}

std::optional<QString> GuiPrompt::saveFile(const model::FileDialogSpec& spec) { return fileDialog(spec, true); }

std::optional<QString> GuiPrompt::openFile(const model::FileDialogSpec& spec) { return fileDialog(spec, false); }

std::optional<QString> GuiPrompt::fileDialog(const model::FileDialogSpec& spec, bool save)
{
    const ArrowCursor arrow;
    QFileDialog dialog(m_parent, spec.title, spec.directory, spec.filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save && !spec.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(spec.defaultSuffix);
    if (!spec.fileName.isEmpty())
        dialog.selectFile(spec.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

}  // namespace hesk::app
