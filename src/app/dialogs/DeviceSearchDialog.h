#pragma once
// "搜索设备": asks the device on the serial line who it is and finds its installed
// project (online::DeviceSearch), without blocking the window: "开始" starts the worker
// and three timers, poll (100 ms: has the worker an outcome?), time-out (30 s: stop and
// "搜素设备超时，请您重新尝试！") and progress (500 ms: the bar moves on); "停止" ends the
// search without a message. An outcome is presented by online::presentSearchOutcome;
// a found project is first shown in the "已知设备" box, and when the person agrees to
// open it the dialog reports its path (projectChosen, chosenProjectPath()) and closes
// with Accepted. The caller opens the project.
//
// While the search runs, closing the dialog (its close button, Escape) is refused with
// "正在搜索设备，请稍后再关闭对话框！".
//
// Threads: UI thread. The worker runs the probe on a thread of its own; stopping joins
// it, which the link probe keeps short (it ends its wait at once on a stop).

#include "online/BoardCheck.h"
#include "online/DeviceSearch.h"
#include "model/UserPrompt.h"

#include <QDialog>
#include <QTimer>

#include <chrono>
#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace hesk::app {

struct SearchTimers {
    std::chrono::milliseconds poll{100};
    std::chrono::milliseconds timeout{online::kSearchTimeout};
    std::chrono::milliseconds progress{500};
};

class DeviceSearchDialog : public QDialog {
    Q_OBJECT
public:
    // options: project root, settings loader and log switch (online::deviceSearchOptions
    // for the application); probe: the board check's exchange (online::LinkDeviceProbe),
    // which must outlive the dialog. timers: the intervals above unless a test shortens
    // them.
    DeviceSearchDialog(online::DeviceSearchOptions options, online::DeviceIdentityProbe& probe, model::UserPrompt& prompt,
                  QWidget* parent = nullptr, SearchTimers timers = {});
    ~DeviceSearchDialog() override;

    bool isSearching() const { return m_search.isRunning(); }
    // The project the person chose to open; set once the dialog closes with Accepted.
    const std::optional<QString>& chosenProjectPath() const { return m_chosenPath; }

Q_SIGNALS:
    // The person agreed to open the found project (just before the dialog closes).
    void projectChosen(const QString& path);

public Q_SLOTS:
    void startSearch();  // "开始"
    void stopSearch();   // "停止"
    void reject() override;

private:
    void pollOutcome();
    void searchTimedOut();
    void advanceProgress();
    void endSearch();
    void present(const online::DeviceSearchOutcome& outcome);

    model::UserPrompt& m_prompt;
    online::DeviceSearch m_search;
    SearchTimers m_timers;
    QTimer m_pollTimer;
    QTimer m_timeoutTimer;
    QTimer m_progressTimer;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_result = nullptr;
    QPushButton* m_startButton = nullptr;
    QPushButton* m_stopButton = nullptr;
    std::optional<QString> m_chosenPath;
};

}  // namespace hesk::app
