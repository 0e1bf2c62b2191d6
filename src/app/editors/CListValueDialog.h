#pragma once
// "修改参数值": the value editor. The person types the new value; OK validates it and
// stores it offline or writes it online (editing::applyValueText); a refusal or a failed
// write keeps the dialog open with the typed text. Closing is refused while a write runs.

#include "editing/ValueEdit.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QProgressBar;

namespace hesk::app {

class CListValueDialog final : public QDialog {
    Q_OBJECT
public:
    // The environment and the parameter must outlive the dialog.
    CListValueDialog(editing::EditEnvironment& environment, const model::HeskParameterElement& parameter,
                     const QString& currentText, QWidget* parent = nullptr);

    // The stored or written value text after OK.
    const QString& resultText() const { return m_result; }
    QLineEdit* valueEdit() const { return m_edit; }
    QLabel* rangeLabel() const { return m_range; }
    bool writing() const { return m_writing; }

public Q_SLOTS:
    void accept() override;
    void reject() override;

private:
    editing::EditEnvironment& m_env;
    const model::HeskParameterElement& m_parameter;
    QLineEdit* m_edit = nullptr;
    QLabel* m_range = nullptr;
    QProgressBar* m_progress = nullptr;
    QString m_result;
    bool m_writing = false;
};

}  // namespace hesk::app
