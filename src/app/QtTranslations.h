#pragma once
// Qt's own texts (file dialogs' "Look in", standard buttons, context menus) in Chinese,
// so that the whole window speaks one language. The catalogues come from Qt's
// translations folder (Debian: qt6-translations-l10n).
//
// Thread: UI thread; the application object must exist and outlive this object.

#include <QString>
#include <QStringList>
#include <QTranslator>

#include <memory>
#include <vector>

namespace hesk::app {

class QtTranslations {
public:
    // Loads the zh_CN catalogues of Qt found in `folder` and installs them on the
    // application; removes them again on destruction.
    explicit QtTranslations(const QString& folder = defaultFolder());
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // The catalogue files that could not be loaded (empty when all were).
    const QStringList& missing() const { return m_missing; }
    // Qt's translations folder of this installation.
    static QString defaultFolder();

private:
    std::vector<std::unique_ptr<QTranslator>> m_installed;
    QStringList m_missing;
};

}  // namespace hesk::app
