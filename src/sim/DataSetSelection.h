#pragma once
// Which data sets the drive runs with, chosen as the drive chooses them: through
// binector inputs (connection parameters) whose connected outputs are read as bits.
//
//   BICO data set      r0012 = 1 + P0590                                  (1..2)
//   motor data set     r0011 = 1 + P0578.b + 2 P0579.b, b = BICO data set (1..4)
//   function data set  r0013 = 1 + P0576.b + 2 P0577.b                    (1..4)
//
// A binector input holds the device address of the connected output (0: none, reads
// 0); the output's state is its word in the read-only table, nonzero meaning 1. The
// factory connections (B0000, fixed 0) select data set 1 everywhere; connecting a
// selection bit to B0001 (fixed 1) or to a digital input switches. A project without
// these inputs always selects data set 1.

#include "DriveTables.h"

#include <array>
#include <optional>

namespace hesk::sim {

struct DataSets {
    int motor = 1;     // r0011, MDS1..MDS4
    int bico = 1;      // r0012, BICO DS1..BICO DS2
    int function = 1;  // r0013, FDS1..FDS4

    bool operator==(const DataSets&) const = default;
};

class DataSetSelection {
public:
    static constexpr int kBicoDataSets = 2;

    explicit DataSetSelection(const model::HeskProject& project);

    // The data sets the selection inputs ask for now.
    DataSets requested(const DriveTables& tables) const;
    // The selection bits as the drive's control word 2 shows them: bit 0 and 1 the
    // motor data set bits, 2 and 3 the function data set bits, 4 the BICO data set bit.
    uint16_t selectionBits(const DriveTables& tables) const;

    // The state of the output a binector input is connected to.
    static bool binectorState(const DriveTables& tables, const std::optional<ParameterSlot>& input);

private:
    struct BitPair {
        std::array<std::optional<ParameterSlot>, kBicoDataSets> bit0;
        std::array<std::optional<ParameterSlot>, kBicoDataSets> bit1;
    };
    int pairValue(const DriveTables& tables, const BitPair& pair, int bicoDataSet) const;

    std::optional<ParameterSlot> m_bicoSelection;  // P0590
    BitPair m_motor;                               // P0578.b, P0579.b
    BitPair m_function;                            // P0576.b, P0577.b
};

}  // namespace hesk::sim
