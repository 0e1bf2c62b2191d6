#pragma once
// The drive's own parameter memory: the settable values, the read-only values and the
// connection (BICO) sources, 8192 words each, indexed by device address, plus the
// factory image they return to on a factory restore.
//
// Connection sources are held as the drive thinks of them: the device address of the
// connected output (0 for none). The wire forms differ: a read (0x17) sends the source
// as it is, a write (0x05), the upload block and the download image carry its
// two's-complement negation with 0x8000 for source 0 (toWireSource/fromWireSource).
//
// Not thread-safe: the simulated drive owns one instance and runs on one thread.

#include "model/HeskProject.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace hesk::sim {

inline constexpr uint32_t kTableSize = 8192;

enum class TableKind { Settable, ReadOnly, Connection };

using WordTable = std::array<uint16_t, kTableSize>;

// Where one parameter lives in the drive.
struct ParameterSlot {
    TableKind table = TableKind::Settable;
    uint16_t address = 0;
    const model::HeskParameterElement* element = nullptr;
};

// The negated form of a connection source used by 0x05 writes, uploads and downloads.
uint16_t toWireSource(uint16_t source);
uint16_t fromWireSource(uint16_t wire);

class DriveTables {
public:
    DriveTables();

    // Tables initialised from the project's factory values (display texts converted to
    // raw words with the parameter's type and formula). A factory text that does not
    // convert leaves 0 and is listed in factoryFailures().
    static DriveTables fromProject(const model::HeskProject& project);

    WordTable& table(TableKind kind);
    const WordTable& table(TableKind kind) const;

    std::optional<uint16_t> value(TableKind kind, uint32_t address) const;
    bool setValue(TableKind kind, uint32_t address, uint16_t value);

    // Factory restore: the settable values and the connections go back to the factory
    // image; the read-only values are the drive's own and stay.
    void restoreFactory();
    uint16_t factoryValue(TableKind kind, uint32_t address) const;

    // Entry counts of the upload block: N in (settable slots, word table B of the project)
    // and N out (read-only slots, word table A).
    uint32_t settableCount() const { return m_settableCount; }
    uint32_t readOnlyCount() const { return m_readOnlyCount; }
    void setCounts(uint32_t settableCount, uint32_t readOnlyCount);

    const QStringList& factoryFailures() const { return m_factoryFailures; }

private:
    WordTable m_settable{};
    WordTable m_readOnly{};
    WordTable m_connections{};
    WordTable m_factorySettable{};
    WordTable m_factoryConnections{};
    uint32_t m_settableCount = 0;
    uint32_t m_readOnlyCount = 0;
    QStringList m_factoryFailures;
};

// The slot of a parameter by key text ("r0001", "P7000.5"); nothing when the project
// lacks it or its address is outside the tables.
std::optional<ParameterSlot> slotOf(const model::HeskProject& project, const QString& keyText);

// The device address of the output a connector or binector text names ("K0091",
// "B0001": the first read-only definition with that number); nothing for another text
// or an output the project lacks.
std::optional<uint16_t> connectionSourceOf(const model::HeskProject& project, const QString& text);

// The table a definition's value lives in.
TableKind tableOf(const model::HeskParameterElement& element);

}  // namespace hesk::sim
