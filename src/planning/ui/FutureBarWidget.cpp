#include "planning/ui/FutureBarWidget.h"

#include "planning/ui/PlannedBalancePopup.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

FutureBarWidget::FutureBarWidget(Context context, QWidget* parent)
    : QWidget(parent), m_bar(context.future, context.currencies, context.categories, context.locale),
      m_clock(context.clock), m_currency(std::move(context.currency)), m_date(new QDateEdit(this)),
      m_today(new QPushButton(QString::fromLatin1(TodayText), this)), m_prognosis(new QPushButton(this))
{
    setAccessibleName(QStringLiteral("Future bar"));
    auto* label = new QLabel(QString::fromLatin1(ForText), this);
    label->setBuddy(m_date);
    m_date->setAccessibleName(QStringLiteral("Planned up to"));
    m_date->setCalendarPopup(true);
    m_date->setMinimumDate(QDate(MinYear, 1, 1));
    m_date->setMaximumDate(QDate(MaxYear, 12, 31));
    m_date->setDisplayFormat(QStringLiteral("ddd, dd MMM yyyy"));
    m_today->setAccessibleName(QString::fromLatin1(TodayText));
    m_today->setCheckable(true);
    m_prognosis->setFlat(true);
    m_prognosis->setAccessibleName(QString::fromLatin1(Prognosis::LabelWord));
    m_prognosis->setStyleSheet(QStringLiteral("text-align: left; padding: 2px 6px;"));

    connect(m_date, &QDateEdit::dateChanged, this, [this](QDate date) {
        if (m_filling)
            return;
        if (const std::optional<FileTime> day =
                fileTimeFromLocal(LocalTime{date.year(), date.month(), date.day()}))
            chooseDay(*day);
    });
    connect(m_today, &QPushButton::clicked, this, [this] { chooseDay(now()); });
    connect(m_prognosis, &QPushButton::clicked, this, &FutureBarWidget::showPopup);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_prognosis, 1);
    layout->addWidget(label);
    layout->addWidget(m_date);
    layout->addWidget(m_today);
    refresh();
}

FileTime FutureBarWidget::now() const
{
    return fileTimeFromLocal(m_clock.now()).value_or(0);
}

void FutureBarWidget::refresh()
{
    m_filling = true;
    const LocalTime horizon = localFromFileTime(m_bar.horizon());
    m_date->setDate(QDate(horizon.year, horizon.month, horizon.day));
    m_today->setChecked(m_bar.todayPressed(now()));
    m_prognosis->setText(m_bar.label(m_currency()));
    m_filling = false;
}

bool FutureBarWidget::chooseDay(FileTime day)
{
    const FileTime before = m_bar.horizon();
    const bool built = m_bar.setHorizon(day);
    refresh();
    if (built && m_bar.horizon() != before)
        Q_EMIT horizonChanged();
    return built;
}

void FutureBarWidget::showPopup()
{
    PlannedBalancePopup::open(*m_prognosis, m_bar.prognosis(),
                              PlannedBalancePopup::Request{m_bar.horizon(), m_currency(), true});
}
