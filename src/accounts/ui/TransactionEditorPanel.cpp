#include "accounts/ui/TransactionEditorPanel.h"

#include "accounts/RegisterInfo.h"
#include "reference/ui/EntryFieldsForm.h"
#include "toolkit/ui/CalcEdit.h"
#include "toolkit/ui/CalendarDay.h"
#include "toolkit/ui/Named.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
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

TransactionEditorPanel::TransactionEditorPanel(EditorPanelContext context, QWidget* parent)
    : QWidget(parent), m_context(std::move(context)), m_editor(m_context.editor), m_fieldsEditor(m_editor),
      m_fields(new EntryFieldsForm(m_context.fields, m_fieldsEditor, this))
{
    setObjectName(QStringLiteral("TransactionEditorPanel"));
    setAccessibleName(QStringLiteral("Transaction"));
    m_pages = new QTabWidget(this);
    m_pages->setAccessibleName(QStringLiteral("Editor pages"));
    m_pages->addTab(m_fields->categoryPage(), QStringLiteral("Category"));
    m_pages->addTab(buildSecondPage(), QStringLiteral("Date"));

    m_ok = named(new QPushButton(QStringLiteral("OK"), this), "OK");
    m_cancel = named(new QPushButton(QStringLiteral("Cancel"), this), "Cancel");
    connect(m_ok, &QPushButton::clicked, this, [this] { save(false); });
    connect(m_cancel, &QPushButton::clicked, this, &TransactionEditorPanel::cancel);
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
    setTabOrder(m_fields->description(), m_fields->amount());
    setTabOrder(m_fields->amount(), m_fields->depositButton());
    setTabOrder(m_fields->depositButton(), m_fields->paymentButton());
    setTabOrder(m_fields->paymentButton(), m_fields->category());
    setEnabled(false);
}

TransactionEditorPanel::~TransactionEditorPanel() = default;

QWidget* TransactionEditorPanel::buildSecondPage()
{
    auto* page = new QWidget;
    m_date = named(new QDateEdit(page), "Date");
    m_date->setDisplayFormat(text(DateFormat));
    m_date->setCalendarPopup(true);
    m_date->setMinimumDate(QDate(MinYear, 1, 1));
    m_date->setMaximumDate(QDate(MaxYear, 12, 31));
    m_today = named(new QPushButton(QStringLiteral("Today"), page), "Today");
    m_nextNumber = named(new QPushButton(QStringLiteral("(+) No:"), page), "Next number");
    m_number = named(new QLineEdit(page), "No");
    m_mark = named(new QComboBox(page), "Mark As");
    for (ReconcileMark mark :
         {ReconcileMark::Unreconciled, ReconcileMark::Cleared, ReconcileMark::Reconciled})
        m_mark->addItem(RegisterInfo::markLabel(mark), static_cast<int>(mark));
    auto* form = new QFormLayout(page);
    form->setContentsMargins(2, 4, 2, 2);
    form->addRow(QStringLiteral("Date:"), m_date);
    form->addRow(QString(), m_today);
    form->addRow(m_nextNumber, m_number);
    form->addRow(QStringLiteral("Mark As:"), m_mark);
    return page;
}

void TransactionEditorPanel::connectEdits()
{
    connect(m_date, &QDateEdit::dateChanged, this, [this](QDate date) {
        if (m_filling)
            return;
        if (const std::optional<FileTime> day = dayOf(date))
            m_editor.setDate(*day);
    });
    connect(m_today, &QPushButton::clicked, this, [this] { m_date->setDate(dateOf(today())); });
    connect(m_nextNumber, &QPushButton::clicked, this, &TransactionEditorPanel::takeNextNumber);
    connect(m_number, &QLineEdit::textEdited, this, [this](const QString& t) { m_editor.setNumber(t); });
    connect(m_mark, &QComboBox::activated, this, [this](int index) {
        m_editor.setMark(static_cast<ReconcileMark>(m_mark->itemData(index).toInt()));
    });
}

bool TransactionEditorPanel::load(qint64 row)
{
    const bool loaded = m_editor.load(row);
    showEditor();
    return loaded;
}

void TransactionEditorPanel::showEditor()
{
    m_filling = true;
    const bool loaded = m_editor.mode() != TransactionEditor::Mode::None;
    setEnabled(loaded);
    m_fields->showEditor();
    m_date->setDate(dateOf(loaded ? m_editor.date() : today()));
    m_number->setText(m_editor.number());
    m_number->setCursorPosition(0);
    m_mark->setCurrentIndex(m_mark->findData(static_cast<int>(m_editor.mark())));
    m_filling = false;
}

bool TransactionEditorPanel::save(bool forced)
{
    if (m_editor.mode() == TransactionEditor::Mode::None)
        return false;
    TransactionEditor::Result result;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        result = m_editor.save(forced);
        QApplication::restoreOverrideCursor();
    }
    switch (result.outcome) {
    case EditorOutcome::Saved:
        showEditor();
        Q_EMIT saved(m_editor.row());
        return true;
    case EditorOutcome::Refused:
        // The editor has said why; the user goes on in the field at fault.
        if (result.focus)
            focusField(*result.focus);
        break;
    case EditorOutcome::Failed:
        if (!result.message.isEmpty())
            m_context.fields.ui.showMessage(result.message, Interaction::Icon::Exclamation);
        break;
    case EditorOutcome::Unchanged:
        if (m_editor.foundNothingToSave())
            showEditor();
        break;
    }
    return false;
}

void TransactionEditorPanel::cancel()
{
    m_editor.cancel();
    showEditor();
}

void TransactionEditorPanel::switchPage()
{
    m_pages->setCurrentIndex(m_pages->currentIndex() == 0 ? 1 : 0);
}

void TransactionEditorPanel::takeNextNumber()
{
    if (m_editor.mode() == TransactionEditor::Mode::None)
        return;
    m_editor.takeNextNumber();
    m_number->setText(m_editor.number());
}

QWidget* TransactionEditorPanel::fieldWidget(Field field) const
{
    switch (field) {
    case Field::Description:
        return m_fields->description();
    case Field::Amount:
        return m_fields->amount();
    case Field::Project:
        return m_fields->project();
    case Field::Contact:
        return m_fields->contact();
    case Field::Category:
        return m_fields->category();
    case Field::Note:
        return m_fields->note();
    case Field::Date:
        return m_date;
    case Field::Mark:
        return m_mark;
    case Field::Number:
        return m_number;
    }
    return m_fields->description();
}

void TransactionEditorPanel::focusField(Field field)
{
    const bool secondPage = field == Field::Date || field == Field::Mark || field == Field::Number;
    const bool firstPage = field == Field::Category || field == Field::Project || field == Field::Contact ||
                           field == Field::Note;
    if (secondPage)
        m_pages->setCurrentIndex(1);
    else if (firstPage)
        m_pages->setCurrentIndex(0);
    QWidget* widget = fieldWidget(field);
    widget->setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        line->selectAll();
}

FileTime TransactionEditorPanel::today() const
{
    return fileTimeNow(m_context.fields.clock).value_or(0);
}

QRadioButton* TransactionEditorPanel::depositButton() const
{
    return m_fields->depositButton();
}

QRadioButton* TransactionEditorPanel::paymentButton() const
{
    return m_fields->paymentButton();
}

QToolButton* TransactionEditorPanel::categoryPickerButton() const
{
    return m_fields->categoryPickerButton();
}

QToolButton* TransactionEditorPanel::projectPickerButton() const
{
    return m_fields->projectPickerButton();
}

QToolButton* TransactionEditorPanel::contactPickerButton() const
{
    return m_fields->contactPickerButton();
}

TreeSelectDialog* TransactionEditorPanel::categoryPicker() const
{
    return m_fields->categoryPicker();
}

TreeSelectDialog* TransactionEditorPanel::projectPicker() const
{
    return m_fields->projectPicker();
}

ContactSelectDialog* TransactionEditorPanel::contactPicker() const
{
    return m_fields->contactPicker();
}
