#include "ParameterPageWindow.h"

#include "ParameterListView.h"
#include "ParameterNumberDialog.h"
#include "ParameterPageModel.h"

#include "model/PageCatalogue.h"
#include "pages/CustomPageTransfer.h"
#include "pages/FactoryDifferences.h"
#include "pages/PageColumns.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QScrollBar>
#include <QVBoxLayout>

#include <variant>

namespace hesk::app {

namespace {

// The command ids of the custom page's menu items.
enum CustomPageCommand {
    InsertCommand = 1098,
    DeleteCommand = 1099,
    ChangeCommand = 1100,
    SaveCommand = 1314,
    LoadCommand = 1315,
};

}  // namespace

ParameterPageWindow::ParameterPageWindow(PageEnvironment& environment, const QString& pageName, QWidget* parent)
    : QWidget(parent),
      m_env(environment),
      m_page(std::make_unique<pages::ParameterPage>(environment.session.project().project(),
                                                    environment.session.project().deviceClass(), pageName))
{
    setWindowTitle(model::pageCaption(pageName));
    m_model = new ParameterPageModel(*m_page, m_env.prompt, this);
    m_view = new ParameterListView(*m_page, [this] { return m_env.now(); }, this);
    m_view->setModel(m_model);
    const auto& columns = pages::pageColumns();
    for (int c = 0; c < pages::kPageColumnCount; ++c)
        m_view->setColumnWidth(c, columns[static_cast<std::size_t>(c)].width);
    m_view->setColumnHidden(pages::ColumnHidden, true);

    m_changedOnly = new QCheckBox(tr("仅显示与出厂值不同"), this);
    m_changedCount = new QLabel(this);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);
    bar->addWidget(m_changedOnly);
    bar->addSpacing(12);
    bar->addWidget(m_changedCount);
    bar->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(m_view);
    connect(m_changedOnly, &QCheckBox::toggled, this, &ParameterPageWindow::setChangedOnly);

    connect(m_view, &QAbstractItemView::doubleClicked, this, &ParameterPageWindow::onDoubleClicked);
    connect(m_model, &ParameterPageModel::commentStored, this, [this] { Q_EMIT commentStored(); });
    if (isCustomPage()) {
        m_view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(m_view, &QWidget::customContextMenuRequested, this, &ParameterPageWindow::showContextMenu);
    }

    updatePollList();
    connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, this, &ParameterPageWindow::updatePollList);
    m_viewport = m_view->viewport();
    m_viewport->installEventFilter(this);
    refreshAllValues();
    m_refreshTimer.setInterval(kRefreshPeriod);
    connect(&m_refreshTimer, &QTimer::timeout, this, [this] {
        if (isVisible())
            refreshVisibleValues();
    });
    m_refreshTimer.start();
}

ParameterPageWindow::~ParameterPageWindow() = default;

pages::ValueSource ParameterPageWindow::valueSource() const
{
    pages::ValueSource source;
    shell::MonitorSession& session = m_env.session;
    if (session.isOnline()) {
        source.tables = &session.values();
        source.formulas = &session.project().formulas();
        source.log = &session.log();
    } else {
        source.offline = &m_env.offline;
    }
    source.approximateComparison = m_env.approximateComparison;
    source.formulaGeneration = m_env.formulaGeneration;
    return source;
}

pages::RowSpan ParameterPageWindow::rowsInView() const
{
    // A view never shown has no layout yet: its rows at the top are no rows in view.
    if (m_page->rowCount() == 0 || !m_view->isVisible())
        return {};
    const int first = m_view->rowAt(0);
    if (first < 0)
        return {};
    int last = m_view->rowAt(m_view->viewport()->height() - 1);
    if (last < 0)
        last = m_page->rowCount() - 1;  // the rows end above the bottom of the view
    return {first, last};
}

void ParameterPageWindow::updatePollList()
{
    if (changedOnly()) {
        // The filter needs every row's value, wherever the row is.
        if (m_pollsWholePage)
            return;
        m_pollsWholePage = true;
        m_polledView.reset();
        m_page->buildPollList(m_pollList);
        if (isVisible())
            m_env.session.scheduler().clearPageCycle();
        return;
    }
    m_pollsWholePage = false;
    const pages::RowSpan view = rowsInView();
    if (m_polledView == view)
        return;
    m_polledView = view;
    m_page->buildPollList(m_pollList, view);
    if (isVisible())
        m_env.session.scheduler().clearPageCycle();
}

bool ParameterPageWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == m_viewport)
        updatePollList();
    return QWidget::eventFilter(watched, event);
}

pages::ChangedRows ParameterPageWindow::refreshVisibleValues()
{
    if (m_page->rowCount() == 0) {
        applyChangedFilter();
        return {};
    }
    updatePollList();
    // Offline every value is at hand (a row already shown costs nothing), and the filter
    // needs every row: then the whole page, else only the rows in view.
    if (changedOnly() || !m_env.session.isOnline())
        return refreshAllValues();
    pages::RowSpan view = rowsInView();
    if (view.first < 0)
        view = {0, m_page->rowCount() - 1};
    const pages::ChangedRows changed = m_page->refreshValues(valueSource(), view.first, view.last);
    m_model->valuesChanged(changed);
    applyChangedFilter();
    return changed;
}

pages::ChangedRows ParameterPageWindow::refreshAllValues()
{
    const pages::ChangedRows changed = m_page->refreshAllValues(valueSource());
    m_model->valuesChanged(changed);
    applyChangedFilter();
    return changed;
}

void ParameterPageWindow::setChangedOnly(bool on)
{
    if (m_changedOnly->isChecked() != on) {
        m_changedOnly->setChecked(on);  // comes back here through toggled
        return;
    }
    updatePollList();
    refreshAllValues();
}

bool ParameterPageWindow::changedOnly() const
{
    return m_changedOnly && m_changedOnly->isChecked();
}

QString ParameterPageWindow::changedCountText() const
{
    return m_changedCount->text();
}

void ParameterPageWindow::applyChangedFilter()
{
    const int rows = m_page->rowCount();
    // After a rebuild the view's hidden marks are not known: every row is set once.
    const bool setAll = static_cast<int>(m_rowHidden.size()) != rows;
    if (setAll)
        m_rowHidden.assign(static_cast<std::size_t>(rows), false);
    const bool filter = changedOnly();
    for (int row = 0; row < rows; ++row) {
        const bool hide = filter && !pages::differsFromFactory(m_page->row(row));
        if (!setAll && m_rowHidden[static_cast<std::size_t>(row)] == hide)
            continue;
        m_rowHidden[static_cast<std::size_t>(row)] = hide;
        m_view->setRowHidden(row, hide);
    }
    m_changedCount->setText(pages::factoryDifferenceText(pages::countFactoryDifferences(*m_page)));
}

void ParameterPageWindow::refreshComments()
{
    m_model->rowsChanged(m_page->refreshComments());
}

void ParameterPageWindow::rebuildRows(bool scrollToTop)
{
    const int selected = selectedRow();
    m_model->rebuildRows();
    m_rowHidden.clear();  // the view shows every row again after a reset
    m_polledView.reset();  // other rows now, even where the span is the same
    m_pollsWholePage = false;
    updatePollList();
    refreshAllValues();
    if (scrollToTop)
        m_view->scrollToTop();
    else if (selected >= 0 && selected < m_page->rowCount())
        m_view->selectRow(selected);
}

void ParameterPageWindow::selectRow(int row)
{
    m_view->selectRow(row);
}

int ParameterPageWindow::selectedRow() const
{
    return m_view->selectedRow();
}

void ParameterPageWindow::onDoubleClicked(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    if (index.column() == pages::ColumnComment)
        m_view->edit(index);
    else if (index.column() == pages::ColumnValue)
        // Once the view's mouse handling has returned: the edit waits with the event loop
        // running, and the view must not be inside its own handler if the window closes.
        QMetaObject::invokeMethod(
            this, [this, row = index.row()] { Q_EMIT valueCellActivated(row); }, Qt::QueuedConnection);
}

QMenu* ParameterPageWindow::createContextMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    const bool rowSelected = selectedRow() >= 0;
    const bool listEmpty = m_env.session.project().project().customParameters.empty();
    const auto add = [&](const QString& text, int command, bool enabled, void (ParameterPageWindow::*slot)()) {
        QAction* action = menu->addAction(text, this, slot);
        action->setData(command);
        action->setEnabled(enabled);
    };
    add(tr("插入参数"), InsertCommand, true, &ParameterPageWindow::insertParameter);
    add(tr("删除参数"), DeleteCommand, rowSelected, &ParameterPageWindow::deleteParameter);
    add(tr("变更参数"), ChangeCommand, rowSelected, &ParameterPageWindow::changeParameter);
    menu->addSeparator();
    add(tr("另存为参数文件(.fpm)"), SaveCommand, !listEmpty, &ParameterPageWindow::saveCustomPage);
    add(tr("加载参数文件(.fpm)"), LoadCommand, true, &ParameterPageWindow::loadCustomPage);
    return menu;
}

void ParameterPageWindow::showContextMenu(const QPoint& position)
{
    QMenu* menu = createContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(m_view->viewport()->mapToGlobal(position));
}

std::optional<uint16_t> ParameterPageWindow::askNumber()
{
    const std::optional<QString> text =
        m_env.askParameterNumber ? m_env.askParameterNumber(this) : ParameterNumberDialog::ask(this);
    if (!text)
        return std::nullopt;
    model::OpenedProject& opened = m_env.session.project();
    const pages::CustomPageList list(opened.project(), opened.deviceClass(), m_env.customPage);
    const auto entry = list.parseEntry(*text);
    if (const auto* message = std::get_if<model::UserMessage>(&entry)) {
        m_env.prompt.showMessage(*message);
        return std::nullopt;
    }
    return std::get<uint16_t>(entry);
}

void ParameterPageWindow::customListEdited()
{
    rebuildRows();
    Q_EMIT customListChanged();
}

void ParameterPageWindow::insertParameter()
{
    if (!isCustomPage())
        return;
    const int row = selectedRow();
    const int entry = row >= 0 ? m_page->row(row).customIndex : -1;
    const std::optional<uint16_t> number = askNumber();
    if (!number)
        return;
    model::OpenedProject& opened = m_env.session.project();
    pages::CustomPageList(opened.project(), opened.deviceClass(), m_env.customPage).insert(entry, *number);
    customListEdited();
}

void ParameterPageWindow::deleteParameter()
{
    const int row = selectedRow();
    if (!isCustomPage() || row < 0)
        return;
    model::OpenedProject& opened = m_env.session.project();
    if (pages::CustomPageList(opened.project(), opened.deviceClass(), m_env.customPage)
            .remove(m_page->row(row).customIndex))
        customListEdited();
}

void ParameterPageWindow::changeParameter()
{
    const int row = selectedRow();
    if (!isCustomPage() || row < 0)
        return;
    const int entry = m_page->row(row).customIndex;
    const std::optional<uint16_t> number = askNumber();
    if (!number)
        return;
    model::OpenedProject& opened = m_env.session.project();
    if (pages::CustomPageList(opened.project(), opened.deviceClass(), m_env.customPage).change(entry, *number))
        customListEdited();
}

void ParameterPageWindow::saveCustomPage()
{
    model::OpenedProject& opened = m_env.session.project();
    pages::CustomPageList list(opened.project(), opened.deviceClass(), m_env.customPage);
    pages::CustomPageTransfer(m_env.prompt, m_env.log).saveAs(list);
}

void ParameterPageWindow::loadCustomPage()
{
    model::OpenedProject& opened = m_env.session.project();
    pages::CustomPageList list(opened.project(), opened.deviceClass(), m_env.customPage);
    if (pages::CustomPageTransfer(m_env.prompt, m_env.log).load(list) != pages::CustomPageTransfer::LoadResult::Loaded)
        return;
    rebuildRows(true);
    Q_EMIT customListChanged();
}

}  // namespace hesk::app
