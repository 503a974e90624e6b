#include "reference/ui/EntryFieldsForm.h"

#include "reference/TransferBranch.h"
#include "reference/ui/ContactSelectDialog.h"
#include "reference/ui/TreeSelectDialog.h"
#include "toolkit/ui/CalcEdit.h"
#include "toolkit/ui/Named.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

namespace {

QString text(const char* latin1)
{
    return QString::fromLatin1(latin1);
}

// How the "[Transfers]" branch values the accounts: in the default currency.
TransferBranch::Valuation transferValuation(const EntryFieldsContext& context)
{
    return TransferBranch::Valuation{
        [&context](Money amount, const QString& code) {
            return context.currencies.convert(amount, code, context.defaultCurrency());
        },
        [&context](const QString& code) { return context.currencies.symbolOf(code); },
        context.defaultCurrency(), context.locale};
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

EntryFieldsForm::EntryFieldsForm(EntryFieldsContext context, EntryFieldsEditor& editor, QWidget* parent)
    : QObject(parent), m_context(std::move(context)), m_editor(editor),
      m_contacts(m_context.contactsPath, m_context.codePage)
{
    buildHeader(parent);
    buildCategoryPage();
    m_categoryDialog = new TreeSelectDialog(TreePicker::Kind::Category, parent);
    m_projectDialog = new TreeSelectDialog(TreePicker::Kind::Project, parent);
    enablePickerEditing();
    m_contactDialog = new ContactSelectDialog(m_contacts, m_context.ui, parent);
    connectEdits();
}

// The contact picker reads the form's contact list, which goes with the form.
EntryFieldsForm::~EntryFieldsForm()
{
    delete m_contactDialog;
    delete m_projectDialog;
    delete m_categoryDialog;
}

void EntryFieldsForm::buildHeader(QWidget* parent)
{
    m_header = new QWidget(parent);
    m_description = named(new QLineEdit(m_header), "Description");
    m_amount = named(new CalcEdit(m_header), "Amount");
    m_amount->setAlignment(Qt::AlignRight);
    m_deposit = named(new QRadioButton(QStringLiteral("Deposit"), m_header), "Deposit");
    m_payment = named(new QRadioButton(QStringLiteral("Payment"), m_header), "Payment");
    auto* sign = new QButtonGroup(m_header);
    sign->addButton(m_deposit);
    sign->addButton(m_payment);
    m_signRow = new QHBoxLayout;
    m_signRow->addWidget(m_amount, 1);
    m_signRow->addWidget(m_deposit);
    m_signRow->addWidget(m_payment);
    auto* layout = new QVBoxLayout(m_header);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_description);
    layout->addLayout(m_signRow);
}

void EntryFieldsForm::buildCategoryPage()
{
    m_page = new QWidget;
    m_category = named(new QLineEdit(m_page), "Category");
    m_project = named(new QLineEdit(m_page), "Project");
    m_contact = named(new QLineEdit(m_page), "Contact");
    m_note = named(new QPlainTextEdit(m_page), "Note");
    m_note->setTabChangesFocus(true);
    m_categoryPick = pickerButton("Category list", m_page);
    m_projectPick = pickerButton("Project list", m_page);
    m_contactPick = pickerButton("Contact list", m_page);
    for (QLineEdit* field : {m_category, m_project, m_contact})
        field->installEventFilter(this);
    auto* form = new QFormLayout(m_page);
    form->setContentsMargins(2, 4, 2, 2);
    form->addRow(QStringLiteral("Cat\\[Tran]:"), withButton(m_category, m_categoryPick));
    form->addRow(QStringLiteral("Project:"), withButton(m_project, m_projectPick));
    form->addRow(QStringLiteral("Contact:"), withButton(m_contact, m_contactPick));
    form->addRow(QStringLiteral("Note:"), m_note);
}

void EntryFieldsForm::connectEdits()
{
    connect(m_description, &QLineEdit::textEdited, this,
            [this](const QString& t) { m_editor.setDescription(t); });
    connect(m_amount, &QLineEdit::textEdited, this, &EntryFieldsForm::amountEdited);
    connect(m_amount, &CalcEdit::signSwitched, this, [this] {
        m_editor.setPayment(!m_editor.isPayment());
        showSign();
    });
    connect(m_deposit, &QRadioButton::clicked, this, [this] { m_editor.setPayment(false); });
    connect(m_payment, &QRadioButton::clicked, this, [this] { m_editor.setPayment(true); });
    connect(m_category, &QLineEdit::textEdited, this, &EntryFieldsForm::categoryEdited);
    connect(m_project, &QLineEdit::textEdited, this,
            [this](const QString& t) { m_editor.setProjectText(t); });
    connect(m_contact, &QLineEdit::textEdited, this, [this](const QString& t) { m_editor.setContact(t); });
    connect(m_note, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_filling)
            m_editor.setNote(m_note->toPlainText());
    });
    connect(m_categoryPick, &QToolButton::clicked, this, &EntryFieldsForm::pickCategory);
    connect(m_projectPick, &QToolButton::clicked, this, &EntryFieldsForm::pickProject);
    connect(m_contactPick, &QToolButton::clicked, this, &EntryFieldsForm::pickContact);
}

void EntryFieldsForm::showEditor()
{
    m_filling = true;
    m_description->setText(m_editor.description());
    m_amount->setText(m_editor.amountText());
    m_amount->reset();
    showSign();
    m_category->setText(m_editor.categoryText());
    m_project->setText(m_editor.projectText());
    m_contact->setText(m_editor.contact());
    m_note->setPlainText(m_editor.note());
    for (QLineEdit* field : {m_description, m_category, m_project, m_contact})
        field->setCursorPosition(0);
    m_filling = false;
}

void EntryFieldsForm::showSign()
{
    m_deposit->setChecked(!m_editor.isPayment());
    m_payment->setChecked(m_editor.isPayment());
}

void EntryFieldsForm::showDescription()
{
    if (m_description->text() != m_editor.description())
        m_description->setText(m_editor.description());
}

void EntryFieldsForm::showCategoryFields()
{
    m_category->setText(m_editor.categoryText());
    m_project->setText(m_editor.projectText());
    m_contact->setText(m_editor.contact());
    showDescription();
}

void EntryFieldsForm::amountEdited(const QString& typed)
{
    m_editor.setAmountText(typed);
    if (!typed.startsWith(u'-'))
        return;
    // The editor took the "-" as a switch of Deposit/Payment.
    showSign();
    m_amount->setText(m_editor.amountText());
    m_amount->setCursorPosition(0);
}

void EntryFieldsForm::categoryEdited(const QString& typed)
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

bool EntryFieldsForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Backspace && key->key() != Qt::Key_Delete)
        return QObject::eventFilter(watched, event);
    // Backspace or Delete empties the whole field: no category, project or contact.
    if (watched == m_category)
        m_editor.clearField(EntryFieldsEditor::Field::Category);
    else if (watched == m_project)
        m_editor.clearField(EntryFieldsEditor::Field::Project);
    else if (watched == m_contact)
        m_editor.clearField(EntryFieldsEditor::Field::Contact);
    else
        return QObject::eventFilter(watched, event);
    showCategoryFields();
    return true;
}

FileTime EntryFieldsForm::today() const
{
    return fileTimeNow(m_context.clock).value_or(0);
}

// Both pickers edit their trees.
void EntryFieldsForm::enablePickerEditing()
{
    m_categoryDialog->setEditing(
        TreeEditContext{m_context.categories.tree(),
                        TreePicker::Kind::Category,
                        m_context.ui,
                        [this](qint32) {
                            const TransferBranch::Valuation valuation = transferValuation(m_context);
                            return m_context.categories.fill(&valuation);
                        },
                        [this](qint32 id) { return m_context.categories.remove(id, m_context.ui); },
                        {}});
    m_projectDialog->setEditing(
        TreeEditContext{m_context.projects.tree(), TreePicker::Kind::Project, m_context.ui,
                        [this](qint32 selected) {
                            Projects& projects = m_context.projects;
                            return projects.fill(selected, projects.boldProjects(today()));
                        },
                        [this](qint32 id) { return m_context.projects.remove(id, m_context.ui); },
                        [this] {
                            return TreePasteTotals{&m_context.totals, m_context.defaultCurrency()};
                        }});
}

void EntryFieldsForm::pickCategory()
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

void EntryFieldsForm::pickProject()
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

void EntryFieldsForm::pickContact()
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
