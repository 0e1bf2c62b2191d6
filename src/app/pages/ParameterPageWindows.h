#pragma once
// The parameter pages as the main window sees them (app::PageWindows): creates the page
// windows, keeps the poll list of the page on show in the scheduler's page slot, and
// offers the function-code search ("查找", Ctrl+F).
//
// The main window owns one for the whole run:
//
//   ParameterPageWindows pages(session, prompt, log, offlineValues);
//   pages.setPageOpener([&](const QString& name) { return openOrRaisePage(name); });
//
// and tells it about projects (projectChanged() after a project was opened or closed),
// about the comparison switch (setApproximateComparison() when "近似值比较优化" is
// toggled; it is read from the settings at start and whenever a page becomes active),
// and listens to projectModified() (the custom list or a comment changed) and to
// valueEditRequested() (the value editors).
//
// The windows it creates belong to the caller (the multiple-document area); a window
// that is destroyed leaves the page slot at once if it was the page on show. Windows
// still open when this object is destroyed are deleted with it, as they refer to it.
//
// UI thread only.

#include "PageWindows.h"

#include "PageEnvironment.h"

#include "pages/CodeSearch.h"
#include "pages/ParameterPage.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace hesk::app {

class CodeSearchDialog;
class ParameterPageWindow;

class ParameterPageWindows final : public QObject, public PageWindows {
    Q_OBJECT
public:
    // All four must outlive this object.
    ParameterPageWindows(shell::MonitorSession& session, model::UserPrompt& prompt, model::LogSink& log,
                         pages::OfflineValueSet& offlineValues, QObject* parent = nullptr);
    ~ParameterPageWindows() override;

    // PageWindows
    QWidget* createPageWindow(const QString& pageName, QWidget* parent) override;
    QString pageNameOf(const QWidget* window) const override;
    void pageActivated(QWidget* window) override;
    QString statusText(const QWidget* window) const override;

    // Opens the page's window or brings it to the front and returns it (nullptr when it
    // cannot): the search shows its hits through it.
    using PageOpener = std::function<QWidget*(const QString& pageName)>;
    void setPageOpener(PageOpener opener) { m_opener = std::move(opener); }

    // A project was opened or closed: the custom page's file state and the search start
    // afresh. The page windows of the old project must be closed already.
    void projectChanged();

    void setApproximateComparison(bool on);
    bool approximateComparison() const { return m_env.approximateComparison; }

    // The search dialog, created on first use and brought to the front afterwards;
    // nullptr (after the warning) for the test bench, or when no project is open.
    CodeSearchDialog* openFindDialog(QWidget* parent);
    // One search step as the dialog's button runs it; true when a row was shown.
    bool findNext(const QString& keyword, pages::SearchDirection direction);

    // Opens the first page (in the project tree's order) that lists the definition and
    // selects its row; false when no page lists it or no page can be opened.
    bool showParameter(std::size_t elementIndex);

    // The page on show; nullptr for none.
    ParameterPageWindow* activePage() const { return m_active; }
    const std::vector<ParameterPageWindow*>& windows() const { return m_windows; }
    PageEnvironment& environment() { return m_env; }
    const pages::CustomPageState& customPageState() const { return m_env.customPage; }

Q_SIGNALS:
    // The project's records changed (custom list, comments): the project is modified.
    void projectModified();
    // A value cell was double-clicked: the editors take over.
    void valueEditRequested(hesk::app::ParameterPageWindow* window, int row);

private:
    ParameterPageWindow* pageWindow(const QWidget* window) const;
    void windowDestroyed(QObject* window);
    void installActivePollList();
    const pages::ParameterPage* searchPage(const QString& pageName);
    void customListChanged(ParameterPageWindow* source);
    void commentStored(ParameterPageWindow* source);

    PageEnvironment m_env;
    std::vector<ParameterPageWindow*> m_windows;
    ParameterPageWindow* m_active = nullptr;
    PageOpener m_opener;
    QPointer<CodeSearchDialog> m_findDialog;
    std::unique_ptr<pages::CodeSearch> m_search;
    // The pages the search reads, built on demand and dropped when the project's records change.
    std::map<QString, std::unique_ptr<pages::ParameterPage>> m_searchPages;
};

}  // namespace hesk::app
