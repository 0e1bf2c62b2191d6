#pragma once
// The English interface: loads the program's English catalogue (built into the
// resources as :/i18n/heskmonitor_en.qm) and installs it on the application; removes it
// again on destruction. Without it every text is the Chinese it is written in.
//
// Thread: UI thread; the application object must exist and outlive this object.

#include <QString>
#include <QTranslator>

namespace hesk::app {

class InterfaceTranslator {
public:
    // The catalogue built into the program.
    static QString builtInCatalogue() { return QStringLiteral(":/i18n/heskmonitor_en.qm"); }

    explicit InterfaceTranslator(const QString& catalogue = builtInCatalogue());
    ~InterfaceTranslator();
    InterfaceTranslator(const InterfaceTranslator&) = delete;
    InterfaceTranslator& operator=(const InterfaceTranslator&) = delete;

    // False when the catalogue could not be loaded (the window then stays Chinese).
    bool installed() const { return m_installed; }

private:
    QTranslator m_translator;
    bool m_installed = false;
};

}  // namespace hesk::app
