#include "InterfaceTranslator.h"

#include <QCoreApplication>

namespace hesk::app {

InterfaceTranslator::InterfaceTranslator(const QString& catalogue)
{
    m_installed = m_translator.load(catalogue) && QCoreApplication::installTranslator(&m_translator);
}

InterfaceTranslator::~InterfaceTranslator()
{
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
}

}  // namespace hesk::app
