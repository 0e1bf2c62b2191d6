#include "CliArguments.h"

namespace hesk::cli {

std::optional<QString> CliArguments::option(const QString& name) const
{
    const auto it = options.constFind(name);
    if (it == options.constEnd())
        return std::nullopt;
    return *it;
}

CliArguments parseArguments(const QStringList& argv, const QSet<QString>& valueOptions)
{
    CliArguments result;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < argv.size(); ++i) {
        const QString& word = argv[i];
        // A short option ("-o") counts only when a command takes it with a value.
        const bool option = word.startsWith(QLatin1String("--")) || (word.size() == 2 && valueOptions.contains(word));
        if (optionsEnded || !option || word == QLatin1String("-")) {
            result.words << word;
            continue;
        }
        if (word == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const qsizetype equals = word.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? word : word.left(equals);
        if (valueOptions.contains(name)) {
            if (equals >= 0) {
                result.options.insert(name, word.mid(equals + 1));
                result.optionValues[name] << word.mid(equals + 1);
            } else if (i + 1 < argv.size()) {
                result.options.insert(name, argv[++i]);
                result.optionValues[name] << argv[i];
            } else {
                result.error = QStringLiteral("option %1 needs a value").arg(name);
                return result;
            }
        } else if (equals < 0) {
            result.flags.insert(name);
        } else {
            result.error = QStringLiteral("option %1 takes no value").arg(name);
            return result;
        }
    }
    return result;
}

}  // namespace hesk::cli
