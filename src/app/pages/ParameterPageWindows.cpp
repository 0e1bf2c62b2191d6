#include "ParameterPageWindows.h"

#include "CodeSearchDialog.h"
#include "ParameterPageWindow.h"

#include "model/PageCatalogue.h"

#include <QCoreApplication>
#include <QLineEdit>

#include <algorithm>

namespace hesk::app {

namespace {

const char* const kCustomPageHint = QT_TRANSLATE_NOOP("ParameterPageWindows", "：右键列表区域，可插入、删除、更改参数");

}  // namespace

ParameterPageWindows::ParameterPageWindows(shell::MonitorSession& session, model::UserPrompt& prompt,
                                           model::LogSink& log, pages::OfflineValueSet& offlineValues, QObject* parent)
    : QObject(parent), m_env(session, prompt, log, offlineValues)
{
    m_env.approximateComparison = session.settings().approximateComparison();
    connect(&session, &shell::MonitorSession::formulasRecomputed, this, [this] { ++m_env.formulaGeneration; });
    // A connect empties the scheduler's slots; the page on show goes back into its slot,
    // and every page switches between online and offline values at once.
    connect(&session, &shell::MonitorSession::connectionChanged, this, [this] {
        installActivePollList();
        for (ParameterPageWindow* window : m_windows)
            window->refreshVisibleValues();
    });
}

ParameterPageWindows::~ParameterPageWindows()
{
    if (m_active)
        m_env.session.installPagePollList(nullptr);
    m_active = nullptr;
    const std::vector<ParameterPageWindow*> open = m_windows;
    for (ParameterPageWindow* window : open) {
        disconnect(window, nullptr, this, nullptr);
        delete window;
    }
    delete m_findDialog.data();
}

QWidget* ParameterPageWindows::createPageWindow(const QString& pageName, QWidget* parent)
{
    model::OpenedProject& opened = m_env.session.project();
    if (!opened.isOpen() || !model::PageCatalogue(opened.deviceClass()).hasPage(pageName))
        return nullptr;
    auto* window = new ParameterPageWindow(m_env, pageName, parent);
    m_windows.push_back(window);
    connect(window, &QObject::destroyed, this, &ParameterPageWindows::windowDestroyed);
    connect(window, &ParameterPageWindow::customListChanged, this, [this, window] { customListChanged(window); });
    connect(window, &ParameterPageWindow::commentStored, this, [this, window] { commentStored(window); });
    connect(window, &ParameterPageWindow::valueCellActivated, this,
            [this, window](int row) { Q_EMIT valueEditRequested(window, row); });
    return window;
}

ParameterPageWindow* ParameterPageWindows::pageWindow(const QWidget* window) const
{
    const auto it = std::find(m_windows.begin(), m_windows.end(), window);
    return it == m_windows.end() ? nullptr : *it;
}

QString ParameterPageWindows::pageNameOf(const QWidget* window) const
{
    const ParameterPageWindow* page = pageWindow(window);
    return page ? page->pageName() : QString();
}

void ParameterPageWindows::pageActivated(QWidget* window)
{
    m_active = pageWindow(window);
    if (m_active) {
        // The switch may have been changed by another program or by hand in the file.
        m_env.approximateComparison = m_env.session.settings().approximateComparison();
        m_active->refreshVisibleValues();
    }
    installActivePollList();
}

void ParameterPageWindows::installActivePollList()
{
    m_env.session.installPagePollList(m_active ? &m_active->pollList() : nullptr);
}

QString ParameterPageWindows::statusText(const QWidget* window) const
{
    const ParameterPageWindow* page = pageWindow(window);
    if (!page)
        return {};
    const QString caption = model::pageCaption(page->pageName());
    return page->isCustomPage() ? caption + QCoreApplication::translate("ParameterPageWindows", kCustomPageHint) : caption;
}

void ParameterPageWindows::windowDestroyed(QObject* window)
{
    // Called from QObject's destructor: the page window's own members are gone, so the
    // pointer is only compared, never used.
    if (m_active && static_cast<QObject*>(m_active) == window) {
        m_active = nullptr;
        m_env.session.installPagePollList(nullptr);
    }
    m_windows.erase(std::remove_if(m_windows.begin(), m_windows.end(),
                                   [window](ParameterPageWindow* w) { return static_cast<QObject*>(w) == window; }),
                    m_windows.end());
}

void ParameterPageWindows::projectChanged()
{
    m_env.customPage = {};
    m_search.reset();
    m_searchPages.clear();
}

void ParameterPageWindows::setApproximateComparison(bool on)
{
    m_env.approximateComparison = on;
    for (ParameterPageWindow* window : m_windows)
        window->refreshVisibleValues();
}

void ParameterPageWindows::customListChanged(ParameterPageWindow* source)
{
    for (ParameterPageWindow* window : m_windows)
        if (window != source && window->isCustomPage())
            window->rebuildRows();
    m_searchPages.erase(model::pages::kCustom);
    Q_EMIT projectModified();
}

void ParameterPageWindows::commentStored(ParameterPageWindow* source)
{
    for (ParameterPageWindow* window : m_windows)
        if (window != source)
            window->refreshComments();
    for (auto& [name, page] : m_searchPages)
        page->refreshComments();
    Q_EMIT projectModified();
}

CodeSearchDialog* ParameterPageWindows::openFindDialog(QWidget* parent)
{
    model::OpenedProject& opened = m_env.session.project();
    if (!opened.isOpen())
        return nullptr;
    if (!pages::codeSearchSupported(opened.deviceClass())) {
        m_env.prompt.show(model::MessageKind::Warning, tr("警告"), tr("该设备不支持功能码查找！"));
        return nullptr;
    }
    if (!m_findDialog) {
        m_findDialog = new CodeSearchDialog(parent);
        m_findDialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_findDialog, &CodeSearchDialog::findRequested, this,
                [this](const QString& keyword, pages::SearchDirection direction) { findNext(keyword, direction); });
    }
    m_findDialog->show();
    m_findDialog->raise();
    m_findDialog->activateWindow();
    return m_findDialog;
}

const pages::ParameterPage* ParameterPageWindows::searchPage(const QString& pageName)
{
    model::OpenedProject& opened = m_env.session.project();
    auto& page = m_searchPages[pageName];
    if (!page)
        page = std::make_unique<pages::ParameterPage>(opened.project(), opened.deviceClass(), pageName);
    if (!page->exists())
        return nullptr;
    if (!m_env.session.isOnline()) {
        pages::ValueSource source;
        source.offline = &m_env.offline;
        page->refreshAllValues(source);
    }
    return page.get();
}

bool ParameterPageWindows::findNext(const QString& keyword, pages::SearchDirection direction)
{
    model::OpenedProject& opened = m_env.session.project();
    if (!opened.isOpen())
        return false;
    if (!m_search)
        m_search = std::make_unique<pages::CodeSearch>(model::PageCatalogue(opened.deviceClass()).pageNames());
    const bool offlineValues = !m_env.session.isOnline();
    const std::optional<pages::SearchHit> hit = m_search->findNext(
        keyword, direction, [this](const QString& name) { return searchPage(name); }, offlineValues);
    if (!hit) {
        m_env.prompt.show(model::MessageKind::Information, tr("信息"), tr("没有找到！"));
        return false;
    }
    ParameterPageWindow* window = m_opener ? pageWindow(m_opener(hit->pageName)) : nullptr;
    if (!window) {
        // Without an opener: a window of that page that is open already.
        const auto it = std::find_if(m_windows.begin(), m_windows.end(),
                                     [&](ParameterPageWindow* w) { return w->pageName() == hit->pageName; });
        if (!m_opener && it != m_windows.end()) {
            window = *it;
            window->raise();
        }
    }
    if (!window || hit->row >= window->page().rowCount()) {
        m_env.prompt.show(model::MessageKind::Error, tr("错误"), tr("系统内部错误，请联系开发人员！"));
        return false;
    }
    window->selectRow(hit->row);
    return true;
}

bool ParameterPageWindows::showParameter(std::size_t elementIndex)
{
    model::OpenedProject& opened = m_env.session.project();
    if (!opened.isOpen() || !m_opener)
        return false;
    for (const QString& name : model::PageCatalogue(opened.deviceClass()).pageNames()) {
        const pages::ParameterPage* page = searchPage(name);
        if (!page)
            continue;
        for (int row = 0; row < page->rowCount(); ++row) {
            if (page->row(row).elementIndex != elementIndex)
                continue;
            ParameterPageWindow* window = pageWindow(m_opener(name));
            if (!window || row >= window->page().rowCount())
                return false;
            window->selectRow(row);
            return true;
        }
    }
    return false;
}

}  // namespace hesk::app
