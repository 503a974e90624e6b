#include "shell/ui/WindowRun.h"

#include "accounts/PasswordLock.h"
#include "accounts/ui/PasswordDialog.h"
#include "platform/BookFolder.h"
#include "platform/QuitSignals.h"
#include "platform/SystemClock.h"
#include "platform/SystemLocale.h"
#include "reports/ui/SingleInstance.h"
#include "shell/ExitStep.h"
#include "shell/StartUp.h"
#include "shell/ui/FirstAccountDialog.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/SplashWindow.h"
#include "toolkit/ui/DialogInteraction.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>

namespace {

int badUsage(const QString& message)
{
    QTextStream(stderr) << "tallyra: " << message << '\n' << WindowRun::UsageText;
    return 2;
}

}  // namespace

int WindowRun::run(const QStringList& arguments, const EnvironmentLookup& environment)
{
    QString error;
    std::optional<CliOptions> options = CliOptions::parse(arguments, &error);
    if (!options)
        return badUsage(error);
    if (options->help) {
        QTextStream(stdout) << UsageText;
        return 0;
    }
    if (!options->arguments.isEmpty())
        return badUsage(QStringLiteral("unexpected argument %1").arg(options->arguments.first()));
    // A file from the desktop (a double click): offered once the window is up.
    const QString file = options->command;
    options->fillFromEnvironment(environment);
    std::optional<LocalTime> pinned;
    if (!options->nowText.isEmpty() && !(pinned = Clock::parseMoment(options->nowText)))
        return badUsage(QStringLiteral("malformed time %1").arg(options->nowText));
    const std::optional<QLocale> locale = SystemLocale::choose(options->localeName);
    if (!locale)
        return badUsage(QStringLiteral("unknown locale %1").arg(options->localeName));

    const std::optional<CodePage> codePage =
        options->codePageName.isEmpty() ? CodePage::defaultPage() : CodePage::byName(options->codePageName);
    if (!codePage)
        return badUsage(QStringLiteral("unknown code page %1").arg(options->codePageName));

    DialogInteraction ui;
    const QString dir = BookFolder::choose(options->dataDir, environment("TALLYRA_HOME"),
                                           environment("XDG_DATA_HOME"), BookFolder::homeFolder());
    const std::optional<BookFolder> folder = BookFolder::open(dir, &error);
    if (!folder) {
        ui.showMessage(error, Interaction::Icon::Error);
        return 1;
    }
    SystemClock clock(pinned);
    const LocaleValues values = SystemLocale::read(*locale);
    MainBook book(*folder, *locale);

    // A quit signal during start-up closes the open window, declines whatever
    // start-up asks next and skips the main window; the exit step runs either way.
    MainWindow* shown = nullptr;
    bool quitRequested = false;
    QuitSignals quitSignals([&](int) {
        if (shown) {
            shown->exitProgram();
            return;
        }
        quitRequested = true;
        ui.declineAll();
    });

    SplashWindow splash;
    ui.setStatusSink([&splash](const QString& text) { splash.showStatus(text); });
    splash.show();

    PasswordLock lock(clock);
    PasswordDialog prompt;
    FirstAccountPrompt firstAccount;
    StartUp::Hooks hooks = StartUp::standardHooks(book, clock, values, ui);
    hooks.checkPassword = [&] {
        lock.load(book.tables().transactions(), ui);
        return lock.askAtStartUp(prompt);
    };
    StartUp startUp(book, clock, ui, firstAccount, std::move(hooks));
    const StartUp::Outcome outcome = startUp.run();
    ui.endProgress();
    if (quitRequested) {
        splash.close();
        ExitStep::run(book);
        return 0;
    }
    if (outcome != StartUp::Outcome::Ready) {
        splash.close();
        // The run that has the book takes the file and comes forward, where
        // it offers the file; otherwise the lock's message says why nothing opened.
        const bool handedOver =
            outcome == StartUp::Outcome::AlreadyRunning && !file.isEmpty() &&
            SingleInstance::askToRaise(SingleInstance::serverName(QStringLiteral("tallyra"), folder->path()),
                                       file);
        if (outcome == StartUp::Outcome::AlreadyRunning && !handedOver)
            ui.showMessage(startUp.lockError(), Interaction::Icon::Exclamation);
        ExitStep::run(book);
        return handedOver ? 0 : 1;
    }

    ui.showStatus(QString::fromLatin1(CreatingWindowText));
    {
        MainWindow window(book, clock, *locale, values, lock);
        window.setCodePage(*codePage);
        shown = &window;
        splash.close();
        window.show();
        // The splash had the keyboard; without a window manager to pass it on, the window asks for it.
        window.activateWindow();
        // The report program's "Tallyra..." brings this window forward instead of starting a second run.
        const std::unique_ptr<SingleInstance> raiser =
            SingleInstance::listen(QStringLiteral("tallyra"), book.folder().path());
        QObject::connect(raiser.get(), &SingleInstance::raiseRequested, &window, [&window] {
            window.showNormal();
            window.raise();
            window.activateWindow();
        });
        QObject::connect(raiser.get(), &SingleInstance::openRequested, &window, &MainWindow::offerFile,
                         Qt::QueuedConnection);
        if (!file.isEmpty())
            QTimer::singleShot(0, &window, [&window, file] { window.offerFile(file); });
        QApplication::exec();
        shown = nullptr;
    }
    ExitStep::run(book);
    return 0;
}
