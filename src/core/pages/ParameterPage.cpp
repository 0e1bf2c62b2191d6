#include "ParameterPage.h"

#include "ValueComparison.h"

#include "link/FrameCodec.h"
#include "model/PageCatalogue.h"
#include "model/ParameterNumbering.h"
#include "model/ParameterTypes.h"
#include "model/ParameterValueText.h"
#include "online/ReadRequests.h"

#include <algorithm>

namespace hesk::pages {

void ChangedRows::include(int row)
{
    if (!any()) {
        first = last = row;
        return;
    }
    first = std::min(first, row);
    last = std::max(last, row);
}

std::optional<uint16_t> onlineWord(const link::OnlineValueTables& tables, const model::HeskParameterElement& element)
{
    if (element.address >= link::kAddressLimit)
        return std::nullopt;
    if (!element.isSettable())
        return tables.readOnly.receivedValue(element.address);
    if (!element.isConnection())
        return tables.parameters.receivedValue(element.address);
    return tables.connections.receivedValue(element.address);
}

QString onlineValueText(const model::HeskParameterElement& element, const link::OnlineValueTables& tables,
                        const ConnectionSources& sources, const model::TimeBases& timeBases,
                        const model::FormulaContext* formulas)
{
    if (element.address >= link::kAddressLimit)
        return formulas ? formulas->referenceValue(model::keyText(element)).value_or(QString()) : QString();
    // Nothing reported since the connect: blank, never a placeholder 0.
    const std::optional<uint16_t> word = onlineWord(tables, element);
    if (!word)
        return {};
    if (element.isSettable() && element.isConnection())
        return sources.sourceText(*word);
    return formulas ? displayValueText(element, *word, timeBases, *formulas) : QString();
}

ParameterPage::ParameterPage(model::HeskProject& project, model::DeviceClass deviceClass, const QString& pageName)
    : m_project(project), m_deviceClass(deviceClass), m_name(pageName), m_sources(project, deviceClass)
{
    m_exists = model::PageCatalogue(deviceClass).hasPage(pageName);
    rebuild();
}

bool ParameterPage::isCustom() const
{
    return m_name == model::pages::kCustom;
}

void ParameterPage::addRow(std::size_t elementIndex, int customIndex)
{
    PageRow row;
    row.elementIndex = elementIndex;
    row.element = m_project.elements[elementIndex];
    row.customIndex = customIndex;
    row.numberText = model::displayNumber(m_deviceClass, row.element, false);
    if (row.element.hasSubIndex())
        row.subIndexText = QStringLiteral("%1").arg(row.element.subIndex, 3, 10, QLatin1Char('0'));
    m_rows.push_back(std::move(row));
}

void ParameterPage::rebuild()
{
    m_rows.clear();
    m_lastSource.reset();
    if (!m_exists)
        return;
    const auto& elements = m_project.elements;
    if (isCustom()) {
        // In custom-list order, every definition of each listed number; the definitions
        // are sorted by number, so those of one number stand together.
        for (std::size_t i = 0; i < m_project.customParameters.size(); ++i) {
            const auto number = static_cast<uint16_t>(m_project.customParameters[i] & 0xFFFF);
            auto it = std::lower_bound(elements.begin(), elements.end(), number,
                                       [](const model::HeskParameterElement& e, uint16_t n) { return e.number < n; });
            for (; it != elements.end() && it->number == number; ++it)
                addRow(static_cast<std::size_t>(it - elements.begin()), static_cast<int>(i));
        }
        return;
    }
    const std::vector<std::size_t> indices = model::PageCatalogue(m_deviceClass).rows(m_project, m_name);
    m_rows.reserve(indices.size());
    for (std::size_t index : indices)
        addRow(index, -1);
}

QString ParameterPage::text(int row, int column) const
{
    if (row < 0 || row >= rowCount())
        return {};
    const PageRow& r = m_rows[static_cast<std::size_t>(row)];
    switch (column) {
    case ColumnNumber: return r.numberText;
    case ColumnName: return r.element.name;
    case ColumnSubIndex: return r.subIndexText;
    case ColumnValue: return r.valueText;
    case ColumnFactory: return r.element.factoryValue;
    case ColumnUnit: return r.element.unit;
    case ColumnComment: return r.element.comment;
    default: return {};
    }
}

void ParameterPage::invalidateValues()
{
    m_lastSource.reset();
}

bool ParameterPage::refreshRow(PageRow& row, const ValueSource& source)
{
    QString text;
    if (source.tables) {
        const model::HeskParameterElement& element = row.element;
        const std::optional<uint16_t> word = onlineWord(*source.tables, element);
        if (word) {
            if (!row.stale && row.shownWord == word && !element.usesFormulas())
                return false;
        }
        // A word not received (again) since the connect must not count as shown.
        row.shownWord = word;
        text = onlineValueText(element, *source.tables, m_sources, m_project.timeBases, source.formulas);
        if (word && text == model::kWrongParameter)
            logFormulaFailure(row, *word, source);
    } else {
        if (!row.stale)
            return false;
        row.shownWord.reset();
        if (source.offline)
            text = source.offline->value(m_deviceClass, row.element).value_or(QString());
    }
    row.stale = false;
    const bool differs = !valuesEqual(row.element, text, row.element.factoryValue, source.approximateComparison);
    if (text == row.valueText && differs == row.valueDiffers)
        return false;
    row.valueText = std::move(text);
    row.valueDiffers = differs;
    return true;
}

void ParameterPage::logFormulaFailure(PageRow& row, uint16_t word, const ValueSource& source) const
{
    if (row.formulaFailureLogged || !source.log || !source.formulas)
        return;
    row.formulaFailureLogged = true;
    source.log->log(formulaFailureLine(row.element, word, m_project.timeBases, *source.formulas, m_deviceClass), 3);
}

QString formulaFailureLine(const model::HeskParameterElement& element, uint16_t word,
                           const model::TimeBases& timeBases, const model::FormulaContext& formulas,
                           model::DeviceClass deviceClass)
{
    const model::DisplayedValue shown = model::displayRawValue(element, word, timeBases, formulas);
    return QStringLiteral("<错误>%1的数值无法换算（%2），显示为WrongParameter")
        .arg(model::displayNumber(deviceClass, element, true), shown.failure);
}

ChangedRows ParameterPage::refreshValues(const ValueSource& source, int first, int last)
{
    const SourceState state{source.tables != nullptr, source.offline,
                            source.offline ? source.offline->revision() : 0, source.approximateComparison,
                            source.formulaGeneration};
    if (m_lastSource != state) {
        for (PageRow& row : m_rows)
            row.stale = true;
        m_lastSource = state;
    }
    ChangedRows changed;
    first = std::max(first, 0);
    last = std::min(last, rowCount() - 1);
    for (int i = first; i <= last; ++i)
        if (refreshRow(m_rows[static_cast<std::size_t>(i)], source))
            changed.include(i);
    return changed;
}

ChangedRows ParameterPage::refreshComments()
{
    ChangedRows changed;
    for (int i = 0; i < rowCount(); ++i) {
        PageRow& row = m_rows[static_cast<std::size_t>(i)];
        if (row.elementIndex >= m_project.elements.size())
            continue;
        const QString& comment = m_project.elements[row.elementIndex].comment;
        if (comment != row.element.comment) {
            row.element.comment = comment;
            changed.include(i);
        }
    }
    return changed;
}

CommentStore ParameterPage::storeComment(int row, const QString& comment)
{
    if (row < 0 || row >= rowCount())
        return CommentStore::Failed;
    PageRow& r = m_rows[static_cast<std::size_t>(row)];
    if (r.elementIndex >= m_project.elements.size())
        return CommentStore::Failed;
    model::HeskParameterElement& element = m_project.elements[r.elementIndex];
    if (element.number != r.element.number || element.subIndex != r.element.subIndex)
        return CommentStore::Failed;
    if (element.comment == comment && r.element.comment == comment)
        return CommentStore::Unchanged;
    element.comment = comment;
    r.element.comment = comment;
    return CommentStore::Stored;
}

void ParameterPage::buildPollList(online::FrameList& list) const
{
    list.clear();
    for (const PageRow& row : m_rows)
        if (row.element.address < link::kAddressLimit)
            list.push(online::readRequestFor(row.element));
}

}  // namespace hesk::pages
