#pragma once
// "触发设置": the recorder's channels, sampling, pre-trigger, trigger condition, start mode
// and save path. OK takes the fields through recording::settingsFromDraft (the checks in
// their order, a warning keeps the dialog open); "保存配置文件" and "加载配置文件" save and
// load a settings file with their messages.
//
// Thread: UI thread only.

#include "model/OpenedProject.h"
#include "model/UserPrompt.h"
#include "recording/TriggerSettingsDraft.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace hesk::app {

class TriggerSettingsDialog final : public QDialog {
    Q_OBJECT
public:
    // baseTimeUs: TA, shown beside the sampling period as "(%dus)".
    TriggerSettingsDialog(const recording::TriggerSettings& settings, const model::OpenedProject& project,
                          model::UserPrompt& prompt, int baseTimeUs, QWidget* parent = nullptr);

    // The record after OK.
    const recording::TriggerSettings& settings() const { return m_settings; }
    recording::TriggerSettingsDraft draft() const;
    void setDraft(const recording::TriggerSettingsDraft& draft);

    void accept() override;
    void saveConfiguration();
    void loadConfiguration();

private:
    void chooseSavePath();
    // The edit beside a "..." button that picks its parameter in the selection dialog.
    QWidget* withPicker(QLineEdit* edit, const QString& name, QWidget* parent);
    void pickParameter(QLineEdit* edit);
    void updateFreeSpace();

    recording::TriggerSettings m_settings;
    const model::OpenedProject& m_project;
    model::UserPrompt& m_prompt;
    std::array<QCheckBox*, recording::kRecorderChannels> m_ticks{};
    std::array<QLineEdit*, recording::kRecorderChannels> m_names{};
    QLineEdit* m_period = nullptr;
    QLineEdit* m_preTrigger = nullptr;
    QRadioButton* m_condition1 = nullptr;
    QRadioButton* m_condition2 = nullptr;
    QRadioButton* m_fault = nullptr;
    QLineEdit* m_parameter1 = nullptr;
    QCheckBox* m_bitMode = nullptr;
    QLineEdit* m_bitNumber = nullptr;
    std::array<QRadioButton*, 4> m_operators{};
    QButtonGroup* m_operatorGroup = nullptr;
    QLineEdit* m_value = nullptr;
    QLineEdit* m_parameter2 = nullptr;
    QRadioButton* m_equals0 = nullptr;
    QRadioButton* m_equals1 = nullptr;
    QButtonGroup* m_value2Group = nullptr;
    QComboBox* m_startMode = nullptr;
    QLineEdit* m_savePath = nullptr;
    QLabel* m_freeSpace = nullptr;
};

}  // namespace hesk::app
