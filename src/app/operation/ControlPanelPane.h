#pragma once
// The control panel's pane: buttons, start and stop pictures, the state and device status,
// the seven status-word lamps, the setpoint with its unit, the actual values, the data
// sets, the free display and the check box "自动释放控制权". It shows what the
// operation::ControlPanel holds and forwards clicks to it; the setpoint is edited in the
// value editor on the panel's record, which writes it.
//
// Thread: UI thread only.

#include "operation/ControlPanel.h"

#include "model/UserPrompt.h"
#include "pages/OfflineValueSet.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QProgressDialog;
class QPushButton;
class QToolButton;

namespace hesk::app {

class ControlPanelPane final : public QWidget {
    Q_OBJECT
public:
    ControlPanelPane(operation::ControlPanel& panel, model::UserPrompt& prompt, pages::OfflineValueSet& offline,
                     QWidget* parent = nullptr);

    // Called with the setpoint editor and the free-display picker just before they run
    // (tests fill and close them from here).
    using DialogOpened = std::function<void(QDialog*)>;
    void setDialogOpened(DialogOpened hook) { m_opened = std::move(hook); }

    QPushButton* takeButton() const { return m_take; }
    QToolButton* startButton() const { return m_start; }
    QToolButton* stopButton() const { return m_stop; }
    QPushButton* resetButton() const { return m_reset; }
    QLineEdit* setpointEdit() const { return m_setpoint; }
    QComboBox* unitCombo() const { return m_unit; }
    QLabel* stateLabel() const { return m_state; }
    QLabel* deviceStatusLabel() const { return m_deviceStatus; }
    QLabel* actualCaption() const { return m_actualCaption; }
    QLabel* actualValue() const { return m_actual; }
    QLabel* currentValue() const { return m_current; }
    QLabel* dcVoltageValue() const { return m_dcVoltage; }
    QLabel* torqueValue() const { return m_torque; }
    QLabel* lamp(int bit) const { return m_lamps.at(static_cast<std::size_t>(bit)); }
    QComboBox* motorDataSetCombo() const { return m_mds; }
    QCheckBox* autoReleaseBox() const { return m_autoRelease; }
    QLineEdit* freeDisplayEdit(int slot) const { return m_freeEdits.at(static_cast<std::size_t>(slot)); }
    // Whether a lamp shows lit (its picture).
    bool lampLit(int bit) const;

    // The setpoint entry and the free display entry as a click starts them.
    void editSetpoint();
    void editFreeDisplay(int slot);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void showState();
    void showView();
    void showStartCheck(operation::StartCheck* check);
    void setLamp(QLabel* lamp, bool lit);

    operation::ControlPanel& m_panel;
    model::UserPrompt& m_prompt;
    pages::OfflineValueSet& m_offline;
    DialogOpened m_opened;

    QPushButton* m_take = nullptr;
    QToolButton* m_start = nullptr;
    QToolButton* m_stop = nullptr;
    QPushButton* m_reset = nullptr;
    QLabel* m_state = nullptr;
    QLabel* m_deviceStatus = nullptr;
    std::array<QLabel*, 7> m_lamps{};
    QLineEdit* m_setpoint = nullptr;
    QComboBox* m_unit = nullptr;
    QLabel* m_actualCaption = nullptr;
    QLabel* m_actual = nullptr;
    QLabel* m_current = nullptr;
    QLabel* m_dcVoltage = nullptr;
    QLabel* m_torque = nullptr;
    QComboBox* m_bico = nullptr;
    QComboBox* m_fds = nullptr;
    QComboBox* m_mds = nullptr;
    std::array<QLineEdit*, 4> m_freeEdits{};
    std::array<QLabel*, 2> m_freeValues{};
    std::array<QLabel*, 2> m_freeLamps{};
    QCheckBox* m_autoRelease = nullptr;
    QPointer<QProgressDialog> m_startDialog;
};

}  // namespace hesk::app
