#include "shell/CliRunner.h"

#include "platform/BookFolder.h"
#include "platform/SystemClock.h"
#include "platform/SystemLocale.h"
#include "shell/CliExit.h"
#include "shell/CliInteraction.h"
#include "store/TextLimit.h"

CliRunner::CliRunner(const CliCommandTable& commands, QTextStream& out, QTextStream& err)
    : m_commands(commands), m_out(out), m_err(err)
{
}

int CliRunner::badUsage(const QString& message)
{
    m_err << "tallyra-cli: " << message << "\n\n" << m_commands.helpText() << Qt::flush;
    return CliBadUsage;
}

int CliRunner::run(const QStringList& arguments, const EnvironmentLookup& environment)
{
    // Every text a command stores comes from its arguments; one that a record
    // cannot hold is refused before the book is opened.
    for (const QString& argument : arguments) {
        if (!TextLimit::fits(argument)) {
            m_err << "tallyra-cli: " << TextLimit::TooLongText << ' '
                  << QStringLiteral("An argument holds %1 characters; a text holds at most %2.")
                         .arg(argument.size())
                         .arg(TextLimit::MaxLength)
                  << '\n'
                  << Qt::flush;
            return CliFailed;
        }
    }
    QString error;
    std::optional<CliOptions> options = CliOptions::parse(arguments, &error);
    if (!options)
        return badUsage(error);
    if (options->help) {
        m_out << m_commands.helpText() << Qt::flush;
        return CliDone;
    }
    options->fillFromEnvironment(environment);
    const std::optional<Choices> choices = choose(*options);
    if (!choices)
        return CliBadUsage;
    if (options->command.isEmpty())
        return badUsage(QStringLiteral("missing command"));
    const CliCommand* command = m_commands.find(options->command);
    if (!command)
        return badUsage(QStringLiteral("unknown command %1").arg(options->command));
    return runCommand(*command, *options, *choices, environment);
}

std::optional<CliRunner::Choices> CliRunner::choose(const CliOptions& options)
{
    std::optional<LocalTime> pinned;
    if (!options.nowText.isEmpty()) {
        pinned = Clock::parseMoment(options.nowText);
        if (!pinned) {
            badUsage(QStringLiteral("malformed time %1 (expected YYYY-MM-DDTHH:MM:SS[.mmm])")
                         .arg(options.nowText));
            return std::nullopt;
        }
    }
    const std::optional<QLocale> locale = SystemLocale::choose(options.localeName);
    if (!locale) {
        badUsage(QStringLiteral("unknown locale %1").arg(options.localeName));
        return std::nullopt;
    }
    const std::optional<CodePage> codePage =
        options.codePageName.isEmpty() ? CodePage::defaultPage() : CodePage::byName(options.codePageName);
    if (!codePage) {
        badUsage(QStringLiteral("unknown code page %1").arg(options.codePageName));
        return std::nullopt;
    }
    return Choices{pinned, *locale, *codePage};
}

int CliRunner::runCommand(const CliCommand& command, const CliOptions& options, const Choices& choices,
                          const EnvironmentLookup& environment)
{
    const QString dir = BookFolder::choose(options.dataDir, environment("TALLYRA_HOME"),
                                           environment("XDG_DATA_HOME"), BookFolder::homeFolder());
    QString error;
    const std::optional<BookFolder> book = BookFolder::open(dir, &error);
    if (!book) {
        m_err << error << '\n' << Qt::flush;
        return CliFailed;
    }
    SystemClock clock(choices.pinnedNow);
    const LocaleValues values = SystemLocale::read(choices.locale);
    CliInteraction interaction(m_err, options.yes, !environment("TALLYRA_VERBOSE").isEmpty());
    CliContext context{options,          *book,       choices.locale,    values, clock,
                       choices.codePage, interaction, options.arguments, m_out,  m_err};
    const int status = command.run(context);
    m_out << Qt::flush;
    m_err << Qt::flush;
    return status;
}
