#include "ProjectName.h"

namespace hesk::creation {

bool isValidProjectName(const QString& name)
{
    if (name.isEmpty() || name.size() > kMaxProjectNameLength)
        return false;
    for (QChar c : name) {
        const char16_t u = c.unicode();
        const bool allowed = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '_';
        if (!allowed)
            return false;
    }
    return true;
}

}  // namespace hesk::creation
