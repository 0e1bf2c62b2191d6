#pragma once
// What the four editors share: an edit runs with the dialog disabled while the write waits
// with the event loop running, OK closes the dialog only when the edit was applied (its
// text is then the result), and closing while the write runs is refused with the editor's
// own message.

#include "editing/ValueEdit.h"
#include "model/UserMessage.h"

#include <QDialog>

#include <functional>

namespace hesk::app {

class EditorDialog : public QDialog {
    Q_OBJECT
public:
    // The text stored or written, once the dialog closed with OK.
    const QString& resultText() const { return m_result; }
    bool writing() const { return m_writing; }
    // Told every edit's outcome, applied or not (the change journal records writes).
    void setOutcomeListener(std::function<void(const editing::EditOutcome&)> listener)
    {
        m_listener = std::move(listener);
    }

public Q_SLOTS:
    void reject() override;

protected:
    // The environment must outlive the dialog.
    EditorDialog(editing::EditEnvironment& environment, model::UserMessage closeRefusal, QWidget* parent);

    // Runs the edit unless one runs already; when it was applied, keeps its text and
    // closes with OK. True when applied.
    bool applyAndClose(const std::function<editing::EditOutcome()>& edit);

    editing::EditEnvironment& m_env;

private:
    model::UserMessage m_closeRefusal;
    QString m_result;
    bool m_writing = false;
    std::function<void(const editing::EditOutcome&)> m_listener;
};

}  // namespace hesk::app
