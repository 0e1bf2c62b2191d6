#include "PanelView.h"

#include "DriveStates.h"

#include "model/ParameterTypes.h"
#include "pages/PageValueText.h"
#include "pages/ParameterPage.h"

#include <QCoreApplication>

namespace hesk::operation {

namespace {

std::optional<uint16_t> word(const link::OnlineValueTables& tables, const model::HeskParameterElement* element)
{
    if (element == nullptr)
        return std::nullopt;
    return pages::onlineWord(tables, *element);
}

// The data set in 1..count, or nothing (unknown, 0 or out of range: no selection).
std::optional<int> dataSet(const link::OnlineValueTables& tables, const model::HeskParameterElement* element,
                           int count)
{
    const std::optional<uint16_t> value = word(tables, element);
    if (!value || *value < 1 || *value > count)
        return std::nullopt;
    return *value;
}

// The catalogue entry of the first set fault bit, or nothing when none is set.
std::optional<QString> deviceFaultText(const model::OpenedProject& project, const link::OnlineValueTables& tables,
                                       const PanelParameters& parameters)
{
    for (const model::FaultAlarm& entry : project.faults().entries()) {
        for (const model::HeskParameterElement* faultWord : parameters.faultWords) {
            if (model::keyText(*faultWord) != entry.word)
                continue;
            const std::optional<uint16_t> value = word(tables, faultWord);
            if (value && entry.bit >= 0 && entry.bit < 16 && (*value & (1u << entry.bit)) != 0)
                return entry.code.isEmpty() ? entry.name : entry.code + QLatin1Char(' ') + entry.name;
        }
    }
    return std::nullopt;
}

}  // namespace

std::array<QString, 7> statusLampCaptions()
{
    return {QStringLiteral("ON/OFF1"),
            QStringLiteral("OFF2"),
            QStringLiteral("OFF3"),
            QCoreApplication::translate("PanelView", "脉冲使能"),
            QCoreApplication::translate("PanelView", "斜坡函数发生器使能"),
            QCoreApplication::translate("PanelView", "斜坡函数发生器启停"),
            QCoreApplication::translate("PanelView", "设定值使能")};
}

PanelView PanelView::offline(SetpointUnit unit)
{
    PanelView view;
    const QString unknown = QCoreApplication::translate("PanelView", "未知");
    view.stateText = unknown;
    view.deviceStatus = unknown;
    view.actualCaption = actualValueCaption(unit);
    view.actualValue = view.current = view.dcVoltage = view.torque = unknown;
    view.freeTexts = {unknown, unknown};
    return view;
}

QString panelValueText(model::OpenedProject& project, const link::OnlineValueTables& tables,
                       const pages::ConnectionSources& sources, const model::HeskParameterElement* element)
{
    if (element == nullptr)
        return {};
    return pages::onlineValueText(*element, tables, sources, project.project().timeBases, &project.formulas());
}

QString panelValueText(model::OpenedProject& project, const link::OnlineValueTables& tables,
                       const model::HeskParameterElement* element)
{
    if (element == nullptr)
        return {};
    return panelValueText(project, tables, pages::ConnectionSources(project.project(), project.deviceClass()), element);
}

PanelView computePanelView(model::OpenedProject& project, const link::OnlineValueTables& tables,
                           const PanelParameters& parameters, SetpointUnit unit,
                           const std::array<FreeDisplaySlot, 4>& freeDisplay)
{
    PanelView view;
    if (const std::optional<uint16_t> state = word(tables, parameters.state)) {
        view.state = static_cast<int16_t>(*state);
        view.stateText = driveStateText(*view.state);
    }
    const std::optional<QString> fault = deviceFaultText(project, tables, parameters);
    view.deviceFault = fault.has_value();
    view.deviceStatus = fault ? *fault : QCoreApplication::translate("PanelView", "正常");
    if (const std::optional<uint16_t> status = word(tables, parameters.statusWord))
        for (int bit = 0; bit < 7; ++bit)
            view.lamps[static_cast<std::size_t>(bit)] = (*status & (1u << bit)) != 0;
    view.motorDataSet = dataSet(tables, parameters.motorDataSet, 4);
    view.bicoDataSet = dataSet(tables, parameters.bicoDataSet, 2);
    view.functionDataSet = dataSet(tables, parameters.functionDataSet, 4);

    // One connection index for every value of the refresh.
    const pages::ConnectionSources sources(project.project(), project.deviceClass());
    view.actualCaption = actualValueCaption(unit);
    view.actualValue = panelValueText(project, tables, sources, speedUnit(unit) ? parameters.speed : parameters.frequency);
    if (percentUnit(unit) && !view.actualValue.isEmpty())
        view.actualValue = threeDecimals(view.actualValue);
    view.current = panelValueText(project, tables, sources, parameters.current);
    view.dcVoltage = panelValueText(project, tables, sources, parameters.dcVoltage);
    view.torque = panelValueText(project, tables, sources, parameters.torque);

    for (std::size_t slot = 0; slot < 4; ++slot) {
        if (freeDisplay[slot].number.isEmpty())
            continue;
        const QString text = panelValueText(project, tables, sources, freeDisplay[slot].element);
        if (slot < 2)
            view.freeTexts[slot] = text;
        else
            view.freeLamps[slot - 2] = text.trimmed() == QLatin1String("1");
    }
    return view;
}

}  // namespace hesk::operation
