#pragma once
// The main window's menu bar: one action per command (text from the command table), the
// application-look entries, and the about entry. Enabling and check marks are applied
// from the command rules by apply().

#include "shell/CommandRules.h"
#include "shell/InterfaceLanguage.h"

#include <QObject>

#include <functional>
#include <map>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;

namespace hesk::app {

class MainMenus final : public QObject {
    Q_OBJECT
public:
    // The actions call run(command) when triggered.
    MainMenus(QMenuBar* bar, std::function<void(shell::Command)> run);

    QAction* action(shell::Command command) const;
    QAction* aboutAction() const { return m_about; }
    // The application-look entries (one per visual style, at most nine).
    QList<QAction*> lookActions() const;
    // 设置 > 界面语言: "跟随系统", "中文", "English" (checkable, exclusive).
    QList<QAction*> languageActions() const;
    // Checks the entry of the stored setting.
    void setLanguageSetting(shell::LanguageSetting setting);

    void apply(const shell::CommandState& state);

Q_SIGNALS:
    // A menu is about to open: the owner refreshes the state first.
    void aboutToShowMenu();
    // The person picked a language entry.
    void languageChosen(shell::LanguageSetting setting);

private:
    QMenu* addMenu(QMenuBar* bar, const QString& title);
    QAction* add(QMenu* menu, shell::Command command);
    void addLookMenu(QMenu* parent);
    void addLanguageMenu(QMenu* parent);

    std::function<void(shell::Command)> m_run;
    std::map<shell::Command, QAction*> m_actions;
    QActionGroup* m_looks = nullptr;
    QActionGroup* m_languages = nullptr;
    QAction* m_about = nullptr;
};

}  // namespace hesk::app
