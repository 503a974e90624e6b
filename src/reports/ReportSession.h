#pragma once

// The report program's run over one book, without its window: the start-up
// (the store, the five shared tables, the filter, the currency list, the
// checks), the re-activation check, and the orderly end. The window program
// and the report commands of tallyra-cli both start here.
//
// Invariants:
//  1. The report program never creates a book: a store file that is missing
//     or empty, or a shared table that cannot be opened, ends the start-up
//     with EngineErrorText, and nothing was written.
//  2. It takes no single-instance lock of the book, so it runs beside the
//     main program; it sees the main program's writes only when reactivate()
//     looks for them.
//  3. Only the five shared tables are opened (Transaction, Account, Project,
//     Category, Currency), each in its working sort; Planner and Scheduled
//     take no part in a report.

#include "platform/BookFolder.h"
#include "platform/Clock.h"
#include "platform/Interaction.h"
#include "platform/ObjectStore.h"
#include "reference/CurrencyCache.h"
#include "reports/ReportContext.h"
#include "reports/ReportFilter.h"
#include "reports/ReportSettings.h"
#include "store/TableSet.h"

#include <functional>
#include <memory>

struct LocaleValues;

class ReportSession {
public:
    static const QString EngineErrorText;   // "Can't init engine databases."
    static const QString OpeningText;       // "Opening tables..."
    static const QString CurrencyListText;  // "Load table translate currency..."

    enum class Outcome {
        Ready,
        EngineFailed,  // EngineErrorText was shown; nothing to report
        NoAccount,     // the book has no account: nothing to report, nothing said
        Locked,        // the main program's password was not given; nothing said
    };

    // The main program's password lock, asked once the tables are open and the
    // book has an account. True when the run may go on: no lock is set, or the
    // right password was typed. The lock belongs to the main program's layer,
    // so the caller brings the check.
    using PasswordCheck = std::function<bool(DbTable& transactions)>;

    // `clock` and `ui` must outlive the session.
    ReportSession(const BookFolder& folder, const Clock& clock, Interaction& ui);
    ~ReportSession();
    ReportSession(const ReportSession&) = delete;
    ReportSession& operator=(const ReportSession&) = delete;

    // Runs the start-up steps in their order. Callable once.
    Outcome start(const PasswordCheck& checkPassword);
    bool isReady() const { return m_ready; }

    TableSet& tables() { return m_tables; }
    CurrencyCache& currencies() { return m_currencies; }
    ReportFilter& filter() { return m_filter; }
    ReportSettings& settings() { return m_settings; }
    // The "Options"/"Default Currency" of the report program's own settings,
    // held against the currency list as the main program does (the first
    // stored currency when the setting names none of them).
    const QString& defaultCurrency() const { return m_defaultCurrency; }
    // What the report views borrow; valid as long as the session and `locale`.
    ReportContext context(const LocaleValues& locale);

    // The window became active again: true when the main program changed the
    // number of transactions, accounts, categories or projects meanwhile. The
    // filter's lists have then lost the ids that no longer exist and the
    // currency list was reloaded; the caller offers "Recalc" (a built report
    // stays as it was). False, and nothing done, before a Ready start.
    bool reactivate();
    // How many times reactivate() found a change.
    quint64 changesSeen() const { return m_changesSeen; }

    // The orderly end after a Ready start: writes the filter's currency to
    // "filter"/"Currency" and closes the tables. False when the setting could
    // not be written (the tables are closed all the same). A session that did
    // not start Ready writes nothing.
    bool finish();

private:
    bool openStore();
    bool openSharedTables();
    void loadCurrencies();
    Outcome fail();

    const Clock& m_clock;
    Interaction& m_ui;
    QString m_storePath;
    ReportSettings m_settings;
    // Declared before the cursors so that it outlives them.
    std::unique_ptr<ObjectStore> m_store;
    TableSet m_tables;
    CurrencyCache m_currencies;
    ReportFilter m_filter;
    QString m_defaultCurrency;
    bool m_started = false;
    bool m_ready = false;
    quint64 m_changesSeen = 0;
};
