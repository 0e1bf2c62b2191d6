#include "BicoPane.h"

#include "files/BicoCsvExport.h"
#include "files/DnlFormat.h"
#include "pages/ParameterPage.h"
#include "pages/PageValueText.h"

#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <iterator>

namespace hesk::app {

namespace {

// Translated where shown (the header), so that the table holds the marks only.
const char* const kHeaders[] = {QT_TRANSLATE_NOOP("hesk::app::BicoTableModel", "输入参数"), QT_TRANSLATE_NOOP("hesk::app::BicoTableModel", "名称"),
                                QT_TRANSLATE_NOOP("hesk::app::BicoTableModel", "信号源"),
                                QT_TRANSLATE_NOOP("hesk::app::BicoTableModel", "信号源名称")};
constexpr int kColumnCount = static_cast<int>(std::size(kHeaders));

QString cell(const pages::BicoConnection& c, int column)
{
    switch (column) {
    case 0: return c.input;
    case 1: return c.inputName;
    case 2: return c.source;
    case 3: return c.sourceName;
    }
    return {};
}

}  // namespace

// ---- model --------------------------------------------------------------------------

void BicoTableModel::setConnections(std::vector<pages::BicoConnection> connections)
{
    const bool sameRows = connections.size() == m_rows.size() &&
                          std::equal(connections.begin(), connections.end(), m_rows.begin(),
                                     [](const auto& a, const auto& b) { return a.inputIndex == b.inputIndex; });
    if (!sameRows) {
        beginResetModel();
        m_rows = std::move(connections);
        endResetModel();
        return;
    }
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].source == connections[i].source && m_rows[i].sourceName == connections[i].sourceName)
            continue;
        m_rows[i] = std::move(connections[i]);
        const int row = static_cast<int>(i);
        Q_EMIT dataChanged(index(row, 2), index(row, 3));
    }
}

int BicoTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int BicoTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant BicoTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const pages::BicoConnection& c = m_rows[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole)
        return cell(c, index.column());
    if (role == Qt::ToolTipRole && index.column() == 2 && !c.source.isEmpty() && !c.sourceIndex)
        return tr("工程中没有此信号源");
    return {};
}

QVariant BicoTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < kColumnCount)
        return tr(kHeaders[section]);
    return {};
}

// ---- pane ---------------------------------------------------------------------------

BicoPane::BicoPane(shell::MonitorSession& session, pages::OfflineValueSet& offline, model::UserPrompt& prompt,
                   QWidget* parent)
    : QWidget(parent), m_session(session), m_offline(offline), m_prompt(prompt), m_model(this)
{
    m_search = new QLineEdit(this);
    m_search->setPlaceholderText(tr("参数号、信号源或名称，如 K0091、P0222"));
    m_search->setClearButtonEnabled(true);
    m_searchBy = new QComboBox(this);
    m_searchBy->addItems({tr("任意列"), tr("按输入参数"), tr("按信号源")});
    m_read = new QPushButton(tr("读取"), this);
    m_read->setToolTip(tr("从下位机读取全部连接输入的信号源"));
    m_export = new QPushButton(tr("导出"), this);
    m_view = new QTableView(this);
    m_view->setModel(&m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 4);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_status = new QLabel(this);

    auto* strip = new QHBoxLayout;
    strip->addWidget(new QLabel(tr("查找："), this));
    strip->addWidget(m_search, 1);
    strip->addWidget(m_searchBy);
    strip->addWidget(m_read);
    strip->addWidget(m_export);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(strip);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_status);

    connect(m_search, &QLineEdit::textChanged, this, [this] { refresh(); });
    connect(m_searchBy, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(m_read, &QPushButton::clicked, this, [this] { readFromDrive(); });
    connect(m_export, &QPushButton::clicked, this, [this] { exportShown(); });
    connect(m_view, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid() && index.row() < m_model.rowCount())
            Q_EMIT parameterRequested(m_model.connections()[static_cast<std::size_t>(index.row())].inputIndex);
    });
    connect(&session, &shell::MonitorSession::connectionChanged, this, [this] {
        m_readProblem.clear();
        refresh();
    });
    m_refreshTimer.setInterval(1000);
    connect(&m_refreshTimer, &QTimer::timeout, this, [this] { refresh(); });
}

void BicoPane::setSearch(const QString& text, SearchBy by)
{
    const QSignalBlocker blockText(m_search);
    const QSignalBlocker blockBy(m_searchBy);
    m_search->setText(text);
    m_searchBy->setCurrentIndex(static_cast<int>(by));
    refresh();
}

std::vector<pages::BicoConnection> BicoPane::shownConnections(const pages::BicoWiring& wiring) const
{
    const QString text = m_search->text().trimmed();
    if (text.isEmpty())
        return wiring.connections();
    switch (static_cast<SearchBy>(m_searchBy->currentIndex())) {
    case SearchBy::Input: return wiring.feeding(text);
    case SearchBy::Source: return wiring.fedBy(text);
    case SearchBy::AnyColumn: break;
    }
    std::vector<pages::BicoConnection> shown;
    for (const pages::BicoConnection& c : wiring.connections())
        if (pages::bicoMatches(c, text))
            shown.push_back(c);
    return shown;
}

void BicoPane::refresh()
{
    model::OpenedProject& opened = m_session.project();
    const bool online = m_session.isOnline();
    m_read->setEnabled(opened.isOpen() && online);
    m_export->setEnabled(opened.isOpen());
    if (!opened.isOpen()) {
        m_inputCount = 0;
        m_model.setConnections({});
        m_status->setText(statusText());
        return;
    }
    std::optional<pages::BicoWiring> wiring;
    if (online) {
        const pages::ConnectionSources sources(opened.project(), opened.deviceClass());
        wiring.emplace(opened.project(), opened.deviceClass(), [&](const model::HeskParameterElement& e) {
            return pages::onlineValueText(e, m_session.values(), sources, opened.project().timeBases,
                                          &opened.formulas());
        });
    } else {
        wiring.emplace(opened.project(), opened.deviceClass(), pages::offlineBicoSource(opened.deviceClass(), m_offline));
    }
    m_inputCount = wiring->connections().size();
    m_model.setConnections(shownConnections(*wiring));
    m_status->setText(statusText());
}

QString BicoPane::statusText() const
{
    if (!m_session.project().isOpen())
        return tr("未打开工程");
    QString text = tr("共 %1 个连接输入，显示 %2 个；%3")
                       .arg(m_inputCount)
                       .arg(m_model.rowCount())
                       .arg(m_session.isOnline() ? tr("在线：下位机的连线（未读取的为空）")
                                                 : tr("离线：离线值或出厂值"));
    if (!m_readProblem.isEmpty())
        text += tr("；") + m_readProblem;
    return text;
}

bool BicoPane::readFromDrive()
{
    model::OpenedProject& opened = m_session.project();
    if (!opened.isOpen() || !m_session.isOnline())
        return false;
    std::vector<const model::HeskParameterElement*> inputs;
    for (const model::HeskParameterElement& e : opened.project().elements)
        if (e.isSettable() && e.isConnection())
            inputs.push_back(&e);
    const bool ok = m_session.readConnectionValues(inputs);
    m_readProblem = ok ? QString() : tr("读取未完成：请求数据超时");
    refresh();
    return ok;
}

void BicoPane::exportShown()
{
    const model::HeskProjectHeader& header = m_session.project().project().header;
    files::exportBicoCsv(m_model.connections(),
                         files::defaultBicoCsvName(files::dnlStyleName(header.deviceType), header.deviceVersion,
                                                   QDateTime::currentDateTime()),
                         m_prompt);
}

void BicoPane::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refresh();
    m_refreshTimer.start();
}

void BicoPane::hideEvent(QHideEvent* event)
{
    m_refreshTimer.stop();
    QWidget::hideEvent(event);
}

}  // namespace hesk::app
