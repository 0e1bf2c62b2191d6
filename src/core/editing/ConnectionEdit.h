#pragma once
// Changing the source of a connection (BICO) input, as the connection editor does,
// without widgets: the candidate sources (the project's connectors and binectors), the
// source a typed number names, and the change itself.
//
// Offline the source's number ("K0091") becomes the input's offline value (marked
// modified). Online the connection is written (0x05) with the source's stored
// connection word (the negated device address, 0x8000 for address 0), put into the
// connection table first and restored when the drive did not confirm. P0554, P0568 and
// P0569 are changed only at menu level 5: P0060 is set to 5 first and afterwards set
// back to the level it had before, also when the connection write failed.
//
// A P0941 entry with sub-index 1 to 14 carries P0942 at the same sub-index along: a
// connection P0942 gets the same source, a value P0942 the source's device address.

#include "ValueEdit.h"

#include "model/UserMessage.h"

#include <QString>

#include <optional>
#include <vector>

namespace hesk::editing {

struct ConnectionCandidate {
    const model::HeskParameterElement* source = nullptr;
    QString numberText;  // "K0091", "B0106"
    QString name;
    QString comment;
};

// The read-only definitions a connection can select: the connectors (K) and binectors
// (B) of the project, in project order, one per number text.
std::vector<ConnectionCandidate> connectionCandidates(const model::OpenedProject& project);

// True for a definition whose number text starts with K or B.
bool isConnectorOrBinector(model::DeviceClass deviceClass, const model::HeskParameterElement& element);

struct SourceLookup {
    const model::HeskParameterElement* source = nullptr;
    std::optional<model::UserMessage> refusal;
};

// The source a typed text names: a number text ("K0091", "k91" is not one) or the plain
// number as parameter files write it ("91"), matched against the read-only definitions.
// Refusals: an empty text, a text the project has no read-only parameter for, and a
// parameter that is neither K nor B.
SourceLookup findConnectionSource(const model::OpenedProject& project, const QString& typed);

// The stored connection word that selects the source.
uint16_t connectionWord(const model::HeskParameterElement& source);

// The connection editor's OK.
EditOutcome applyConnection(EditEnvironment& environment, const model::HeskParameterElement& input,
                            const QString& typedSource);

// The parameters whose connection is changed only at menu level 5.
bool needsMenuLevelBracket(uint16_t number);

}  // namespace hesk::editing
