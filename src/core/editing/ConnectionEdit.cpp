#include "ConnectionEdit.h"

#include "EditorMessages.h"

#include "model/ParameterNumbering.h"

#include <QSet>

namespace hesk::editing {

namespace {

constexpr uint16_t kMenuLevel = 60;
constexpr uint16_t kBracketLevel = 5;
constexpr uint16_t kChannelInputs = 941;
constexpr uint16_t kChannelCompanions = 942;

const model::HeskParameterElement* findSettable(const model::HeskProject& project, uint16_t number,
                                                uint16_t subIndex)
{
    for (const model::HeskParameterElement& e : project.elements)
        if (e.isSettable() && e.number == number && e.subIndex == subIndex)
            return &e;
    return nullptr;
}

// The plain number of a number text: its last four characters ("K0091" -> 91).
std::optional<int> plainNumber(const QString& numberText)
{
    bool ok = false;
    const int value = numberText.right(4).toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

bool writeConnectionWord(DriveAccess& drive, const model::HeskParameterElement& input, uint16_t word)
{
    link::ConnectionValueTable& table = drive.tables->connections;
    const std::optional<uint16_t> previous = table.receivedValue(input.address);
    table.store(input.address, word);
    if (drive.write(link::writeConnectionRequest(input.address, word)))
        return true;
    if (previous)
        table.store(input.address, *previous);
    else
        table.forget(input.address);
    return false;
}

}  // namespace

bool isConnectorOrBinector(model::DeviceClass deviceClass, const model::HeskParameterElement& element)
{
    if (element.isSettable())
        return false;
    const QString text = model::displayNumber(deviceClass, element, false);
    return text.startsWith(QLatin1Char('K')) || text.startsWith(QLatin1Char('B'));
}

std::vector<ConnectionCandidate> connectionCandidates(const model::OpenedProject& project)
{
    std::vector<ConnectionCandidate> candidates;
    QSet<QString> seen;
    for (const model::HeskParameterElement& e : project.project().elements) {
        if (!isConnectorOrBinector(project.deviceClass(), e))
            continue;
        const QString text = model::displayNumber(project.deviceClass(), e, false);
        if (seen.contains(text))
            continue;
        seen.insert(text);
        candidates.push_back({&e, text, e.name, e.comment});
    }
    return candidates;
}

SourceLookup findConnectionSource(const model::OpenedProject& project, const QString& typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return {nullptr, connectionSourceMissing()};
    bool isNumber = false;
    const int number = text.toInt(&isNumber, 10);
    const model::HeskParameterElement* match = nullptr;
    for (const model::HeskParameterElement& e : project.project().elements) {
        if (e.isSettable())
            continue;
        const QString numberText = model::displayNumber(project.deviceClass(), e, false);
        const bool same = isNumber ? (number >= 0 && plainNumber(numberText) == number) : numberText == text;
        if (!same)
            continue;
        // A plain number may name an r parameter and a connector alike; the connector wins.
        if (isConnectorOrBinector(project.deviceClass(), e))
            return {&e, std::nullopt};
        if (!match)
            match = &e;
    }
    if (!match)
        return {nullptr, connectionSourceUnknown()};
    return {nullptr, connectionSourceKindRefusal()};
}

uint16_t connectionWord(const model::HeskParameterElement& source)
{
    // The same form the drive's connection replies are stored in.
    return link::storedConnectionValue(source.address);
}

bool needsMenuLevelBracket(uint16_t number)
{
    return number == 554 || number == 568 || number == 569;
}

EditOutcome applyConnection(EditEnvironment& environment, const model::HeskParameterElement& input,
                            const QString& typedSource)
{
    if (!input.isSettable() || !input.isConnection()) {
        environment.prompt.showMessage(notReconnectable());
        return {};
    }
    const SourceLookup lookup = findConnectionSource(environment.project, typedSource);
    if (lookup.refusal) {
        environment.prompt.showMessage(*lookup.refusal);
        return {};
    }
    const model::HeskProject& project = environment.project.project();
    const model::DeviceClass deviceClass = environment.project.deviceClass();
    const model::HeskParameterElement& source = *lookup.source;
    const QString sourceText = model::displayNumber(deviceClass, source, false);
    const model::HeskParameterElement* companion = nullptr;
    if (input.number == kChannelInputs && input.subIndex >= 1 && input.subIndex <= 14)
        companion = findSettable(project, kChannelCompanions, input.subIndex);

    if (!environment.drive.online()) {
        environment.offline.set(pages::offlineKey(deviceClass, input), sourceText);
        if (companion)
            environment.offline.set(pages::offlineKey(deviceClass, *companion),
                                    companion->isConnection() ? sourceText : QString::number(source.address));
        return {true, sourceText};
    }

    DriveAccess& drive = environment.drive;
    const model::HeskParameterElement* menuLevel =
        needsMenuLevelBracket(input.number) ? findSettable(project, kMenuLevel, model::kNoSubIndex) : nullptr;
    // The level to go back to is the one before the bracket, not the 5 put into the
    // table for it.
    const uint16_t levelBefore = menuLevel ? drive.tables->parameters.valueOr0(menuLevel->address) : 0;
    if (menuLevel && !writeValueWord(drive, *menuLevel, kBracketLevel)) {
        environment.prompt.showMessage(valueWriteFailed());
        return {false, sourceText, true};
    }
    const uint16_t word = connectionWord(source);
    const bool connected = writeConnectionWord(drive, input, word);
    if (menuLevel && !writeValueWord(drive, *menuLevel, levelBefore)) {
        // The drive stays at level 5 as far as the table knows: the next poll says.
        environment.prompt.showMessage(valueWriteFailed());
        if (!connected)
            environment.prompt.showMessage(connectionWriteFailed());
        return {false, sourceText, true};
    }
    if (!connected) {
        environment.prompt.showMessage(connectionWriteFailed());
        return {false, sourceText, true};
    }
    if (companion) {
        const bool companionWritten = companion->isConnection()
                                          ? writeConnectionWord(drive, *companion, word)
                                          : writeValueWord(drive, *companion, source.address);
        if (!companionWritten) {
            environment.prompt.showMessage(connectionWriteFailed());
            return {false, sourceText, true};
        }
    }
    return {true, sourceText};
}

}  // namespace hesk::editing
