#include "ReadRequests.h"

#include "model/FaultWordLists.h"

#include <algorithm>

namespace hesk::online {

link::CommandFrame readRequestFor(const model::HeskParameterElement& element)
{
    if (!element.isSettable())
        return link::readReadOnlyRequest(element.address);
    if (!element.isConnection())
        return link::readParameterRequest(element.address);
    return link::readConnectionRequest(element.address);
}

const link::ValueTable& valueTableFor(const link::OnlineValueTables& tables, const model::HeskParameterElement& element)
{
    if (!element.isSettable())
        return tables.readOnly;
    if (!element.isConnection())
        return tables.parameters;
    return tables.connections;
}

const QStringList& behaviourKeyTexts()
{
    static const QStringList keys = {QStringLiteral("P0053"), QStringLiteral("P0060"), QStringLiteral("r0001"),
                                     QStringLiteral("r0011"), QStringLiteral("P0089")};
    return keys;
}

const QStringList& referenceKeyTexts()
{
    static const QStringList keys = [] {
        QStringList list = {QStringLiteral("P0070"), QStringLiteral("P0071"), QStringLiteral("P0072"),
                            QStringLiteral("P0073"), QStringLiteral("r0071"), QStringLiteral("r0072"),
                            QStringLiteral("P0109")};
        for (int dataSet = 1; dataSet <= 4; ++dataSet)
            list << QStringLiteral("P0109.%1").arg(dataSet);
        for (int number = 350; number <= 354; ++number)
            list << QStringLiteral("P%1").arg(number, 4, 10, QLatin1Char('0'));
        return list;
    }();
    return keys;
}

namespace {

void appendRequests(std::vector<link::CommandFrame>& frames, const model::HeskProject& project,
                    const QStringList& keys)
{
    for (const QString& key : keys) {
        const std::optional<std::size_t> index = project.findByKeyText(key);
        if (!index)
            continue;
        const model::HeskParameterElement& element = project.elements[*index];
        if (element.address < link::kAddressLimit)
            frames.push_back(readRequestFor(element));
    }
}

}  // namespace

QStringList catalogueFaultWords(const model::FaultCatalogue& catalogue)
{
    QStringList words;
    for (const model::FaultAlarm& entry : catalogue.entries())
        if (!words.contains(entry.word))
            words << entry.word;
    const auto subIndex = [](const QString& word) { return word.mid(word.indexOf(QLatin1Char('.')) + 1).toInt(); };
    std::sort(words.begin(), words.end(),
              [&](const QString& a, const QString& b) { return subIndex(a) < subIndex(b); });
    return words;
}

SystemPollPlan systemPollPlan(const model::HeskProject& project, const QStringList& faultWords)
{
    SystemPollPlan plan;
    plan.everyCycle = {link::cpuLoadReferenceRequest(), link::cpuIdleRequest()};
    appendRequests(plan.everyCycle, project, behaviourKeyTexts());
    appendRequests(plan.everyCycle, project, faultWords);
    appendRequests(plan.references, project, referenceKeyTexts());
    return plan;
}

SystemPollPlan systemPollPlan(const model::OpenedProject& project)
{
    // The fault and alarm list decides its status on every word of the device type, also
    // on those the catalogue explains no bit of; the catalogue's words are read besides.
    QStringList faultWords = model::faultWordLists(project.deviceClass()).all();
    for (const QString& word : catalogueFaultWords(project.faults()))
        if (!faultWords.contains(word))
            faultWords << word;
    return systemPollPlan(project.project(), faultWords);
}

void fillSystemPollList(FrameList& list, const SystemPollPlan& plan, bool withReferences)
{
    list.clear();
    // A request listed twice only raises its reference count.
    for (const link::CommandFrame& frame : plan.everyCycle)
        list.push(frame);
    if (withReferences)
        for (const link::CommandFrame& frame : plan.references)
            list.push(frame);
}

void buildSystemPollList(FrameList& list, const model::OpenedProject& project)
{
    fillSystemPollList(list, systemPollPlan(project), true);
}

}  // namespace hesk::online
