// hesk-manual-screenshots: takes the pictures of the user manual (docs/manual/images)
// from the application's own windows, put together as main() puts them together, and
// driven as a person would: open the project, connect, open pages, run the editors and
// the dialogs. tools/manual-screenshots.sh starts the simulated drive, writes the
// settings file and runs this program; run it through that script.
//
//   hesk-manual-screenshots --out DIR --project FILE.tmprj --settings interfacecfg.ini
//                           --inputs data/sample-inputs/VRA1V11418 --work DIR
//
// Every picture is a grab of a real widget (message boxes and menus are painted over
// their window where they would appear). A message box nobody expected is grabbed into
// the work folder, printed and closed, so that a changed window never hangs the run.

#include "ApplicationWindows.h"
#include "MainWindow.h"
#include "QtTranslations.h"
#include "dialogs/WidgetPrompt.h"
#include "pages/ParameterListView.h"
#include "pages/ParameterPageModel.h"
#include "pages/ParameterPageWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocalSocket>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>

using hesk::shell::Command;

namespace {

void say(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

// Lets the window work (timers, the link, repaints) for a while.
void pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Waits until the condition holds, at most ms; true when it held.
bool waitFor(const std::function<bool()>& condition, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > ms)
            return false;
        pause(50);
    }
    return true;
}

// Message boxes go to the screen as usual; file and folder dialogs are answered from a
// list, as the person would choose them.
class ScriptedFilesPrompt final : public hesk::model::UserPrompt {
public:
    ScriptedFilesPrompt() = default;

    void setParentWidget(QWidget* parent) { m_boxes.setParentWidget(parent); }

    void show(hesk::model::MessageKind kind, const QString& title, const QString& text) override
    {
        m_boxes.show(kind, title, text);
    }
    hesk::model::PromptAnswer ask(const QString& title, const QString& text, hesk::model::PromptButtons buttons) override
    {
        return m_boxes.ask(title, text, buttons);
    }
    std::optional<QString> saveFile(const hesk::model::FileDialogSpec&) override { return next(); }
    std::optional<QString> openFile(const hesk::model::FileDialogSpec&) override { return next(); }
    std::optional<QString> chooseFolder(const hesk::model::FolderDialogSpec&) override { return next(); }

    void queue(const QString& path) { m_answers.push_back(path); }

private:
    std::optional<QString> next()
    {
        if (m_answers.empty())
            return std::nullopt;
        const QString path = m_answers.front();
        m_answers.pop_front();
        return path;
    }

    hesk::app::WidgetPrompt m_boxes;
    std::deque<QString> m_answers;
};

class Shooter {
public:
    Shooter(QString outFolder, QString workFolder) : m_out(std::move(outFolder)), m_work(std::move(workFolder)) {}

    void save(const QImage& image, const QString& name)
    {
        const QString path = m_out.filePath(name);
        if (!image.save(path, "PNG", 9)) {
            say(QStringLiteral("could not write ") + path);
            m_failed = true;
            return;
        }
        say(QStringLiteral("%1  %2x%3  %4 KB")
                .arg(name)
                .arg(image.width())
                .arg(image.height())
                .arg(QFileInfo(path).size() / 1024));
    }
    // A top-level window gets a plain title bar with its caption, as a window manager
    // would draw it (a grab has none); a widget inside a window is taken as it is.
    void save(QWidget* widget, const QString& name)
    {
        const QImage content = widget->grab().toImage();
        if (!widget->isWindow() || widget->windowTitle().isEmpty()) {
            save(content, name);
            return;
        }
        save(withTitleBar(content, widget->windowTitle(), widget->font()), name);
    }

    static QImage withTitleBar(const QImage& content, const QString& title, QFont font)
    {
        const int bar = 26;
        QImage framed(content.width() + 2, content.height() + bar + 1, QImage::Format_RGB32);
        framed.fill(QColor(0x70, 0x70, 0x70));
        QPainter painter(&framed);
        painter.fillRect(1, 1, content.width(), bar - 1, QColor(0xdd, 0xe3, 0xea));
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(0x20, 0x20, 0x20));
        painter.drawText(QRect(10, 1, content.width() - 12, bar - 1), Qt::AlignVCenter | Qt::AlignLeft, title);
        painter.drawImage(1, bar, content);
        painter.end();
        return framed;
    }

    // A box nobody expected: kept in the work folder for a look, then closed.
    void unexpected(QWidget* box)
    {
        const QString name = QStringLiteral("unexpected-%1.png").arg(++m_unexpected);
        box->grab().toImage().save(m_work.filePath(name));
        QString text;
        if (auto* message = qobject_cast<QMessageBox*>(box))
            text = message->text();
        say(QStringLiteral("unexpected window \"%1\" %2 (%3)").arg(box->windowTitle(), text, m_work.filePath(name)));
    }

    bool failed() const { return m_failed; }

private:
    QDir m_out;
    QDir m_work;
    bool m_failed = false;
    int m_unexpected = 0;
};

void closeWindow(QWidget* window)
{
    if (auto* dialog = qobject_cast<QDialog*>(window))
        dialog->reject();
    else
        window->close();
}

// Clicks the message box's button with this text ("确定", "取消", "是", "否").
bool clickButton(QWidget* box, const QString& text)
{
    for (QAbstractButton* button : box->findChildren<QAbstractButton*>()) {
        if (button->text() == text && button->isVisible()) {
            button->click();
            return true;
        }
    }
    return false;
}

// Runs `open`, which shows a modal window and returns when it closed; while the window
// is up, `use` runs with it. A window `use` left open is closed.
void withModal(const std::function<void()>& open, const std::function<void(QWidget*)>& use)
{
    QWidget* before = QApplication::activeModalWidget();
    bool seen = false;
    QTimer poll;
    poll.setInterval(100);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (seen || !modal || modal == before || !modal->isVisible())
            return;
        seen = true;
        poll.stop();
        pause(400);  // laid out and painted
        const QPointer<QWidget> guard(modal);
        use(modal);
        if (guard && guard->isVisible())
            closeWindow(guard);
    });
    poll.start();
    open();
    poll.stop();
    if (!seen)
        say(QStringLiteral("no window came up (none is shown there yet?)"));
}

// The window with a popup (menu, dialog) painted where it stands, cropped to `crop`
// (window coordinates; a null rectangle keeps the whole window).
QImage withPopup(QWidget* window, QWidget* popup, QRect crop = {})
{
    QImage image = window->grab().toImage();
    {
        QPainter painter(&image);
        painter.drawPixmap(window->mapFromGlobal(popup->mapToGlobal(QPoint(0, 0))), popup->grab());
    }
    return crop.isNull() ? image : image.copy(crop);
}

// The row of a page window showing the parameter ("P0118", "P0100.001").
int rowOf(hesk::app::ParameterPageWindow* page, const QString& number, const QString& subIndex = {})
{
    for (int row = 0; row < page->page().rowCount(); ++row) {
        const hesk::pages::PageRow& r = page->page().row(row);
        if (r.numberText == number && (subIndex.isEmpty() || r.subIndexText == subIndex))
            return row;
    }
    say(QStringLiteral("no row %1 %2 on %3").arg(number, subIndex, page->pageName()));
    return -1;
}

void showRow(hesk::app::ParameterPageWindow* page, int row)
{
    if (row < 0)
        return;
    page->selectRow(row);
    page->view()->scrollTo(page->model()->index(row, 1), QAbstractItemView::PositionAtCenter);
}

// One command line to the simulated drive's control socket; its reply line.
QString simControl(const QString& socketPath, const QString& command)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(2000)) {
        say(QStringLiteral("no control socket at ") + socketPath);
        return {};
    }
    socket.write((command + QLatin1Char('\n')).toUtf8());
    socket.flush();
    QByteArray reply;
    while (!reply.contains('\n') && socket.waitForReadyRead(2000))
        reply += socket.readAll();
    const QString line = QString::fromUtf8(reply).trimmed();
    say(QStringLiteral("drive: %1 -> %2").arg(command, line));
    return line;
}

QLineEdit* lineEdit(QWidget* dialog, const char* name = nullptr)
{
    return name ? dialog->findChild<QLineEdit*>(QString::fromLatin1(name)) : dialog->findChild<QLineEdit*>();
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("HESKMonitor"));
    QApplication::setApplicationName(QStringLiteral("HESKMonitor"));
    QApplication::setApplicationVersion(QStringLiteral(HESK_VERSION));
    const hesk::app::QtTranslations qtTexts;  // as the application does
    for (const QString& missing : qtTexts.missing())
        say(QStringLiteral("Qt's Chinese texts not found: ") + missing);

    QCommandLineParser parser;
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("folder of the pictures"), QStringLiteral("DIR"));
    const QCommandLineOption projectOption(QStringLiteral("project"), QStringLiteral("project to open"), QStringLiteral("FILE"));
    const QCommandLineOption settingsOption(QStringLiteral("settings"), QStringLiteral("interface settings"),
                                            QStringLiteral("FILE"));
    const QCommandLineOption inputsOption(QStringLiteral("inputs"), QStringLiteral("creation inputs of the project"),
                                          QStringLiteral("DIR"));
    const QCommandLineOption workOption(QStringLiteral("work"), QStringLiteral("scratch folder"), QStringLiteral("DIR"));
    const QCommandLineOption controlOption(QStringLiteral("sim-control"),
                                           QStringLiteral("control socket of the simulated drive"), QStringLiteral("PATH"));
    parser.addOptions({outOption, projectOption, settingsOption, inputsOption, workOption, controlOption});
    parser.process(app);
    for (const QCommandLineOption& option :
         {outOption, projectOption, settingsOption, inputsOption, workOption, controlOption}) {
        if (!parser.isSet(option)) {
            say(QStringLiteral("missing --") + option.names().constFirst());
            return 2;
        }
    }
    const QDir work(parser.value(workOption));
    const QString control = parser.value(controlOption);
    const QDir inputs(parser.value(inputsOption));
    Shooter shooter(parser.value(outOption), work.absolutePath());

    // No run may hang: a box nobody expected is closed after a while, and the whole run
    // has a deadline.
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [] {
        say(QStringLiteral("the run took too long"));
        QCoreApplication::exit(3);
        std::exit(3);
    });
    deadline.start(240000);

    hesk::app::MainWindowSetup setup;
    ScriptedFilesPrompt prompt;
    setup.prompt = &prompt;
    setup.interfaceSettings = {QFileInfo(parser.value(settingsOption)).absoluteFilePath(), {}};
    setup.layoutSettingsFile = work.filePath(QStringLiteral("layout.ini"));
    setup.helpFolders = {work.filePath(QStringLiteral("help"))};
    hesk::app::ApplicationWindows application(setup);
    hesk::app::MainWindow& window = application.window();
    prompt.setParentWidget(&window);  // boxes appear over the window, as in the application

    QTimer watchdog;
    QPointer<QWidget> lastModal;
    QElapsedTimer modalAge;
    watchdog.setInterval(500);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != lastModal) {
            lastModal = modal;
            modalAge.start();
            return;
        }
        if (modal && modalAge.elapsed() > 20000) {
            shooter.unexpected(modal);
            closeWindow(modal);
        }
    });
    watchdog.start();

    window.resize(1280, 800);
    window.show();
    pause(300);

    // ---- getting started: the project, the debugging menu, connected, r参数 -------------
    if (!window.openProjectFile(QFileInfo(parser.value(projectOption)).absoluteFilePath())) {
        say(QStringLiteral("the project did not open"));
        return 1;
    }
    pause(800);
    shooter.save(&window, QStringLiteral("main-window-project.png"));

    const auto menuOf = [&window](const QString& title) -> QMenu* {
        for (QAction* action : window.menuBar()->actions())
            if (action->menu() && action->text().startsWith(title))
                return action->menu();
        return nullptr;
    };
    const auto shootMenu = [&](const QString& title, const QString& name) {
        QMenu* menu = menuOf(title);
        if (!menu) {
            say(QStringLiteral("no menu ") + title);
            return;
        }
        QAction* action = menu->menuAction();
        const QRect at = window.menuBar()->actionGeometry(action);
        window.menuBar()->setActiveAction(action);
        pause(400);
        if (!menu->isVisible())
            menu->popup(window.menuBar()->mapToGlobal(at.bottomLeft()));
        pause(400);
        const QRect menuRect(window.mapFromGlobal(menu->mapToGlobal(QPoint(0, 0))), menu->size());
        const QRect crop = QRect(0, 0, menuRect.right() + 60, menuRect.bottom() + 40).intersected(window.rect());
        shooter.save(withPopup(&window, menu, crop), name);
        menu->hide();
        window.menuBar()->setActiveAction(nullptr);
        pause(200);
    };
    shootMenu(QStringLiteral("调试"), QStringLiteral("menu-debug.png"));

    // The motor runs at 40 % of the speed setpoint (40 Hz), as the control panel would
    // start it: control from the tool (P0880), setpoint (P7030), on (P7000.5).
    simControl(control, QStringLiteral("set P0880 1"));
    simControl(control, QStringLiteral("set P7030 6554"));
    simControl(control, QStringLiteral("set P7000.5 1"));

    window.runCommand(Command::Connect);
    if (!waitFor([&] { return window.session().isOnline(); }, 15000))
        say(QStringLiteral("not online after the connect"));
    pause(1500);

    auto* rPage = qobject_cast<hesk::app::ParameterPageWindow*>(window.openPage(QStringLiteral("r参数")));
    pause(8000);  // the ramp up
    shooter.save(&window, QStringLiteral("page-r-online.png"));
    {
        // The log pane and the status bar.
        QImage whole = window.grab().toImage();
        const QDockWidget* log = window.dock(hesk::app::MainWindow::Pane::Log);
        const int top = log ? log->geometry().top() : window.height() - 240;
        shooter.save(whole.copy(0, top, window.width(), window.height() - top), QStringLiteral("log-status.png"));
    }
    Q_UNUSED(rPage);

    // Stopped again, so that the edit rules of a running drive stay out of the pictures.
    simControl(control, QStringLiteral("set P7000.5 0"));
    simControl(control, QStringLiteral("set P0880 0"));
    pause(6000);

    // ---- pages and editing -----------------------------------------------------------
    auto* pPage = qobject_cast<hesk::app::ParameterPageWindow*>(window.openPage(QStringLiteral("P参数")));
    pause(2500);
    hesk::app::ValueEditing& editing = application.valueEditing();
    if (pPage) {
        const int ramp = rowOf(pPage, QStringLiteral("P0118"));
        showRow(pPage, ramp);
        pause(500);
        withModal([&] { editing.editRow(pPage, ramp); },
                  [&](QWidget* dialog) {
                      if (QLineEdit* edit = lineEdit(dialog, "valueEdit")) {
                          edit->selectAll();
                          edit->insert(QStringLiteral("110"));
                      }
                      pause(200);
                      shooter.save(dialog, QStringLiteral("editor-value.png"));
                      if (auto* d = qobject_cast<QDialog*>(dialog))
                          d->accept();  // writes the value to the drive
                      waitFor([&] { return !dialog->isVisible() || QApplication::activeModalWidget() != dialog; },
                              8000);
                  });
        pause(2500);
        showRow(pPage, ramp);
        pPage->view()->clearSelection();  // the changed value shows in its colour
        pause(800);
        shooter.save(&window, QStringLiteral("page-p-online.png"));

        const struct {
            const char* number;
            const char* subIndex;
            const char* picture;
        } editors[] = {
            {"P0053", "", "editor-bit.png"},
            {"P0060", "", "editor-special.png"},
            {"P0100", "001", "edit-refused.png"},  // menu level 1 forbids it
            {"P0242", "001", "editor-connection.png"},
        };
        for (const auto& e : editors) {
            const int row = rowOf(pPage, QString::fromLatin1(e.number), QString::fromLatin1(e.subIndex));
            if (row < 0)
                continue;
            showRow(pPage, row);
            pause(300);
            withModal([&] { editing.editRow(pPage, row); },
                      [&](QWidget* dialog) { shooter.save(dialog, QString::fromLatin1(e.picture)); });
        }
    }

    // The custom page: four parameters put in through its context menu, then the menu.
    auto* customPage = qobject_cast<hesk::app::ParameterPageWindow*>(window.openPage(QStringLiteral("自定义参数")));
    pause(500);
    if (customPage) {
        bool shotNumberDialog = false;
        for (const QString& number : {QStringLiteral("r0002"), QStringLiteral("r0015"), QStringLiteral("r0004"),
                                      QStringLiteral("P0118")}) {
            withModal([&] { customPage->insertParameter(); },
                      [&](QWidget* dialog) {
                          if (QLineEdit* edit = lineEdit(dialog))
                              edit->setText(number);
                          pause(200);
                          if (!shotNumberDialog) {
                              shooter.save(dialog, QStringLiteral("custom-number-dialog.png"));
                              shotNumberDialog = true;
                          }
                          if (auto* d = qobject_cast<QDialog*>(dialog))
                              d->accept();
                      });
            pause(200);
        }
        pause(2000);
        customPage->selectRow(1);
        QMenu* menu = customPage->createContextMenu(customPage);
        const QPoint inList = customPage->view()->viewport()->mapToGlobal(QPoint(200, 60));
        menu->popup(inList);
        pause(500);
        shooter.save(Shooter::withTitleBar(withPopup(&window, menu), window.windowTitle(), window.font()),
                     QStringLiteral("custom-page.png"));
        menu->hide();
        menu->deleteLater();
    }

    // 查找 (Ctrl+F): the dialog over the page it found a row on.
    window.runCommand(Command::FindParameter);
    pause(500);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible() || top->windowTitle() != QStringLiteral("查找"))
            continue;
        if (QLineEdit* keyword = lineEdit(top))
            keyword->setText(QStringLiteral("额定转速"));
        for (QPushButton* button : top->findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("查找下一个"))
                button->click();
        pause(1500);
        shooter.save(Shooter::withTitleBar(withPopup(&window, top), window.windowTitle(), window.font()),
                     QStringLiteral("find.png"));
        top->close();
    }
    pause(300);

    // ---- settings ----------------------------------------------------------------------
    shootMenu(QStringLiteral("设置"), QStringLiteral("menu-settings.png"));
    shootMenu(QStringLiteral("帮助"), QStringLiteral("menu-help.png"));
    withModal([&] { window.runCommand(Command::ApproximateComparison); },
              [&](QWidget* box) { shooter.save(box, QStringLiteral("approximate-comparison.png")); });
    window.runCommand(Command::ApproximateComparison);  // off again, silently

    window.runCommand(Command::Disconnect);
    pause(1000);
    withModal([&] { window.runCommand(Command::PortSettings); },
              [&](QWidget* dialog) {
                  shooter.save(dialog, QStringLiteral("interface-settings.png"));
                  QPushButton* detail = dialog->findChild<QPushButton*>(QStringLiteral("detailButton"));
                  if (!detail || !detail->isEnabled()) {
                      say(QStringLiteral("no 详细设定 button to press"));
                      return;
                  }
                  withModal([&] { detail->click(); },
                            [&](QWidget* ports) { shooter.save(ports, QStringLiteral("port-settings.png")); });
              });

    // ---- device search, add device, project creation (no project open) ---------------
    withModal([&] { window.runCommand(Command::CloseProject); },
              [&](QWidget* box) {
                  // The custom page changed the project: do not keep it.
                  if (!clickButton(box, QStringLiteral("否")))
                      shooter.unexpected(box);
              });
    pause(500);
    if (window.session().project().isOpen())
        say(QStringLiteral("the project is still open"));

    withModal([&] { window.runCommand(Command::SearchDevice); },
              [&](QWidget* dialog) {
                  shooter.save(dialog, QStringLiteral("device-search.png"));
                  QPushButton* start = dialog->findChild<QPushButton*>(QStringLiteral("startButton"));
                  if (!start)
                      return;
                  withModal([&] { start->click(); waitFor([&] { return start->isEnabled(); }, 15000); },
                            [&](QWidget* question) {
                                shooter.save(question, QStringLiteral("device-search-found.png"));
                                clickButton(question, QStringLiteral("取消"));
                            });
                  pause(300);
                  shooter.save(dialog, QStringLiteral("device-search-done.png"));
              });

    withModal([&] { window.runCommand(Command::AddDevice); },
              [&](QWidget* dialog) { shooter.save(dialog, QStringLiteral("add-device.png")); });

    const QString created = work.filePath(QStringLiteral("created"));
    QDir().mkpath(created);
    const QString key = inputs.dirName();
    prompt.queue(inputs.absoluteFilePath(key + QStringLiteral(".monitorary")));
    prompt.queue(inputs.absoluteFilePath(QStringLiteral("PARAM.xlsx")));
    prompt.queue(inputs.absoluteFilePath(QStringLiteral("Ubase.xlsx")));
    prompt.queue(created);
    withModal([&] { window.runCommand(Command::CreateProject); },
              [&](QWidget* dialog) {
                  const auto choose = [&](const char* name, const QString& text) {
                      if (auto* combo = dialog->findChild<QComboBox*>(QString::fromLatin1(name))) {
                          const int index = combo->findText(text, Qt::MatchContains);
                          if (index >= 0)
                              combo->setCurrentIndex(index);
                      }
                  };
                  choose("deviceTypeCombo", QStringLiteral("VRA1"));
                  choose("deviceVersionCombo", QStringLiteral("V1.14.18"));
                  pause(300);
                  shooter.save(dialog, QStringLiteral("create-project-device.png"));
                  const auto press = [&](const char* name) {
                      if (auto* button = dialog->findChild<QPushButton*>(QString::fromLatin1(name))) {
                          button->click();
                          auto* busy = dialog->findChild<QProgressBar*>(QStringLiteral("busyBar"));
                          pause(200);
                          waitFor([&] { return !busy || !busy->isVisible(); }, 30000);
                          pause(200);
                      }
                  };
                  press("nextButton");
                  if (QLineEdit* name = lineEdit(dialog, "projectNameEdit"))
                      name->setText(QStringLiteral("DEMO_VRA1"));
                  for (const char* browse : {"intermediateButton", "conversionButton", "baseButton", "storageButton"})
                      press(browse);
                  pause(300);
                  shooter.save(dialog, QStringLiteral("create-project-inputs.png"));
                  withModal([&] { press("finishButton"); },
                            [&](QWidget* box) {
                                shooter.save(box, QStringLiteral("create-project-done.png"));
                                clickButton(box, QStringLiteral("确定"));
                            });
              });
    pause(1000);
    if (!window.session().project().isOpen())
        say(QStringLiteral("the created project did not open"));

    watchdog.stop();
    window.lifecycle().setProjectModified(false);
    return shooter.failed() ? 1 : 0;
}
