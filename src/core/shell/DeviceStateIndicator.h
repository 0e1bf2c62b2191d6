#pragma once
// The device state indicator of status pane 4: 0 none, 1 normal, 2 fault, 3 alarm. Fault
// and alarm blink (every blink tick alternates the state colour with the button-face
// colour); normal and none are steady. Setting the state it already has changes nothing,
// so a blink in progress keeps its rhythm.
//
// Plain data, no widgets: the status bar paints what text() and background() say and
// calls blinkTick() from its 800 ms timer while blinking() holds.

#include <QString>

#include <cstdint>
#include <optional>

namespace hesk::shell {

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

enum class DeviceState : int { None = 0, Normal = 1, Fault = 2, Alarm = 3 };

class DeviceStateIndicator {
public:
    static constexpr int kBlinkPeriodMs = 800;

    // The pane's text before any state was set ("正常", shown without colour).
    static QString initialText();

    // True when the state changed (and the pane must be repainted). A value outside
    // 0..3 is ignored (false).
    bool setState(int state);
    DeviceState state() const { return m_state; }

    // "      故障", "      报警", "      正常" (six spaces before the word) or empty.
    QString text() const;
    // The colour of the state: red, yellow, green; nothing for state 0.
    std::optional<Rgb> stateColour() const;
    // What the pane shows now: the state colour, or nothing for the button-face colour
    // (state 0, and the off phase of a blink).
    std::optional<Rgb> background() const;
    bool blinking() const;

    // One blink period passed: the phase flips while blinking; otherwise nothing.
    void blinkTick();

private:
    DeviceState m_state = DeviceState::None;
    bool m_offPhase = false;
};

}  // namespace hesk::shell
