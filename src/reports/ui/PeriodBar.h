#pragma once

#include "reports/ReportTotals.h"

#include <QWidget>

class Clock;
class CurrencyCache;
class QComboBox;
class QDateEdit;
class QToolButton;
class ReportFilter;
class ReportModel;
class ReportSettings;
struct LocaleValues;

// The row along the bottom of the report page: the "PERIOD" list of named
// periods, the two dates of the filter, the report currency, and "Sum:" with
// the net total of the last report (a tap shows its parts per currency).
// Every change reaches the filter at once and is announced by filterChanged();
// the report is rebuilt only when the user asks.
class PeriodBar : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* PeriodText = "PERIOD";
    static constexpr const char* SumText = "Sum:";

    PeriodBar(ReportFilter& filter, CurrencyCache& currencies, ReportSettings& settings, const Clock& clock,
              const LocaleValues& locale, QWidget* parent = nullptr);

    // Shows the filter's dates and currency, and the currency list anew.
    void refill();
    // Shows what the report just built adds up to.
    void showReport(ReportModel& model);
    QString sumText() const;
    // Applies a named period as the list does; false when it could not be placed.
    bool choosePeriod(int index);
    void showSumPopup();

Q_SIGNALS:
    void filterChanged();

private:
    void dateChanged();
    void currencyChosen(int index);
    void showDates();

    ReportFilter& m_filter;
    CurrencyCache& m_currencies;
    ReportSettings& m_settings;
    const Clock& m_clock;
    const LocaleValues& m_locale;
    QToolButton* m_period;
    QDateEdit* m_from;
    QDateEdit* m_to;
    QComboBox* m_currency;
    QToolButton* m_sum;
    ReportModel* m_shown = nullptr;
    bool m_filling = false;
};
