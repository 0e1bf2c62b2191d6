#pragma once
// Where core code writes its log lines: a text and a level 0 to 3 (error lines begin
// with "<错误>"). The application's log (file and pane) implements it; tests record the
// lines. Implementations must accept calls from any thread.

#include <QString>

namespace hesk::model {

class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void log(const QString& text, int level) = 0;
};

// A sink that drops every line, for callers that do not log.
class NullLogSink final : public LogSink {
public:
    void log(const QString&, int) override {}
};

}  // namespace hesk::model
