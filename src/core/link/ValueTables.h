#pragma once
// The three online value tables: 8192 unsigned 16-bit words each, indexed by a
// parameter's device address, holding what the device last reported (raw words; the
// conversion into text happens only for display, files and messages).
//
// Reply handlers write them on the thread that dispatches (a reader thread or the UI
// thread) while the UI thread reads them, so every word is a relaxed atomic; a waiter
// that was woken through the reply event sees the word the handler wrote before it
// signalled. An address of 8192 or more is never stored.
//
// Each table also marks which addresses received a word since the marks were last
// cleared (at every connect), so that a value never reported is not shown as 0.

#include "FrameCodec.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>

namespace hesk::link {

class ValueTable {
public:
    static constexpr uint32_t kSize = kAddressLimit;

    // False, and nothing stored, for an address of 8192 or more. Marks the address as
    // received.
    bool store(uint32_t address, uint16_t value);
    // nullopt for an address of 8192 or more.
    std::optional<uint16_t> value(uint32_t address) const;
    // The word only when one was stored since the marks were cleared; nullopt else.
    std::optional<uint16_t> receivedValue(uint32_t address) const;
    bool received(uint32_t address) const;
    // Removes the mark of one address (a tentative store that was undone).
    void forget(uint32_t address);
    // Removes every mark; the words stay.
    void forgetAll();
    // The word at the address, 0 for an address of 8192 or more.
    uint16_t valueOr0(uint32_t address) const { return value(address).value_or(0); }
    // Zeroes every word and removes every mark.
    void clear();

private:
    static constexpr uint32_t kMarkWords = kSize / 64;
    std::array<std::atomic<uint16_t>, kSize> m_words{};
    std::array<std::atomic<uint64_t>, kMarkWords> m_received{};
};

using PValueTable = ValueTable;            // settable values, reply 0x01
using RValueTable = ValueTable;            // read-only values, reply 0x06
using ConnectionValueTable = ValueTable;   // connection (BICO) values, reply 0x17, stored form

struct OnlineValueTables {
    PValueTable parameters;
    RValueTable readOnly;
    ConnectionValueTable connections;

    // Removes the received marks of all three tables (a new connection begins).
    void forgetReceived();
};

// The stored form of a connection value received in reply 0x17: the two's-complement
// negation of the received word; a received 0 is stored as 0x8000.
uint16_t storedConnectionValue(uint16_t received);

}  // namespace hesk::link
