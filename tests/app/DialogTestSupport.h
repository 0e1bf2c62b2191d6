#pragma once
// Helpers for the dialog tests: controls found by object name, clicks, text typed as an
// input method delivers it (QTest::keyClicks cannot send non-ASCII text), waiting with
// the event loop running, and acting on a modal dialog once it has opened.

#include "SimProcess.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace hesk::apptest {

using sim::test::pumpUntil;

// The child of the given type and object name; fails the test when there is none.
template <class T>
T* child(const QWidget& parent, const char* name)
{
    T* found = parent.findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << "no child '" << name << "'";
    return found;
}

inline void click(QWidget* widget)
{
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton);
}

// Replaces the edit's text with text as an input method commits it.
inline void typeText(QLineEdit* edit, const QString& text)
{
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(edit, &event);
}

// Texts of all labels below parent, the labels a form layout makes included.
inline QStringList labelTexts(const QWidget& parent)
{
    QStringList texts;
    for (const QLabel* label : parent.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

// Runs act on the next modal dialog that opens (other than the one given), once, from
// the event loop of its exec(). The watcher gives up after the time-out; opened()
// tells whether it ran.
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(QWidget*)> act, QWidget* ignore = nullptr,
                          std::chrono::milliseconds timeout = std::chrono::seconds(10))
        : m_act(std::move(act)), m_ignore(ignore)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this, timeout] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal != m_ignore) {
                m_timer.stop();
                m_opened = true;
                m_act(modal);
            } else if (++m_ticks * 10 > timeout.count()) {
                m_timer.stop();
            }
        });
        m_timer.start();
    }
    bool opened() const { return m_opened; }

private:
    std::function<void(QWidget*)> m_act;
    QPointer<QWidget> m_ignore;
    QTimer m_timer;
    bool m_opened = false;
    long m_ticks = 0;
};

}  // namespace hesk::apptest
