#pragma once
// The open project: header, program tree, parameter definitions and the tables that the
// project file carries. Plain data plus the lookups every other layer needs; reading and
// writing live in ProjectFile.

#include "ProjectRecords.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace hesk::model {

// Header fields 1 to 12 of the project file, in file order. A header-only read fills
// fields 1 to 11 and leaves cpuType as it was.
struct HeskProjectHeader {
    int32_t headerWord = 0;
    QString deviceType;
    QString deviceVersion;
    std::array<QString, 5> headerTexts3to7;
    QString creatorVersion;
    uint16_t programId = 0;
    uint16_t secondHeaderWord = 0;
    QString cpuType;
    bool operator==(const HeskProjectHeader&) const = default;
};

inline constexpr int kTimeBaseCount = 6;

struct HeskProject {
    HeskProjectHeader header;
    HeskProgram program;
    std::array<int32_t, kTimeBaseCount> timeBases{};
    std::vector<HeskParameterElement> elements;
    std::vector<uint16_t> wordTableA;  // read-only device table slots
    std::vector<uint16_t> wordTableB;  // settable device table slots
    QStringList textTable;
    QByteArray byteTable;
    std::vector<UbaseInfo> ubaseTable;
    std::vector<uint32_t> customParameters;  // only the low 16 bits name a parameter

    bool operator==(const HeskProject&) const = default;

    // Orders the definitions by (number, sub-index key), where no sub-index (255)
    // sorts before sub-index 0. Stable, so equal keys keep their file order.
    void sortElements();

    // Index of the definition (number, subIndex); the definitions must be sorted.
    std::optional<std::size_t> findElement(uint16_t number, uint16_t subIndex) const;

    // Index of the definition whose key text ("P0107.1", "r0943.0") equals the text.
    std::optional<std::size_t> findByKeyText(const QString& keyText) const;
};

// Sort key of a sub-index: 255 (no sub-index) counts as -255.
inline int subIndexSortKey(uint16_t subIndex)
{
    return subIndex == kNoSubIndex ? -255 : static_cast<int>(subIndex);
}

}  // namespace hesk::model
