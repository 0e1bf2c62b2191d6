#pragma once
// A translator for tests: every text asked for comes back with "EN:" in front, so a test
// tells the texts that went through the translation (what the window shows) from those
// that stayed in the source language (log lines, file contents, compared keys).
//
// MarkedTranslation makes a QCoreApplication when none is there (a translator needs one)
// and installs the marking translator for its lifetime.

#include <QCoreApplication>
#include <QString>
#include <QTranslator>

#include <memory>

namespace hesk::testsupport {

inline QString marked(const QString& text) { return QStringLiteral("EN:") + text; }

class MarkingTranslator final : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char*, const char* sourceText, const char*, int) const override
    {
        return marked(QString::fromUtf8(sourceText));
    }
};

class MarkedTranslation {
public:
    MarkedTranslation()
    {
        if (QCoreApplication::instance() == nullptr)
            m_application = std::make_unique<QCoreApplication>(m_argc, m_argv);
        m_installed = QCoreApplication::installTranslator(&m_translator);
    }
    ~MarkedTranslation() { QCoreApplication::removeTranslator(&m_translator); }
    MarkedTranslation(const MarkedTranslation&) = delete;
    MarkedTranslation& operator=(const MarkedTranslation&) = delete;

    bool installed() const { return m_installed; }

private:
    int m_argc = 1;
    char m_name[5] = "test";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QCoreApplication> m_application;
    MarkingTranslator m_translator;
    bool m_installed = false;
};

}  // namespace hesk::testsupport
