#pragma once

#include "accounts/TransactionEditor.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Interaction.h"
#include "platform/LocaleValues.h"
#include "reference/Categories.h"
#include "reference/ContactPicker.h"
#include "reference/CurrencyCache.h"
#include "reference/Projects.h"
#include "store/DbTable.h"

#include <QWidget>

#include <functional>

class CalcEdit;
class ContactSelectDialog;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class TreeSelectDialog;

// What the panel needs besides its editor; all owned by the caller and
// outliving the panel.
struct EditorPanelContext {
    TransactionEditor& editor;
    Categories& categories;
    Projects& projects;
    CurrencyCache& currencies;
    DbTable& accounts;
    // The book's default currency, in which the "[Transfers]" branch sums.
    std::function<QString()> defaultCurrency;
    const LocaleValues& locale;
    const Clock& clock;
    Interaction& ui;
    QString contactsPath;
    CodePage codePage;
};

// The property panel beside the register: the transaction editor's fields.
// The header holds Description, the calculator Amount and Deposit/Payment;
// page 1 Category or [transfer], Project, Contact (each with its picker) and
// Note; page 2 Date, the number with "(+) No:" and Mark As. Every edit goes
// straight into the TransactionEditor, which holds every rule; the panel shows
// what it holds after each load, save and rule that rewrites a field.
class TransactionEditorPanel : public QWidget {
    Q_OBJECT
public:
    using Field = TransactionEditor::Field;
    static constexpr const char* DateFormat = " dddd, dd MMM yyyy";

    explicit TransactionEditorPanel(EditorPanelContext context, QWidget* parent = nullptr);
    ~TransactionEditorPanel() override;

    // Loads a register row and shows it; false (fields emptied) for none.
    bool load(qint64 row);
    // Shows what the editor holds, its changes kept.
    void showEditor();
    // OK (unforced) or the list taking the focus back (forced). True when
    // something was written; a refused save puts the focus on the field named.
    bool save(bool forced);
    // Cancel: every change dropped, the row shown again.
    void cancel();
    void switchPage();
    // "(+) No:".
    void takeNextNumber();
    void focusField(Field field);

    QWidget* fieldWidget(Field field) const;
    QRadioButton* depositButton() const { return m_deposit; }
    QRadioButton* paymentButton() const { return m_payment; }
    QTabWidget* pages() const { return m_pages; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }
    QToolButton* categoryPickerButton() const { return m_categoryPick; }
    QToolButton* projectPickerButton() const { return m_projectPick; }
    QToolButton* contactPickerButton() const { return m_contactPick; }
    QPushButton* todayButton() const { return m_today; }
    QPushButton* nextNumberButton() const { return m_nextNumber; }
    TreeSelectDialog* categoryPicker() const { return m_categoryDialog; }
    TreeSelectDialog* projectPicker() const { return m_projectDialog; }
    ContactSelectDialog* contactPicker() const { return m_contactDialog; }

Q_SIGNALS:
    // Something was written; `row` is the register row the editor now holds.
    void saved(qint64 row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildFirstPage();
    QWidget* buildSecondPage();
    void connectEdits();
    void amountEdited(const QString& text);
    void categoryEdited(const QString& text);
    void showSign();
    void showDescription();
    void showCategoryFields();
    void enablePickerEditing();
    void pickCategory();
    void pickProject();
    void pickContact();
    FileTime today() const;

    EditorPanelContext m_context;
    TransactionEditor& m_editor;
    bool m_filling = false;
    QLineEdit* m_description;
    CalcEdit* m_amount;
    QRadioButton* m_deposit;
    QRadioButton* m_payment;
    QTabWidget* m_pages;
    QLineEdit* m_category;
    QLineEdit* m_project;
    QLineEdit* m_contact;
    QPlainTextEdit* m_note;
    QToolButton* m_categoryPick;
    QToolButton* m_projectPick;
    QToolButton* m_contactPick;
    QDateEdit* m_date;
    QPushButton* m_today;
    QPushButton* m_nextNumber;
    QLineEdit* m_number;
    QComboBox* m_mark;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    ContactPicker m_contacts;
    TreeSelectDialog* m_categoryDialog;
    TreeSelectDialog* m_projectDialog;
    ContactSelectDialog* m_contactDialog;
};
