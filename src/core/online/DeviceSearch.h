#pragma once
// The device search ("搜索设备"): a worker thread asks the device on the serial line who it
// is (the board check) and looks, by header-only reads, for the installed project that
// carries the device's program identifier; the dialog polls for the outcome on the UI
// thread and presents it.
//
// Worker steps: suppress the log, load the settings (failure: "通信设置加载失败！"), run
// the board check, re-enable the log; with an empty result and a reported identifier,
// walk the project root (ProjectFolderSearch) for the first project with that
// identifier. The worker then ends by itself; it never sleeps or waits for the UI.
//
// Threads: start(), stop(), takeOutcome(), waitForOutcome() and the destructor belong to one thread (the
// UI thread). The settings loader, the log switch and the probe are called on the
// worker thread. stop() and the destructor request a stop and join the worker; a probe
// may take up to its request time-outs (about 3 s) to notice (LinkDeviceProbe ends its
// wait at once), the walk stops before its next entry. The probe must outlive the search.

#include "BoardCheck.h"
#include "InterfaceSettings.h"
#include "ProjectFolderSearch.h"
#include "model/UserMessage.h"
#include "model/UserPrompt.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace hesk::online {

struct DeviceSearchOptions {
    // The folder whose tree holds the installed projects.
    QString projectRoot;
    // Loads the settings as the connect sequence does; nothing when they do not allow a
    // connect.
    std::function<std::optional<ConnectionSettings>()> loadSettings;
    // Switches the log's suppression (the application's Log::setSuppressed); may be empty.
    std::function<void(bool suppressed)> setLogSuppressed;
};

// The options of the application's search: the project root, the settings file at
// settingsLocation loaded as a connect loads it (read again on each search, on the
// worker), and the log switch.
DeviceSearchOptions deviceSearchOptions(const QString& projectRoot, const SettingsLocation& settingsLocation,
                                        std::function<void(bool suppressed)> setLogSuppressed = {});

struct DeviceSearchOutcome {
    // Non-empty: the settings or board-check result (qb27ResultText() or an error text).
    QString resultText;
    // What the device reported, when it did.
    std::optional<uint16_t> programId;
    // The project found; only with an empty resultText.
    std::optional<FoundProject> match;
    bool operator==(const DeviceSearchOutcome&) const = default;
};

class DeviceSearch {
public:
    DeviceSearch(DeviceSearchOptions options, DeviceIdentityProbe& probe);
    ~DeviceSearch();
    DeviceSearch(const DeviceSearch&) = delete;
    DeviceSearch& operator=(const DeviceSearch&) = delete;

    // Starts a search; false (and nothing happens) while one is running.
    bool start();
    // True from start() until the outcome was taken or the search stopped.
    bool isRunning() const;
    // The outcome once the worker has ended (the worker thread is joined then); nothing
    // while it works. Each outcome is given once.
    std::optional<DeviceSearchOutcome> takeOutcome();
    // Blocks until the worker has ended and gives its outcome; nothing when no search
    // runs. For callers without an event loop (the command line, tests).
    std::optional<DeviceSearchOutcome> waitForOutcome();
    // Ends a running search and discards its outcome ("停止", the 30 s time-out).
    void stop();

private:
    void work(std::stop_token stop);
    void join();

    const DeviceSearchOptions m_options;
    DeviceIdentityProbe& m_probe;

    std::jthread m_worker;
    std::atomic<bool> m_finished{false};
    std::mutex m_outcomeMutex;
    std::optional<DeviceSearchOutcome> m_outcome;
};

// How long the dialog waits for an outcome before it gives up (its timer 2).
inline constexpr std::chrono::seconds kSearchTimeout{30};

// Texts of the search dialog.
// The dialog's status line: the start hint until the first search, the searching text
// while a search runs, and the ended text (with the hint to search again) after it.
QString searchingStatusText();    // "正在搜索设备..."
QString idleStatusText();         // "请点击开始按钮，执行搜索设备操作。"
QString searchEndedStatusText();  // "搜索已结束，点击开始按钮可重新搜索。"
// "  已搜索到设备：" type "，" version, for the result line; shown before the question.
QString searchResultLine(const FoundProject& project);
// 30 s without an outcome: stop, then "搜素设备超时，请您重新尝试！" (title "警告").
model::UserMessage searchTimeoutMessage();
// Closing the dialog during a search: "正在搜索设备，请稍后再关闭对话框！" (title "警告").
model::UserMessage closeDuringSearchMessage();

// Presents an outcome as the dialog does and returns the project to open when the
// person agreed:
// - qb27ResultText(): the QB27 advice for the reported identifier (title "信息");
// - another result text: that text (title "错误");
// - a match: "已搜索到设备，是否打开对应工程？\n设备类型，版本：" type "，" version
//   (title "警告", OK/Cancel); OK gives the project's path;
// - no match (the walk ended without one, or the device reported no identifier): the
//   message the dialog would show at its 30 s time-out, shown at once since the worker
//   has already ended.
std::optional<QString> presentSearchOutcome(const DeviceSearchOutcome& outcome, model::UserPrompt& prompt);

}  // namespace hesk::online
