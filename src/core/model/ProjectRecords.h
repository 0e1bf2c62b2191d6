#pragma once
// The records of a project file (.tmprj) and of the intermediate file of project
// creation. Members are listed in file order; fields that the system only carries are
// named by position ("word1", "text3") and are written back unchanged.

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

namespace hesk::model {

// A port of a block. Records with version 0 or 1 (compared unsigned) have the short
// form without text13/word8/word9; every other version has the long form.
struct HeskPort {
    int32_t version = 2;
    QString text1, text2;
    int32_t word1 = 0;
    QString text3;
    int32_t word2 = 0;
    QString text4, text5, text6;
    int32_t word3 = 0;
    QString text7, text8;
    int32_t word4 = 0;
    QString text9, text10;
    int32_t word5 = 0;
    QString text11, text12;
    int32_t word6 = 0;
    int32_t word7 = 0;
    uint16_t shortWord = 0;
    // long form only
    QString text13;
    int32_t word8 = 0;
    int32_t word9 = 0;

    bool hasLongForm() const { return static_cast<uint32_t>(version) > 1; }
    bool operator==(const HeskPort&) const = default;
};

struct HeskPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const HeskPoint&) const = default;
};

// A line between ports on a page; word7 exists only in the long form (version > 1).
struct HeskConnection {
    int32_t version = 2;
    QString text1;
    std::array<int32_t, 4> words1to4{};
    std::array<QString, 8> texts2to9;
    std::vector<HeskPoint> points;
    QString text10, text11;
    int32_t word5 = 0;
    int32_t word6 = 0;
    int32_t word7 = 0;  // long form only

    bool hasLongForm() const { return static_cast<uint32_t>(version) > 1; }
    bool operator==(const HeskConnection&) const = default;
};

struct HeskExplain {
    int32_t word1 = 0;
    QString text1;
    std::array<int32_t, 4> words2to5{};
    QString text2;
    bool operator==(const HeskExplain&) const = default;
};

struct HeskBlock {
    int32_t word1 = 0;
    std::array<QString, 6> texts1to6;
    std::array<int32_t, 6> words2to7{};
    std::array<QString, 3> texts7to9;
    std::vector<HeskPort> firstPorts;
    std::vector<HeskPort> secondPorts;
    QString text10;
    int32_t word8 = 0;
    int32_t word9 = 0;
    QString text11, text12;
    int32_t word10 = 0;
    bool operator==(const HeskBlock&) const = default;
};

struct HeskPage {
    int32_t word1 = 0;
    QString text1;
    int32_t word2 = 0;
    QString text2;
    std::vector<HeskBlock> blocks;
    std::vector<HeskConnection> connections;
    std::vector<HeskExplain> explains;
    int32_t word3 = 0;
    bool operator==(const HeskPage&) const = default;
};

struct HeskPackage {
    int32_t word = 0;
    QString text1, text2;
    std::vector<HeskPage> pages;
    bool operator==(const HeskPackage&) const = default;
};

// The program description exported by the drive-programming tool.
struct HeskProgram {
    int32_t word1 = 0;
    std::array<QString, 4> texts1to4;
    int32_t word2 = 0;
    QString text5;
    std::vector<HeskPackage> packages;
    bool operator==(const HeskProgram&) const = default;
};

inline constexpr uint16_t kNoSubIndex = 255;

// One parameter definition; (number, subIndex) identifies it within a project.
struct HeskParameterElement {
    int32_t version = 0;
    uint16_t number = 0;
    uint16_t subIndex = kNoSubIndex;
    uint16_t typeCode = 0;
    uint16_t address = 0;
    uint16_t word5 = 0;
    uint16_t word6 = 0;
    uint16_t settable = 0;
    uint16_t connectionFlag = 0;
    uint16_t word9 = 0;
    QString sourceText1;
    QString currentValueText;
    QString rawMaxText;
    QString rawMinText;
    QString comment;
    QString name;
    std::array<QString, 5> sourceTexts7to11;
    QString factoryValue;
    QString text12;
    int32_t word10 = 0;
    int32_t decimals = 0;
    QString reverseFormula;
    QString forwardFormula;
    QString maxText;
    QString minText;
    int32_t word11 = 0;
    QString commandType;
    QString unit;
    QString importFlag;
    QString referenceKey;
    QString auxFlag;
    std::array<QString, 3> texts13to15;

    bool hasSubIndex() const { return subIndex != kNoSubIndex; }
    bool isSettable() const { return settable != 0; }
    bool isConnection() const { return connectionFlag != 0; }
    bool usesFormulas() const { return commandType == QLatin1String("3"); }
    bool operator==(const HeskParameterElement&) const = default;
};

// One row of the base-value table: 44 texts; column 0 is the key selected by P0070.
inline constexpr int kUbaseColumns = 44;
struct UbaseInfo {
    std::array<QString, kUbaseColumns> columns;
    bool operator==(const UbaseInfo&) const = default;
};

// Intermediate-file element: nine words (element fields 2..10) and eleven texts
// (element fields 11..21). Read only by project creation.
struct TTemporaryElement {
    std::array<uint16_t, 9> words{};
    std::array<QString, 11> texts;
    bool operator==(const TTemporaryElement&) const = default;
};

}  // namespace hesk::model
