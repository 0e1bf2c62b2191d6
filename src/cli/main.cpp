// heskmon: the command-line front end of HESKMonitor. It runs the same core as the
// desktop program; see 'heskmon help'.

#include "CliCommand.h"

#include <QCoreApplication>

#include <algorithm>

using namespace hesk::cli;

namespace {

QString commandList()
{
    QString text = QStringLiteral("usage: heskmon [--json] COMMAND ARGS...\n\ncommands:\n");
    for (const CliCommand& command : commandTable())
        text += QStringLiteral("  %1\n      %2\n").arg(command.synopsis, command.summary);
    text += QStringLiteral("  help [COMMAND]\n      this list, or the options and JSON fields of one command\n");
    return text;
}

// The command whose words are the longest prefix of the call's words.
const CliCommand* findCommand(const QStringList& words)
{
    const CliCommand* best = nullptr;
    for (const CliCommand& command : commandTable()) {
        if (command.path.size() > words.size())
            continue;
        if (!std::equal(command.path.begin(), command.path.end(), words.begin()))
            continue;
        if (!best || command.path.size() > best->path.size())
            best = &command;
    }
    return best;
}

int runHelp(const QStringList& topic, const CliOutput& out)
{
    if (topic.isEmpty()) {
        out.line(commandList().trimmed());
        return ExitOk;
    }
    const CliCommand* command = findCommand(topic);
    if (!command || command->path.size() != topic.size())
        return out.usage(QStringLiteral("no command '%1'").arg(topic.join(QLatin1Char(' '))));
    out.line(QStringLiteral("heskmon %1\n\n%2\n\n%3").arg(command->synopsis, command->summary,
                                                          command->help.trimmed()));
    return ExitOk;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("heskmon"));

    QSet<QString> valueOptions;
    for (const CliCommand& command : commandTable())
        for (const QString& option : command.valueOptions)
            valueOptions.insert(option);

    const CliArguments call = parseArguments(app.arguments().mid(1), valueOptions);
    const CliOutput out(call.has(QStringLiteral("--json")));
    if (!call.error.isEmpty())
        return out.usage(call.error);
    if (call.words.isEmpty() || call.words.first() == QLatin1String("help") || call.has(QStringLiteral("--help")))
        return runHelp(call.words.isEmpty() || call.words.first() != QLatin1String("help") ? call.words
                                                                                          : call.words.mid(1),
                       out);

    const CliCommand* command = findCommand(call.words);
    if (!command)
        return out.usage(QStringLiteral("unknown command '%1'").arg(call.words.join(QLatin1Char(' '))));

    for (const QString& flag : call.flags)
        if (flag != QLatin1String("--json") && !command->flagOptions.contains(flag))
            return out.usage(QStringLiteral("'%1' takes no option %2").arg(command->path.join(QLatin1Char(' ')), flag));
    for (auto it = call.options.constBegin(); it != call.options.constEnd(); ++it)
        if (!command->valueOptions.contains(it.key()))
            return out.usage(QStringLiteral("'%1' takes no option %2").arg(command->path.join(QLatin1Char(' ')), it.key()));

    const QStringList args = call.words.mid(command->path.size());
    if (args.size() < command->minArgs || (command->maxArgs >= 0 && args.size() > command->maxArgs))
        return out.usage(QStringLiteral("usage: heskmon %1").arg(command->synopsis));
    return command->run(args, call, out);
}
