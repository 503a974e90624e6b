#pragma once

// The main program's start-up, step by step, with its status texts:
//   single-instance lock; the horizon read and zeroed in the settings; version
//   checks; the store opened or created; the fast path (working sort orders
//   only) or the repair path (re-index, currency codes normalised); the currency
//   cache and the default currency; first-run data (root project, default
//   categories, the first account); the rebuild path (running balances of every
//   account, project totals, the future list, "Version") or the future list
//   brought up to date; the password check; the due reminders.
//
// What later parts of the program own is reached through Hooks; a hook left
// empty is skipped (see each one).

#include "platform/Clock.h"
#include "platform/Interaction.h"
#include "platform/LocaleValues.h"
#include "shell/FirstAccountSource.h"
#include "shell/MainBook.h"

#include <functional>
#include <optional>

class StartUp {
public:
    static constexpr const char* EngineFailureText = "Can not initialize database engine.";

    enum class Outcome {
        Ready,           // the book is open; the exit step saves the horizon
        AlreadyRunning,  // another run holds the book; nothing was opened
        Quit,            // abandoned (store unusable, first account cancelled, password refused)
    };

    struct Hooks {
        // Builds the future list up to `upTo` (every entry regenerated when
        // `force`) and returns the new horizon; nullopt when it failed. Empty:
        // there is no future list to build, so it counts as built up to `upTo`.
        std::function<std::optional<FileTime>(bool force, FileTime upTo)> buildFutureList;
        // Recomputes every project's totals from scratch. Empty: left as they are.
        std::function<bool()> recomputeProjectTotals;
        // Reads the password-lock record and asks for the password when one is
        // set. False ends start-up. Empty: no check.
        std::function<bool()> checkPassword;
        // Shows the due, not yet reminded entries of the future list, once the
        // password was passed. Empty: none shown.
        std::function<void()> showReminders;
    };

    // The hooks of the main program over `book`: the future list built by
    // book.future(), project totals recomputed in the default currency, the
    // reminders shown through `ui` with the clock's today. The password check
    // is the caller's. Everything passed must outlive the hooks.
    static Hooks standardHooks(MainBook& book, const Clock& clock, const LocaleValues& locale,
                               Interaction& ui);

    StartUp(MainBook& book, const Clock& clock, Interaction& ui, FirstAccountSource& firstAccount,
            Hooks hooks = {});

    Outcome run();
    // Why the lock was refused, for an AlreadyRunning outcome.
    const QString& lockError() const { return m_lockError; }

private:
    Outcome quit();
    void readHorizon();
    bool versionBelowOneOne() const;
    bool openStore();
    bool needsRepair() const;
    void repair();
    void loadCurrencies();
    bool createFirstRunData();
    bool createFirstAccount();
    void rebuild();
    void updateFutureList(bool force, FileTime upTo);
    FileTime now() const;

    MainBook& m_book;
    const Clock& m_clock;
    Interaction& m_ui;
    FirstAccountSource& m_firstAccount;
    Hooks m_hooks;
    bool m_storeOpened = false;
    QString m_lockError;
};
