#include "reports/ui/PeriodBar.h"

#include "platform/Clock.h"
#include "reference/CurrencyCache.h"
#include "reports/ReportFilter.h"
#include "reports/ReportPeriod.h"
#include "reports/ReportSettings.h"
#include "reports/SumPopup.h"
#include "reports/ui/ReportModel.h"
#include "store/FileTime.h"
#include "toolkit/ui/CalendarDay.h"
#include "toolkit/ui/PopupMenu.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QToolButton>

namespace {

std::optional<FileTime> fileTimeOf(const QDate& d)
{
    return fileTimeFromLocal(LocalTime{d.year(), d.month(), d.day(), 0, 0, 0, 0});
}

QDateEdit* dateField(const QString& name, QWidget* parent)
{
    auto* edit = new QDateEdit(parent);
    edit->setDisplayFormat(QStringLiteral("dd MMM yyyy"));
    edit->setCalendarPopup(true);
    edit->setMinimumDate(QDate(1601, 1, 1));
    edit->setMaximumDate(QDate(9999, 12, 31));
    edit->setAccessibleName(name);
    return edit;
}

}  // namespace

PeriodBar::PeriodBar(ReportFilter& filter, CurrencyCache& currencies, ReportSettings& settings,
                     const Clock& clock, const LocaleValues& locale, QWidget* parent)
    : QWidget(parent), m_filter(filter), m_currencies(currencies), m_settings(settings), m_clock(clock),
      m_locale(locale), m_period(new QToolButton(this)), m_from(dateField(QStringLiteral("From"), this)),
      m_to(dateField(QStringLiteral("to"), this)), m_currency(new QComboBox(this)),
      m_sum(new QToolButton(this))
{
    setAccessibleName(QStringLiteral("Period"));
    m_period->setText(QString::fromLatin1(PeriodText));
    m_period->setAccessibleName(QString::fromLatin1(PeriodText));
    auto* periods = new QMenu(m_period);
    periods->setAccessibleName(QString::fromLatin1(PeriodText));
    periods->setMinimumWidth(200);
    for (int i = 0; i < ReportPeriod::names().size(); ++i)
        periods->addAction(ReportPeriod::names()[i], this, [this, i] { choosePeriod(i); });
    // Shown without a loop of its own, so that a press by a screen reader
    // returns at once and the list's entries can be chosen next. The button
    // shows pressed while the list is open.
    m_period->setCheckable(true);
    connect(m_period, &QToolButton::toggled, this, [this, periods](bool on) {
        if (on)
            periods->popup(m_period->mapToGlobal(QPoint(0, 0)) - QPoint(0, periods->sizeHint().height()));
    });
    connect(periods, &QMenu::aboutToHide, m_period, [this] { m_period->setChecked(false); });
    m_currency->setAccessibleName(QStringLiteral("Currency"));
    auto* sumLabel = new QLabel(QString::fromLatin1(SumText), this);
    sumLabel->setBuddy(m_sum);
    m_sum->setAccessibleName(QString::fromLatin1(SumText));
    m_sum->setText(QStringLiteral("0.00"));
    QFont bold = m_sum->font();
    bold.setBold(true);
    m_sum->setFont(bold);
    m_sum->setAutoRaise(true);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 2, 2);
    row->addWidget(m_period);
    row->addWidget(m_from);
    row->addWidget(m_to);
    row->addWidget(m_currency);
    row->addStretch(1);
    row->addWidget(sumLabel);
    row->addWidget(m_sum);

    connect(m_from, &QDateEdit::dateChanged, this, &PeriodBar::dateChanged);
    connect(m_to, &QDateEdit::dateChanged, this, &PeriodBar::dateChanged);
    connect(m_currency, &QComboBox::activated, this, &PeriodBar::currencyChosen);
    connect(m_sum, &QToolButton::clicked, this, &PeriodBar::showSumPopup);
    refill();
}

void PeriodBar::refill()
{
    m_filling = true;
    {
        const QSignalBlocker block(m_currency);
        m_currency->clear();
        for (const CachedCurrency& c : m_currencies.entries())
            m_currency->addItem(c.code);
        m_currency->setCurrentIndex(m_currency->findText(m_filter.currency()));
    }
    showDates();
    m_filling = false;
}

void PeriodBar::showDates()
{
    const QSignalBlocker blockFrom(m_from);
    const QSignalBlocker blockTo(m_to);
    m_from->setDate(dateOf(m_filter.dateLow()));
    m_to->setDate(dateOf(m_filter.dateHigh()));
}

bool PeriodBar::choosePeriod(int index)
{
    if (index < 0 || index >= ReportPeriod::names().size())
        return false;
    if (!ReportPeriod::apply(m_filter, static_cast<ReportPeriod::Named>(index), m_clock.now()))
        return false;
    showDates();
    Q_EMIT filterChanged();
    return true;
}

// A low date after the high one is kept as typed: the filter then passes
// nothing and the report says "Report Empty".
void PeriodBar::dateChanged()
{
    if (m_filling)
        return;
    if (const std::optional<FileTime> low = fileTimeOf(m_from->date()))
        m_filter.setDateLow(*low);
    if (const std::optional<FileTime> high = fileTimeOf(m_to->date()))
        m_filter.setDateHigh(*high);
    Q_EMIT filterChanged();
}

void PeriodBar::currencyChosen(int index)
{
    const QString code = m_currency->itemText(index);
    if (code.isEmpty() || code == m_filter.currency())
        return;
    m_filter.setCurrency(code);
    (void)m_settings.write(ReportSettings::Text::FilterCurrency, code);
    Q_EMIT filterChanged();
}

void PeriodBar::showReport(ReportModel& model)
{
    m_shown = &model;
    m_sum->setText(model.sumText());
}

QString PeriodBar::sumText() const
{
    return m_sum->text();
}

void PeriodBar::showSumPopup()
{
    if (!m_shown)
        return;
    const PopupLines lines = SumPopup::lines(
        {m_shown->totals(), sumText(), m_shown->reportCurrency(), m_shown->countsTransactions()},
        m_currencies, m_locale);
    if (lines.empty())
        return;
    QMenu menu(this);
    menu.setAccessibleName(QString::fromLatin1(SumText));
    PopupMenu::fill(menu, lines);
    menu.exec(m_sum->mapToGlobal(QPoint(0, 0)) - QPoint(0, menu.sizeHint().height()));
}
