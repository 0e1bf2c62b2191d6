#pragma once
// The value texts the parameter pages show for the words the drive reported.
//
// A value parameter: the raw word in its type's format, through the reverse formula for
// formula parameters (commandType "3", formatted with the definition's decimals); the
// real-valued types ("N2", "E2", "G2", "G3", "H2", "H3", "T2") are shown with the
// definition's decimals rather than the six digits of their raw format.
//
// A connection input (settable, connectionFlag set): the table holds the negated device
// address of the connected output, 0x8000 for address 0; the text is the parameter
// number of the first connector or binector output at that address ("K0091"), else of
// the first read-only definition there, or "error" when the project has none. A word of 0 is never stored for a reply (a received 0 becomes
// 0x8000): it means the drive has not reported the connection yet, and shows nothing.

#include "model/DeviceCatalogue.h"
#include "model/FormulaEvaluator.h"
#include "model/HeskProject.h"
#include "model/ValueFormat.h"

#include <QString>

#include <cstdint>
#include <unordered_map>

namespace hesk::pages {

inline constexpr char kUnresolvedConnectionText[] = "error";

// The connected outputs of a project by device address. Built once per page; the project
// must outlive it.
class ConnectionSources {
public:
    ConnectionSources(const model::HeskProject& project, model::DeviceClass deviceClass);

    // The device address a stored connection word names (0x8000 is address 0).
    static uint16_t sourceAddress(uint16_t storedWord);
    // The parameter number text of the connected output, "error", or empty for 0.
    QString sourceText(uint16_t storedWord) const;

private:
    const model::HeskProject& m_project;
    model::DeviceClass m_deviceClass;
    std::unordered_map<uint16_t, std::size_t> m_firstReadOnlyAt;  // address -> element index
};

// The text of a value parameter's raw word, as the pages show it: "WrongParameter" when
// its formula cannot be computed (displayRawValue says why).
QString displayValueText(const model::HeskParameterElement& element, uint16_t raw,
                         const model::TimeBases& timeBases, const model::FormulaContext& formulas);

}  // namespace hesk::pages
