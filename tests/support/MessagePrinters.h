#pragma once
// Lets GoogleTest print the system's messages readably in failure messages.

#include "model/UserMessage.h"

#include <ostream>

namespace hesk::model {

inline void PrintTo(const UserMessage& message, std::ostream* os)
{
    *os << "{kind " << static_cast<int>(message.kind) << ", \"" << message.title.toStdString() << "\", \""
        << message.text.toStdString() << "\"}";
}

}  // namespace hesk::model
