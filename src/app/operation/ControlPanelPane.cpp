#include "ControlPanelPane.h"

#include "FreeDisplayDialog.h"
#include "PanelIcons.h"

#include "editors/ValueEditorDialog.h"
#include "operation/SessionDrive.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace hesk::app {

namespace {

constexpr int kIconSize = 32;
constexpr int kLampSize = 18;

QLabel* valueLabel(QWidget* parent)
{
    auto* label = new QLabel(QCoreApplication::translate("ControlPanelPane", "未知"), parent);
    label->setMinimumWidth(80);
    label->setFrameShape(QFrame::StyledPanel);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QComboBox* dataSetCombo(const QString& prefix, int count, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    for (int i = 1; i <= count; ++i)
        combo->addItem(prefix + QString::number(i));
    combo->setCurrentIndex(-1);
    // Shows the drive's active data set; it is chosen on the drive through its selection
    // inputs, not here.
    combo->setEnabled(false);
    return combo;
}

void selectDataSet(QComboBox* combo, std::optional<int> value)
{
    combo->setCurrentIndex(value ? *value - 1 : -1);
}

bool startsEntry(QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease)
        return true;
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space || key == Qt::Key_F2;
    }
    return false;
}

}  // namespace

ControlPanelPane::ControlPanelPane(operation::ControlPanel& panel, model::UserPrompt& prompt,
                                   pages::OfflineValueSet& offline, QWidget* parent)
    : QWidget(parent), m_panel(panel), m_prompt(prompt), m_offline(offline)
{
    setObjectName(QStringLiteral("controlPanel"));
    buildLayout();
    connect(m_take, &QPushButton::clicked, &m_panel, [this] { m_panel.takeOrRelease(); });
    connect(m_start, &QToolButton::clicked, &m_panel, [this] { m_panel.start(); });
    connect(m_stop, &QToolButton::clicked, &m_panel, [this] { m_panel.stop(); });
    connect(m_reset, &QPushButton::clicked, &m_panel, [this] { m_panel.faultReset(); });
    connect(m_unit, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (const auto unit = operation::setpointUnitFromIndex(index))
            m_panel.changeUnit(*unit);
    });
    connect(m_autoRelease, &QCheckBox::toggled, &m_panel, [this](bool on) { m_panel.setAutoRelease(on); });
    connect(&m_panel, &operation::ControlPanel::changed, this, &ControlPanelPane::showState);
    connect(&m_panel, &operation::ControlPanel::viewChanged, this, &ControlPanelPane::showView);
    connect(&m_panel, &operation::ControlPanel::startCheckStarted, this, &ControlPanelPane::showStartCheck);
    showState();
    showView();
}

void ControlPanelPane::buildLayout()
{
    auto* layout = new QVBoxLayout(this);

    auto* control = new QGroupBox(tr("电机控制"), this);
    auto* controlRow = new QHBoxLayout(control);
    m_take = new QPushButton(control);
    m_take->setObjectName(QStringLiteral("takeButton"));
    m_start = new QToolButton(control);
    m_start->setObjectName(QStringLiteral("startButton"));
    m_start->setToolTip(tr("启动电机"));
    m_start->setIconSize(QSize(kIconSize, kIconSize));
    m_start->setAutoRaise(true);
    m_stop = new QToolButton(control);
    m_stop->setObjectName(QStringLiteral("stopButton"));
    m_stop->setToolTip(tr("停止电机"));
    m_stop->setIconSize(QSize(kIconSize, kIconSize));
    m_stop->setAutoRaise(true);
    m_reset = new QPushButton(tr("故障复位"), control);
    m_reset->setObjectName(QStringLiteral("resetButton"));
    controlRow->addWidget(m_take);
    controlRow->addWidget(m_start);
    controlRow->addWidget(m_stop);
    controlRow->addWidget(m_reset);
    controlRow->addStretch();
    layout->addWidget(control);

    auto* status = new QGridLayout;
    m_state = valueLabel(this);
    m_state->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_deviceStatus = valueLabel(this);
    m_deviceStatus->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    status->addWidget(new QLabel(tr("运行状态："), this), 0, 0);
    status->addWidget(m_state, 0, 1);
    status->addWidget(new QLabel(tr("设备状态："), this), 1, 0);
    status->addWidget(m_deviceStatus, 1, 1);
    status->setColumnStretch(1, 1);
    layout->addLayout(status);

    auto* lamps = new QGroupBox(tr("状态字"), this);
    auto* lampGrid = new QGridLayout(lamps);
    for (int bit = 0; bit < 7; ++bit) {
        auto* lamp = new QLabel(lamps);
        lamp->setObjectName(QStringLiteral("lamp%1").arg(bit));
        m_lamps[static_cast<std::size_t>(bit)] = lamp;
        setLamp(lamp, false);
        lampGrid->addWidget(lamp, bit / 2, (bit % 2) * 2);
        lampGrid->addWidget(new QLabel(operation::statusLampCaptions()[static_cast<std::size_t>(bit)], lamps), bit / 2,
                            (bit % 2) * 2 + 1);
    }
    lampGrid->setColumnStretch(1, 1);
    lampGrid->setColumnStretch(3, 1);
    layout->addWidget(lamps);

    auto* values = new QGroupBox(tr("给定与实际值"), this);
    auto* grid = new QGridLayout(values);
    m_unit = new QComboBox(values);
    m_unit->setObjectName(QStringLiteral("unitCombo"));
    for (int i = 0; i < 4; ++i)
        m_unit->addItem(operation::setpointUnitName(*operation::setpointUnitFromIndex(i)));
    m_setpoint = new QLineEdit(values);
    m_setpoint->setObjectName(QStringLiteral("setpointEdit"));
    m_setpoint->setReadOnly(true);
    m_setpoint->setAlignment(Qt::AlignRight);
    m_setpoint->setToolTip(tr("单击输入给定值"));
    m_setpoint->installEventFilter(this);
    grid->addWidget(m_unit, 0, 0);
    grid->addWidget(m_setpoint, 0, 1);
    m_actualCaption = new QLabel(values);
    m_actual = valueLabel(values);
    m_current = valueLabel(values);
    m_dcVoltage = valueLabel(values);
    m_torque = valueLabel(values);
    grid->addWidget(m_actualCaption, 1, 0);
    grid->addWidget(m_actual, 1, 1);
    grid->addWidget(new QLabel(tr("实际电流(A)"), values), 2, 0);
    grid->addWidget(m_current, 2, 1);
    grid->addWidget(new QLabel(tr("直流电压(V)"), values), 3, 0);
    grid->addWidget(m_dcVoltage, 3, 1);
    grid->addWidget(new QLabel(tr("实际转矩(%)"), values), 4, 0);
    grid->addWidget(m_torque, 4, 1);
    layout->addWidget(values);

    auto* sets = new QGroupBox(tr("数据组"), this);
    auto* setRow = new QHBoxLayout(sets);
    m_bico = dataSetCombo(QStringLiteral("BICO DS"), 2, sets);
    m_fds = dataSetCombo(QStringLiteral("FDS"), 4, sets);
    m_mds = dataSetCombo(QStringLiteral("MDS"), 4, sets);
    setRow->addWidget(m_bico);
    setRow->addWidget(m_fds);
    setRow->addWidget(m_mds);
    layout->addWidget(sets);

    auto* free = new QGroupBox(tr("自由显示"), this);
    auto* freeGrid = new QGridLayout(free);
    for (int slot = 0; slot < 4; ++slot) {
        auto* edit = new QLineEdit(free);
        edit->setObjectName(QStringLiteral("freeDisplay%1").arg(slot + 1));
        edit->setReadOnly(true);
        edit->setPlaceholderText(tr("参数号"));
        edit->setToolTip(tr("单击选择要显示的参数"));
        edit->installEventFilter(this);
        m_freeEdits[static_cast<std::size_t>(slot)] = edit;
        freeGrid->addWidget(edit, slot, 0);
        if (slot < 2) {
            m_freeValues[static_cast<std::size_t>(slot)] = valueLabel(free);
            freeGrid->addWidget(m_freeValues[static_cast<std::size_t>(slot)], slot, 1);
        } else {
            auto* lamp = new QLabel(free);
            setLamp(lamp, false);
            m_freeLamps[static_cast<std::size_t>(slot - 2)] = lamp;
            freeGrid->addWidget(lamp, slot, 1, Qt::AlignLeft);
        }
    }
    layout->addWidget(free);

    m_autoRelease = new QCheckBox(tr("自动释放控制权"), this);
    m_autoRelease->setObjectName(QStringLiteral("autoReleaseBox"));
    layout->addWidget(m_autoRelease);
    auto* note = new QLabel(tr("软件不在最前时，会自动停机并释放控制权。如要临时取消此功能，可在获取控制权后，取消勾选。"),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);
    layout->addStretch();
}

void ControlPanelPane::setLamp(QLabel* lamp, bool lit)
{
    lamp->setPixmap(panelPixmap(lit ? PanelPicture::LampLit : PanelPicture::LampDark, kLampSize));
    lamp->setProperty("lit", lit);
}

bool ControlPanelPane::lampLit(int bit) const
{
    return lamp(bit)->property("lit").toBool();
}

void ControlPanelPane::showState()
{
    const bool held = m_panel.controlHeld();
    m_take->setText(m_panel.takeButtonText());
    const bool startActive = held && m_panel.motorStopped();
    const bool stopActive = held && m_panel.runCommanded();
    m_start->setIcon(panelIcon(startActive ? PanelPicture::StartActive : PanelPicture::StartInactive, kIconSize));
    m_stop->setIcon(panelIcon(stopActive ? PanelPicture::StopActive : PanelPicture::StopInactive, kIconSize));
    m_start->setProperty("active", startActive);
    m_stop->setProperty("active", stopActive);
    m_setpoint->setEnabled(held);
    m_setpoint->setText(m_panel.setpointText());
    m_autoRelease->setEnabled(held);
    {
        const QSignalBlocker blocker(m_autoRelease);
        m_autoRelease->setChecked(m_panel.autoRelease());
    }
    {
        const QSignalBlocker blocker(m_unit);
        m_unit->setCurrentIndex(static_cast<int>(m_panel.unit()));
    }
    m_actualCaption->setText(operation::actualValueCaption(m_panel.unit()));
}

void ControlPanelPane::showView()
{
    const operation::PanelView& view = m_panel.view();
    m_state->setText(view.stateText);
    m_deviceStatus->setText(view.deviceStatus);
    m_deviceStatus->setStyleSheet(view.deviceFault ? QStringLiteral("color: #b00000;") : QString());
    for (int bit = 0; bit < 7; ++bit)
        setLamp(lamp(bit), view.lamps[static_cast<std::size_t>(bit)]);
    selectDataSet(m_mds, view.motorDataSet);
    selectDataSet(m_bico, view.bicoDataSet);
    selectDataSet(m_fds, view.functionDataSet);
    m_actualCaption->setText(view.actualCaption);
    m_actual->setText(view.actualValue);
    m_current->setText(view.current);
    m_dcVoltage->setText(view.dcVoltage);
    m_torque->setText(view.torque);
    for (std::size_t slot = 0; slot < 4; ++slot) {
        m_freeEdits[slot]->setText(m_panel.freeDisplay()[slot].number);
        if (slot < 2)
            m_freeValues[slot]->setText(view.freeTexts[slot]);
        else
            setLamp(m_freeLamps[slot - 2], view.freeLamps[slot - 2]);
    }
}

void ControlPanelPane::showStartCheck(operation::StartCheck* check)
{
    auto* dialog = new QProgressDialog(tr("正在启动电机..."), QString(), 0, operation::StartCheck::kRange, this);
    dialog->setWindowTitle(tr("启动电机"));
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(0);
    dialog->setAutoClose(false);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_startDialog = dialog;
    connect(check, &operation::StartCheck::progress, dialog, [dialog](int position, int) { dialog->setValue(position); });
    connect(check, &operation::StartCheck::finished, dialog, &QProgressDialog::close);
    connect(check, &QObject::destroyed, dialog, &QProgressDialog::close);
    dialog->show();
}

void ControlPanelPane::editSetpoint()
{
    if (const std::optional<model::UserMessage> refusal = m_panel.setpointEntryRefusal()) {
        m_prompt.showMessage(*refusal);
        return;
    }
    const std::optional<model::HeskParameterElement> record = m_panel.setpointEditorRecord();
    if (!record)
        return;
    shell::MonitorSession& session = m_panel.session();
    editing::EditEnvironment environment{session.project(), m_offline, m_prompt, operation::sessionDriveAccess(session)};
    ValueEditorDialog dialog(environment, *record, m_panel.setpointText(), this);
    if (m_opened)
        m_opened(&dialog);
    if (dialog.exec() == QDialog::Accepted)
        m_panel.setSetpointText(dialog.valueEdit()->text());
}

void ControlPanelPane::editFreeDisplay(int slot)
{
    FreeDisplayDialog dialog(m_panel.session().project(), m_panel.freeDisplay().at(static_cast<std::size_t>(slot)).number,
                             this);
    if (m_opened)
        m_opened(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!m_panel.setFreeDisplay(slot, dialog.number()))
        m_prompt.showMessage(model::UserMessage::warning(tr("参数%1不存在！").arg(dialog.number())));
    showView();
}

bool ControlPanelPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_setpoint && startsEntry(event)) {
        editSetpoint();
        return true;
    }
    for (int slot = 0; slot < 4; ++slot) {
        if (watched == m_freeEdits[static_cast<std::size_t>(slot)] && startsEntry(event)) {
            editFreeDisplay(slot);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace hesk::app
