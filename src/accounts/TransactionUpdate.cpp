#include "accounts/TransactionUpdate.h"

#include "accounts/TransactionDeletion.h"
#include "accounts/TransactionLookup.h"
#include "accounts/TransactionWriter.h"
#include "accounts/TransferCounterpart.h"
#include "store/SortScope.h"
#include "store/UniqueKey.h"

#include <algorithm>

namespace {

// What the save works out before it writes anything.
struct Plan {
    StoredTransaction stored;
    std::optional<StoredTransaction> oldSide;
    Money amount;
    qint32 category = 0;
    qint32 project = 0;
    std::optional<AccountRecord> other;
    Money otherAmount;
};

using Outcome = TransactionUpdate::Outcome;

Outcome plan(Plan& p, TableSet& tables, CurrencyCache& currencies, ConversionConfirmation& conversion,
             const LocaleValues& locale, const QString& currency, const TransactionChanges& c,
             TransactionFollowUp& followUp)
{
    DbTable& t = tables.transactions();
    const StoredTransaction& s = p.stored;
    if (s.isTransfer()) {
        p.oldSide = TransactionLookup::read(t, s.link);
        if (!p.oldSide)
            return Outcome::Failed;
    }
    p.amount = c.amount.value_or(s.amount);
    const bool categoryChosen = c.category && *c.category != s.category;
    p.category = categoryChosen ? *c.category : s.category;
    p.project = c.project.value_or(s.project);
    if (p.category >= 0)
        return Outcome::Written;
    p.other = TransferCounterpart::otherAccount(tables, -p.category);
    if (!p.other || p.other->id == s.account)
        return Outcome::Failed;
    if (!categoryChosen && p.amount == s.amount && p.oldSide) {
        p.otherAmount = p.oldSide->amount;
        return Outcome::Written;
    }
    const std::optional<Money> converted = TransferCounterpart::amount(
        currencies, conversion, locale, p.amount, currency, p.other->currency, followUp);
    if (!converted)
        return Outcome::Cancelled;
    p.otherAmount = *converted;
    return Outcome::Written;
}

void addText(PropList& v, quint16 id, const std::optional<QString>& text)
{
    if (!text)
        return;
    v.push_back(text->isEmpty() ? PropValue::removal(id, PropType::Text) : PropValue::ofText(id, *text));
}

PropList recordChanges(const Plan& p, const TransactionChanges& c, const QString& currency,
                       const WrittenTransaction& place)
{
    const StoredTransaction& s = p.stored;
    PropList v;
    if (place.key != s.key) {
        v.push_back(PropValue::ofText(Prop::AccountKey, place.key));
        v.push_back(PropValue::ofInt64(Prop::Date, place.date));
    }
    if (c.description)
        v.push_back(PropValue::ofText(Prop::Name, *c.description));
    addText(v, Prop::Contact, c.contact);
    addText(v, Prop::Note, c.note);
    addText(v, Prop::Number, c.number);
    if (c.mark)
        v.push_back(PropValue::ofInt(Prop::Mark, static_cast<qint32>(*c.mark)));
    if (p.category != s.category) {
        v.push_back(p.category == 0 ? PropValue::removal(Prop::CategoryId, PropType::Int)
                                    : PropValue::ofInt(Prop::CategoryId, p.category));
    }
    if (p.category >= 0 && !s.link.isEmpty())
        v.push_back(PropValue::removal(Prop::TransferLink, PropType::Text));
    v.push_back(PropValue::ofInt64(Prop::Amount, p.amount.hundredths()));
    v.push_back(PropValue::ofText(Prop::CurrencyCode, currency));
    // The project key carries the date: a new day rewrites it as well.
    if (p.project != s.project || (p.project > 0 && place.date != s.date))
        TransactionWriter::addProject(v, p.project, place.date);
    return v;
}

// The key and date the record ends up with: its own unless the day changed.
std::optional<WrittenTransaction> placeOf(DbTable& t, const StoredTransaction& s, const TransactionChanges& c,
                                          FileTime now)
{
    if (!c.date || isSameDay(*c.date, s.date))
        return WrittenTransaction{s.key, s.date};
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok())
        return std::nullopt;
    const std::optional<NewTransactionKey> key = uniqueAccountKey(t, s.account, *c.date, now);
    if (!key)
        return std::nullopt;
    return WrittenTransaction{key->key, key->date};
}

bool rewrite(DbTable& t, const QString& key, const PropList& changes)
{
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    return scope.ok() && TransactionLookup::seek(t, key) && t.setValues(changes);
}

// The other side made afresh from the record as it now stands.
bool renewOtherSide(TableSet& tables, const Plan& p, const WrittenTransaction& place, FileTime now,
                    TransactionFollowUp& followUp)
{
    const std::optional<StoredTransaction> current =
        TransactionLookup::read(tables.transactions(), place.key);
    if (!current)
        return false;
    return TransferCounterpart::create(tables, draftOf(*current), place, *p.other, p.otherAmount, now,
                                       followUp)
        .has_value();
}

}  // namespace

TransactionUpdate::Result TransactionUpdate::save(TableSet& tables, CurrencyCache& currencies,
                                                  ConversionConfirmation& conversion,
                                                  const LocaleValues& locale, const QString& key,
                                                  const QString& currency, const TransactionChanges& changes,
                                                  FileTime now, TransactionFollowUp& followUp)
{
    DbTable& t = tables.transactions();
    const std::optional<StoredTransaction> stored = TransactionLookup::read(t, key);
    if (!stored)
        return {};
    Plan p{*stored, std::nullopt, {}, 0, 0, std::nullopt, {}};
    const Outcome planned = plan(p, tables, currencies, conversion, locale, currency, changes, followUp);
    if (planned != Outcome::Written)
        return {planned, {}};

    const std::optional<qint64> oldIndex = TransactionLookup::indexOf(t, stored->account, key);
    const std::optional<WrittenTransaction> place = placeOf(t, *stored, changes, now);
    if (!oldIndex || !place || !rewrite(t, key, recordChanges(p, changes, currency, *place)))
        return {};
    const std::optional<qint64> newIndex = TransactionLookup::indexOf(t, stored->account, place->key);
    if (!newIndex)
        return {};
    followUp.noteAccount(stored->account, std::min(*oldIndex, *newIndex));

    if (p.category < 0 && !renewOtherSide(tables, p, *place, now, followUp))
        return {};
    if (p.oldSide && !TransactionDeletion::removeOne(tables, *p.oldSide, now, followUp))
        return {};
    if (p.project != stored->project || p.amount != stored->amount || p.oldSide || p.category < 0) {
        followUp.noteProject(stored->project);
        followUp.noteProject(p.project);
    }
    return {Outcome::Written, place->key};
}
