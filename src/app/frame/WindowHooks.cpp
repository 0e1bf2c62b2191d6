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

shell::LifecycleHooks& WindowHooks::workflow() const { return m_workflow ? *m_workflow : m_defaults; }

}  // namespace hesk::app
