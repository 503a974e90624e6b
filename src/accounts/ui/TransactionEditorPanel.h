#pragma once

#include "accounts/TransactionEditor.h"
#include "reference/ui/EntryFieldsEditor.h"
#include "reference/ui/EntryFieldsForm.h"

#include <QWidget>

#include <functional>

class ContactSelectDialog;
class EntryFieldsForm;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class TreeSelectDialog;

// What the panel needs besides its editor; all owned by the caller and
// outliving the panel.
struct EditorPanelContext {
    TransactionEditor& editor;
    EntryFieldsContext fields;
};

// The property panel beside the register: the transaction editor's fields.
// The header and page 1 are the entry fields a plan shares (Description, the
// calculator Amount, Deposit/Payment; Category or [transfer], Project, Contact,
// each with its picker, and Note); page 2 holds Date, the number with
// "(+) No:" and Mark As. Every edit goes
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
    QRadioButton* depositButton() const;
    QRadioButton* paymentButton() const;
    QTabWidget* pages() const { return m_pages; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }
    QToolButton* categoryPickerButton() const;
    QToolButton* projectPickerButton() const;
    QToolButton* contactPickerButton() const;
    QPushButton* todayButton() const { return m_today; }
    QPushButton* nextNumberButton() const { return m_nextNumber; }
    TreeSelectDialog* categoryPicker() const;
    TreeSelectDialog* projectPicker() const;
    ContactSelectDialog* contactPicker() const;

Q_SIGNALS:
    // Something was written; `row` is the register row the editor now holds.
    void saved(qint64 row);

private:
    QWidget* buildSecondPage();
    void connectEdits();
    FileTime today() const;

    EditorPanelContext m_context;
    TransactionEditor& m_editor;
    EntryFieldsAdapter<TransactionEditor> m_fieldsEditor;
    EntryFieldsForm* m_fields;
    bool m_filling = false;
    QTabWidget* m_pages;
    QDateEdit* m_date;
    QPushButton* m_today;
    QPushButton* m_nextNumber;
    QLineEdit* m_number;
    QComboBox* m_mark;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
