#pragma once
// "修改参数连线": the connection editor. The person types the source's number into
// "参数号：" or double-clicks a row of the candidate list (the project's connectors and
// binectors: "连线值", "名称", "注释"), which takes its number and applies it at once.
// OK stores the source offline or writes the connection online
// (editing::applyConnection); a refusal or a failed write keeps the dialog open.
// Closing is refused while a write runs.

#include "editing/ConnectionEdit.h"

#include "EditorDialog.h"

#include <vector>

class QLineEdit;
class QTableWidget;

namespace hesk::app {

class ConnectionEditorDialog final : public EditorDialog {
    Q_OBJECT
public:
    // The environment and the parameter must outlive the dialog.
    ConnectionEditorDialog(editing::EditEnvironment& environment, const model::HeskParameterElement& parameter,
                          const QString& currentText, QWidget* parent = nullptr);

    QLineEdit* sourceEdit() const { return m_edit; }
    QTableWidget* candidateList() const { return m_list; }
    // The row's number goes into the edit and is applied, as a double-click does.
    void chooseRow(int row);

public Q_SLOTS:
    void accept() override;

private:
    const model::HeskParameterElement& m_parameter;
    std::vector<editing::ConnectionCandidate> m_candidates;
    QLineEdit* m_edit = nullptr;
    QTableWidget* m_list = nullptr;
};

}  // namespace hesk::app
