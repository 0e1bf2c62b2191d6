#include "WidgetPrompt.h"

#include <QCoreApplication>
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

// Qt's standard buttons in the interface's language (Chinese, or the installed
// translation), whatever catalogues of Qt's own are installed.
void setButtonTexts(QMessageBox& box)
{
    static const std::pair<QMessageBox::StandardButton, const char*> texts[] = {
        {QMessageBox::Ok, QT_TRANSLATE_NOOP("WidgetPrompt", "确定")},
        {QMessageBox::Cancel, QT_TRANSLATE_NOOP("WidgetPrompt", "取消")},
        {QMessageBox::Yes, QT_TRANSLATE_NOOP("WidgetPrompt", "是")},
        {QMessageBox::No, QT_TRANSLATE_NOOP("WidgetPrompt", "否")}};
    for (const auto& [button, text] : texts)
        if (QAbstractButton* b = box.button(button))
            b->setText(QCoreApplication::translate("WidgetPrompt", text));
}

}  // namespace

// The core names its boxes with the standard Chinese captions; they are translated here,
// where they are shown. Any other title is shown as it comes.
QString WidgetPrompt::shownTitle(const QString& title)
{
    static const char* const captions[] = {QT_TRANSLATE_NOOP("WidgetPrompt", "错误"), QT_TRANSLATE_NOOP("WidgetPrompt", "警告"),
                                           QT_TRANSLATE_NOOP("WidgetPrompt", "信息"), QT_TRANSLATE_NOOP("WidgetPrompt", "提示")};
    for (const char* caption : captions)
        if (title == QString::fromUtf8(caption))
            return QCoreApplication::translate("WidgetPrompt", caption);
    return title;
}

void WidgetPrompt::show(model::MessageKind kind, const QString& title, const QString& text)
{
    const ArrowCursor arrow;
    QMessageBox box(iconOf(kind), shownTitle(title), text, QMessageBox::Ok, m_parent);
    setButtonTexts(box);
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
    QMessageBox box(QMessageBox::Question, shownTitle(title), text, offered, m_parent);
    setButtonTexts(box);
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
