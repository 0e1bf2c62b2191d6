#pragma once
// The log pane ("日志"): a read-only text control that shows the log's lines in the colour
// of their level (0 green, 1 blue, 2 black, 3 red), keeps at most 1000 lines (the oldest
// goes for each new one) and scrolls to the newest.
//
// The log queues lines from any thread; the pane takes them on the UI thread every
// period (one second in the application). Keys: Ctrl+C copies the selection,
// Ctrl+Delete clears; no typing and no zooming. The context menu offers "复制\tCtrl+C"
// (only with a selection) and "清空\tCtrl+Delete".

#include "shell/Log.h"

#include <QColor>
#include <QPlainTextEdit>
#include <QTimer>

#include <chrono>

class QMenu;

namespace hesk::app {

class LogPane final : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int kMaxLines = 1000;

    // log must outlive the pane.
    LogPane(shell::Log& log, std::chrono::milliseconds period, QWidget* parent = nullptr);

    static QColor levelColour(int level);

    // Takes what the log queued now (the timer's work).
    void drain();
    // Empties the control and drops what is queued (the pane's own command and the
    // project close).
    void clearLog();

    // The context menu as it would open now (the caller owns it).
    QMenu* createLogContextMenu();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void appendEntry(const QString& line, int level);

    shell::Log& m_log;
    QTimer m_timer;
};

}  // namespace hesk::app
