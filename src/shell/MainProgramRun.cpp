#include "shell/MainProgramRun.h"

#include "accounts/PasswordLock.h"
#include "shell/CliExit.h"
#include "shell/CliFirstAccount.h"
#include "shell/CliPasswordPrompt.h"
#include "shell/ExitStep.h"
#include "shell/StartUp.h"

int MainProgramRun::run(const Command& command, FirstAccountSource* firstAccount)
{
    MainBook book(m_context.book, m_context.locale);
    CliFirstAccount refusal(std::nullopt, m_context.err);
    StartUp::Hooks hooks =
        StartUp::standardHooks(book, m_context.clock, m_context.localeValues, m_context.interaction);
    hooks.checkPassword = [this, &book] { return checkPassword(book); };
    // A command line run shows no reminders on its way in: showing them marks
    // them reminded, so every command would use them up and the `reminders`
    // command, which shows them on request, would never find one.
    hooks.showReminders = nullptr;
    StartUp startUp(book, m_context.clock, m_context.interaction, firstAccount ? *firstAccount : refusal,
                    std::move(hooks));
    const StartUp::Outcome outcome = startUp.run();
    if (outcome == StartUp::Outcome::AlreadyRunning)
        m_context.err << startUp.lockError() << '\n';
    if (outcome != StartUp::Outcome::Ready) {
        ExitStep::run(book);
        return CliFailed;
    }
    const int status = command(book);
    ExitStep::run(book);
    return status;
}

bool MainProgramRun::checkPassword(MainBook& book)
{
    PasswordLock lock(m_context.clock);
    lock.load(book.tables().transactions(), m_context.interaction);
    CliPasswordPrompt prompt(m_context.options.password, m_context.err);
    if (lock.askAtStartUp(prompt))
        return true;
    m_context.err << CliPasswordPrompt::WrongPasswordText << '\n';
    return false;
}
