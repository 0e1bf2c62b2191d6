#include "DeviceSearchDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace hesk::app {

DeviceSearchDialog::DeviceSearchDialog(online::DeviceSearchOptions options, online::DeviceIdentityProbe& probe,
                             model::UserPrompt& prompt, QWidget* parent, SearchTimers timers)
    : QDialog(parent)
    , m_prompt(prompt)
    , m_search(std::move(options), probe)
    , m_timers(timers)
{
    setWindowTitle(tr("搜索设备"));

    m_status = new QLabel(online::idleStatusText(), this);
    m_status->setObjectName(QStringLiteral("statusText"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setTextVisible(false);
    // One step per progress tick: the bar is full when the time-out is reached.
    m_progress->setRange(0, std::max<int>(1, static_cast<int>(m_timers.timeout / m_timers.progress)));
    m_progress->setValue(0);

    auto* known = new QGroupBox(tr("已知设备"), this);
    known->setObjectName(QStringLiteral("knownDevices"));
    m_result = new QLabel(known);
    m_result->setObjectName(QStringLiteral("resultText"));
    auto* knownLayout = new QVBoxLayout(known);
    knownLayout->addWidget(m_result);

    m_startButton = new QPushButton(tr("开始"), this);
    m_startButton->setObjectName(QStringLiteral("startButton"));
    m_stopButton = new QPushButton(tr("停止"), this);
    m_stopButton->setObjectName(QStringLiteral("stopButton"));
    m_stopButton->setEnabled(false);
    // Enter must not end the dialog: there is no default button.
    m_startButton->setAutoDefault(false);
    m_stopButton->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_startButton);
    buttons->addWidget(m_stopButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addWidget(known);
    layout->addLayout(buttons);

    m_pollTimer.setInterval(m_timers.poll);
    m_timeoutTimer.setInterval(m_timers.timeout);
    m_timeoutTimer.setSingleShot(true);
    m_progressTimer.setInterval(m_timers.progress);
    connect(&m_pollTimer, &QTimer::timeout, this, &DeviceSearchDialog::pollOutcome);
    connect(&m_timeoutTimer, &QTimer::timeout, this, &DeviceSearchDialog::searchTimedOut);
    connect(&m_progressTimer, &QTimer::timeout, this, &DeviceSearchDialog::advanceProgress);
    connect(m_startButton, &QPushButton::clicked, this, &DeviceSearchDialog::startSearch);
    connect(m_stopButton, &QPushButton::clicked, this, &DeviceSearchDialog::stopSearch);
}

// The search member stops and joins a running worker; the timers go with the object.
DeviceSearchDialog::~DeviceSearchDialog() = default;

void DeviceSearchDialog::startSearch()
{
    if (!m_search.start())
        return;
    m_pollTimer.start();
    m_timeoutTimer.start();
    m_progressTimer.start();
    m_status->setText(online::searchingStatusText());
    m_result->clear();
    m_progress->setValue(0);
    m_startButton->setEnabled(false);
    m_stopButton->setEnabled(true);
}

void DeviceSearchDialog::stopSearch()
{
    if (!isSearching())
        return;
    m_search.stop();
    endSearch();
}

void DeviceSearchDialog::reject()
{
    if (isSearching()) {
        m_prompt.showMessage(online::closeDuringSearchMessage());
        return;
    }
    QDialog::reject();
}

void DeviceSearchDialog::pollOutcome()
{
    std::optional<online::DeviceSearchOutcome> outcome = m_search.takeOutcome();
    if (!outcome)
        return;
    endSearch();
    present(*outcome);
}

void DeviceSearchDialog::searchTimedOut()
{
    if (!isSearching())
        return;
    m_search.stop();
    endSearch();
    m_prompt.showMessage(online::searchTimeoutMessage());
}

void DeviceSearchDialog::advanceProgress()
{
    m_progress->setValue(m_progress->value() >= m_progress->maximum() ? 0 : m_progress->value() + 1);
}

void DeviceSearchDialog::endSearch()
{
    m_pollTimer.stop();
    m_timeoutTimer.stop();
    m_progressTimer.stop();
    m_startButton->setEnabled(true);
    m_stopButton->setEnabled(false);
    m_status->setText(online::searchEndedStatusText());
    m_progress->setValue(0);
}

void DeviceSearchDialog::present(const online::DeviceSearchOutcome& outcome)
{
    if (outcome.resultText.isEmpty() && outcome.match)
        m_result->setText(online::searchResultLine(*outcome.match));
    const std::optional<QString> path = online::presentSearchOutcome(outcome, m_prompt);
    if (!path)
        return;
    m_chosenPath = path;
    Q_EMIT projectChosen(*path);
    accept();
}

}  // namespace hesk::app
