#include "DataSetSelection.h"

namespace hesk::sim {

namespace {

// A binector input of the BICO data set `b` (sub-index b), or the one without sub-index.
std::optional<ParameterSlot> inputOf(const model::HeskProject& project, int number, int bicoDataSet)
{
    const QString key = QStringLiteral("P%1").arg(number, 4, 10, QLatin1Char('0'));
    if (auto slot = slotOf(project, key + QLatin1Char('.') + QString::number(bicoDataSet)))
        return slot;
    return slotOf(project, key);
}

}  // namespace

DataSetSelection::DataSetSelection(const model::HeskProject& project)
    : m_bicoSelection(slotOf(project, QStringLiteral("P0590")))
{
    for (int b = 1; b <= kBicoDataSets; ++b) {
        const auto i = static_cast<size_t>(b - 1);
        m_motor.bit0[i] = inputOf(project, 578, b);
        m_motor.bit1[i] = inputOf(project, 579, b);
        m_function.bit0[i] = inputOf(project, 576, b);
        m_function.bit1[i] = inputOf(project, 577, b);
    }
}

bool DataSetSelection::binectorState(const DriveTables& tables, const std::optional<ParameterSlot>& input)
{
    if (!input || input->table != TableKind::Connection)
        return false;
    const uint16_t source = tables.value(TableKind::Connection, input->address).value_or(0);
    if (source == 0)
        return false;
    return tables.value(TableKind::ReadOnly, source).value_or(0) != 0;
}

int DataSetSelection::pairValue(const DriveTables& tables, const BitPair& pair, int bicoDataSet) const
{
    const auto i = static_cast<size_t>(bicoDataSet - 1);
    return (binectorState(tables, pair.bit0[i]) ? 1 : 0) + (binectorState(tables, pair.bit1[i]) ? 2 : 0);
}

DataSets DataSetSelection::requested(const DriveTables& tables) const
{
    DataSets sets;
    sets.bico = binectorState(tables, m_bicoSelection) ? 2 : 1;
    sets.motor = 1 + pairValue(tables, m_motor, sets.bico);
    sets.function = 1 + pairValue(tables, m_function, sets.bico);
    return sets;
}

uint16_t DataSetSelection::selectionBits(const DriveTables& tables) const
{
    const DataSets sets = requested(tables);
    const int motor = sets.motor - 1, function = sets.function - 1;
    return static_cast<uint16_t>(motor | (function << 2) | ((sets.bico - 1) << 4));
}

}  // namespace hesk::sim
