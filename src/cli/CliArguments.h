#pragma once
// The words of one heskmon call: command words and positionals in order, "--name value"
// options and "--flag" switches. Which options take a value is told by the caller.

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace hesk::cli {

struct CliArguments {
    QStringList words;                // everything that is not an option, in order
    QHash<QString, QString> options;  // "--page" -> "P参数" (names kept with "--"); the last given
    QHash<QString, QStringList> optionValues;  // every value of an option, in the order given
    QSet<QString> flags;              // "--json"
    QString error;                    // set when the call cannot be parsed

    bool has(const QString& flag) const { return flags.contains(flag); }
    std::optional<QString> option(const QString& name) const;
    // All values of an option given more than once ("--channel K0002 --channel K0021").
    QStringList values(const QString& name) const { return optionValues.value(name); }
};

// valueOptions: options that take the next word as their value ("--page", "--raw").
// A "--name=value" form is accepted too; "--" ends option parsing.
CliArguments parseArguments(const QStringList& argv, const QSet<QString>& valueOptions);

}  // namespace hesk::cli
