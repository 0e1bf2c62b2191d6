#include "MotorDataCascade.h"

#include "EditorMessages.h"

#include "model/DeviceCatalogue.h"
#include "model/ParameterValueText.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <map>

namespace hesk::editing {

namespace {

// The percentage parameters of the inverter that stand relative to each reference: those
// whose comment names the reference, then those whose name names its quantity and whose
// comment names no other base. Each list stays within kCascadeSteps definitions when the
// motor or function data sets give four sub-indices per number.
const std::map<uint16_t, std::vector<uint16_t>>& dependencyTable()
{
    static const std::map<uint16_t, std::vector<uint16_t>> table{
        // reference current: flying-restart search current, DC braking current,
        // flying-restart current limit
        {350, {313, 315, 394}},
        // reference voltage: v/f boost voltage, v/f minimum voltage, v/f midpoint voltage
        {351, {229, 278, 279}},
        // reference frequency: maximum frequency forward and reverse, minimum frequency
        {352, {452, 453, 455}},
        // reference speed: speed setpoint over the bus, maximum speed in torque control,
        // zero-speed threshold
        {353, {7030, 497, 305}},
    };
    return table;
}

bool signedWord(const model::HeskParameterElement& element)
{
    // The device value text is signed exactly for the signed types.
    return model::deviceValueText(element, 0xFFFF).startsWith(QLatin1Char('-'));
}

}  // namespace

const std::vector<uint16_t>& cascadeDependencyNumbers(uint16_t number)
{
    static const std::vector<uint16_t> none;
    const auto& table = dependencyTable();
    const auto it = table.find(number);
    return it == table.end() ? none : it->second;
}

bool isCascadeReference(const model::OpenedProject& project, const model::HeskParameterElement& parameter)
{
    return project.deviceClass() == model::DeviceClass::Inverter && parameter.settable != 0
           && parameter.subIndex == model::kNoSubIndex && !cascadeDependencyNumbers(parameter.number).empty();
}

std::vector<const model::HeskParameterElement*> cascadeDependents(const model::OpenedProject& project,
                                                                  const model::HeskParameterElement& reference)
{
    std::vector<const model::HeskParameterElement*> dependents;
    if (!isCascadeReference(project, reference))
        return dependents;
    const std::vector<model::HeskParameterElement>& elements = project.project().elements;
    for (uint16_t number : cascadeDependencyNumbers(reference.number)) {
        std::vector<const model::HeskParameterElement*> ofNumber;
        for (const model::HeskParameterElement& e : elements)
            if (e.number == number && e.settable != 0 && e.connectionFlag == 0)
                ofNumber.push_back(&e);
        std::stable_sort(ofNumber.begin(), ofNumber.end(),
                         [](const auto* a, const auto* b) { return a->subIndex < b->subIndex; });
        for (const model::HeskParameterElement* e : ofNumber) {
            if (dependents.size() == static_cast<std::size_t>(kCascadeSteps))
                return dependents;
            dependents.push_back(e);
        }
    }
    return dependents;
}

std::optional<uint16_t> rescaledWord(const model::HeskParameterElement& dependent, uint16_t oldWord,
                                     uint16_t oldReference, uint16_t newReference)
{
    // The references are N2 percentages: a word with the sign bit set is negative.
    const auto reference = [](uint16_t w) { return static_cast<int16_t>(w); };
    if (reference(oldReference) <= 0 || reference(newReference) <= 0)
        return std::nullopt;
    const bool isSigned = signedWord(dependent);
    const double old = isSigned ? static_cast<double>(static_cast<int16_t>(oldWord)) : static_cast<double>(oldWord);
    const double scaled = std::round(old * reference(oldReference) / reference(newReference));
    const double low = isSigned ? -32768.0 : 0.0;
    const double high = isSigned ? 32767.0 : 65535.0;
    const long clamped = static_cast<long>(std::clamp(scaled, low, high));
    return static_cast<uint16_t>(clamped & 0xFFFF);
}

bool writeReferenceCascade(EditEnvironment& environment, const model::HeskParameterElement& reference, uint16_t raw,
                           const CascadeProgress& progress)
{
    DriveAccess& drive = environment.drive;
    const std::vector<const model::HeskParameterElement*> dependents =
        cascadeDependents(environment.project, reference);

    // The dependents and the reference itself: the old reference word is the divisor.
    std::vector<const model::HeskParameterElement*> reads = dependents;
    reads.push_back(&reference);
    std::vector<uint16_t> oldWords;
    std::optional<uint16_t> oldReference;
    if (drive.read && drive.read(reads)) {
        const link::PValueTable& table = drive.tables->parameters;
        for (const model::HeskParameterElement* d : dependents)
            if (const std::optional<uint16_t> w = table.value(d->address))
                oldWords.push_back(*w);
        oldReference = table.value(reference.address);
    }
    if (oldWords.size() != dependents.size() || !oldReference) {
        environment.prompt.showMessage(model::UserMessage::error(
            QCoreApplication::translate("MotorDataCascade", "请求数据超时，请您重新尝试！")));
        return false;
    }

    environment.prompt.showMessage(model::UserMessage::warning(
        QCoreApplication::translate("MotorDataCascade", "修改此参数需要花费几秒时间，请您耐心等待！")));
    if (progress.start)
        progress.start(kCascadeSteps);
    const auto finish = [&progress](bool ok) {
        if (progress.finish)
            progress.finish();
        return ok;
    };

    if (!writeValueWord(drive, reference, raw)) {
        environment.prompt.showMessage(valueWriteFailed());
        return finish(false);
    }
    if (drive.valuesWritten)
        drive.valuesWritten();

    int position = 0;
    for (std::size_t i = 0; i < dependents.size(); ++i) {
        // A reference word that is not positive leaves the dependents as they are: the
        // range of the reference keeps it positive, the guard keeps the division sound.
        const std::optional<uint16_t> word = rescaledWord(*dependents[i], oldWords[i], *oldReference, raw);
        if (word && !writeValueWord(drive, *dependents[i], *word)) {
            environment.prompt.showMessage(valueWriteFailed());
            return finish(false);
        }
        if (progress.step)
            progress.step(++position);
    }
    if (!dependents.empty() && drive.valuesWritten)
        drive.valuesWritten();
    return finish(true);
}

}  // namespace hesk::editing
