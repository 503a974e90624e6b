#pragma once

#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Interaction.h"
#include "platform/LocaleValues.h"
#include "reference/Categories.h"
#include "reference/ContactPicker.h"
#include "reference/CurrencyCache.h"
#include "reference/ProjectTotals.h"
#include "reference/Projects.h"
#include "reference/ui/EntryFieldsEditor.h"

#include <QObject>

#include <functional>

class CalcEdit;
class ContactSelectDialog;
class QHBoxLayout;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QToolButton;
class QWidget;
class TreeSelectDialog;

// What the form needs besides its editor; all owned by the caller and
// outliving the form.
struct EntryFieldsContext {
    Categories& categories;
    Projects& projects;
    ProjectTotals& totals;
    const CurrencyCache& currencies;
    // The book's default currency, in which the "[Transfers]" branch sums.
    std::function<QString()> defaultCurrency;
    const LocaleValues& locale;
    const Clock& clock;
    Interaction& ui;
    QString contactsPath;
    CodePage codePage;
};

// The fields a transaction and a plan share, built once for both editors:
// the header (Description, the calculator Amount, Deposit/Payment) and the
// "Category" page (Category or [transfer] with type-ahead, Project and Contact,
// each with its picker, and Note). Backspace or Delete in a picker field
// empties it as a whole. The editor panel places the two widgets and adds its
// own pages; every edit goes straight into the editor.
class EntryFieldsForm : public QObject {
    Q_OBJECT
public:
    EntryFieldsForm(EntryFieldsContext context, EntryFieldsEditor& editor, QWidget* parent);
    ~EntryFieldsForm() override;

    QWidget* header() const { return m_header; }
    QWidget* categoryPage() const { return m_page; }
    // The row of Amount and Deposit/Payment, where a panel adds its own controls.
    QHBoxLayout* signRow() const { return m_signRow; }

    // Shows what the editor holds in every field of the form.
    void showEditor();
    void showSign();
    // Category, Project, Contact and the Description a category may fill.
    void showCategoryFields();

    QLineEdit* description() const { return m_description; }
    CalcEdit* amount() const { return m_amount; }
    QRadioButton* depositButton() const { return m_deposit; }
    QRadioButton* paymentButton() const { return m_payment; }
    QLineEdit* category() const { return m_category; }
    QLineEdit* project() const { return m_project; }
    QLineEdit* contact() const { return m_contact; }
    QPlainTextEdit* note() const { return m_note; }
    QToolButton* categoryPickerButton() const { return m_categoryPick; }
    QToolButton* projectPickerButton() const { return m_projectPick; }
    QToolButton* contactPickerButton() const { return m_contactPick; }
    TreeSelectDialog* categoryPicker() const { return m_categoryDialog; }
    TreeSelectDialog* projectPicker() const { return m_projectDialog; }
    ContactSelectDialog* contactPicker() const { return m_contactDialog; }

    void pickCategory();
    void pickProject();
    void pickContact();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildHeader(QWidget* parent);
    void buildCategoryPage();
    void connectEdits();
    void amountEdited(const QString& typed);
    void categoryEdited(const QString& typed);
    void showDescription();
    void enablePickerEditing();
    FileTime today() const;

    EntryFieldsContext m_context;
    EntryFieldsEditor& m_editor;
    ContactPicker m_contacts;
    bool m_filling = false;
    QWidget* m_header = nullptr;
    QHBoxLayout* m_signRow = nullptr;
    QWidget* m_page = nullptr;
    QLineEdit* m_description = nullptr;
    CalcEdit* m_amount = nullptr;
    QRadioButton* m_deposit = nullptr;
    QRadioButton* m_payment = nullptr;
    QLineEdit* m_category = nullptr;
    QLineEdit* m_project = nullptr;
    QLineEdit* m_contact = nullptr;
    QPlainTextEdit* m_note = nullptr;
    QToolButton* m_categoryPick = nullptr;
    QToolButton* m_projectPick = nullptr;
    QToolButton* m_contactPick = nullptr;
    TreeSelectDialog* m_categoryDialog = nullptr;
    TreeSelectDialog* m_projectDialog = nullptr;
    ContactSelectDialog* m_contactDialog = nullptr;
};
