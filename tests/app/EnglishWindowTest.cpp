// The English window: with the English catalogue built into the program installed, the
// main window with the inverter sample open, its panes and a set of dialogs show no
// Chinese interface text. The project's own texts (page names in the tree and in titles)
// are data and stay Chinese; the walk looks at interface texts only: menu and action
// texts, dock titles, labels, buttons, group boxes, tabs, placeholders, tooltips,
// window titles and the column headers of tables and trees.

#include "DialogTestSupport.h"
#include "MainWindowFixture.h"

#include "ApplicationWindows.h"
#include "InterfaceTranslator.h"
#include "QuickSetupDialog.h"
#include "dialogs/WidgetPrompt.h"
#include "recording/TriggerRecorderWindow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTabBar>

namespace hesk::app::test {
namespace {

using apptest::ModalWatcher;
using shell::Command;

bool hasChinese(const QString& text)
{
    static const QRegularExpression cjk(QStringLiteral("[\\x{3000}-\\x{303F}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return cjk.match(text).hasMatch();
}

// "MainWindow/QDockWidget(controlPanelPane)/QGroupBox" and so on.
QString pathOf(const QObject* object)
{
    QStringList parts;
    for (const QObject* o = object; o; o = o->parent()) {
        QString part = QString::fromLatin1(o->metaObject()->className());
        if (!o->objectName().isEmpty())
            part += QLatin1Char('(') + o->objectName() + QLatin1Char(')');
        parts.prepend(part);
    }
    return parts.join(QLatin1Char('/'));
}

// Collects every interface text below a widget that still holds Chinese once the
// project's own names (dataTexts) are taken out.
class ChineseTexts {
public:
    explicit ChineseTexts(QStringList dataTexts = {}) : m_data(std::move(dataTexts)) {}

    void check(const QObject* where, const QString& what, const QString& text)
    {
        QString rest = text;
        for (const QString& data : m_data)
            rest.remove(data);
        if (hasChinese(rest))
            m_offenders << QStringLiteral("%1 [%2]: %3").arg(pathOf(where), what, text);
    }

    void checkMenu(const QMenu* menu)
    {
        check(menu, QStringLiteral("menu"), menu->title());
        for (const QAction* action : menu->actions()) {
            check(menu, QStringLiteral("action"), action->text());
            check(menu, QStringLiteral("action tooltip"), action->toolTip());
            if (action->menu())
                checkMenu(action->menu());
        }
    }

    void checkWidget(const QWidget* root)
    {
        QList<const QWidget*> widgets{root};
        for (const QWidget* w : root->findChildren<QWidget*>())
            widgets << w;
        for (const QWidget* w : widgets) {
            if (w->isWindow() || qobject_cast<const QDockWidget*>(w))
                check(w, QStringLiteral("title"), w->windowTitle());
            check(w, QStringLiteral("tooltip"), w->toolTip());
            if (const auto* label = qobject_cast<const QLabel*>(w))
                check(w, QStringLiteral("label"), label->text());
            if (const auto* button = qobject_cast<const QAbstractButton*>(w))
                check(w, QStringLiteral("button"), button->text());
            if (const auto* group = qobject_cast<const QGroupBox*>(w))
                check(w, QStringLiteral("group"), group->title());
            if (const auto* edit = qobject_cast<const QLineEdit*>(w))
                check(w, QStringLiteral("placeholder"), edit->placeholderText());
            if (const auto* tabs = qobject_cast<const QTabBar*>(w))
                for (int i = 0; i < tabs->count(); ++i)
                    check(w, QStringLiteral("tab"), tabs->tabText(i));
            const auto* view = qobject_cast<const QAbstractItemView*>(w);
            if (view && view->model() && !qobject_cast<const QHeaderView*>(w)) {
                const QAbstractItemModel* model = view->model();
                for (int c = 0; c < model->columnCount(); ++c)
                    check(w, QStringLiteral("header"), model->headerData(c, Qt::Horizontal).toString());
            }
            if (const auto* menu = qobject_cast<const QMenu*>(w))
                checkMenu(menu);
        }
    }

    const QStringList& offenders() const { return m_offenders; }

private:
    QStringList m_data;
    QStringList m_offenders;
};

class EnglishWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        translator = std::make_unique<InterfaceTranslator>();
        ASSERT_TRUE(translator->installed()) << InterfaceTranslator::builtInCatalogue().toStdString();
        MainWindowTest::SetUp();
        window.reset();  // the application brings its own window
        application = std::make_unique<ApplicationWindows>(setup());
        application->window().show();
        prompt.chooseFile(copyProject(QStringLiteral("VRA1"), QStringLiteral("VRA1V11418")));
        main().runCommand(Command::OpenProject);
        ASSERT_TRUE(main().lifecycle().projectOpen());
        ASSERT_NE(main().openPage(kPage), nullptr);
    }
    void TearDown() override
    {
        if (application)
            application->window().lifecycle().setProjectModified(false);
        application.reset();
        MainWindowTest::TearDown();
        translator.reset();
    }
    MainWindow& main() { return application->window(); }

    // Runs the command and walks the modal dialog it opens, then closes it.
    bool walkDialogOf(Command command, ChineseTexts& texts)
    {
        ModalWatcher watcher(
            [&texts](QWidget* modal) {
                texts.checkWidget(modal);
                if (auto* dialog = qobject_cast<QDialog*>(modal))
                    dialog->reject();
                else
                    modal->close();
            },
            nullptr, std::chrono::seconds(5));
        main().runCommand(command);
        apptest::pumpUntil([&watcher] { return watcher.opened(); }, std::chrono::seconds(5));
        return watcher.opened();
    }

    static inline const QString kPage = QStringLiteral("P参数");
    std::unique_ptr<InterfaceTranslator> translator;
    std::unique_ptr<ApplicationWindows> application;
};

// Text of the offenders, one per line, for the failure message.
std::string listed(const QStringList& offenders) { return offenders.join(QLatin1Char('\n')).toStdString(); }

TEST_F(EnglishWindowTest, mainWindowMenusPanesAndStatusBarShowNoChinese)
{
    // The menus as built, with the project open ("中文" names the language as itself).
    ChineseTexts texts({kPage, QStringLiteral("VRA1V11418"), QStringLiteral("中文")});
    for (const QAction* top : main().menuBar()->actions()) {
        ASSERT_NE(top->menu(), nullptr);
        texts.checkMenu(top->menu());
    }
    // Panes (docks, visible or not), the page window, the status bar.
    texts.checkWidget(&main());
    EXPECT_TRUE(texts.offenders().isEmpty()) << listed(texts.offenders());

    // A few texts by value: the translation really is the one shown.
    EXPECT_EQ(main().menuBar()->actions().constFirst()->text(), QStringLiteral("&File"));
    EXPECT_EQ(main().action(Command::Connect)->text(), QStringLiteral("Connect to drive"));
}

TEST_F(EnglishWindowTest, languageMenuNamesTheLanguagesAsThemselves)
{
    QMenu* languages = main().menuBar()->findChild<QMenu*>(QStringLiteral("languageMenu"));
    ASSERT_NE(languages, nullptr);
    EXPECT_EQ(languages->title(), QStringLiteral("Interface language"));
    QStringList captions;
    for (const QAction* action : languages->actions())
        captions << action->text();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Follow the system"), QStringLiteral("中文"), QStringLiteral("English")}));
}

TEST_F(EnglishWindowTest, toolWindowsShowNoChinese)
{
    ChineseTexts texts({kPage});
    TriggerRecorderWindow* recorder = application->showRecorder();
    ASSERT_NE(recorder, nullptr);
    texts.checkWidget(recorder);
    QuickSetupDialog* quickSetup = application->openQuickSetup();
    ASSERT_NE(quickSetup, nullptr);
    texts.checkWidget(quickSetup);
    quickSetup->close();
    EXPECT_TRUE(texts.offenders().isEmpty()) << listed(texts.offenders());
}

TEST_F(EnglishWindowTest, dialogsShowNoChinese)
{
    ChineseTexts texts({kPage});
    // With the project open.
    for (const Command command : {Command::PortSettings, Command::CompareFiles})
        EXPECT_TRUE(walkDialogOf(command, texts)) << "no dialog for " << shell::commandText(command).toStdString();
    // Those offered without a project.
    main().runCommand(Command::CloseProject);
    ASSERT_FALSE(main().lifecycle().projectOpen());
    for (const Command command : {Command::SearchDevice, Command::AddDevice, Command::CreateProject})
        EXPECT_TRUE(walkDialogOf(command, texts)) << "no dialog for " << shell::commandText(command).toStdString();
    EXPECT_TRUE(texts.offenders().isEmpty()) << listed(texts.offenders());
}

// The core names its boxes with the standard Chinese captions; the box shows them, and
// its buttons, in English.
TEST_F(EnglishWindowTest, messageBoxCaptionsAndButtonsAreTranslated)
{
    WidgetPrompt widgetPrompt(&main());
    QString title;
    QStringList buttons;
    ModalWatcher watcher([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        for (const QAbstractButton* b : box->buttons())
            buttons << b->text();
        box->reject();
    });
    widgetPrompt.ask(QStringLiteral("提示"), QStringLiteral("text"), model::PromptButtons::YesNoCancel);
    ASSERT_TRUE(watcher.opened());
    EXPECT_EQ(title, QStringLiteral("Note"));
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("Cancel"), QStringLiteral("No"), QStringLiteral("Yes")}));
    // A title that is not a standard caption is shown as it comes.
    EXPECT_EQ(WidgetPrompt::shownTitle(QStringLiteral("P参数")), QStringLiteral("P参数"));
    EXPECT_EQ(WidgetPrompt::shownTitle(QStringLiteral("错误")), QStringLiteral("Error"));
}

}  // namespace
}  // namespace hesk::app::test
