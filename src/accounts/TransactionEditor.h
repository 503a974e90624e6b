#pragma once

// The transaction editor beside the register, without its widgets: one row
// at a time, loaded in one of three modes (an existing transaction, a
// future-list entry to post, the new-transaction row), with a changed flag per
// field. save() writes what changed: a new transaction, the changes of an
// existing one, or the posting of an occurrence; for transfers it also writes
// the counterpart in the other account. Each save and each deletion runs in
// one store transaction: the book gets all of it or none of it.
//
// The view copies the fields in with the setters (each marks its field
// changed, as a user edit does) and reads them back with the getters after a
// load. Questions and messages go through the Interaction; the currency
// conversion through the ConversionConfirmation.

#include "accounts/Register.h"
#include "planning/EditorResult.h"
#include "planning/FutureList.h"
#include "platform/Clock.h"
#include "platform/Interaction.h"
#include "reference/Categories.h"
#include "reference/ConversionConfirmation.h"
#include "reference/CurrencyCache.h"
#include "reference/ProjectTotals.h"
#include "reference/Projects.h"
#include "store/TableSet.h"

#include <QString>

#include <memory>
#include <optional>

struct TransactionChanges;
class TransactionFollowUp;

// What the editor works with; all owned by the caller and outliving the editor.
struct EditorContext {
    TableSet& tables;
    CurrencyCache& currencies;
    Categories& categories;
    Projects& projects;
    ProjectTotals& totals;
    FutureList& future;
    const Clock& clock;
    const LocaleValues& locale;
    Interaction& ui;
    ConversionConfirmation& conversion;
};

class TransactionEditor {
public:
    static constexpr const char* NewDescription = "<_New_Transaction_>";
    static constexpr const char* UntitledDescription = "untitled transaction";
    static constexpr const char* InvalidAccountText = "Invalid Account name.";
    static constexpr const char* TooLargeText = "This number too large.";
    static constexpr const char* SaveScheduledText = "Save scheduled to a new transaction";
    static constexpr const char* DeleteQuestion =
        "This transaction will be deleted. Do you wish to continue?";
    static constexpr const char* DeleteFutureQuestion =
        "This incomplited transaction will be deleted. Do you wish to continue?";

    enum class Mode { None, Existing, Future, New };
    enum class Field { Description, Amount, Project, Contact, Category, Note, Date, Mark, Number };
    using SaveResult = EditorOutcome;
    using Result = EditorResult<Field>;

    // The register shows the account being edited; the editor refreshes it
    // after every write.
    TransactionEditor(EditorContext context, Register& reg);
    // What the editor works with, for the windows around it.
    const EditorContext& context() const { return m_context; }
    ~TransactionEditor();
    TransactionEditor(const TransactionEditor&) = delete;
    TransactionEditor& operator=(const TransactionEditor&) = delete;

    // Loads a register row (its kind gives the mode) and clears every changed
    // flag. False for a row outside the register or an unreadable record.
    bool load(qint64 row);
    // Loads the future-list entry at `position` (in the list's date order) as
    // the register's row transactionCount() + 1 + position. False when the
    // list has no such entry.
    bool loadFuture(qint64 position);
    Mode mode() const;
    qint64 row() const;
    bool isChanged(Field field) const;
    bool anyChanged() const;
    // The account key of the loaded transaction; "" in the other modes.
    QString key() const;

    // --- fields, as the view shows them --------------------------------------------
    QString description() const;
    // The magnitude as money text; the sign is in isPayment().
    QString amountText() const;
    bool isPayment() const;
    // The category path, or the other account's name in square brackets.
    QString categoryText() const;
    QString projectText() const;
    QString contact() const;
    QString note() const;
    FileTime date() const;
    QString number() const;
    ReconcileMark mark() const;

    // --- user edits (each marks its field changed) ---------------------------------
    void setDescription(const QString& text);
    // A text beginning with "-" switches Deposit/Payment and loses the "-".
    void setAmountText(const QString& text);
    // Choosing Deposit or Payment marks the amount changed.
    void setPayment(bool payment);
    // A new transaction's description follows the category text until the
    // user types a description.
    void setCategoryText(const QString& text);
    void setProjectText(const QString& text);
    void setContact(const QString& text);
    void setNote(const QString& text);
    // The calendar day counts; the time of day is the clock's.
    void setDate(FileTime day);
    void setNumber(const QString& text);
    void setMark(ReconcileMark mark);
    // Backspace or Delete in the category, project or contact field.
    void clearField(Field field);
    // "(+) No:": one more than the newest payment's number ("1" without one).
    void takeNextNumber();

    // Writes the changes. A forced save (the list got the focus back, the page
    // changed) never asks about a missing amount and saves a new transaction
    // with a too large amount as 0. A text longer than a record may hold
    // (TextLimit) is refused, forced or not, with its message and the focus on
    // its field. True when something was written; the
    // editor then holds the saved row again.
    Result save(bool forced);
    // Drops every change and reloads the row.
    void cancel();
    // The field that gets the focus after a refused save; nullopt when none.
    std::optional<Field> focusField() const;
    // True after a save of an existing transaction that wrote nothing because
    // every changed field already held its value (or a question answered No
    // left nothing): nothing to save, which is no failure.
    bool foundNothingToSave() const;

    // Backspace/Delete in the register on the loaded row: asks first. A
    // transaction is deleted (or moved to the holder account) with its
    // counterpart; a future row is dismissed (posted to the holder account).
    // True when something was removed.
    bool deleteRow();

private:
    struct State;

    FileTime now() const;
    void reset(Mode mode, qint64 row);
    void loadNew();
    bool loadTransaction(qint64 row);
    void markChanged(Field field);
    void unmarkChanged(Field field);
    std::optional<QString> write(bool forced, FileTime moment);
    // Each gives the key of the transaction written; nullopt when nothing was.
    std::optional<QString> writeNew(bool forced, FileTime moment, const TransactionChanges& changes,
                                    TransactionFollowUp& followUp);
    std::optional<QString> writeExisting(FileTime moment, TransactionChanges& changes,
                                         TransactionFollowUp& followUp);
    std::optional<QString> writePosting(FileTime moment, TransactionChanges& changes,
                                        TransactionFollowUp& followUp);
    bool resolveNames(TransactionChanges& changes, bool& failed);
    std::optional<Money> checkedAmount();
    std::optional<Field> fieldTooLong() const;
    // "This number too large." shown, the focus on the amount.
    void refuseTooLarge();
    void afterRollback();
    bool reloadKey(const QString& key);

    EditorContext m_context;
    Register& m_register;
    std::unique_ptr<State> m_state;
    bool m_nothingToSave = false;
};
