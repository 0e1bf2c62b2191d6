#pragma once
// "添加设备": the person picks a device type ("设备类型：") and one of its versions
// ("设备版本："); OK looks for the installed project of that type and version below the
// project root (online::lookUpAddDevice). Found: the dialog reports its path
// (projectChosen, chosenProjectPath()) and closes with Accepted, and the caller opens
// it. Not found: "没有找到设备，请您重新选择！" and the dialog stays open.
//
// Threads: UI thread; the lookup reads project headers on it.

#include "model/UserPrompt.h"

#include <QDialog>

#include <optional>

class QComboBox;

namespace hesk::app {

class AddDeviceDialog : public QDialog {
    Q_OBJECT
public:
    // projectRoot: the folder whose tree holds the installed projects
    // (online::applicationProjectRoot() for the application).
    AddDeviceDialog(QString projectRoot, model::UserPrompt& prompt, QWidget* parent = nullptr);

    // Set once the dialog closes with Accepted.
    const std::optional<QString>& chosenProjectPath() const { return m_chosenPath; }

Q_SIGNALS:
    void projectChosen(const QString& path);

public Q_SLOTS:
    void accept() override;

private:
    void fillVersions();

    QString m_projectRoot;
    model::UserPrompt& m_prompt;
    QComboBox* m_typeCombo = nullptr;
    QComboBox* m_versionCombo = nullptr;
    std::optional<QString> m_chosenPath;
};

}  // namespace hesk::app
