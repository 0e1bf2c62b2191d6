#pragma once
// The special-value editor: the parameter's allowed values (the special parameters'
// table, the base-value keys for P0070) as a list to choose from, the current value
// selected. OK stores or writes the chosen value as the value editor does
// (editing::applyValueText). Closing is refused while the write runs.

#include "editing/ValueEdit.h"

#include "EditorDialog.h"

class QListWidget;

namespace hesk::app {

class SpecialValueEditorDialog final : public EditorDialog {
    Q_OBJECT
public:
    // The environment and the parameter must outlive the dialog.
    SpecialValueEditorDialog(editing::EditEnvironment& environment, const model::HeskParameterElement& parameter,
                            const QString& currentText, QWidget* parent = nullptr);

    QListWidget* optionList() const { return m_list; }

public Q_SLOTS:
    void accept() override;

private:
    const model::HeskParameterElement& m_parameter;
    QListWidget* m_list = nullptr;
};

}  // namespace hesk::app
