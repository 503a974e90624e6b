#pragma once

// The plan editor beside the "Future" page's list, without its widgets: one
// plan at a time, loaded as an existing plan or as a new one, with a changed
// flag per field. save() writes a new plan, or the changes of an existing one
// re-based on its next open occurrence, and then rebuilds the future list in
// full up to the current horizon. Each save runs in one store transaction: the
// plan, any category or project it made, and the rebuilt list are written
// together or not at all.
//
// The view copies the fields in with the setters (each marks its field
// changed, as a user edit does) and reads them back with the getters after a
// load. Questions and messages go through the Interaction.

#include "planning/EditorResult.h"
#include "planning/FutureList.h"
#include "planning/PlannerEntry.h"
#include "planning/ScheduleCounts.h"
#include "platform/Clock.h"
#include "platform/Interaction.h"
#include "platform/LocaleValues.h"
#include "reference/Categories.h"
#include "reference/CurrencyCache.h"
#include "reference/Projects.h"
#include "store/TableSet.h"

#include <QString>

#include <optional>

// What the editor works with; all owned by the caller and outliving the editor.
struct PlannerEditorContext {
    TableSet& tables;
    const CurrencyCache& currencies;
    Categories& categories;
    Projects& projects;
    FutureList& future;
    const Clock& clock;
    const LocaleValues& locale;
    Interaction& ui;
};

class PlannerEditor {
public:
    static constexpr const char* NewDescription = "<_New_Time_Table_>";
    static constexpr const char* InvalidAccountText = "Invalid Account name.";
    static constexpr const char* TooLargeText = "This number too large.";

    enum class Mode { None, Existing, New };
    // Schedule stands for the rule and the number of entries, which are
    // written together.
    enum class Field {
        Description,
        Amount,
        Currency,
        Category,
        Project,
        Contact,
        Note,
        Number,
        Mark,
        Reminder,
        Schedule,
        Date
    };
    using SaveResult = EditorOutcome;
    using Result = EditorResult<Field>;

    explicit PlannerEditor(PlannerEditorContext context);

    // Loads the plan with that id and clears every changed flag. False (and
    // the editor unchanged) when there is none.
    bool load(qint32 id);
    // A new plan: "<_New_Time_Table_>", 0.00, Payment, `currency`, starting
    // today, "Only once", 1 entry, no reminder. Clears every changed flag.
    void loadNew(const QString& currency);
    Mode mode() const { return m_mode; }
    // 0 for a new plan.
    qint32 plannerId() const { return m_entry.id; }
    bool isChanged(Field field) const;
    bool anyChanged() const { return m_changed != 0; }

    // --- fields, as the view shows them --------------------------------------------
    QString description() const { return m_entry.description; }
    // The magnitude as money text; the sign is in isPayment().
    QString amountText() const { return m_amountText; }
    bool isPayment() const { return m_payment; }
    QString currency() const { return m_entry.currency; }
    // An existing plan's currency is shown as fixed text and cannot change.
    bool isCurrencyFixed() const { return m_mode == Mode::Existing; }
    QString categoryText() const { return m_categoryText; }
    QString projectText() const { return m_projectText; }
    QString contact() const { return m_entry.contact; }
    QString note() const { return m_entry.note; }
    QString number() const { return m_entry.number; }
    ReconcileMark mark() const { return m_entry.mark; }
    qint32 reminderDays() const;
    qint32 rule() const { return m_entry.rule; }
    // RecurrenceRule::Ongoing for no end.
    qint32 entries() const { return m_entry.entries; }
    // The date shown on the date page: the start of a new plan, the next open
    // occurrence of an existing one, or the date chosen since.
    FileTime startDate() const { return m_start; }

    // --- user edits (each marks its field changed) ---------------------------------
    void setDescription(const QString& text);
    // A text beginning with "-" switches Deposit/Payment and loses the "-".
    void setAmountText(const QString& text);
    // Choosing Deposit or Payment marks the amount changed.
    void setPayment(bool payment);
    // Both at once, from a signed amount (negative is a payment).
    void setAmount(Money amount);
    // A code of the currency list (the cached currencies). False, and
    // nothing changes, for an existing plan or a code the list lacks.
    bool setCurrency(const QString& code);
    void setCategoryText(const QString& text);
    void setProjectText(const QString& text);
    void setContact(const QString& text);
    void setNote(const QString& text);
    void setNumber(const QString& text);
    void setMark(ReconcileMark mark);
    // The typed days, corrected to 0..365 (see ScheduleCounts); the view
    // rewrites the field when the result says so.
    CorrectedCount setReminderDaysText(const QString& text);
    // Choosing a rule also chooses its number of entries: 1 for "Only once",
    // ongoing for any other. An unknown code is ignored.
    void setRule(qint32 kind);
    // "Number of entries" with the typed value, corrected to 1..365. Under
    // "Only once" the plan keeps its single entry.
    CorrectedCount setEntriesText(const QString& text);
    // "Ongoing entry"; ignored under "Only once".
    void setOngoing();
    // The calendar day counts; the time of day is the clock's.
    void setStartDate(FileTime day);
    // Backspace or Delete in the category, project or contact field.
    void clearField(Field field);

    // Writes the plan as described above. After Saved the editor holds the
    // saved plan again, with no changed flag.
    Result save();
    // Drops every change and reloads the plan (or the new one).
    void cancel();
    // The field that gets the focus after a refused save; nullopt when none.
    std::optional<Field> focusField() const { return m_focus; }

private:
    struct Resolved {
        qint32 category = 0;
        qint32 project = 0;
    };

    void setChanged(Field field) { m_changed |= 1u << static_cast<unsigned>(field); }
    FileTime now() const;
    FileTime rebuildTarget() const;
    Result refuse(Field field);
    std::optional<Money> typedAmount();
    std::optional<Resolved> resolveNames();
    bool writeNew(const PlannerEntry& plan);
    void schedule(const PlannerEntry& stored, PlannerEntry& plan) const;
    bool writeChanges(const PlannerEntry& stored, const PlannerEntry& plan);
    Result saveNew();
    Result saveExisting();

    PlannerEditorContext m_context;
    Mode m_mode = Mode::None;
    PlannerEntry m_entry;  // as loaded, with the edits to plain fields applied
    QString m_amountText;
    bool m_payment = true;
    QString m_categoryText;
    QString m_projectText;
    FileTime m_start = 0;
    QString m_newCurrency;  // what loadNew() was given, for cancel()
    unsigned m_changed = 0;
    std::optional<Field> m_focus;
};
