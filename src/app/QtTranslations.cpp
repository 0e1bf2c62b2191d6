#include "QtTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

namespace hesk::app {

namespace {

// qtbase carries the widgets' and dialogs' texts, qtserialport the port errors.
const char* const kCatalogues[] = {"qtbase_zh_CN", "qtserialport_zh_CN"};

}  // namespace

QtTranslations::QtTranslations(const QString& folder)
{
    for (const char* name : kCatalogues) {
        auto translator = std::make_unique<QTranslator>();
        const QString file = QString::fromLatin1(name);
        if (translator->load(file, folder) && QCoreApplication::installTranslator(translator.get()))
            m_installed.push_back(std::move(translator));
        else
            m_missing.append(QDir(folder).filePath(file + QStringLiteral(".qm")));
    }
}

QtTranslations::~QtTranslations()
{
    for (const auto& translator : m_installed)
        QCoreApplication::removeTranslator(translator.get());
}

QString QtTranslations::defaultFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

}  // namespace hesk::app
