#include "WidgetPrompt.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

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
    case model::MessageKind::Error:
        return QMessageBox::Critical;
    case model::MessageKind::Warning:
        return QMessageBox::Warning;
    case model::MessageKind::Information:
        return QMessageBox::Information;
    case model::MessageKind::Hint:
        break;
    }
    return QMessageBox::NoIcon;
}

// The interface is Chinese throughout, whatever translations Qt has installed.
void setChineseButtonTexts(QMessageBox& box)
{
    const std::pair<QMessageBox::StandardButton, const char16_t*> texts[] = {
        {QMessageBox::Ok, u"确定"}, {QMessageBox::Cancel, u"取消"}, {QMessageBox::Yes, u"是"}, {QMessageBox::No, u"否"}};
    for (const auto& [button, text] : texts)
        if (QAbstractButton* b = box.button(button))
            b->setText(QString::fromUtf16(text));
}

}  // namespace

void WidgetPrompt::show(model::MessageKind kind, const QString& title, const QString& text)
{
    const ArrowCursor arrow;
    QMessageBox box(iconOf(kind), title, text, QMessageBox::Ok, m_parent);
    setChineseButtonTexts(box);
    box.exec();
}

model::PromptAnswer WidgetPrompt::ask(const QString& title, const QString& text, model::PromptButtons buttons)
{
    const ArrowCursor arrow;
    QMessageBox::StandardButtons offered;
    switch (buttons) {
    case model::PromptButtons::OkCancel:
        offered = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case model::PromptButtons::YesNo:
        offered = QMessageBox::Yes | QMessageBox::No;
        break;
    case model::PromptButtons::YesNoCancel:
        offered = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    QMessageBox box(QMessageBox::Question, title, text, offered, m_parent);
    setChineseButtonTexts(box);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    const QMessageBox::StandardButton chosen = clicked ? box.standardButton(clicked) : QMessageBox::NoButton;
    model::PromptAnswer answer = model::dismissAnswer(buttons);
    switch (chosen) {
    case QMessageBox::Ok: answer = model::PromptAnswer::Ok; break;
    case QMessageBox::Cancel: answer = model::PromptAnswer::Cancel; break;
    case QMessageBox::Yes: answer = model::PromptAnswer::Yes; break;
    case QMessageBox::No: answer = model::PromptAnswer::No; break;
    default: break;
    }
    return model::offers(buttons, answer) ? answer : model::dismissAnswer(buttons);
}

std::optional<QString> WidgetPrompt::fileDialog(const model::FileDialogSpec& spec, bool save)
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
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> WidgetPrompt::saveFile(const model::FileDialogSpec& spec)
{
    return fileDialog(spec, true);
}

std::optional<QString> WidgetPrompt::openFile(const model::FileDialogSpec& spec)
{
    return fileDialog(spec, false);
}

std::optional<QString> WidgetPrompt::chooseFolder(const model::FolderDialogSpec& spec)
{
    const ArrowCursor arrow;
    QFileDialog dialog(m_parent, spec.title, spec.directory);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace hesk::app
