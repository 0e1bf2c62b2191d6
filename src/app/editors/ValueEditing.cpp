#include "ValueEditing.h"

#include "BitWordEditorDialog.h"
#include "ConnectionEditorDialog.h"
#include "ValueEditorDialog.h"
#include "SpecialValueEditorDialog.h"

#include "pages/ParameterPageWindow.h"

#include "editing/AllowedValues.h"
#include "editing/EditContextSource.h"

#include <QWidget>

#include <memory>

namespace hesk::app {

ValueEditing::ValueEditing(shell::MonitorSession& session, model::UserPrompt& prompt, pages::OfflineValueSet& offline,
                           QWidget* dialogParent, QObject* parent)
    : QObject(parent), m_session(session), m_prompt(prompt), m_offline(offline), m_parent(dialogParent)
{
}

bool ValueEditing::editRow(ParameterPageWindow& window, int row)
{
    const pages::ParameterPage& page = window.page();
    if (row < 0 || row >= page.rowCount())
        return false;
    const pages::PageRow& pageRow = page.row(row);
    model::OpenedProject& project = m_session.project();
    const std::vector<model::HeskParameterElement>& elements = project.project().elements;
    // The row's definition must still be the project's.
    if (pageRow.elementIndex >= elements.size() || !(elements[pageRow.elementIndex] == pageRow.element))
        return false;
    const model::HeskParameterElement& parameter = elements[pageRow.elementIndex];

    const bool online = m_session.isOnline();
    // The rules read the drive's access word, menu level and state, and the editor starts
    // from the parameter's value: read them now, so that neither rests on words that were
    // never polled.
    if (online) {
        std::vector<const model::HeskParameterElement*> inputs = editing::ruleValueParameters(project);
        inputs.push_back(&parameter);
        if (!m_session.readParameters(inputs)) {
            m_prompt.showMessage(model::UserMessage::error(QStringLiteral("请求数据超时，请您重新尝试！")));
            return false;
        }
        window.refreshAllValues();
    }
    const editing::EditContext context = editing::editContext(
        project, online, [this](const model::HeskParameterElement& e) { return m_session.onlineRaw(e); });
    const editing::EditDecision decision = editing::decideValueEdit(context, parameter);
    if (decision.refused()) {
        m_prompt.showMessage(*decision.refusal);
        if (decision.focusBackToList)
            window.setFocus();
        return false;
    }
    if (decision.editor == editing::EditorKind::None || decision.editor == editing::EditorKind::CommentDialog)
        return false;
    if (!runEditor(decision.editor, parameter, pageRow.valueText))
        return false;
    window.refreshAllValues();
    return true;
}

bool ValueEditing::runEditor(editing::EditorKind kind, const model::HeskParameterElement& parameter,
                             const QString& text)
{
    editing::EditEnvironment environment{m_session.project(), m_offline, m_prompt, {}};
    if (m_session.isOnline()) {
        environment.drive.tables = &m_session.values();
        environment.drive.write = [this](const link::CommandFrame& frame) { return m_session.write(frame); };
        environment.drive.read = [this](const std::vector<const model::HeskParameterElement*>& elements) {
            return m_session.readParameters(elements);
        };
        environment.drive.motorControlHeld = [this] { return m_session.motorControlHeld(); };
        // A new power unit (P0070) selects other base values: the pages convert anew.
        environment.drive.valuesWritten = [this] {
            if (m_session.refreshFormulas())
                Q_EMIT m_session.formulasRecomputed();
        };
    }
    // The editor keeps a copy of the definition: the project stays put while it runs,
    // but nothing here depends on that.
    const model::HeskParameterElement copy = parameter;
    std::unique_ptr<QDialog> dialog;
    switch (kind) {
    case editing::EditorKind::ConnectionDialog:
        dialog = std::make_unique<ConnectionEditorDialog>(environment, copy, text, m_parent);
        break;
    case editing::EditorKind::BitDialog:
        dialog = std::make_unique<BitWordEditorDialog>(environment, copy, text, m_parent);
        break;
    case editing::EditorKind::ValueDialog:
        dialog = std::make_unique<ValueEditorDialog>(environment, copy, text, m_parent);
        break;
    case editing::EditorKind::SpecialParameterDialog:
        // A parameter without options in the table (a project's own special) is typed.
        if (editing::hasAllowedValues(editing::AllowedValueSource::of(m_session.project()), parameter.number))
            dialog = std::make_unique<SpecialValueEditorDialog>(environment, copy, text, m_parent);
        else
            dialog = std::make_unique<ValueEditorDialog>(environment, copy, text, m_parent);
        break;
    case editing::EditorKind::None:
    case editing::EditorKind::CommentDialog:
        return false;
    }
    if (m_opened)
        m_opened(dialog.get());
    return dialog->exec() == QDialog::Accepted;
}

}  // namespace hesk::app
