#pragma once
// What the page tests share: the installed sample projects opened as the application
// opens them, small hand-made definitions, and a log that keeps its lines.

#include "MessagePrinters.h"
#include "QtPrinters.h"

#include "model/FaultTableLibrary.h"
#include "model/OpenedProject.h"
#include "model/LogSink.h"
#include "model/UserMessage.h"

#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace hesk::pages::test {

// "VRA1/VRA1V11418" -> the installed sample project of the source tree.
inline QString sampleProjectPath(const QString& codeAndKey)
{
    const QString key = codeAndKey.section(QLatin1Char('/'), 1);
    return QStringLiteral(HESK_SOURCE_DIR "/data/projects/") + codeAndKey + QLatin1Char('/') + key
        + QStringLiteral(".tmprj");
}

inline const model::FaultTableLibrary& faultTables()
{
    static const model::FaultTableLibrary library;
    return library;
}

inline std::unique_ptr<model::OpenedProject> openSample(const QString& codeAndKey)
{
    auto opened = std::make_unique<model::OpenedProject>(faultTables());
    const std::optional<model::UserMessage> failure = opened->open(sampleProjectPath(codeAndKey));
    EXPECT_FALSE(failure.has_value()) << codeAndKey.toStdString() << ": "
                                      << (failure ? failure->text.toStdString() : std::string());
    return opened;
}

inline model::HeskParameterElement definition(uint16_t number, uint16_t subIndex, bool settable,
                                              uint16_t address = 0, uint16_t typeCode = 3)
{
    model::HeskParameterElement e;
    e.number = number;
    e.subIndex = subIndex;
    e.settable = settable ? 1 : 0;
    e.address = address;
    e.typeCode = typeCode;
    return e;
}

class RecordingLog final : public model::LogSink {
public:
    struct Line {
        QString text;
        int level = 0;
        bool operator==(const Line&) const = default;
    };
    void log(const QString& text, int level) override { lines.push_back({text, level}); }
    std::vector<Line> lines;
};

inline void PrintTo(const RecordingLog::Line& line, std::ostream* os)
{
    *os << '{' << line.level << ", \"" << line.text.toStdString() << "\"}";
}

}  // namespace hesk::pages::test
