#pragma once
// The connector (K) and binector (B) outputs of a sample project: the named signals of
// catalogue/connectors.txt, the bus receive words and their bits, and the outputs of the
// free function blocks, which take their numbers from the device class's ranges.
// Connection inputs select one of these as their source.

#include "SampleDefinition.h"
#include "SampleProfile.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

namespace hesk::samples {

class BicoSources {
public:
    // Loads the named outputs that apply to the profile and the bus receive words of
    // its class. Errors of the connector list are collected in errors().
    explicit BicoSources(const SampleProfile& profile);

    // The parameter number of a connection text: "K0091" -> 8091, "B0106" -> 9106,
    // "K3001" -> 3001 (four digits; below 1000 the 8000/9000 ranges).
    static std::optional<uint16_t> numberOfConnectionText(const QString& text);

    // Takes the next free number of the class's free-block range for a connector ('K')
    // or binector ('B') output and records its definition; nothing when the range is
    // used up (the block then has no output).
    std::optional<QString> allocate(QChar letter, const QString& name);

    bool contains(const QString& connectionText) const;
    std::vector<SampleDefinition> definitions() const;
    const QStringList& errors() const { return errors_; }

private:
    void add(uint16_t number, uint16_t typeCode, const QString& unit, const QString& name);

    std::map<uint16_t, SampleDefinition> outputs_;
    std::vector<uint16_t> connectorPool_;
    std::vector<uint16_t> binectorPool_;
    std::size_t nextConnector_ = 0;
    std::size_t nextBinector_ = 0;
    QStringList errors_;
};

}  // namespace hesk::samples
