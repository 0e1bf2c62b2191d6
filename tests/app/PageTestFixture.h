#pragma once
// The page windows over a real MonitorSession with an installed sample project open:
// a scripted prompt, a log that keeps its lines, the offline values, a clock the test
// moves, and scripted answers for the "自由参数" dialog. Widgets are offscreen.

#include "../pages/PageFixtures.h"
#include "ScriptedPrompt.h"

#include "pages/ParameterListView.h"
#include "pages/ParameterPageModel.h"
#include "pages/ParameterPageWindow.h"
#include "pages/ParameterPageWindows.h"

#include "shell/MonitorSession.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <memory>

namespace hesk::app::test {

class PageWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override
    {
        if (session)
            session->link().state().online.store(false);
        pages.reset();
        session.reset();
    }

    void openProject(const char* codeAndKey = "VRA1/VRA1V11418")
    {
        pages.reset();
        session = std::make_unique<shell::MonitorSession>(
            hesk::pages::test::faultTables(), log, prompt,
            online::InterfaceSettings({dir.filePath(QStringLiteral("interfacecfg.ini")), {}}));
        const auto failure =
            session->project().open(hesk::pages::test::sampleProjectPath(QString::fromLatin1(codeAndKey)));
        ASSERT_FALSE(failure.has_value()) << failure->text.toStdString();
        pages = std::make_unique<ParameterPageWindows>(*session, prompt, log, offline);
        pages->environment().clock = [this] { return now; };
        pages->environment().askParameterNumber = [this](QWidget*) -> std::optional<QString> {
            if (numberAnswers.empty()) {
                ADD_FAILURE() << "unscripted 自由参数 dialog";
                return std::nullopt;
            }
            const std::optional<QString> answer = numberAnswers.front();
            numberAnswers.pop_front();
            return answer;
        };
    }

    ParameterPageWindow* open(const QString& pageName, bool show = false)
    {
        auto* window = qobject_cast<ParameterPageWindow*>(pages->createPageWindow(pageName, nullptr));
        EXPECT_NE(window, nullptr) << pageName.toStdString();
        if (window && show) {
            window->resize(1200, 500);
            window->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        }
        return window;
    }

    static QString cell(ParameterPageWindow* window, int row, int column)
    {
        return window->model()->index(row, column).data().toString();
    }
    // "P0100.001" of a row.
    static QString rowNumber(ParameterPageWindow* window, int row)
    {
        if (row < 0)
            return QStringLiteral("(none)");
        const QString sub = cell(window, row, hesk::pages::ColumnSubIndex);
        return cell(window, row, hesk::pages::ColumnNumber) + (sub.isEmpty() ? QString() : QLatin1Char('.') + sub);
    }
    static int rowOf(ParameterPageWindow* window, const QString& number)
    {
        for (int row = 0; row < window->model()->rowCount(); ++row)
            if (rowNumber(window, row) == number)
                return row;
        return -1;
    }
    const model::HeskParameterElement& element(const char* key) const
    {
        const model::HeskParameterElement* e = session->project().find(QString::fromLatin1(key));
        EXPECT_NE(e, nullptr) << key;
        return *e;
    }

    QTemporaryDir dir;
    hesk::pages::test::RecordingLog log;
    testsupport::ScriptedPrompt prompt;
    hesk::pages::OfflineValueSet offline;
    std::unique_ptr<shell::MonitorSession> session;
    std::unique_ptr<ParameterPageWindows> pages;
    hesk::pages::TypeAhead::Clock::time_point now{};
    std::deque<std::optional<QString>> numberAnswers;
};

}  // namespace hesk::app::test
