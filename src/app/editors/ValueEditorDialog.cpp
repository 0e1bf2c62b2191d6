#include "ValueEditorDialog.h"

#include "dialogs/DialogButtons.h"

#include "editing/EditorMessages.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QVBoxLayout>

namespace hesk::app {

ValueEditorDialog::ValueEditorDialog(editing::EditEnvironment& environment,
                                   const model::HeskParameterElement& parameter, const QString& currentText,
                                   QWidget* parent)
    : EditorDialog(environment, editing::valueCloseRefusal(), parent), m_parameter(parameter)
{
    setWindowTitle(tr("修改参数值"));
    auto* layout = new QVBoxLayout(this);

    auto* valueGroup = new QGroupBox(tr("参数值"), this);
    auto* valueLayout = new QVBoxLayout(valueGroup);
    m_edit = new QLineEdit(currentText, valueGroup);
    m_edit->setObjectName(QStringLiteral("valueEdit"));
    m_edit->selectAll();
    valueLayout->addWidget(m_edit);
    auto* rangeRow = new QHBoxLayout;
    rangeRow->addWidget(new QLabel(tr("参数范围："), valueGroup));
    m_range = new QLabel(editing::rangeText(environment.project, parameter), valueGroup);
    m_range->setObjectName(QStringLiteral("rangeLabel"));
    rangeRow->addWidget(m_range, 1);
    valueLayout->addLayout(rangeRow);
    layout->addWidget(valueGroup);

    auto* hints = new QGroupBox(tr("小提示"), this);
    auto* hintLayout = new QVBoxLayout(hints);
    for (const QString& line : {tr("二进制数只允许输入“0”或“1”"),
                                tr("十进制数只允许输入“0”~“9”、“.”或“-”"),
                                tr("十六进制数“0x”或“0X”后只允许输入“0~9”、“a~f”或“A~F”")})
        hintLayout->addWidget(new QLabel(line, hints));
    layout->addWidget(hints);

    // Shown only while a long write (a cascade of writes) runs.
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setVisible(false);
    layout->addWidget(m_progress);

    layout->addWidget(okCancelButtons(this));
}

void ValueEditorDialog::accept()
{
    // The reference cascade shows its steps on the bar, hidden again when it ends.
    editing::CascadeProgress progress;
    progress.start = [this](int maximum) {
        m_progress->setRange(0, maximum);
        m_progress->setValue(0);
        m_progress->setVisible(true);
    };
    progress.step = [this](int position) { m_progress->setValue(position); };
    progress.finish = [this] { m_progress->setVisible(false); };
    if (!applyAndClose([&] { return editing::applyValueText(m_env, m_parameter, m_edit->text(), progress); }))
        m_edit->setFocus();
}


}  // namespace hesk::app
