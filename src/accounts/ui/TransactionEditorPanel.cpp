#include "accounts/ui/TransactionEditorPanel.h"

#include "accounts/RegisterInfo.h"
#include "reference/TransferBranch.h"
#include "reference/ui/ContactSelectDialog.h"
#include "reference/ui/TreeSelectDialog.h"
#include "toolkit/ui/CalcEdit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString text(const char* latin1)
{
    return QString::fromLatin1(latin1);
}

template <typename W> W* named(W* widget, const char* name)
{
    widget->setAccessibleName(text(name));
    widget->setObjectName(text(name));
    return widget;
}

// How the "[Transfers]" branch values the accounts: in the default currency.
TransferBranch::Valuation transferValuation(const EditorPanelContext& context)
{
    return TransferBranch::Valuation{
        [&context](Money amount, const QString& code) {
            return context.currencies.convert(amount, code, context.defaultCurrency());
        },
        [&context](const QString& code) { return context.currencies.symbolOf(code); },
        context.defaultCurrency(), context.locale};
}

QDate dateOf(FileTime time)
{
    const LocalTime t = localFromFileTime(time);
    return QDate(t.year, t.month, t.day);
}

std::optional<FileTime> dayOf(QDate date)
{
    return fileTimeFromLocal(LocalTime{date.year(), date.month(), date.day()});
}

// The button beside a field that opens its picker.
QToolButton* pickerButton(const char* name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(QStringLiteral("..."));
    button->setAccessibleName(text(name));
    button->setToolTip(text(name));
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QWidget* withButton(QWidget* field, QWidget* button)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(field, 1);
    layout->addWidget(button);
    return row;
}

}  // namespace

TransactionEditorPanel::TransactionEditorPanel(EditorPanelContext context, QWidget* parent)
    : QWidget(parent), m_context(std::move(context)), m_editor(m_context.editor),
      m_contacts(m_context.contactsPath, m_context.codePage)
{
    setObjectName(QStringLiteral("TransactionEditorPanel"));
    setAccessibleName(QStringLiteral("Transaction"));
    m_pages = new QTabWidget(this);
    m_pages->setAccessibleName(QStringLiteral("Editor pages"));
    QWidget* header = buildHeader();
    m_pages->addTab(buildFirstPage(), QStringLiteral("Category"));
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
    layout->addWidget(header);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    m_categoryDialog = new TreeSelectDialog(TreePicker::Kind::Category, this);
    m_projectDialog = new TreeSelectDialog(TreePicker::Kind::Project, this);
    enablePickerEditing();
    m_contactDialog = new ContactSelectDialog(m_contacts, m_context.ui, this);
    connectEdits();
    setTabOrder(m_description, m_amount);
    setTabOrder(m_amount, m_deposit);
    setTabOrder(m_deposit, m_payment);
    setTabOrder(m_payment, m_category);
    setEnabled(false);
}

TransactionEditorPanel::~TransactionEditorPanel() = default;

QWidget* TransactionEditorPanel::buildHeader()
{
    auto* header = new QWidget(this);
    m_description = named(new QLineEdit(header), "Description");
    m_amount = named(new CalcEdit(header), "Amount");
    m_amount->setAlignment(Qt::AlignRight);
    m_deposit = named(new QRadioButton(QStringLiteral("Deposit"), header), "Deposit");
    m_payment = named(new QRadioButton(QStringLiteral("Payment"), header), "Payment");
    auto* sign = new QButtonGroup(header);
    sign->addButton(m_deposit);
    sign->addButton(m_payment);
    auto* signRow = new QHBoxLayout;
    signRow->addWidget(m_amount, 1);
    signRow->addWidget(m_deposit);
    signRow->addWidget(m_payment);
    auto* layout = new QVBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_description);
    layout->addLayout(signRow);
    return header;
}

QWidget* TransactionEditorPanel::buildFirstPage()
{
    auto* page = new QWidget;
    m_category = named(new QLineEdit(page), "Category");
    m_project = named(new QLineEdit(page), "Project");
    m_contact = named(new QLineEdit(page), "Contact");
    m_note = named(new QPlainTextEdit(page), "Note");
    m_note->setTabChangesFocus(true);
    m_categoryPick = pickerButton("Category list", page);
    m_projectPick = pickerButton("Project list", page);
    m_contactPick = pickerButton("Contact list", page);
    for (QLineEdit* field : {m_category, m_project, m_contact})
        field->installEventFilter(this);
    auto* form = new QFormLayout(page);
    form->setContentsMargins(2, 4, 2, 2);
    form->addRow(QStringLiteral("Cat\\[Tran]:"), withButton(m_category, m_categoryPick));
    form->addRow(QStringLiteral("Project:"), withButton(m_project, m_projectPick));
    form->addRow(QStringLiteral("Contact:"), withButton(m_contact, m_contactPick));
    form->addRow(QStringLiteral("Note:"), m_note);
    return page;
}

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
    connect(m_description, &QLineEdit::textEdited, this,
            [this](const QString& t) { m_editor.setDescription(t); });
    connect(m_amount, &QLineEdit::textEdited, this, &TransactionEditorPanel::amountEdited);
    connect(m_amount, &CalcEdit::signSwitched, this, [this] {
        m_editor.setPayment(!m_editor.isPayment());
        showSign();
    });
    connect(m_deposit, &QRadioButton::clicked, this, [this] { m_editor.setPayment(false); });
    connect(m_payment, &QRadioButton::clicked, this, [this] { m_editor.setPayment(true); });
    connect(m_category, &QLineEdit::textEdited, this, &TransactionEditorPanel::categoryEdited);
    connect(m_project, &QLineEdit::textEdited, this,
            [this](const QString& t) { m_editor.setProjectText(t); });
    connect(m_contact, &QLineEdit::textEdited, this, [this](const QString& t) { m_editor.setContact(t); });
    connect(m_note, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_filling)
            m_editor.setNote(m_note->toPlainText());
    });
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
    connect(m_categoryPick, &QToolButton::clicked, this, &TransactionEditorPanel::pickCategory);
    connect(m_projectPick, &QToolButton::clicked, this, &TransactionEditorPanel::pickProject);
    connect(m_contactPick, &QToolButton::clicked, this, &TransactionEditorPanel::pickContact);
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
    m_description->setText(m_editor.description());
    m_amount->setText(m_editor.amountText());
    m_amount->reset();
    showSign();
    m_category->setText(m_editor.categoryText());
    m_project->setText(m_editor.projectText());
    m_contact->setText(m_editor.contact());
    m_note->setPlainText(m_editor.note());
    m_date->setDate(dateOf(loaded ? m_editor.date() : today()));
    m_number->setText(m_editor.number());
    m_mark->setCurrentIndex(m_mark->findData(static_cast<int>(m_editor.mark())));
    for (QLineEdit* field : {m_description, m_category, m_project, m_contact, m_number})
        field->setCursorPosition(0);
    m_filling = false;
}

void TransactionEditorPanel::showSign()
{
    m_deposit->setChecked(!m_editor.isPayment());
    m_payment->setChecked(m_editor.isPayment());
}

void TransactionEditorPanel::showDescription()
{
    if (m_description->text() != m_editor.description())
        m_description->setText(m_editor.description());
}

void TransactionEditorPanel::showCategoryFields()
{
    m_category->setText(m_editor.categoryText());
    m_project->setText(m_editor.projectText());
    m_contact->setText(m_editor.contact());
    showDescription();
}

void TransactionEditorPanel::amountEdited(const QString& typed)
{
    m_editor.setAmountText(typed);
    if (!typed.startsWith(u'-'))
        return;
    // The editor took the "-" as a switch of Deposit/Payment.
    showSign();
    m_amount->setText(m_editor.amountText());
    m_amount->setCursorPosition(0);
}

void TransactionEditorPanel::categoryEdited(const QString& typed)
{
    m_editor.setCategoryText(typed);
    // Type-ahead: complete a text typed at its end to the first path it starts.
    if (!typed.isEmpty() && m_category->cursorPosition() == typed.size()) {
        if (const auto completion = m_context.categories.complete(typed, true)) {
            m_category->setText(completion->text);
            m_category->setSelection(static_cast<int>(completion->selectFrom),
                                     static_cast<int>(completion->text.size() - completion->selectFrom));
            m_editor.setCategoryText(completion->text);
        }
    }
    showDescription();
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
            m_context.ui.showMessage(result.message, Interaction::Icon::Exclamation);
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
        return m_description;
    case Field::Amount:
        return m_amount;
    case Field::Project:
        return m_project;
    case Field::Contact:
        return m_contact;
    case Field::Category:
        return m_category;
    case Field::Note:
        return m_note;
    case Field::Date:
        return m_date;
    case Field::Mark:
        return m_mark;
    case Field::Number:
        return m_number;
    }
    return m_description;
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

bool TransactionEditorPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Backspace && key->key() != Qt::Key_Delete)
        return QWidget::eventFilter(watched, event);
    // Backspace or Delete empties the whole field: no category, project or contact.
    if (watched == m_category)
        m_editor.clearField(Field::Category);
    else if (watched == m_project)
        m_editor.clearField(Field::Project);
    else if (watched == m_contact)
        m_editor.clearField(Field::Contact);
    else
        return QWidget::eventFilter(watched, event);
    showCategoryFields();
    return true;
}

FileTime TransactionEditorPanel::today() const
{
    return fileTimeNow(m_context.clock).value_or(0);
}

// Both pickers edit their trees. A project that moved takes its sums to
// other ancestors, so every project's totals are computed again.
void TransactionEditorPanel::enablePickerEditing()
{
    Categories& categories = m_context.categories;
    m_categoryDialog->setEditing(
        TreeEditContext{categories.tree(),
                        TreePicker::Kind::Category,
                        m_context.ui,
                        [this](qint32) {
                            const TransferBranch::Valuation valuation = transferValuation(m_context);
                            return m_context.categories.fill(&valuation);
                        },
                        [this](qint32 id) { return m_context.categories.remove(id, m_context.ui); },
                        {}});
    m_projectDialog->setEditing(TreeEditContext{
        m_context.projects.tree(), TreePicker::Kind::Project, m_context.ui,
        [this](qint32 selected) {
            Projects& projects = m_context.projects;
            return projects.fill(selected, projects.boldProjects(today()));
        },
        [this](qint32 id) { return m_context.projects.remove(id, m_context.ui); },
        [this] { return m_editor.context().totals.updateAll(m_context.defaultCurrency(), nullptr); }});
}

void TransactionEditorPanel::pickCategory()
{
    const TransferBranch::Valuation valuation = transferValuation(m_context);
    const qint32 current = m_context.categories.findByPath(m_category->text());
    m_categoryPick->setDown(true);
    const qint32 chosen = m_categoryDialog->pick(m_context.categories.fill(&valuation),
                                                 m_context.categories.changeCount(), current);
    m_categoryPick->setDown(false);
    if (chosen != 0) {
        m_editor.setCategoryText(m_context.categories.pathOf(chosen));
        showCategoryFields();
    }
    m_category->setFocus();
}

void TransactionEditorPanel::pickProject()
{
    Projects& projects = m_context.projects;
    const qint32 current = projects.findByPath(m_project->text());
    const qint32 remembered = current != 0 ? current : m_projectDialog->picker().remembered();
    m_projectPick->setDown(true);
    const qint32 chosen = m_projectDialog->pick(projects.fill(remembered, projects.boldProjects(today())),
                                                projects.changeCount(), current);
    m_projectPick->setDown(false);
    if (chosen != 0) {
        m_editor.setProjectText(projects.pathOf(chosen));
        showCategoryFields();
    }
    m_project->setFocus();
}

void TransactionEditorPanel::pickContact()
{
    m_contactPick->setDown(true);
    const QString chosen = m_contactDialog->pick(m_contact->text());
    m_contactPick->setDown(false);
    if (!chosen.isEmpty()) {
        m_editor.setContact(chosen);
        showCategoryFields();
    }
    m_contact->setFocus();
}
