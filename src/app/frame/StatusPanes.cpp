#include "StatusPanes.h"

#include "shell/StatusTexts.h"

#include <QApplication>
#include <QStatusBar>

#include <algorithm>

namespace hesk::app {

StatusPanes::StatusPanes(QStatusBar* bar) : QObject(bar)
{
    const QString initial[kPaneCount] = {shell::initialPageStatusText(), tr("在线"),
                                         tr("程序状态:未知"), tr("CPU使用率: 未知"),
                                         shell::DeviceStateIndicator::initialText()};
    for (int i = 0; i < kPaneCount; ++i) {
        auto* label = new QLabel(initial[i], bar);
        label->setObjectName(QStringLiteral("statusPane%1").arg(i));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setContentsMargins(4, 0, 4, 0);
        m_panes[static_cast<std::size_t>(i)] = label;
        if (i == 0)
            bar->addWidget(label, 1);
        else
            bar->addPermanentWidget(label);
    }
    QLabel* indicator = pane(4);
    indicator->setAutoFillBackground(true);
    indicator->setMinimumWidth(indicator->fontMetrics().horizontalAdvance(tr("      故障")) + 16);
    m_blink.setInterval(shell::DeviceStateIndicator::kBlinkPeriodMs);
    connect(&m_blink, &QTimer::timeout, this, &StatusPanes::blinkTick);
}

void StatusPanes::setPageText(const QString& text)
{
    if (pane(0)->text() != text)
        pane(0)->setText(text);
}

void StatusPanes::setPane(int index, const online::PaneText& text)
{
    QLabel* label = pane(index);
    if (label->text() != text.text)
        label->setText(text.text);
    // The width never cuts the text short on a small screen.
    const int width = std::max(text.width, label->fontMetrics().horizontalAdvance(text.text) + 12);
    if (label->minimumWidth() != width)
        label->setMinimumWidth(width);
}

void StatusPanes::setConnection(const online::PaneState& state, int screenWidth)
{
    setPane(1, online::connectionPane(state, screenWidth));
    setPane(2, online::programStatePane(state, screenWidth));
    setPane(3, online::cpuLoadPane(state, screenWidth));
}

void StatusPanes::setDeviceState(int state)
{
    if (!m_indicator.setState(state))
        return;
    pane(4)->setText(m_indicator.text());
    paintIndicator();
    if (m_indicator.blinking()) {
        if (!m_blink.isActive())
            m_blink.start();
    } else {
        m_blink.stop();
    }
}

void StatusPanes::blinkTick()
{
    m_indicator.blinkTick();
    paintIndicator();
}

void StatusPanes::paintIndicator()
{
    QLabel* label = pane(4);
    QPalette palette = label->palette();
    const std::optional<shell::Rgb> colour = m_indicator.background();
    const QColor buttonFace = QApplication::palette(label).color(QPalette::Button);
    palette.setColor(QPalette::Window, colour ? QColor(colour->red, colour->green, colour->blue) : buttonFace);
    label->setPalette(palette);
}

}  // namespace hesk::app
