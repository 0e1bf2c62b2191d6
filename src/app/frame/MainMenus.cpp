#include "MainMenus.h"

#include "shell/FeaturesNotBuilt.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QStyleFactory>

namespace hesk::app {

using shell::Command;

namespace {

constexpr int kFirstLookId = 210;
constexpr int kLookCount = 9;  // ids 210..218

}  // namespace

MainMenus::MainMenus(QMenuBar* bar, std::function<void(Command)> run) : QObject(bar), m_run(std::move(run))
{
    QMenu* file = addMenu(bar, tr("文件(&F)"));
    add(file, Command::CreateProject);
    add(file, Command::OpenProject)->setShortcut(QKeySequence::Open);
    add(file, Command::SaveProject)->setShortcut(QKeySequence::Save);
    add(file, Command::CloseProject);
    file->addSeparator();
    add(file, Command::SearchDevice);
    add(file, Command::AddDevice);
    file->addSeparator();
    add(file, Command::Exit);

    QMenu* view = addMenu(bar, tr("视图(&V)"));
    add(view, Command::ToggleProjectPane);
    add(view, Command::ToggleLogPane);
    add(view, Command::ToggleBicoPane);
    add(view, Command::ToggleJournalPane);
    view->addSeparator();
    addLookMenu(view);

    QMenu* debug = addMenu(bar, tr("调试(&D)"));
    add(debug, Command::PortSettings);
    debug->addSeparator();
    add(debug, Command::Connect);
    add(debug, Command::Disconnect);

    QMenu* parameters = addMenu(bar, tr("参数(&P)"));
    add(parameters, Command::OpenDnl);
    add(parameters, Command::Upload);
    add(parameters, Command::Download);
    add(parameters, Command::CompareFiles);
    add(parameters, Command::CompareWithDrive);
    parameters->addSeparator();
    add(parameters, Command::FindParameter);
    add(parameters, Command::FactoryRestore);

    QMenu* recording = addMenu(bar, tr("录波(&R)"));
    add(recording, Command::OpenFaultWaveformFile);
    add(recording, Command::OpenTriggerRecordingFile);
    add(recording, Command::UploadBoardFaultWaveform);

    QMenu* settings = addMenu(bar, tr("设置(&S)"));
    add(settings, Command::ApproximateComparison);
    addLanguageMenu(settings);

    QMenu* help = addMenu(bar, tr("帮助(&H)"));
    add(help, Command::UserManual);
    add(help, Command::ControllerDescription);
    help->addSeparator();
    m_about = help->addAction(tr("关于HESKMonitor(&A)..."));
    m_about->setObjectName(QStringLiteral("aboutAction"));

    for (const auto& [command, action] : m_actions)
        action->setCheckable(shell::commandChecked(command, shell::CommandState{}).has_value());
}

QMenu* MainMenus::addMenu(QMenuBar* bar, const QString& title)
{
    QMenu* menu = bar->addMenu(title);
    menu->setToolTipsVisible(true);  // the tips of commands that are not built yet
    connect(menu, &QMenu::aboutToShow, this, &MainMenus::aboutToShowMenu);
    return menu;
}

QAction* MainMenus::add(QMenu* menu, Command command)
{
    QAction* action = menu->addAction(shell::commandText(command));
    action->setObjectName(QStringLiteral("command%1").arg(static_cast<int>(command)));
    action->setData(static_cast<int>(command));
    connect(action, &QAction::triggered, this, [this, command] { m_run(command); });
    if (!shell::commandBuilt(command)) {
        action->setToolTip(shell::notBuiltText());
        action->setStatusTip(shell::notBuiltText());
    }
    m_actions[command] = action;
    return action;
}

void MainMenus::addLookMenu(QMenu* parent)
{
    QMenu* looks = parent->addMenu(tr("应用程序外观"));
    m_looks = new QActionGroup(this);
    m_looks->setExclusive(true);
    const QString current = QApplication::style()->name();
    const QStringList styles = QStyleFactory::keys();
    for (int i = 0; i < styles.size() && i < kLookCount; ++i) {
        const QString name = styles[i];
        QAction* action = looks->addAction(name);
        action->setObjectName(QStringLiteral("look%1").arg(kFirstLookId + i));
        action->setCheckable(true);
        action->setChecked(name.compare(current, Qt::CaseInsensitive) == 0);
        m_looks->addAction(action);
        connect(action, &QAction::triggered, this, [name] { QApplication::setStyle(name); });
    }
}

void MainMenus::addLanguageMenu(QMenu* parent)
{
    QMenu* languages = parent->addMenu(tr("界面语言"));
    languages->setObjectName(QStringLiteral("languageMenu"));
    m_languages = new QActionGroup(this);
    m_languages->setExclusive(true);
    // The language names are shown as they are in either language.
    const std::pair<shell::LanguageSetting, QString> entries[] = {
        {shell::LanguageSetting::System, tr("跟随系统")},
        {shell::LanguageSetting::Chinese, QStringLiteral("中文")},
        {shell::LanguageSetting::English, QStringLiteral("English")}};
    for (const auto& [setting, text] : entries) {
        QAction* action = languages->addAction(text);
        action->setObjectName(QStringLiteral("language_") + shell::languageSettingText(setting));
        action->setCheckable(true);
        action->setData(static_cast<int>(setting));
        m_languages->addAction(action);
        const shell::LanguageSetting chosen = setting;
        connect(action, &QAction::triggered, this, [this, chosen] { Q_EMIT languageChosen(chosen); });
    }
}

QList<QAction*> MainMenus::languageActions() const
{
    return m_languages ? m_languages->actions() : QList<QAction*>{};
}

void MainMenus::setLanguageSetting(shell::LanguageSetting setting)
{
    for (QAction* action : languageActions())
        action->setChecked(action->data().toInt() == static_cast<int>(setting));
}

QAction* MainMenus::action(Command command) const
{
    const auto it = m_actions.find(command);
    return it == m_actions.end() ? nullptr : it->second;
}

QList<QAction*> MainMenus::lookActions() const { return m_looks ? m_looks->actions() : QList<QAction*>{}; }

void MainMenus::apply(const shell::CommandState& state)
{
    for (const auto& [command, action] : m_actions) {
        action->setEnabled(shell::commandAvailable(command, state));
        if (const std::optional<bool> checked = shell::commandChecked(command, state))
            action->setChecked(*checked);
    }
}

}  // namespace hesk::app
