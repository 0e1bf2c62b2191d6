#include "WindowHooks.h"

namespace hesk::app {

bool WindowHooks::saveOfflineValues()
{
    return m_offline.save && m_offline.save();
}

void WindowHooks::clearOfflineModifications()
{
    if (m_offline.clearModifications)
        m_offline.clearModifications();
    m_offline.modified = false;
}

void WindowHooks::discardOfflineValues()
{
    if (m_offline.discardValues)
        m_offline.discardValues();
    m_offline.modified = false;
    m_offline.fileName.clear();
}

shell::LifecycleHooks& WindowHooks::workflow() const { return m_workflow ? *m_workflow : m_defaults; }

}  // namespace hesk::app
