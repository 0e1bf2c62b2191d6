#pragma once
// "创建工程": the two-page window of project creation over creation::ProjectCreation.
//
// Page 1: device type ("设备类型：", creation::creationDeviceTypes()) and version
// ("设备版本：", that type's firmware versions); "下一步" checks the choice and starts a
// creation for it (a changed choice starts over, an unchanged one keeps what page 2
// has loaded).
// Page 2: the device and version chosen (deviceChoiceText), project name ("项目名称：" with the hint "(最长12位字符，仅允许字母/下划线/数字)"),
// the intermediate file, the conversion workbook and the base-value workbook, each read
// as soon as it is chosen through the prompt's file dialog, and the storage folder
// chosen in the folder dialog "选取工程存放的目录". "完成" creates the project; on success
// the window says so with the file's path (creationSucceededMessage), reports it
// (projectCreated, createdProjectPath()) and closes with Accepted; the caller opens the
// project. Every failure is shown through the prompt and leaves the window open; the
// paths shown are always the steps that
// succeeded.
//
// Reading the inputs and writing the project run on a worker thread, one step at a
// time, while a busy bar shows the step and every control waits; the window stays
// responsive and refuses to close until the step has ended.
//
// Threads: UI thread; the creation object is handed to the worker for one step and
// touched by nothing else until that step has ended.

#include "creation/ProjectCreation.h"
#include "model/UserPrompt.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QThread;

namespace hesk::app {

class ProjectCreationDialog : public QDialog {
    Q_OBJECT
public:
    explicit ProjectCreationDialog(model::UserPrompt& prompt, QWidget* parent = nullptr);
    ~ProjectCreationDialog() override;

    // 0 for the device page, 1 for the inputs page.
    int currentPage() const;
    // A step runs on the worker.
    bool isBusy() const { return m_worker != nullptr; }
    // Set once the dialog closes with Accepted.
    const std::optional<QString>& createdProjectPath() const { return m_createdPath; }

Q_SIGNALS:
    void projectCreated(const QString& path);

public Q_SLOTS:
    void goNext();                 // "下一步"
    void goBack();                 // "上一步"
    void chooseIntermediateFile(); // the intermediate file's "浏览..."
    void chooseConversionWorkbook();
    void chooseBaseWorkbook();
    void chooseStorageFolder();
    void finish();                 // "完成"
    void reject() override;

private:
    using ReadStep = creation::StepResult (creation::ProjectCreation::*)(const QString& path);

    void fillVersions();
    void showPage(int page);
    void showPaths();
    // Runs work on the worker thread, then done on the UI thread; statusText names the
    // step beside the busy bar.
    void runStep(const QString& statusText, std::function<void()> work, std::function<void()> done);
    void setBusy(bool busy, const QString& statusText = {});
    // A file dialog for one input, then its reading step.
    void chooseAndRead(model::FileDialogSpec spec, const QString& statusText, ReadStep step);

    model::UserPrompt& m_prompt;
    std::unique_ptr<creation::ProjectCreation> m_creation;
    QThread* m_worker = nullptr;
    QString m_storageFolder;
    QString m_lastFolder;  // where the file dialogs open: the folder of the last file chosen
    std::optional<QString> m_createdPath;

    QStackedWidget* m_pages = nullptr;
    QComboBox* m_typeCombo = nullptr;
    QComboBox* m_versionCombo = nullptr;
    QLabel* m_choiceText = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    QLineEdit* m_intermediateEdit = nullptr;
    QLineEdit* m_conversionEdit = nullptr;
    QLineEdit* m_baseEdit = nullptr;
    QLineEdit* m_storageEdit = nullptr;
    QPushButton* m_intermediateButton = nullptr;
    QPushButton* m_conversionButton = nullptr;
    QPushButton* m_baseButton = nullptr;
    QPushButton* m_storageButton = nullptr;
    QLabel* m_busyText = nullptr;
    QProgressBar* m_busyBar = nullptr;
    QPushButton* m_backButton = nullptr;
    QPushButton* m_nextButton = nullptr;
    QPushButton* m_finishButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

}  // namespace hesk::app
