#pragma once
// The session's questions about motor control answered by a control panel: control
// held, the link died (control dropped), the menu level forbids control (release without
// stop), disconnect (offline reset), and the 3-second refresh while the panel is shown.
// The window hands it to its hooks; heskmon sets it as the session's hooks.

#include "ControlPanel.h"

#include "shell/LifecycleHooks.h"

#include <functional>

namespace hesk::operation {

class PanelHooks final : public shell::LifecycleHooks {
public:
    // `shown` tells whether the panel is on show (the refresh runs only then); not set:
    // always.
    explicit PanelHooks(ControlPanel& panel, std::function<bool()> shown = {})
        : m_panel(panel), m_shown(std::move(shown))
    {
    }

    bool motorControlHeld() const override { return m_panel.controlHeld(); }
    void dropMotorControl() override { m_panel.linkLost(); }
    void menuLevelWhileControlHeld() override { m_panel.release(false); }
    void resetControlPages() override { m_panel.offlineReset(); }
    void periodicRefresh() override
    {
        if (!m_shown || m_shown())
            m_panel.refresh();
    }

private:
    ControlPanel& m_panel;
    std::function<bool()> m_shown;
};

}  // namespace hesk::operation
