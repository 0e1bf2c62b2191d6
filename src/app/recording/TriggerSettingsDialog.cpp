#include "TriggerSettingsDialog.h"

#include "dialogs/DialogButtons.h"
#include "operation/FreeDisplayDialog.h"
#include "recording/RecordingAutoSave.h"
#include "recording/TricfgFile.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStorageInfo>
#include <QToolButton>
#include <QVBoxLayout>

namespace hesk::app {

TriggerSettingsDialog::TriggerSettingsDialog(const recording::TriggerSettings& settings,
                                             const model::OpenedProject& project, model::UserPrompt& prompt,
                                             int baseTimeUs, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_project(project), m_prompt(prompt)
{
    setWindowTitle(tr("触发设置"));

    auto* channels = new QGroupBox(tr("通道设置"), this);
    auto* channelGrid = new QGridLayout(channels);
    for (int i = 0; i < recording::kRecorderChannels; ++i) {
        m_ticks[static_cast<size_t>(i)] = new QCheckBox(tr("通道%1").arg(i + 1), channels);
        m_names[static_cast<size_t>(i)] = new QLineEdit(channels);
        m_names[static_cast<size_t>(i)]->setPlaceholderText(QStringLiteral("K0000"));
        channelGrid->addWidget(m_ticks[static_cast<size_t>(i)], i, 0);
        channelGrid->addWidget(withPicker(m_names[static_cast<size_t>(i)], QStringLiteral("pickChannel%1").arg(i + 1), channels),
                               i, 1);
    }

    auto* data = new QGroupBox(tr("数据设置"), this);
    auto* dataGrid = new QGridLayout(data);
    m_period = new QLineEdit(data);
    m_preTrigger = new QLineEdit(data);
    dataGrid->addWidget(new QLabel(tr("采样周期"), data), 0, 0);
    dataGrid->addWidget(m_period, 0, 1);
    dataGrid->addWidget(new QLabel(QStringLiteral("* TA (%1us)").arg(baseTimeUs), data), 0, 2);
    dataGrid->addWidget(new QLabel(tr("预触发"), data), 1, 0);
    dataGrid->addWidget(m_preTrigger, 1, 1);
    dataGrid->addWidget(new QLabel(QStringLiteral("%"), data), 1, 2);

    auto* trigger = new QGroupBox(tr("触发条件"), this);
    auto* triggerGrid = new QGridLayout(trigger);
    m_condition1 = new QRadioButton(tr("条件1"), trigger);
    m_condition2 = new QRadioButton(tr("条件2"), trigger);
    m_fault = new QRadioButton(tr("故障触发"), trigger);
    auto* kinds = new QButtonGroup(this);
    kinds->setExclusive(false);  // none chosen is a state the checks name
    for (QRadioButton* kind : {m_condition1, m_condition2, m_fault}) {
        kinds->addButton(kind);
        connect(kind, &QRadioButton::toggled, this, [this, kind](bool on) {
            if (!on)
                return;
            for (QRadioButton* other : {m_condition1, m_condition2, m_fault})
                if (other != kind)
                    other->setChecked(false);
        });
    }
    m_parameter1 = new QLineEdit(trigger);
    m_parameter1->setPlaceholderText(QStringLiteral("K0021"));
    m_bitMode = new QCheckBox(tr("Bit位"), trigger);
    m_bitNumber = new QLineEdit(trigger);
    m_bitNumber->setMaximumWidth(40);
    m_operatorGroup = new QButtonGroup(this);
    const QStringList operators{QStringLiteral("<"), QStringLiteral(">"), QStringLiteral("="), QStringLiteral("<>")};
    auto* operatorRow = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        m_operators[static_cast<size_t>(i)] = new QRadioButton(operators[i], trigger);
        m_operatorGroup->addButton(m_operators[static_cast<size_t>(i)], i);
        operatorRow->addWidget(m_operators[static_cast<size_t>(i)]);
    }
    m_value = new QLineEdit(trigger);
    m_parameter2 = new QLineEdit(trigger);
    m_parameter2->setPlaceholderText(QStringLiteral("B0010"));
    m_equals0 = new QRadioButton(QStringLiteral("=0"), trigger);
    m_equals1 = new QRadioButton(QStringLiteral("=1"), trigger);
    m_value2Group = new QButtonGroup(this);
    m_value2Group->addButton(m_equals0, 0);
    m_value2Group->addButton(m_equals1, 1);
    triggerGrid->addWidget(m_condition1, 0, 0);
    triggerGrid->addWidget(withPicker(m_parameter1, QStringLiteral("pickCondition1"), trigger), 0, 1);
    triggerGrid->addWidget(m_bitMode, 0, 2);
    triggerGrid->addWidget(m_bitNumber, 0, 3);
    triggerGrid->addLayout(operatorRow, 1, 1);
    triggerGrid->addWidget(new QLabel(tr("触发值(%)"), trigger), 1, 2);
    triggerGrid->addWidget(m_value, 1, 3);
    triggerGrid->addWidget(m_condition2, 2, 0);
    triggerGrid->addWidget(withPicker(m_parameter2, QStringLiteral("pickCondition2"), trigger), 2, 1);
    triggerGrid->addWidget(m_equals0, 2, 2);
    triggerGrid->addWidget(m_equals1, 2, 3);
    triggerGrid->addWidget(m_fault, 3, 0);

    auto* mode = new QGroupBox(tr("启动方式"), this);
    auto* modeGrid = new QGridLayout(mode);
    m_startMode = new QComboBox(mode);
    // The items show the translated mode; their data is the mode as the settings keep it.
    m_startMode->addItem(tr("单次触发"), recording::singleTriggerText());
    m_startMode->addItem(tr("连续触发"), recording::continuousTriggerText());
    m_savePath = new QLineEdit(mode);
    auto* browse = new QPushButton(QStringLiteral("..."), mode);
    m_freeSpace = new QLabel(mode);
    m_freeSpace->setWordWrap(true);
    modeGrid->addWidget(m_startMode, 0, 0, 1, 3);
    modeGrid->addWidget(new QLabel(tr("连续触发保存路径"), mode), 1, 0);
    modeGrid->addWidget(m_savePath, 1, 1);
    modeGrid->addWidget(browse, 1, 2);
    modeGrid->addWidget(m_freeSpace, 2, 0, 1, 3);

    auto* save = new QPushButton(tr("保存配置文件"), this);
    auto* load = new QPushButton(tr("加载配置文件"), this);
    QDialogButtonBox* buttons = okCancelButtons(this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(save);
    bottom->addWidget(load);
    bottom->addStretch(1);
    bottom->addWidget(buttons);

    auto* left = new QVBoxLayout;
    left->addWidget(channels);
    left->addWidget(data);
    auto* right = new QVBoxLayout;
    right->addWidget(trigger);
    right->addWidget(mode);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(bottom);

    connect(save, &QPushButton::clicked, this, &TriggerSettingsDialog::saveConfiguration);
    connect(load, &QPushButton::clicked, this, &TriggerSettingsDialog::loadConfiguration);
    connect(browse, &QPushButton::clicked, this, &TriggerSettingsDialog::chooseSavePath);
    connect(m_savePath, &QLineEdit::textChanged, this, &TriggerSettingsDialog::updateFreeSpace);
    setDraft(recording::draftOf(settings));
}

recording::TriggerSettingsDraft TriggerSettingsDialog::draft() const
{
    recording::TriggerSettingsDraft d;
    for (size_t i = 0; i < m_ticks.size(); ++i) {
        d.form.channelTicked[i] = m_ticks[i]->isChecked();
        d.channelNames[i] = m_names[i]->text();
    }
    d.form.samplingPeriod = m_period->text();
    d.form.preTrigger = m_preTrigger->text();
    d.form.condition1 = m_condition1->isChecked();
    d.form.condition2 = m_condition2->isChecked();
    d.form.faultTrigger = m_fault->isChecked();
    d.form.condition1Parameter = m_parameter1->text();
    d.form.bitMode = m_bitMode->isChecked();
    d.form.bitNumber = m_bitNumber->text();
    if (m_operatorGroup->checkedId() >= 0)
        d.form.conditionOperator = static_cast<recording::TriggerOperator>(m_operatorGroup->checkedId());
    d.form.value = m_value->text();
    d.form.condition2Parameter = m_parameter2->text();
    if (m_value2Group->checkedId() >= 0)
        d.form.condition2Value = m_value2Group->checkedId();
    d.startMode = m_startMode->currentData().toString();
    d.savePath = m_savePath->text();
    return d;
}

void TriggerSettingsDialog::setDraft(const recording::TriggerSettingsDraft& d)
{
    for (size_t i = 0; i < m_ticks.size(); ++i) {
        m_ticks[i]->setChecked(d.form.channelTicked[i]);
        m_names[i]->setText(d.channelNames[i]);
    }
    m_period->setText(d.form.samplingPeriod);
    m_preTrigger->setText(d.form.preTrigger);
    m_condition1->setChecked(d.form.condition1);
    m_condition2->setChecked(d.form.condition2);
    m_fault->setChecked(d.form.faultTrigger);
    m_parameter1->setText(d.form.condition1Parameter);
    m_bitMode->setChecked(d.form.bitMode);
    m_bitNumber->setText(d.form.bitNumber);
    m_operatorGroup->setExclusive(false);
    for (QRadioButton* op : m_operators)
        op->setChecked(false);
    m_operatorGroup->setExclusive(true);
    if (d.form.conditionOperator)
        m_operators[static_cast<size_t>(*d.form.conditionOperator)]->setChecked(true);
    m_value->setText(d.form.value);
    m_parameter2->setText(d.form.condition2Parameter);
    m_value2Group->setExclusive(false);
    m_equals0->setChecked(d.form.condition2Value == 0);
    m_equals1->setChecked(d.form.condition2Value == 1);
    m_value2Group->setExclusive(true);
    m_startMode->setCurrentIndex(d.startMode == recording::continuousTriggerText() ? 1 : 0);
    m_savePath->setText(d.savePath);
    updateFreeSpace();
}

QWidget* TriggerSettingsDialog::withPicker(QLineEdit* edit, const QString& name, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    edit->setParent(box);
    row->addWidget(edit);
    auto* pick = new QToolButton(box);
    pick->setText(QStringLiteral("..."));
    pick->setObjectName(name);
    pick->setToolTip(tr("选择参数"));
    row->addWidget(pick);
    connect(pick, &QToolButton::clicked, this, [this, edit] { pickParameter(edit); });
    return box;
}

void TriggerSettingsDialog::pickParameter(QLineEdit* edit)
{
    FreeDisplayDialog dialog(m_project, edit->text(), this, tr("选择参数"));
    if (dialog.exec() == QDialog::Accepted)
        edit->setText(dialog.number());
}

void TriggerSettingsDialog::accept()
{
    auto result = recording::settingsFromDraft(draft(), m_settings, m_project);
    if (const auto* refusal = std::get_if<model::UserMessage>(&result)) {
        m_prompt.showMessage(*refusal);
        return;
    }
    m_settings = std::get<recording::TriggerSettings>(std::move(result));
    QDialog::accept();
}

void TriggerSettingsDialog::saveConfiguration()
{
    auto result = recording::settingsFromDraft(draft(), m_settings, m_project);
    if (const auto* refusal = std::get_if<model::UserMessage>(&result)) {
        m_prompt.showMessage(*refusal);
        return;
    }
    model::FileDialogSpec spec;
    spec.title = tr("保存配置文件");
    spec.fileName = recording::proposedTricfgName(QDateTime::currentDateTime());
    spec.filter = QStringLiteral("tricfg File (*.tricfg)");
    spec.defaultSuffix = QStringLiteral("tricfg");
    const std::optional<QString> path = m_prompt.saveFile(spec);
    if (!path) {
        m_prompt.showMessage(recording::tricfgNoPathMessage());
        return;
    }
    const recording::TricfgWrite written = recording::writeTricfg(*path, std::get<recording::TriggerSettings>(result));
    m_prompt.showMessage(written.ok ? recording::tricfgSavedMessage(*path) : recording::tricfgSaveFailedMessage());
}

void TriggerSettingsDialog::loadConfiguration()
{
    model::FileDialogSpec spec;
    spec.title = tr("选择配置文件");
    spec.filter = QStringLiteral("*.tricfg");
    const std::optional<QString> path = m_prompt.openFile(spec);
    if (!path)
        return;
    auto loaded = recording::loadTricfg(*path, m_settings.deviceCode);
    if (const auto* refusal = std::get_if<model::UserMessage>(&loaded)) {
        m_prompt.showMessage(*refusal);
        return;
    }
    setDraft(recording::draftOf(std::get<recording::TriggerSettings>(loaded)));
}

void TriggerSettingsDialog::chooseSavePath()
{
    model::FolderDialogSpec spec;
    spec.title = recording::savePathBrowserTitle();
    spec.directory = m_savePath->text();
    if (const std::optional<QString> folder = m_prompt.chooseFolder(spec))
        m_savePath->setText(*folder);
}

void TriggerSettingsDialog::updateFreeSpace()
{
    const QString path = m_savePath->text().trimmed();
    if (path.isEmpty()) {
        m_freeSpace->setText(recording::freeSpaceAdvice());
        return;
    }
    const QStorageInfo storage(path);
    m_freeSpace->setText(storage.isValid() ? recording::freeSpaceHint(storage.bytesAvailable()) + QLatin1Char('\n')
                                                 + recording::freeSpaceAdvice()
                                           : recording::freeSpaceAdvice());
}

}  // namespace hesk::app
