#include "planning/ui/PlannerEditorPanel.h"

#include "planning/RecurrenceRule.h"
#include "store/DateText.h"
#include "toolkit/ui/CalcEdit.h"
#include "toolkit/ui/CalendarDay.h"
#include "toolkit/ui/Named.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString text(const char* latin1)
{
    return QString::fromLatin1(latin1);
}

}  // namespace

PlannerEditorPanel::PlannerEditorPanel(PlannerPanelContext context, QWidget* parent)
    : QWidget(parent), m_context(std::move(context)), m_editor(m_context.editor), m_fieldsEditor(m_editor),
      m_fields(new EntryFieldsForm(m_context.fields, m_fieldsEditor, this))
{
    setObjectName(QStringLiteral("PlannerEditorPanel"));
    setAccessibleName(QStringLiteral("Time-Table"));
    addCurrency();
    m_pages = new QTabWidget(this);
    m_pages->setAccessibleName(QStringLiteral("Editor pages"));
    m_pages->addTab(m_fields->categoryPage(), QStringLiteral("Category"));
    m_pages->addTab(buildSecondPage(), QStringLiteral("Date"));
    m_pages->addTab(buildSchedulePage(), QStringLiteral("Schedule"));

    m_ok = named(new QPushButton(QStringLiteral("OK"), this), "OK");
    m_cancel = named(new QPushButton(QStringLiteral("Cancel"), this), "Cancel");
    connect(m_ok, &QPushButton::clicked, this, [this] { save(false); });
    connect(m_cancel, &QPushButton::clicked, this, &PlannerEditorPanel::cancel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(m_fields->header());
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
    connectEdits();
    connectSchedule();
}

PlannerEditorPanel::~PlannerEditorPanel() = default;

// The currency sits between the amount and its sign.
void PlannerEditorPanel::addCurrency()
{
    QWidget* header = m_fields->header();
    m_currencyList = named(new QComboBox(header), "Currency");
    for (const auto& currency : m_context.fields.currencies.entries())
        m_currencyList->addItem(currency.code, currency.code);
    m_currencyText = named(new QLabel(header), "Currency");
    m_fields->signRow()->insertWidget(1, m_currencyList);
    m_fields->signRow()->insertWidget(2, m_currencyText);
}

QWidget* PlannerEditorPanel::buildSecondPage()
{
    auto* page = new QWidget;
    m_number = named(new QLineEdit(page), "No");
    m_mark = named(new QComboBox(page), "Mark As");
    m_mark->addItem(QStringLiteral("Unreconciled"), static_cast<int>(ReconcileMark::Unreconciled));
    m_mark->addItem(QStringLiteral("Cleared (C)"), static_cast<int>(ReconcileMark::Cleared));
    m_mark->addItem(QStringLiteral("Reconciled (R)"), static_cast<int>(ReconcileMark::Reconciled));
    auto* form = new QFormLayout(page);
    form->addRow(QStringLiteral("No:"), m_number);
    form->addRow(QStringLiteral("Mark As:"), m_mark);
    return page;
}

QWidget* PlannerEditorPanel::buildSchedulePage()
{
    auto* page = new QWidget;
    m_start = named(new QDateEdit(page), "Starts");
    m_start->setCalendarPopup(true);
    m_start->setMinimumDate(QDate(MinYear, 1, 1));
    m_start->setMaximumDate(QDate(MaxYear, 12, 31));
    m_start->setDisplayFormat(QStringLiteral("ddd, dd MMM yyyy"));
    m_rule = named(new QComboBox(page), "Repeat");
    m_rule->addItems(RecurrenceRule::names());
    m_entriesMode = named(new QComboBox(page), "Entries");
    m_entriesMode->addItems({text(OngoingText), text(CountedText)});
    m_entries = named(new QLineEdit(page), CountedText);
    m_reminder = named(new QLineEdit(page), "Reminder days");
    m_preview = named(new QLabel(page), PreviewName);
    m_preview->setWordWrap(true);
    m_preview->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_preview->setFocusPolicy(Qt::TabFocus);
    auto* form = new QFormLayout(page);
    // Dates and rule names are not cut.
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(QStringLiteral("Starts:"), m_start);
    form->addRow(QStringLiteral("Repeat:"), m_rule);
    form->addRow(m_entriesMode, m_entries);
    form->addRow(QStringLiteral("Reminder (days):"), m_reminder);
    form->addRow(QStringLiteral("Next dates:"), m_preview);
    return page;
}

void PlannerEditorPanel::connectEdits()
{
    connect(m_currencyList, &QComboBox::activated, this,
            [this](int index) { m_editor.setCurrency(m_currencyList->itemData(index).toString()); });
    connect(m_number, &QLineEdit::textEdited, this, [this](const QString& t) { m_editor.setNumber(t); });
    connect(m_mark, &QComboBox::activated, this, [this](int index) {
        m_editor.setMark(static_cast<ReconcileMark>(m_mark->itemData(index).toInt()));
    });
}

void PlannerEditorPanel::connectSchedule()
{
    connect(m_start, &QDateEdit::dateChanged, this, [this](QDate date) {
        if (m_filling)
            return;
        if (const std::optional<FileTime> day = dayOf(date))
            m_editor.setStartDate(*day);
        showPreview();
    });
    connect(m_rule, &QComboBox::activated, this, [this](int index) {
        m_editor.setRule(index);
        showSchedule();
    });
    connect(m_entriesMode, &QComboBox::activated, this, [this](int index) {
        if (index == 0)
            m_editor.setOngoing();
        else
            takeCount(m_entries, m_editor.setEntriesText(m_entries->text()));
        showSchedule();
    });
    connect(m_entries, &QLineEdit::editingFinished, this, [this] {
        if (m_filling || m_editor.rule() == RecurrenceRule::OnlyOnce)
            return;
        takeCount(m_entries, m_editor.setEntriesText(m_entries->text()));
        showPreview();
    });
    connect(m_reminder, &QLineEdit::editingFinished, this,
            [this] { takeCount(m_reminder, m_editor.setReminderDaysText(m_reminder->text())); });
}

void PlannerEditorPanel::takeCount(QLineEdit* field, CorrectedCount count)
{
    if (count.corrected)
        field->setText(QString::number(count.value));
}

bool PlannerEditorPanel::load(qint32 id)
{
    if (!m_editor.load(id)) {
        loadNew();
        return false;
    }
    showEditor();
    return true;
}

void PlannerEditorPanel::loadNew()
{
    m_editor.loadNew(m_context.fields.defaultCurrency());
    showEditor();
}

void PlannerEditorPanel::showEditor()
{
    m_filling = true;
    m_fields->showEditor();
    const bool fixed = m_editor.isCurrencyFixed();
    m_currencyList->setVisible(!fixed);
    m_currencyText->setVisible(fixed);
    m_currencyText->setText(m_editor.currency());
    m_currencyList->setCurrentIndex(m_currencyList->findData(m_editor.currency()));
    m_number->setText(m_editor.number());
    m_mark->setCurrentIndex(m_mark->findData(static_cast<int>(m_editor.mark())));
    m_reminder->setText(QString::number(m_editor.reminderDays()));
    m_filling = false;
    showSchedule();
}

void PlannerEditorPanel::showSchedule()
{
    m_filling = true;
    m_start->setDate(dateOf(m_editor.startDate()));
    m_rule->setCurrentIndex(m_editor.rule());
    // "Only once" has its single entry: the count is not asked.
    const bool repeats = m_editor.rule() != RecurrenceRule::OnlyOnce;
    const bool ongoing = m_editor.entries() == RecurrenceRule::Ongoing;
    m_entriesMode->setVisible(repeats);
    m_entriesMode->setCurrentIndex(ongoing ? 0 : 1);
    m_entries->setVisible(repeats && !ongoing);
    if (!ongoing)
        m_entries->setText(QString::number(m_editor.entries()));
    else if (m_entries->text().isEmpty())
        m_entries->setText(QStringLiteral("1"));
    m_filling = false;
    showPreview();
}

QStringList PlannerEditorPanel::previewDates() const
{
    QStringList dates;
    const std::optional<qint64> limit = RecurrenceRule::occurrenceLimit(m_editor.rule(), m_editor.entries());
    const qint64 shown = std::min<qint64>(PreviewCount, limit.value_or(PreviewCount));
    for (qint64 n = 0; n < shown; ++n) {
        const std::optional<FileTime> date =
            RecurrenceRule::occurrenceDate(m_editor.rule(), m_editor.startDate(), n);
        // The calendar ends: nothing falls after its last day.
        if (!date)
            break;
        dates << dateWithWeekday(*date, m_context.fields.locale);
    }
    return dates;
}

void PlannerEditorPanel::showPreview()
{
    QStringList dates = previewDates();
    const std::optional<qint64> limit = RecurrenceRule::occurrenceLimit(m_editor.rule(), m_editor.entries());
    if (!limit || *limit > dates.size())
        dates << QStringLiteral("...");
    m_preview->setText(dates.join(u'\n'));
    m_preview->setAccessibleDescription(dates.join(QStringLiteral(", ")));
}

void PlannerEditorPanel::takeTypedCounts()
{
    const bool counted =
        m_editor.rule() != RecurrenceRule::OnlyOnce && m_editor.entries() != RecurrenceRule::Ongoing;
    if (counted && m_entries->text() != QString::number(m_editor.entries()))
        takeCount(m_entries, m_editor.setEntriesText(m_entries->text()));
    if (m_reminder->text() != QString::number(m_editor.reminderDays()))
        takeCount(m_reminder, m_editor.setReminderDaysText(m_reminder->text()));
}

bool PlannerEditorPanel::save(bool forced)
{
    // A count still being typed (a page switch leaves no time to finish it) counts.
    takeTypedCounts();
    if (forced && !m_editor.anyChanged())
        return false;
    const PlannerEditor::Result result = m_editor.save();
    if (!result.isSaved()) {
        if (const std::optional<Field> field = m_editor.focusField())
            focusField(*field);
        return false;
    }
    showEditor();
    Q_EMIT saved(m_editor.plannerId());
    return true;
}

void PlannerEditorPanel::cancel()
{
    m_editor.cancel();
    showEditor();
}

void PlannerEditorPanel::switchPage()
{
    m_pages->setCurrentIndex((m_pages->currentIndex() + 1) % m_pages->count());
}

QWidget* PlannerEditorPanel::fieldWidget(Field field) const
{
    switch (field) {
    case Field::Description:
        return m_fields->description();
    case Field::Amount:
        return m_fields->amount();
    case Field::Currency:
        return m_currencyList;
    case Field::Category:
        return m_fields->category();
    case Field::Project:
        return m_fields->project();
    case Field::Contact:
        return m_fields->contact();
    case Field::Note:
        return m_fields->note();
    case Field::Number:
        return m_number;
    case Field::Mark:
        return m_mark;
    case Field::Reminder:
        return m_reminder;
    case Field::Schedule:
        return m_rule;
    case Field::Date:
        return m_start;
    }
    return nullptr;
}

void PlannerEditorPanel::focusField(Field field)
{
    QWidget* widget = fieldWidget(field);
    for (int i = 0; i < m_pages->count(); ++i)
        if (m_pages->widget(i)->isAncestorOf(widget))
            m_pages->setCurrentIndex(i);
    widget->setFocus();
}

QRadioButton* PlannerEditorPanel::depositButton() const
{
    return m_fields->depositButton();
}

QRadioButton* PlannerEditorPanel::paymentButton() const
{
    return m_fields->paymentButton();
}
