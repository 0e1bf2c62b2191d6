#include "CliOutput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace hesk::cli {

namespace {
void write(std::FILE* stream, const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}
}  // namespace

void CliOutput::line(const QString& text) const
{
    write(stdout, text.toUtf8() + '\n');
    // Line by line even into a pipe: 'watch' is read while it runs.
    std::fflush(stdout);
}

void CliOutput::document(const QJsonValue& value) const
{
    QJsonDocument doc;
    if (value.isArray())
        doc = QJsonDocument(value.toArray());
    else
        doc = QJsonDocument(value.toObject());
    write(stdout, doc.toJson(QJsonDocument::Indented));
}

int CliOutput::fail(const QString& message) const
{
    write(stderr, message.toUtf8() + '\n');
    return ExitFailure;
}

int CliOutput::usage(const QString& message) const
{
    write(stderr, ("heskmon: " + message + "\n(see 'heskmon help')\n").toUtf8());
    return ExitUsage;
}

}  // namespace hesk::cli
