#pragma once

#include "planning/FutureBar.h"
#include "platform/Clock.h"

#include <QWidget>

#include <functional>

class QDateEdit;
class QPushButton;

// The future bar of the account page, as widgets: "for" with the horizon's
// date picker, the today button (pressed while the horizon is today) and the
// prognosis label, whose tap opens the "Balance of Planned Transactions"
// popup with the categories. Choosing a date builds the future list up to it.
class FutureBarWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* ForText = "for";
    static constexpr const char* TodayText = "Today";

    // What the bar works with; all owned by the caller and outliving the bar.
    struct Context {
        FutureList& future;
        const CurrencyCache& currencies;
        Categories& categories;
        const LocaleValues& locale;
        const Clock& clock;
        // The shown account's currency code.
        std::function<QString()> currency;
    };

    explicit FutureBarWidget(Context context, QWidget* parent = nullptr);

    QDateEdit* horizonPicker() const { return m_date; }
    QPushButton* todayButton() const { return m_today; }
    QPushButton* prognosisLabel() const { return m_prognosis; }

    // Shows the horizon and the prognosis again (the list or the account changed).
    void refresh();
    // Builds the list up to `day` (not forced: an earlier day shrinks it).
    bool chooseDay(FileTime day);
    void showPopup();

Q_SIGNALS:
    // The future list was built up to another day: the register shows other rows.
    void horizonChanged();

private:
    FileTime now() const;

    FutureBar m_bar;
    const Clock& m_clock;
    std::function<QString()> m_currency;
    bool m_filling = false;
    QDateEdit* m_date;
    QPushButton* m_today;
    QPushButton* m_prognosis;
};
