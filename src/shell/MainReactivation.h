#pragma once

// The main program's window becoming active again: the locale values are read
// afresh, and when the clock has passed the horizon (the user left it open
// across midnight) the future list is extended up to now without force, the
// due reminders are shown, and the page on show is refreshed. Nothing else
// changes, so re-activating within the horizon costs only the locale read.

#include "platform/Clock.h"
#include "platform/Interaction.h"
#include "platform/LocaleValues.h"
#include "shell/MainBook.h"

#include <QLocale>

#include <optional>

class MainReactivation {
public:
    enum class Page { Register, Planner, Projects };

    struct Outcome {
        LocaleValues locale;          // read again from the run's locale
        bool extended = false;        // the future list was built up to now
        std::optional<Page> refresh;  // the page to show again; none when nothing moved
    };

    // All must outlive the step. `locale` is the run's (the user's, or the
    // one pinned by --locale); `current` the values read at start-up or at the
    // last activation.
    MainReactivation(MainBook& book, const Clock& clock, const QLocale& locale, Interaction& ui);

    Outcome run(const LocaleValues& current, Page shown);

private:
    MainBook& m_book;
    const Clock& m_clock;
    const QLocale& m_locale;
    Interaction& m_ui;
};
