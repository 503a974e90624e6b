#include "shell/StartUp.h"

#include "accounts/AccountCreator.h"
#include "accounts/BalanceRecalc.h"
#include "reference/CurrencyStartUp.h"
#include "shell/StartUpRepair.h"

#include <algorithm>

namespace {

void status(Interaction& ui, const char* text)
{
    ui.showStatus(QString::fromLatin1(text));
}

FileTime nowOf(const Clock& clock)
{
    return fileTimeNow(clock).value_or(0);
}

}  // namespace

StartUp::Hooks StartUp::standardHooks(MainBook& book, const Clock& clock, const LocaleValues& locale,
                                      Interaction& ui)
{
    Hooks hooks;
    hooks.buildFutureList = [&book](bool force, FileTime upTo) -> std::optional<FileTime> {
        if (!book.future().build(upTo, force))
            return std::nullopt;
        return book.future().horizon();
    };
    hooks.recomputeProjectTotals = [&book] { return book.updateAllProjectTotals(); };
    hooks.showReminders = [&book, &clock, &locale, &ui] {
        (void)book.future().showReminders(nowOf(clock), book.currencies(), locale, ui);
    };
    return hooks;
}

StartUp::StartUp(MainBook& book, const Clock& clock, Interaction& ui, FirstAccountSource& firstAccount,
                 Hooks hooks)
    : m_book(book), m_clock(clock), m_ui(ui), m_firstAccount(firstAccount), m_hooks(std::move(hooks))
{
}

FileTime StartUp::now() const
{
    return nowOf(m_clock);
}

StartUp::Outcome StartUp::quit()
{
    m_book.state().quit = true;
    return Outcome::Quit;
}

StartUp::Outcome StartUp::run()
{
    RunState& state = m_book.state();
    if (!m_book.lock(&m_lockError)) {
        state.quit = true;
        return Outcome::AlreadyRunning;
    }
    state.skipSave = false;
    status(m_ui, "Loading resources...");
    readHorizon();
    status(m_ui, "Opening tables...");
    const bool oldVersion = versionBelowOneOne();
    if (oldVersion)
        state.horizon = 0;
    // The store is unusable: going on would only write to nothing.
    if (!openStore()) {
        m_ui.showMessage(QString::fromLatin1(EngineFailureText), Interaction::Icon::Exclamation);
        return quit();
    }
    const bool repairing = needsRepair();
    if (repairing)
        repair();
    else
        (void)m_book.tables().setWorkingSorts();
    if (oldVersion) {
        m_book.settings().write(TallyraSettings::Int::VersionMajor, 1);
        m_book.settings().write(TallyraSettings::Int::VersionMinor, 1);
    }
    loadCurrencies();
    if (!createFirstRunData())
        return quit();
    const bool rebuilding = state.horizon == 0 || m_book.settings().read(TallyraSettings::Text::Version) !=
                                                      QLatin1String(RunState::VersionText);
    if (rebuilding) {
        rebuild();
    } else {
        status(m_ui, "Updating scheduled transaction list...");
        updateFutureList(false, std::max(now(), state.horizon));
    }
    if (m_hooks.checkPassword && !m_hooks.checkPassword())
        return quit();
    state.activityTicks = m_clock.ticksMs();
    if (m_hooks.showReminders)
        m_hooks.showReminders();
    return Outcome::Ready;
}

void StartUp::readHorizon()
{
    TallyraSettings& settings = m_book.settings();
    m_book.state().horizon = settings.futureHorizon();
    settings.setFutureHorizon(0);
}

bool StartUp::versionBelowOneOne() const
{
    const qint32 major = m_book.settings().read(TallyraSettings::Int::VersionMajor);
    const qint32 minor = m_book.settings().read(TallyraSettings::Int::VersionMinor);
    return major < 1 || (major == 1 && minor < 1);
}

bool StartUp::openStore()
{
    QString error;
    m_storeOpened = m_book.openStore(&error) && m_book.tables().openAll();
    return m_storeOpened;
}

bool StartUp::needsRepair() const
{
    return m_book.state().horizon == 0 ||
           m_book.settings().read(TallyraSettings::Text::Version) != QLatin1String(RunState::VersionText);
}

void StartUp::repair()
{
    TableSet& tables = m_book.tables();
    m_book.state().horizon = 0;
    m_ui.showStatus(TableSet::ReindexText);
    tables.reindexAll(&m_ui);
    (void)tables.setWorkingSorts();
    (void)StartUpRepair::normaliseCodes(tables);
    TallyraSettings& settings = m_book.settings();
    settings.write(TallyraSettings::Text::DefaultCurrency,
                   settings.read(TallyraSettings::Text::DefaultCurrency).toUpper());
}

void StartUp::loadCurrencies()
{
    m_ui.showStatus(CurrencyStartUp::LoadingText);
    TallyraSettings& settings = m_book.settings();
    const CurrencyStartUp::DefaultCheck check = CurrencyStartUp::loadCache(
        m_book.currencies(), settings.read(TallyraSettings::Text::DefaultCurrency));
    m_book.state().defaultCurrency = check.code;
    if (check.writeBack) {
        settings.write(TallyraSettings::Text::DefaultCurrency, check.code);
        m_book.state().horizon = 0;
    }
}

bool StartUp::createFirstRunData()
{
    TableSet& tables = m_book.tables();
    if (tables.projects().count() == 0)
        (void)m_book.projects().ensureRoot();
    (void)m_book.categories().createDefaults(m_ui);
    return tables.accounts().count() > 0 || createFirstAccount();
}

bool StartUp::createFirstAccount()
{
    status(m_ui, "Creating first account...");
    const std::optional<AccountDraft> draft = m_firstAccount.firstAccount(m_book.state().defaultCurrency);
    if (!draft)
        return false;
    AccountCreator creator(m_book.tables(), m_book.currencies(), m_clock);
    if (creator.create(*draft) == 0) {
        m_ui.showMessage(QStringLiteral("The first account could not be created."),
                         Interaction::Icon::Exclamation);
        return false;
    }
    if (const std::optional<QString> code = CurrencyStartUp::defaultAfterFirstAccount(m_book.currencies())) {
        m_book.state().defaultCurrency = *code;
        m_book.settings().write(TallyraSettings::Text::DefaultCurrency, *code);
    }
    return true;
}

void StartUp::rebuild()
{
    (void)m_book.categories().ensureRoot();
    // Every account, not only the one shown last: an interrupted run may have
    // left any of them with stale running balances.
    status(m_ui, "Recalc Balance...");
    (void)BalanceRecalc(m_book.tables()).recalcAll();
    status(m_ui, "Update Projects...");
    if (m_hooks.recomputeProjectTotals)
        (void)m_hooks.recomputeProjectTotals();
    status(m_ui, "Updating scheduled transaction list...");
    updateFutureList(true, now());
    m_book.settings().write(TallyraSettings::Text::Version, QString::fromLatin1(RunState::VersionText));
}

void StartUp::updateFutureList(bool force, FileTime upTo)
{
    if (!m_hooks.buildFutureList) {
        m_book.state().horizon = upTo;
        return;
    }
    if (const std::optional<FileTime> horizon = m_hooks.buildFutureList(force, upTo))
        m_book.state().horizon = *horizon;
}
