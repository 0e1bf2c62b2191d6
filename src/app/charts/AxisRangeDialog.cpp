#include "AxisRangeDialog.h"

#include "dialogs/DialogButtons.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace hesk::app {

AxisRangeDialog::AxisRangeDialog(const recording::AxisRange& current, model::UserPrompt& prompt, QWidget* parent)
    : QDialog(parent)
    , m_prompt(prompt)
    , m_range(current)
{
    setWindowTitle(tr("修改坐标轴范围"));
    const recording::AxisRangeTexts shown = recording::axisRangeTexts(current);
    auto makeEdit = [this](const char* name, const QString& text) {
        auto* edit = new QLineEdit(text, this);
        edit->setObjectName(QLatin1String(name));
        return edit;
    };
    m_xMin = makeEdit("xMinEdit", shown.xMin);
    m_xMax = makeEdit("xMaxEdit", shown.xMax);
    m_yMin = makeEdit("yMinEdit", shown.yMin);
    m_yMax = makeEdit("yMaxEdit", shown.yMax);

    auto* form = new QFormLayout;
    form->addRow(tr("X轴最小值"), m_xMin);
    form->addRow(tr("X轴最大值"), m_xMax);
    form->addRow(tr("Y轴最小值"), m_yMin);
    form->addRow(tr("Y轴最大值"), m_yMax);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancelButtons(this));
}

recording::AxisRangeTexts AxisRangeDialog::texts() const
{
    return {m_xMin->text(), m_xMax->text(), m_yMin->text(), m_yMax->text()};
}

void AxisRangeDialog::accept()
{
    const auto checked = recording::checkAxisRange(texts());
    if (const auto* refusal = std::get_if<model::UserMessage>(&checked)) {
        m_prompt.showMessage(*refusal);
        return;
    }
    m_range = std::get<recording::AxisRange>(checked);
    QDialog::accept();
}

}  // namespace hesk::app
