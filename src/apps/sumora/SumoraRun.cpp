#include "SumoraRun.h"

#include "accounts/ui/PasswordDialog.h"
#include "platform/BookFolder.h"
#include "platform/QuitSignals.h"
#include "platform/SystemClock.h"
#include "platform/SystemLocale.h"
#include "reports/ReportSession.h"
#include "reports/ui/ReportWindow.h"
#include "reports/ui/SingleInstance.h"
#include "reports/ui/StartUpDialog.h"
#include "shell/ReportPasswordCheck.h"
#include "shell/StartFile.h"
#include "toolkit/ui/DialogInteraction.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>

namespace {

int badUsage(const QString& message)
{
    QTextStream(stderr) << "sumora: " << message << '\n' << SumoraRun::UsageText;
    return 2;
}

struct Choices {
    CliOptions options;
    std::optional<LocalTime> pinned;
    QLocale locale;
    CodePage codePage = CodePage::defaultPage();
};

std::optional<Choices> choose(const QStringList& arguments, const EnvironmentLookup& environment, int* status)
{
    QString error;
    std::optional<CliOptions> options = CliOptions::parse(arguments, &error);
    *status = 2;
    if (!options)
        return (badUsage(error), std::nullopt);
    if (options->help) {
        QTextStream(stdout) << SumoraRun::UsageText;
        *status = 0;
        return std::nullopt;
    }
    if (!options->arguments.isEmpty())
        return (badUsage(QStringLiteral("unexpected argument %1").arg(options->arguments.first())),
                std::nullopt);
    options->fillFromEnvironment(environment);
    Choices c{*options, std::nullopt, QLocale(), CodePage::defaultPage()};
    if (!options->nowText.isEmpty() && !(c.pinned = Clock::parseMoment(options->nowText)))
        return (badUsage(QStringLiteral("malformed time %1").arg(options->nowText)), std::nullopt);
    const std::optional<QLocale> locale = SystemLocale::choose(options->localeName);
    if (!locale)
        return (badUsage(QStringLiteral("unknown locale %1").arg(options->localeName)), std::nullopt);
    c.locale = *locale;
    if (!options->codePageName.isEmpty()) {
        const std::optional<CodePage> page = CodePage::byName(options->codePageName);
        if (!page)
            return (badUsage(QStringLiteral("unknown code page %1").arg(options->codePageName)),
                    std::nullopt);
        c.codePage = *page;
    }
    return c;
}

// Only a filter file is loaded; anything else is named in a message and the
// window keeps the filter it has.
void loadGivenFilter(ReportWindow& window, Interaction& ui, const QString& path)
{
    const StartFile::Result file = StartFile::classify(path, {StartFile::Kind::Filter});
    if (file.kind)
        window.loadFilterFile(path);
    else
        ui.showMessage(file.message, Interaction::Icon::Exclamation);
}

}  // namespace

int SumoraRun::run(const QStringList& arguments, const EnvironmentLookup& environment)
{
    int status = 0;
    const std::optional<Choices> chosen = choose(arguments, environment, &status);
    if (!chosen)
        return status;
    DialogInteraction ui;
    QString error;
    const QString dir = BookFolder::choose(chosen->options.dataDir, environment("TALLYRA_HOME"),
                                           environment("XDG_DATA_HOME"), BookFolder::homeFolder());
    const std::optional<BookFolder> folder = BookFolder::open(dir, &error);
    if (!folder) {
        ui.showMessage(error, Interaction::Icon::Error);
        return 1;
    }
    // A filter file from the desktop (a double click), loaded once the window is up.
    const QString file = chosen->options.command;
    // A second run on the book brings the first forward, hands it the file and ends silently.
    const std::unique_ptr<SingleInstance> instance = SingleInstance::claim(folder->path(), file);
    if (!instance)
        return 0;

    SystemClock clock(chosen->pinned);
    const LocaleValues values = SystemLocale::read(chosen->locale);
    StartUpDialog splash(false);
    ui.setStatusSink([&splash](const QString& text) { splash.showStatus(text); });
    splash.show();
    ui.showStatus(QString::fromLatin1(StartUpDialog::LoadResourceText));

    ReportSession session(*folder, clock, ui);
    PasswordDialog prompt;
    const ReportSession::Outcome outcome = session.start(
        [&](DbTable& transactions) { return ReportPasswordCheck::passed(transactions, clock, prompt); });
    if (outcome != ReportSession::Outcome::Ready) {
        splash.close();
        return outcome == ReportSession::Outcome::EngineFailed ? 1 : 0;
    }

    ui.showStatus(QString::fromLatin1(StartUpDialog::CreatingWindowText));
    {
        ReportWindow window(session, clock, values, ui,
                            ReportWindow::Setup{folder->path(), chosen->codePage, {}});
        QuitSignals quitSignals([&window](int) { window.exitProgram(); });
        QObject::connect(instance.get(), &SingleInstance::raiseRequested, &window, [&window] {
            window.showNormal();
            window.raise();
            window.activateWindow();
        });
        QObject::connect(
            instance.get(), &SingleInstance::openRequested, &window,
            [&window, &ui](const QString& path) { loadGivenFilter(window, ui, path); }, Qt::QueuedConnection);
        splash.close();
        window.show();
        if (!file.isEmpty())
            QTimer::singleShot(0, &window, [&window, &ui, file] { loadGivenFilter(window, ui, file); });
        QApplication::exec();
    }
    (void)session.finish();
    return 0;
}
