#pragma once
// The wiring of a project's connection inputs: for every settable parameter with the
// connection flag, the connector (K) or binector (B) output it takes its signal from.
// The source texts come from the caller: online the drive's connection table as the pages
// show it, offline the offline value or else the factory value. Both directions can be
// asked: what feeds an input (inputs named "P0554" or "P0554.1"), and what an output
// feeds ("K0091").
//
// Contract: plain values; the project must outlive a BicoWiring built on it.

#include "OfflineValueSet.h"

#include "model/DeviceCatalogue.h"
#include "model/HeskProject.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace hesk::pages {

struct BicoConnection {
    std::size_t inputIndex = 0;  // the input's element in the project
    QString input;               // display number with sub-index ("P0222.001")
    QString inputName;
    QString source;              // "K0091", "error", or empty while unknown
    QString sourceName;          // the output's name; empty when the project has none
    std::optional<std::size_t> sourceIndex;
};

class BicoWiring {
public:
    // The text of an input's current source ("K0091"; empty when unknown).
    using SourceText = std::function<QString(const model::HeskParameterElement&)>;

    BicoWiring(const model::HeskProject& project, model::DeviceClass deviceClass, const SourceText& sourceText);

    // Every connection input in project order.
    const std::vector<BicoConnection>& connections() const { return m_connections; }

    // The inputs an output feeds ("K0091", case and blanks ignored).
    std::vector<BicoConnection> fedBy(const QString& output) const;
    // The connections of an input: "P0554" names every sub-index, "P0554.1" or
    // "P0554.001" one. Nothing for a text that names no connection input.
    std::vector<BicoConnection> feeding(const QString& input) const;

private:
    std::vector<BicoConnection> m_connections;
};

// The offline source of an input: its offline value, else its factory value.
BicoWiring::SourceText offlineBicoSource(model::DeviceClass deviceClass, const OfflineValueSet& offline);

// Whether a connection matches a search text: input, source or either name contains it,
// case ignored. An empty text matches every connection.
bool bicoMatches(const BicoConnection& connection, const QString& text);

}  // namespace hesk::pages
