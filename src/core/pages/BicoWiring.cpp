#include "BicoWiring.h"

#include "model/ParameterNumbering.h"

#include <QHash>

namespace hesk::pages {

namespace {

QString normalised(const QString& text)
{
    return text.trimmed().toUpper();
}

}  // namespace

BicoWiring::BicoWiring(const model::HeskProject& project, model::DeviceClass deviceClass,
                       const SourceText& sourceText)
{
    // The first read-only definition with a number text names the output, as the pages do.
    QHash<QString, std::size_t> outputs;
    for (std::size_t i = 0; i < project.elements.size(); ++i) {
        const model::HeskParameterElement& e = project.elements[i];
        if (!e.isSettable())
            outputs.insert(normalised(model::displayNumber(deviceClass, e, false)), i);  // keeps the first
    }
    for (std::size_t i = 0; i < project.elements.size(); ++i) {
        const model::HeskParameterElement& e = project.elements[i];
        if (!e.isSettable() || !e.isConnection())
            continue;
        BicoConnection c;
        c.inputIndex = i;
        c.input = model::displayNumber(deviceClass, e, true);
        c.inputName = e.name;
        c.source = normalised(sourceText(e));
        if (const auto it = outputs.constFind(c.source); it != outputs.constEnd() && !c.source.isEmpty()) {
            c.sourceIndex = *it;
            c.sourceName = project.elements[*it].name;
        }
        m_connections.push_back(std::move(c));
    }
}

std::vector<BicoConnection> BicoWiring::fedBy(const QString& output) const
{
    const QString wanted = normalised(output);
    std::vector<BicoConnection> found;
    for (const BicoConnection& c : m_connections)
        if (!wanted.isEmpty() && c.source == wanted)
            found.push_back(c);
    return found;
}

std::vector<BicoConnection> BicoWiring::feeding(const QString& input) const
{
    const QString text = normalised(input);
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    const QString number = dot < 0 ? text : text.left(dot);
    std::optional<int> subIndex;
    if (dot >= 0) {
        bool ok = false;
        subIndex = text.mid(dot + 1).toInt(&ok, 10);
        if (!ok)
            return {};
    }
    std::vector<BicoConnection> found;
    for (const BicoConnection& c : m_connections) {
        const qsizetype inputDot = c.input.indexOf(QLatin1Char('.'));
        const QString inputNumber = normalised(inputDot < 0 ? c.input : c.input.left(inputDot));
        if (inputNumber != number)
            continue;
        if (subIndex) {
            const int inputSub = inputDot < 0 ? -1 : c.input.mid(inputDot + 1).toInt();
            if (inputSub != *subIndex)
                continue;
        }
        found.push_back(c);
    }
    return found;
}

BicoWiring::SourceText offlineBicoSource(model::DeviceClass deviceClass, const OfflineValueSet& offline)
{
    return [deviceClass, &offline](const model::HeskParameterElement& e) {
        return offline.value(deviceClass, e).value_or(e.factoryValue);
    };
}

bool bicoMatches(const BicoConnection& connection, const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return true;
    for (const QString* field : {&connection.input, &connection.inputName, &connection.source, &connection.sourceName})
        if (field->contains(t, Qt::CaseInsensitive))
            return true;
    return false;
}

}  // namespace hesk::pages
