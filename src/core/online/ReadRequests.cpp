#include "ReadRequests.h"

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

void buildSystemPollList(FrameList& list, const model::OpenedProject& project)
{
    buildSystemPollList(list, project.project(), project.specials());
}

void buildSystemPollList(FrameList& list, const model::HeskProject& project,
                         const model::SpecialParameterTable& specials)
{
    list.clear();
    list.push(link::cpuLoadReferenceRequest());
    list.push(link::cpuIdleRequest());
    for (const QString& key : model::SpecialParameterTable::standardKeyTexts()) {
        // A parameter listed twice only raises the reference count of its request.
        if (const model::HeskParameterElement* element = specials.element(project, key))
            list.push(readRequestFor(*element));
    }
}

}  // namespace hesk::online
