#pragma once
// A translator for tests of what is translated and what is not: while a
// ScopedMarkingTranslator lives, every text asked of the translator comes back as
// "EN|" + the source, so a test tells a translated text from the untranslated source
// without a .qm file. Installing a translator needs an application object: the scope
// makes a QCoreApplication when the test program has none.

#include <QCoreApplication>
#include <QString>
#include <QTranslator>

#include <memory>

namespace hesk::testsupport {

class MarkingTranslator final : public QTranslator {
public:
    static QString marked(const QString& source) { return QStringLiteral("EN|") + source; }

    QString translate(const char*, const char* sourceText, const char* = nullptr, int = -1) const override
    {
        return marked(QString::fromUtf8(sourceText));
    }
    bool isEmpty() const override { return false; }
};

class ScopedMarkingTranslator {
public:
    ScopedMarkingTranslator()
    {
        if (!QCoreApplication::instance())
            m_app = std::make_unique<QCoreApplication>(m_argc, m_argv);
        m_installed = QCoreApplication::installTranslator(&m_translator);
    }
    ~ScopedMarkingTranslator() { QCoreApplication::removeTranslator(&m_translator); }

    ScopedMarkingTranslator(const ScopedMarkingTranslator&) = delete;
    ScopedMarkingTranslator& operator=(const ScopedMarkingTranslator&) = delete;

    bool installed() const { return m_installed; }

private:
    char m_name[5] = "test";
    char* m_argv[2] = {m_name, nullptr};
    int m_argc = 1;
    std::unique_ptr<QCoreApplication> m_app;
    MarkingTranslator m_translator;
    bool m_installed = false;
};

}  // namespace hesk::testsupport
