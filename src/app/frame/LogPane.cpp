#include "LogPane.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QWheelEvent>

namespace hesk::app {

namespace {

// The pane keeps no more lines than this, so taking more per tick would only insert
// lines that are dropped again at once.
constexpr std::size_t kEntriesPerDrain = LogPane::kMaxLines;

}  // namespace

LogPane::LogPane(shell::Log& log, std::chrono::milliseconds period, QWidget* parent)
    : QPlainTextEdit(parent), m_log(log)
{
    setObjectName(QStringLiteral("logPane"));
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setMaximumBlockCount(kMaxLines);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setUndoRedoEnabled(false);
    QFont font(QStringLiteral("微软雅黑"));
    font.setPixelSize(14);
    font.setWeight(QFont::Normal);
    setFont(font);
    m_timer.setInterval(period);
    connect(&m_timer, &QTimer::timeout, this, &LogPane::drain);
    m_timer.start();
}

QColor LogPane::levelColour(int level)
{
    switch (level) {
    case 0: return QColor(34, 139, 34);
    case 1: return QColor(0, 0, 255);
    case 3: return QColor(255, 0, 0);
    default: break;
    }
    return QColor(0, 0, 0);
}

void LogPane::drain()
{
    shell::LogPaneBatch batch = m_log.takePaneEntries(kEntriesPerDrain);
    if (batch.clearFirst)
        clear();
    for (const shell::LogPaneEntry& entry : batch.entries)
        appendEntry(entry.line, entry.level);
    if (!batch.entries.empty())
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void LogPane::appendEntry(const QString& line, int level)
{
    QTextCharFormat format;
    format.setForeground(levelColour(level));
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    // The document starts with one empty block: the first line goes into it.
    if (!(document()->blockCount() == 1 && document()->firstBlock().text().isEmpty()))
        cursor.insertBlock();
    cursor.insertText(line, format);
}

void LogPane::clearLog()
{
    m_log.clearPane();
    clear();
}

QMenu* LogPane::createLogContextMenu()
{
    auto* menu = new QMenu(this);
    QAction* copyAction = menu->addAction(tr("复制\tCtrl+C"), this, &QPlainTextEdit::copy);
    copyAction->setEnabled(textCursor().hasSelection());
    menu->addAction(tr("清空\tCtrl+Delete"), this, &LogPane::clearLog);
    return menu;
}

void LogPane::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::ControlModifier) {
        if (event->key() == Qt::Key_C) {
            copy();
            return event->accept();
        }
        if (event->key() == Qt::Key_Delete) {
            clearLog();
            return event->accept();
        }
    }
    event->accept();  // no typing, no keyboard navigation of its own
}

void LogPane::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier)
        return event->accept();  // no zoom
    QPlainTextEdit::wheelEvent(event);
}

void LogPane::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createLogContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

}  // namespace hesk::app
