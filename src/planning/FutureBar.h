#pragma once

// The future bar of the account page: the "for" date picker showing the
// horizon, the today button (pressed while the horizon is today) and the
// prognosis label for the shown account's currency. Choosing a date builds
// the future list up to that day without force, so an earlier day shrinks it.

#include "planning/Prognosis.h"

class FutureBar {
public:
    // All owned by the caller; they must outlive the bar.
    FutureBar(FutureList& future, const CurrencyCache& currencies, Categories& categories,
              const LocaleValues& locale)
        : m_future(future), m_prognosis(future, currencies, categories, locale)
    {
    }

    FileTime horizon() const { return m_future.horizon(); }
    // False when the list could not be built; it is then as before.
    bool setHorizon(FileTime day) { return m_future.build(day, false); }
    bool todayPressed(FileTime now) const { return startOfDay(horizon()) == startOfDay(now); }

    // "Prognosis: " and the total up to the horizon in `code`.
    QString label(const QString& code) { return m_prognosis.label(horizon(), code); }
    Money total(const QString& code) { return m_prognosis.total(horizon(), code); }
    Prognosis& prognosis() { return m_prognosis; }

private:
    FutureList& m_future;
    Prognosis m_prognosis;
};
