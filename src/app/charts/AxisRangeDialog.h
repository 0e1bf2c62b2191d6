#pragma once
// "修改坐标轴范围": the X minimum, X maximum, Y minimum and Y maximum of a chart, shown as
// "%f" texts. OK checks them with recording::checkAxisRange; a refusal is shown as a
// warning through the prompt and the dialog stays open, otherwise range() holds the
// accepted values and the dialog closes. Applying the range is the caller's part.

#include "model/UserPrompt.h"
#include "recording/AxisRangeInput.h"

#include <QDialog>

class QLineEdit;

namespace hesk::app {

class AxisRangeDialog : public QDialog {
    Q_OBJECT
public:
    AxisRangeDialog(const recording::AxisRange& current, model::UserPrompt& prompt, QWidget* parent = nullptr);

    // The accepted range (the opening one until OK succeeds).
    recording::AxisRange range() const { return m_range; }
    recording::AxisRangeTexts texts() const;

public Q_SLOTS:
    void accept() override;

private:
    model::UserPrompt& m_prompt;
    recording::AxisRange m_range;
    QLineEdit* m_xMin = nullptr;
    QLineEdit* m_xMax = nullptr;
    QLineEdit* m_yMin = nullptr;
    QLineEdit* m_yMax = nullptr;
};

}  // namespace hesk::app
