#pragma once
// Where a command's results go: readable text or one JSON document on standard output,
// the system's messages on standard error. Output is UTF-8 whatever the locale.

#include <QJsonValue>
#include <QString>

namespace hesk::cli {

enum ExitCode { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

class CliOutput {
public:
    explicit CliOutput(bool json) : json_(json) {}

    bool json() const { return json_; }

    // One line of readable text (a newline is added).
    void line(const QString& text) const;
    // The JSON result of a command, printed indented.
    void document(const QJsonValue& value) const;
    // A failure: the message on standard error; returns ExitFailure for "return fail(...)".
    int fail(const QString& message) const;
    int usage(const QString& message) const;

private:
    bool json_;
};

}  // namespace hesk::cli
