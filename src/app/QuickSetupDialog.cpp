#include "QuickSetupDialog.h"

#include "operation/QuickSetupAutomatic.h"
#include "operation/QuickSetupReset.h"
#include "operation/QuickSetupTexts.h"

#include "model/ParameterNumbering.h"
#include "model/ParameterTypes.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

namespace hesk::app {

namespace {

using operation::QuickSetupAction;

QPushButton* makeButton(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

QuickSetupDialog::QuickSetupDialog(Environment environment, QWidget* parent)
    : QDialog(parent), m_env(std::move(environment))
{
    setWindowTitle(tr("快速调试"));
    m_restore = new operation::FactoryRestore(m_env.session, m_env.prompt, this);
    m_identification = new operation::QuickSetupIdentification(m_env.session, m_env.prompt, m_env.panel, this);
    buildUi();

    connect(m_restore, &operation::FactoryRestore::progress, this, [this](int position, int maximum) {
        m_progress->setRange(0, maximum);
        m_progress->setValue(position);
    });
    connect(m_restore, &operation::FactoryRestore::statusText, this,
            [this](const QString& text) { m_progress->setFormat(text.isEmpty() ? QStringLiteral("%p%") : text); });
    connect(m_restore, &operation::FactoryRestore::finished, this, [this] {
        updateButtons();
        refreshValues();
    });
    connect(m_identification, &operation::QuickSetupIdentification::controlPanelRequested, this,
            &QuickSetupDialog::controlPanelRequested);
    connect(m_identification, &operation::QuickSetupIdentification::finished, this, [this] {
        updateButtons();
        refreshValues();
    });
    connect(&m_env.panel, &operation::ControlPanel::changed, this, &QuickSetupDialog::updateButtons);
    connect(&m_env.session, &shell::MonitorSession::connectionChanged, this, [this] {
        updateButtons();
        refreshValues();
    });

    // The page's read is a blocking single read. It must not run inside another
    // workflow's pumped wait (a confirmed write of the control panel or of a page editor
    // lets timers fire from a nested event loop), so a refresh asked for deeper than the
    // loop the wizard was opened from is skipped; the next tick reads.
    m_baseLoopLevel = QThread::currentThread()->loopLevel();
    m_refreshTimer.setInterval(kRefreshPeriod);
    connect(&m_refreshTimer, &QTimer::timeout, this, [this] {
        if (m_env.session.isOnline())
            refreshValues();
    });
    m_refreshTimer.start();
    showStep(1);
}

QuickSetupDialog::~QuickSetupDialog() = default;

void QuickSetupDialog::buildUi()
{
    m_steps = new QListWidget(this);
    for (const operation::QuickSetupPageSpec& spec : operation::quickSetupPages())
        m_steps->addItem(spec.title);
    m_steps->setFixedWidth(190);
    m_steps->setSpacing(4);
    connect(m_steps, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row + 1 != m_step)
            showStep(row + 1);
    });

    m_title = new QLabel(this);
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    m_title->setFont(titleFont);

    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setHorizontalHeaderLabels(
        {tr("参数号"), tr("参数名"), tr("值"), tr("单位")});
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 10);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->horizontalHeader()->setSectionResizeMode(ColumnName, QHeaderView::Stretch);
    m_table->setColumnWidth(ColumnNumber, 100);
    m_table->setColumnWidth(ColumnValue, 190);
    m_table->setColumnWidth(ColumnUnit, 70);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { editRow(row); });

    // The page actions; each page shows its own.
    m_restoreBox = new QWidget(this);
    m_resetMode = new QComboBox(m_restoreBox);
    m_resetMode->addItems(operation::resetModeCaptions());
    m_restoreButton = makeButton(tr("开 始 恢 复"), m_restoreBox);
    m_progress = new QProgressBar(m_restoreBox);
    m_progress->setRange(0, operation::FactoryRestore::kRange);
    m_progress->setValue(0);
    auto* restoreLayout = new QHBoxLayout(m_restoreBox);
    restoreLayout->setContentsMargins(0, 0, 0, 0);
    restoreLayout->addWidget(new QLabel(tr("复位方式："), m_restoreBox));
    restoreLayout->addWidget(m_resetMode, 1);
    restoreLayout->addWidget(m_restoreButton);
    restoreLayout->addWidget(m_progress, 1);
    connect(m_restoreButton, &QPushButton::clicked, this, &QuickSetupDialog::startRestore);

    m_automaticButton = makeButton(tr("自动设置参数"), this);
    connect(m_automaticButton, &QPushButton::clicked, this, &QuickSetupDialog::runAutomatic);
    m_identifyButton = makeButton(tr("启动辨识"), this);
    connect(m_identifyButton, &QPushButton::clicked, this, [this] {
        m_identification->start();
        updateButtons();
    });
    m_faultResetButton = makeButton(tr("故障复位"), this);
    connect(m_faultResetButton, &QPushButton::clicked, this, [this] { m_identification->faultReset(); });

    auto* actions = new QHBoxLayout;
    actions->addWidget(m_restoreBox, 1);
    actions->addWidget(m_automaticButton);
    actions->addWidget(m_identifyButton);
    actions->addWidget(m_faultResetButton);
    actions->addStretch();

    m_status = new QLabel(this);
    m_status->setWordWrap(true);

    auto* page = new QVBoxLayout;
    page->addWidget(m_title);
    page->addWidget(m_table, 1);
    page->addWidget(new QLabel(tr("双击参数行可修改参数值。"), this));
    page->addLayout(actions);
    page->addWidget(m_status);

    auto* body = new QHBoxLayout;
    body->addWidget(m_steps);
    body->addLayout(page, 1);

    m_previous = makeButton(tr("上一步"), this);
    m_next = makeButton(tr("下一步"), this);
    m_first = makeButton(tr("返回首页"), this);
    m_last = makeButton(tr("跳至尾页"), this);
    m_finish = makeButton(tr("设置完成"), this);
    connect(m_previous, &QPushButton::clicked, this, [this] { showStep(m_step - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { showStep(m_step + 1); });
    connect(m_first, &QPushButton::clicked, this, [this] { showStep(1); });
    connect(m_last, &QPushButton::clicked, this, [this] { showStep(operation::kQuickSetupSteps); });
    connect(m_finish, &QPushButton::clicked, this, &QDialog::accept);
    auto* navigation = new QHBoxLayout;
    navigation->addStretch();
    for (QPushButton* b : {m_first, m_previous, m_next, m_last, m_finish})
        navigation->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(navigation);
    resize(880, 560);
}

QPushButton* QuickSetupDialog::button(Button which) const
{
    switch (which) {
    case Button::Previous: return m_previous;
    case Button::Next: return m_next;
    case Button::First: return m_first;
    case Button::Last: return m_last;
    case Button::Finish: return m_finish;
    case Button::Restore: return m_restoreButton;
    case Button::Automatic: return m_automaticButton;
    case Button::Identify: return m_identifyButton;
    case Button::FaultReset: return m_faultResetButton;
    }
    return nullptr;
}

bool QuickSetupDialog::busy() const
{
    return m_restore->running() || m_identification->running() || m_env.panel.busy() || m_acting;
}

void QuickSetupDialog::showStep(int step)
{
    if (step < 1 || step > operation::kQuickSetupSteps)
        return;
    m_step = step;
    {
        const QSignalBlocker block(m_steps);
        m_steps->setCurrentRow(step - 1);
    }
    m_title->setText(operation::quickSetupPages()[static_cast<std::size_t>(step - 1)].title);
    m_rows.clear();
    m_table->setRowCount(0);
    updateButtons();
    refreshValues();
}

void QuickSetupDialog::updateButtons()
{
    const QuickSetupAction action = operation::quickSetupPages()[static_cast<std::size_t>(m_step - 1)].action;
    const bool online = m_env.session.isOnline();
    const bool idle = !busy();
    m_previous->setEnabled(m_step > 1);
    m_first->setEnabled(m_step > 1);
    m_next->setEnabled(m_step < operation::kQuickSetupSteps);
    m_last->setEnabled(m_step < operation::kQuickSetupSteps);

    m_restoreBox->setVisible(action == QuickSetupAction::FactoryRestore);
    m_restoreButton->setEnabled(online && idle);
    m_resetMode->setEnabled(!m_restore->running());
    m_automaticButton->setVisible(action == QuickSetupAction::DataSetDefaults
                                  || action == QuickSetupAction::MotorAutomatic);
    m_automaticButton->setEnabled(online && idle);
    m_identifyButton->setVisible(action == QuickSetupAction::Identification);
    m_identifyButton->setEnabled(online && idle);
    m_faultResetButton->setVisible(action == QuickSetupAction::Identification);
    m_faultResetButton->setEnabled(online && !m_env.panel.busy());
}

void QuickSetupDialog::refreshValues()
{
    // A refresh never runs inside another wait (see the constructor), nor while the
    // restore or a panel command works on the drive.
    if (m_refreshing || m_acting || m_restore->running() || m_env.panel.busy() || m_closingForProject
        || QThread::currentThread()->loopLevel() > m_baseLoopLevel)
        return;
    m_refreshing = true;
    shell::MonitorSession& session = m_env.session;
    model::OpenedProject& project = session.project();
    QString status;
    if (!session.isOnline()) {
        status = tr("离线：显示离线参数值。");
    } else if (!session.linkChanging()) {
        // The data sets first: the page's indices follow them.
        std::vector<const model::HeskParameterElement*> sets;
        for (const char* key : {"r0011", "r0012", "r0013"})
            if (const model::HeskParameterElement* e = project.find(QString::fromLatin1(key)))
                sets.push_back(e);
        bool read = session.readParameters(sets);
        const operation::ActiveDataSets active = operation::activeDataSets(
            project, [&session](const model::HeskParameterElement& e) { return session.onlineRaw(e); });
        m_rows = operation::quickSetupRows(project, m_step, active);
        if (read)
            read = session.readParameters(operation::rowElements(m_rows));
        if (!read)
            status = tr("读取参数失败：请求数据超时，显示的是上次读到的值。");
    }
    if (!session.isOnline())
        m_rows = operation::quickSetupRows(project, m_step, {});
    m_status->setText(status);
    fillTable();
    m_refreshing = false;
}

QString QuickSetupDialog::valueText(const operation::QuickSetupRow& row) const
{
    model::OpenedProject& project = m_env.session.project();
    if (row.isProductType())
        return operation::productTypeText(project.deviceClass(), project.cpu().name);
    if (m_env.session.isOnline())
        return operation::quickSetupValueText(project, m_env.session.values(), *row.element,
                                              m_env.session.onlineRaw(*row.element));
    return m_env.offline.value(project.deviceClass(), *row.element).value_or(QString());
}

void QuickSetupDialog::fillTable()
{
    const model::OpenedProject& project = m_env.session.project();
    const int selected = m_table->currentRow();
    m_table->setRowCount(static_cast<int>(m_rows.size()));
    for (int r = 0; r < static_cast<int>(m_rows.size()); ++r) {
        const operation::QuickSetupRow& row = m_rows[static_cast<std::size_t>(r)];
        const std::array<QString, ColumnCount> texts{
            row.isProductType() ? QString() : model::displayNumber(project.project(), *row.element, true),
            row.isProductType() ? tr("产品类型") : row.element->name, valueText(row),
            row.isProductType() ? QString() : row.element->unit};
        for (int c = 0; c < ColumnCount; ++c) {
            QTableWidgetItem* item = m_table->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                m_table->setItem(r, c, item);
            }
            item->setText(texts[static_cast<std::size_t>(c)]);
        }
    }
    if (selected >= 0 && selected < m_table->rowCount())
        m_table->setCurrentCell(selected, ColumnValue);
}

QString QuickSetupDialog::rowKey(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || m_rows[static_cast<std::size_t>(row)].isProductType())
        return {};
    return model::keyText(*m_rows[static_cast<std::size_t>(row)].element);
}

bool QuickSetupDialog::editRow(int row)
{
    const QString key = rowKey(row);
    if (key.isEmpty() || busy())
        return false;
    const QString shown = m_table->item(row, ColumnValue) ? m_table->item(row, ColumnValue)->text() : QString();
    // The editor starts from the page's own text of the value, not from a coded text.
    QString text = shown;
    if (const model::HeskParameterElement* element = m_env.session.project().find(key);
        element && m_env.session.isOnline()) {
        text = operation::panelValueText(m_env.session.project(), m_env.session.values(), element);
    }
    m_acting = true;
    m_refreshTimer.stop();
    const bool edited = m_env.editing.editParameter(key, text, this);
    m_acting = false;
    m_refreshTimer.start();
    refreshValues();
    return edited;
}

void QuickSetupDialog::startRestore()
{
    if (busy())
        return;
    const auto mode = static_cast<operation::ResetMode>(std::max(0, m_resetMode->currentIndex()));
    m_acting = true;
    m_progress->setValue(0);
    m_progress->setFormat(QStringLiteral("%p%"));
    operation::startReset(m_env.session, m_env.prompt, *m_restore, mode);
    m_acting = false;
    updateButtons();
    refreshValues();
}

void QuickSetupDialog::runAutomatic()
{
    if (busy())
        return;
    const QuickSetupAction action = operation::quickSetupPages()[static_cast<std::size_t>(m_step - 1)].action;
    const operation::AutomaticSetting setting = action == QuickSetupAction::DataSetDefaults
                                                    ? operation::AutomaticSetting::DataSets
                                                    : operation::AutomaticSetting::MotorData;
    m_acting = true;
    updateButtons();
    operation::runAutomaticSetting(m_env.session, m_env.prompt, setting);
    m_acting = false;
    updateButtons();
    refreshValues();
}

void QuickSetupDialog::closeForProject()
{
    m_closingForProject = true;
    m_refreshTimer.stop();
    QDialog::done(QDialog::Rejected);
}

void QuickSetupDialog::done(int result)
{
    if (!m_closingForProject && m_env.offlineModified && m_env.offlineModified()) {
        const model::PromptAnswer answer = m_env.prompt.ask(
            tr("快速调试"), tr("您的离线信息有修改,是否要保存到dnl文件？"), model::PromptButtons::YesNo);
        // A failed save was reported by the save itself; the values stay in the offline
        // set, and the main window asks again when the project closes.
        if (answer == model::PromptAnswer::Yes && m_env.saveOffline)
            m_env.saveOffline();
    }
    m_refreshTimer.stop();
    QDialog::done(result);
}

}  // namespace hesk::app
