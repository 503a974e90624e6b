#include "shell/CliArgs.h"

std::optional<CliArgs> CliArgs::parse(const QStringList& arguments, const QStringList& valueOptions,
                                      QString* error)
{
    CliArgs args;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (!a.startsWith(QLatin1String("--")) || a.size() == 2) {
            args.positional << a;
            continue;
        }
        const qsizetype equals = a.indexOf(u'=');
        const QString name = a.mid(2, equals < 0 ? -1 : equals - 2);
        if (!valueOptions.contains(name)) {
            *error = QStringLiteral("unknown option %1").arg(a);
            return std::nullopt;
        }
        if (equals < 0 && i + 1 >= arguments.size()) {
            *error = QStringLiteral("option --%1 needs a value").arg(name);
            return std::nullopt;
        }
        args.values.insert(name, equals < 0 ? arguments[++i] : a.mid(equals + 1));
    }
    return args;
}

QStringList CliArgs::withoutFlag(const QStringList& arguments, const QString& flag, bool* found)
{
    QStringList rest;
    *found = false;
    for (const QString& a : arguments) {
        if (a == flag)
            *found = true;
        else
            rest << a;
    }
    return rest;
}
