#pragma once
// "修改参数值": the value editor. The person types the new value; OK validates it and
// stores it offline or writes it online (editing::applyValueText); a refusal or a failed
// write keeps the dialog open with the typed text. Closing is refused while a write runs.

#include "editing/ValueEdit.h"

#include "EditorDialog.h"

class QLabel;
class QLineEdit;
class QProgressBar;

namespace hesk::app {

class ValueEditorDialog final : public EditorDialog {
    Q_OBJECT
public:
    // The environment and the parameter must outlive the dialog.
    ValueEditorDialog(editing::EditEnvironment& environment, const model::HeskParameterElement& parameter,
                     const QString& currentText, QWidget* parent = nullptr);

    // The stored or written value text after OK.
    QLineEdit* valueEdit() const { return m_edit; }
    QLabel* rangeLabel() const { return m_range; }

public Q_SLOTS:
    void accept() override;

private:
    const model::HeskParameterElement& m_parameter;
    QLineEdit* m_edit = nullptr;
    QLabel* m_range = nullptr;
    QProgressBar* m_progress = nullptr;
};

}  // namespace hesk::app
