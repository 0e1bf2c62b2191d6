#pragma once
// Data-type names and radix of parameter definitions, and the key text ("P0107.1")
// that names a definition in matching, messages and offline value sets.

#include "ProjectRecords.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace hesk::model {

enum class Radix { Binary = 2, Decimal = 10, Hexadecimal = 16 };

// "V2", "N2", "B1", ... for the type codes of the project; unknown codes give "N2".
QString typeName(uint16_t typeCode);

// Binary for "B1", hexadecimal for "V1", "V2" and "NK", decimal for every other name.
Radix radixOf(const QString& typeName);

inline Radix radixOfType(uint16_t typeCode) { return radixOf(typeName(typeCode)); }

// "P%.4d" when settable, else "r%.4d", plus ".<subIndex>" when there is a sub-index.
QString keyText(const HeskParameterElement& element);
QString keyText(bool settable, uint16_t number, uint16_t subIndex);

struct ParsedKeyText {
    bool settable = false;
    uint16_t number = 0;
    uint16_t subIndex = kNoSubIndex;
};

// Reads a key text back: "P" or "r", four or more digits, optionally "." and a
// decimal sub-index below 255. Anything else gives nothing.
std::optional<ParsedKeyText> parseKeyText(const QString& text);

}  // namespace hesk::model
