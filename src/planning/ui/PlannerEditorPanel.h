#pragma once

#include "planning/PlannerEditor.h"
#include "reference/ui/EntryFieldsEditor.h"
#include "reference/ui/EntryFieldsForm.h"

#include <QWidget>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

// What the panel needs besides its editor; all owned by the caller and
// outliving the panel. The fields' default currency is the one a new plan
// starts in.
struct PlannerPanelContext {
    PlannerEditor& editor;
    EntryFieldsContext fields;
};

// The plan editor beside the "Future" page's list. The header and the
// "Category" page are the entry fields a transaction shares (Description, the
// calculator Amount, Deposit/Payment; Category or [transfer], Project,
// Contact, each with its picker, and Note), the header with the currency
// beside the sign (a list for a new plan, fixed text for a stored one); the
// "Date" page holds the number and Mark As; the "Schedule" page the start
// date, the repeat rule, the number of entries or none, the reminder days and
// the next dates the rule gives. Every edit goes straight into the PlannerEditor, which holds
// every rule; the panel shows what it holds after each load and save.
class PlannerEditorPanel : public QWidget {
    Q_OBJECT
public:
    using Field = PlannerEditor::Field;
    static constexpr const char* OngoingText = "Ongoing entry";
    static constexpr const char* CountedText = "Number of entries";
    static constexpr const char* PreviewName = "Next dates";
    // The schedule page lists this many of the dates the rule gives.
    static constexpr int PreviewCount = 6;

    explicit PlannerEditorPanel(PlannerPanelContext context, QWidget* parent = nullptr);
    ~PlannerEditorPanel() override;

    // Loads the plan with that id; false (the new plan shown) when there is none.
    bool load(qint32 id);
    // A new plan in the default currency.
    void loadNew();
    // Shows what the editor holds, its changes kept.
    void showEditor();
    // OK (unforced) or the page being left (forced: only when something was
    // changed). True when something was written; a refused save puts the
    // focus on the field named.
    bool save(bool forced);
    void cancel();
    void switchPage();
    void focusField(Field field);

    // The dates the schedule shown gives, as the preview lists them.
    QStringList previewDates() const;

    QWidget* fieldWidget(Field field) const;
    QRadioButton* depositButton() const;
    QRadioButton* paymentButton() const;
    // The fields a transaction shares, with their pickers.
    EntryFieldsForm* fields() const { return m_fields; }
    QTabWidget* pages() const { return m_pages; }
    QComboBox* ruleList() const { return m_rule; }
    QComboBox* entriesMode() const { return m_entriesMode; }
    QLineEdit* entriesField() const { return m_entries; }
    QLineEdit* reminderField() const { return m_reminder; }
    QDateEdit* startField() const { return m_start; }
    QLabel* preview() const { return m_preview; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

Q_SIGNALS:
    // A plan was written; `id` is the plan the editor now holds.
    void saved(qint32 id);

private:
    void addCurrency();
    QWidget* buildSecondPage();
    QWidget* buildSchedulePage();
    void connectEdits();
    void connectSchedule();
    void showSchedule();
    void showPreview();
    void takeCount(QLineEdit* field, CorrectedCount count);
    void takeTypedCounts();

    PlannerPanelContext m_context;
    PlannerEditor& m_editor;
    EntryFieldsAdapter<PlannerEditor> m_fieldsEditor;
    EntryFieldsForm* m_fields;
    bool m_filling = false;
    QComboBox* m_currencyList;
    QLabel* m_currencyText;
    QTabWidget* m_pages;
    QLineEdit* m_number;
    QComboBox* m_mark;
    QDateEdit* m_start;
    QComboBox* m_rule;
    QComboBox* m_entriesMode;
    QLineEdit* m_entries;
    QLineEdit* m_reminder;
    QLabel* m_preview;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
