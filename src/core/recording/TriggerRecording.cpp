#include "TriggerRecording.h"

#include "model/OpenedProject.h"
#include "model/ParameterValueText.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <limits>

namespace hesk::recording {

QString TriggerRecording::noSignalLabel(int number) { return QStringLiteral("通道%1无数据信号").arg(number); }

double TriggerRecording::sampleIntervalMs() const
{
    bool ok = false;
    const int period = information.sampling.toInt(&ok);
    return information.baseTime * (ok ? period : 1) / 1000.0;
}

double TriggerRecording::sampleTimeMs(const RecordedChannel& channel, size_t k) const
{
    return (static_cast<double>(k) - channel.triggerPosition) * sampleIntervalMs();
}

std::pair<double, double> TriggerRecording::timeSpanMs() const
{
    double first = std::numeric_limits<double>::max();
    double last = std::numeric_limits<double>::lowest();
    for (const RecordedChannel& c : channels) {
        if (!c.hasData())
            continue;
        first = std::min(first, sampleTimeMs(c, 0));
        last = std::max(last, sampleTimeMs(c, c.words.size() - 1));
    }
    if (first > last)
        return {0.0, 0.0};
    return {first, last};
}

size_t TriggerRecording::rowCount() const
{
    size_t rows = 0;
    for (const RecordedChannel& c : channels)
        rows = std::max(rows, c.words.size());
    return rows;
}

int TriggerRecording::preTriggerPercent() const
{
    for (const RecordedChannel& c : channels)
        if (c.hasData())
            return static_cast<int>(static_cast<long long>(c.triggerPosition) * 100 / static_cast<long long>(c.words.size()));
    return 0;
}

namespace {

QString unitOf(const QString& name)
{
    if (name == QLatin1String("r0071") || name == QLatin1String("r0351") || name == QLatin1String("UDCn"))
        return QStringLiteral("V");
    if (name == QLatin1String("r0072") || name == QLatin1String("r0350"))
        return QStringLiteral("A");
    if (name.startsWith(QLatin1String("P035")))
        return QStringLiteral("%");
    return {};
}

QStringList referenceNames(int32_t deviceCode)
{
    switch (deviceCode) {
    case 1: return {QStringLiteral("P0350"), QStringLiteral("P0351"), QStringLiteral("P0352"), QStringLiteral("P0353"),
                    QStringLiteral("P0354")};
    case 3: return {QStringLiteral("r0071"), QStringLiteral("r0072"), QStringLiteral("UDCn")};
    case 2:
    case 4: return {QStringLiteral("r0350"), QStringLiteral("r0351"), QStringLiteral("UDCn")};
    default: return {};
    }
}

}  // namespace

std::vector<std::pair<QString, QString>> TriggerRecording::informationRows() const
{
    std::vector<std::pair<QString, QString>> rows;
    QString kind = information.condition;
    if (kind == QLatin1String("Fault Trigger"))
        kind = QCoreApplication::translate("TriggerRecording", "故障触发");
    else if (kind == QLatin1String("Start Immediately"))
        kind = QCoreApplication::translate("TriggerRecording", "立即启动");
    rows.emplace_back(QCoreApplication::translate("TriggerRecording", "触发时间"), information.time);
    rows.emplace_back(QCoreApplication::translate("TriggerRecording", "触发条件"), kind);
    rows.emplace_back(QCoreApplication::translate("TriggerRecording", "采样周期"),
                      QStringLiteral("%1 * TA(%2us)").arg(information.sampling).arg(information.baseTime));
    rows.emplace_back(QCoreApplication::translate("TriggerRecording", "预触发"),
                      QStringLiteral("%1 %").arg(preTriggerPercent()));
    for (const ReferenceValue& r : information.references) {
        const QString unit = unitOf(r.name);
        rows.emplace_back(QCoreApplication::translate("TriggerRecording", "参考值"),
                          r.name + QStringLiteral(" = ") + r.value
                              + (unit.isEmpty() ? QString() : QLatin1Char(' ') + unit));
    }
    for (const RecordedChannel& c : channels)
        rows.emplace_back(QCoreApplication::translate("TriggerRecording", "通道%1").arg(c.number), c.label);
    return rows;
}

QString cutToThreeDecimals(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0.000");
    // A tiny nudge keeps 0.1 + 0.2 style representations from losing their last digit.
    const double cut = std::trunc(value * 1000.0 + (value >= 0 ? 1e-6 : -1e-6)) / 1000.0;
    return QString::number(cut, 'f', 3);
}

std::vector<const model::HeskParameterElement*> referenceDefinitions(const model::OpenedProject& project)
{
    std::vector<const model::HeskParameterElement*> elements;
    const int32_t code = recorderDeviceCode(project);
    for (const QString& name : referenceNames(code))
        if (const model::HeskParameterElement* e = project.find(name))
            elements.push_back(e);
    if (code == 1)
        if (const model::HeskParameterElement* e = project.find(QStringLiteral("r0820")))
            elements.push_back(e);
    return elements;
}

std::vector<ReferenceValue> referenceValues(const model::OpenedProject& project, const RawLookup& raw)
{
    std::vector<ReferenceValue> values;
    const int32_t code = recorderDeviceCode(project);
    for (const QString& name : referenceNames(code)) {
        ReferenceValue value;
        value.name = name;
        if (name == QLatin1String("UDCn")) {
            bool ok = false;
            const double v = project.formulas().baseValue(model::BaseValueKind::DcVoltage).toDouble(&ok);
            value.value = ok ? cutToThreeDecimals(v) : QStringLiteral("0.000");
            values.push_back(value);
            continue;
        }
        value.value = QStringLiteral("0.000");
        if (const model::HeskParameterElement* e = project.find(name)) {
            const std::optional<uint16_t> word = raw ? raw(*e) : std::nullopt;
            if (word) {
                const model::DisplayedValue shown =
                    model::displayRawValue(*e, *word, project.project().timeBases, project.formulas());
                bool ok = false;
                const double v = shown.text.toDouble(&ok);
                value.value = ok ? cutToThreeDecimals(v) : QStringLiteral("0.000");
                if (code == 1)
                    value.second = QString::number(*word);
            } else if (code == 1) {
                value.second = QStringLiteral("0");
            }
        }
        values.push_back(value);
    }
    return values;
}

}  // namespace hesk::recording
