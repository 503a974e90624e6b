#include "shell/MainReactivation.h"

#include "platform/SystemLocale.h"

MainReactivation::MainReactivation(MainBook& book, const Clock& clock, const QLocale& locale, Interaction& ui)
    : m_book(book), m_clock(clock), m_locale(locale), m_ui(ui)
{
}

MainReactivation::Outcome MainReactivation::run(const LocaleValues& current, Page shown)
{
    Outcome outcome;
    outcome.locale = SystemLocale::read(m_locale, current);
    const std::optional<FileTime> now = fileTimeNow(m_clock);
    if (!now || *now <= m_book.state().horizon)
        return outcome;
    // A failed build keeps the old horizon, so the next activation tries again.
    outcome.extended = m_book.future().build(*now, false);
    (void)m_book.future().showReminders(*now, m_book.currencies(), outcome.locale, m_ui);
    outcome.refresh = shown;
    return outcome;
}
