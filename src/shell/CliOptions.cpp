#include "shell/CliOptions.h"

namespace {

struct ValueOption {
    const char* name;
    QString CliOptions::*field;
};

const ValueOption ValueOptions[] = {
    {"--data", &CliOptions::dataDir},
    {"--locale", &CliOptions::localeName},
    {"--now", &CliOptions::nowText},
    {"--codepage", &CliOptions::codePageName},
};

const ValueOption* valueOption(const QString& name)
{
    for (const ValueOption& option : ValueOptions) {
        if (name == QLatin1String(option.name))
            return &option;
    }
    return nullptr;
}

bool setFlag(CliOptions& options, const QString& name)
{
    if (name == QLatin1String("--yes"))
        options.yes = true;
    else if (name == QLatin1String("--json"))
        options.json = true;
    else if (name == QLatin1String("--help") || name == QLatin1String("-h"))
        options.help = true;
    else
        return false;
    return true;
}

bool setValue(CliOptions& options, const QString& name, const QString& value)
{
    if (name == QLatin1String("--password")) {
        options.password = value;
        return true;
    }
    const ValueOption* option = valueOption(name);
    if (!option)
        return false;
    options.*(option->field) = value;
    return true;
}

bool takesValue(const QString& name)
{
    return name == QLatin1String("--password") || valueOption(name);
}

}  // namespace

std::optional<CliOptions> CliOptions::parse(const QStringList& arguments, QString* error)
{
    CliOptions options;
    qsizetype i = 0;
    for (; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--")) {
            ++i;
            break;
        }
        if (!argument.startsWith(u'-') || argument == QLatin1String("-"))
            break;
        const qsizetype equals = argument.indexOf(u'=');
        const QString name = equals < 0 ? argument : argument.left(equals);
        if (equals < 0 && setFlag(options, name))
            continue;
        if (!takesValue(name)) {
            *error = QStringLiteral("unknown option %1").arg(argument);
            return std::nullopt;
        }
        if (equals < 0 && i + 1 >= arguments.size()) {
            *error = QStringLiteral("option %1 needs a value").arg(name);
            return std::nullopt;
        }
        const QString value = equals < 0 ? arguments[++i] : argument.mid(equals + 1);
        // Only the password may be empty (no password set); an empty folder,
        // locale, time or code page is a slip, not a request for the default.
        if (value.isEmpty() && name != QLatin1String("--password")) {
            *error = QStringLiteral("option %1 needs a value").arg(name);
            return std::nullopt;
        }
        setValue(options, name, value);
    }
    if (i < arguments.size()) {
        options.command = arguments[i];
        options.arguments = arguments.mid(i + 1);
    }
    return options;
}

void CliOptions::fillFromEnvironment(const EnvironmentLookup& environment)
{
    if (localeName.isEmpty())
        localeName = environment("TALLYRA_LOCALE");
    if (nowText.isEmpty())
        nowText = environment("TALLYRA_NOW");
}
