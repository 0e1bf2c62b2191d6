#pragma once
// "快速调试", the quick commissioning wizard: the ten steps on the left, the page of the
// chosen step on the right (number, name, value and unit of each parameter, read from the
// drive when the page is shown and every 3 s), the page's actions below the list and the
// navigation buttons at the bottom.
//
// A double-click on a row edits the parameter through the edit rules and the value
// editors (ValueEditing). The decisions live in core: the page lists and data-set
// indices (operation/QuickSetupPages), the coded texts (QuickSetupTexts), the automatic
// settings (QuickSetupAutomatic), the reset modes (QuickSetupReset) and the start of the
// identification (QuickSetupIdentification).
//
// The wizard is not modal: while it starts the motor for the identification, the control
// panel (which it asks the application to show) stays usable to stop it. Closing it with
// unsaved offline changes asks whether to save them to a parameter file.
//
// UI thread only.

#include "editors/ValueEditing.h"

#include "operation/ControlPanel.h"
#include "operation/FactoryRestore.h"
#include "operation/QuickSetupIdentification.h"
#include "operation/QuickSetupPages.h"

#include "model/UserPrompt.h"
#include "pages/OfflineValueSet.h"
#include "shell/MonitorSession.h"

#include <QDialog>
#include <QTimer>

#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace hesk::app {

class QuickSetupDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kRefreshPeriod{3000};

    // What the wizard works with; everything must outlive the dialog.
    struct Environment {
        shell::MonitorSession& session;
        model::UserPrompt& prompt;
        operation::ControlPanel& panel;
        ValueEditing& editing;
        pages::OfflineValueSet& offline;
        // The offline values hold changes not saved to a parameter file.
        std::function<bool()> offlineModified;
        // Saves them to a parameter file; false when nothing was saved.
        std::function<bool()> saveOffline;
    };

    enum class Button { Previous, Next, First, Last, Finish, Restore, Automatic, Identify, FaultReset };
    enum Column { ColumnNumber, ColumnName, ColumnValue, ColumnUnit, ColumnCount };

    explicit QuickSetupDialog(Environment environment, QWidget* parent = nullptr);
    ~QuickSetupDialog() override;

    // The step on show, 1..10; showStep() reads its values from the drive.
    int step() const { return m_step; }
    void showStep(int step);
    // Reads the page's parameters (and the data sets their indices follow) and shows them.
    void refreshValues();
    // Edits the parameter of a row; true when a value was stored or written.
    bool editRow(int row);
    // The key text of a row's parameter; empty for the product type row.
    QString rowKey(int row) const;
    // The project is closing or replaced: the wizard closes without questions.
    void closeForProject();

    QListWidget* stepList() const { return m_steps; }
    QTableWidget* table() const { return m_table; }
    QLabel* titleLabel() const { return m_title; }
    QLabel* statusLabel() const { return m_status; }
    QComboBox* resetModeCombo() const { return m_resetMode; }
    QProgressBar* restoreProgress() const { return m_progress; }
    QPushButton* button(Button which) const;

    void done(int result) override;

Q_SIGNALS:
    // The identification starts: the application shows its control panel.
    void controlPanelRequested();

private:
    void buildUi();
    void updateButtons();
    void fillTable();
    QString valueText(const operation::QuickSetupRow& row) const;
    void startRestore();
    void runAutomatic();
    bool busy() const;

    Environment m_env;
    int m_step = 1;
    bool m_refreshing = false;
    bool m_acting = false;
    bool m_closingForProject = false;
    int m_baseLoopLevel = 0;  // the event-loop depth the wizard was opened at
    std::vector<operation::QuickSetupRow> m_rows;
    QTimer m_refreshTimer;
    operation::FactoryRestore* m_restore = nullptr;
    operation::QuickSetupIdentification* m_identification = nullptr;

    QListWidget* m_steps = nullptr;
    QLabel* m_title = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_status = nullptr;
    QWidget* m_restoreBox = nullptr;
    QComboBox* m_resetMode = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_restoreButton = nullptr;
    QPushButton* m_automaticButton = nullptr;
    QPushButton* m_identifyButton = nullptr;
    QPushButton* m_faultResetButton = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_first = nullptr;
    QPushButton* m_last = nullptr;
    QPushButton* m_finish = nullptr;
};

}  // namespace hesk::app
