#include "accounts/TransactionWriter.h"

#include "accounts/TransactionLookup.h"
#include "store/KeyText.h"
#include "store/SortScope.h"
#include "store/UniqueKey.h"

namespace {

PropList recordValues(const TransactionDraft& d, const WrittenTransaction& w)
{
    PropList v{PropValue::ofText(Prop::AccountKey, w.key),
               PropValue::ofInt(Prop::AccountId, d.account),
               PropValue::ofInt64(Prop::Date, w.date),
               PropValue::ofText(Prop::Name, d.description),
               PropValue::ofInt64(Prop::Amount, d.amount.hundredths()),
               PropValue::ofText(Prop::CurrencyCode, d.currency)};
    if (!d.number.isEmpty())
        v.push_back(PropValue::ofText(Prop::Number, d.number));
    if (!d.note.isEmpty())
        v.push_back(PropValue::ofText(Prop::Note, d.note));
    if (!d.contact.isEmpty())
        v.push_back(PropValue::ofText(Prop::Contact, d.contact));
    if (d.mark != ReconcileMark::Unreconciled)
        v.push_back(PropValue::ofInt(Prop::Mark, static_cast<qint32>(d.mark)));
    if (d.category != 0)
        v.push_back(PropValue::ofInt(Prop::CategoryId, d.category));
    if (d.project > 0) {
        v.push_back(PropValue::ofInt(Prop::ProjectId, d.project));
        v.push_back(PropValue::ofText(Prop::ProjectKey, fullKey(d.project, w.date + d.projectKeyTicks)));
    }
    // The running balance is the caller's to recalculate; the record must
    // commit with one, as every transaction has it.
    v.push_back(PropValue::ofInt64(Prop::Balance, 0));
    return v;
}

}  // namespace

std::optional<WrittenTransaction> TransactionWriter::insert(DbTable& t, const TransactionDraft& draft,
                                                            FileTime now)
{
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok())
        return std::nullopt;
    const std::optional<NewTransactionKey> key = uniqueAccountKey(t, draft.account, draft.date, now);
    if (!key)
        return std::nullopt;
    const WrittenTransaction written{key->key, key->date};
    const PropList values = recordValues(draft, written);
    t.beginNew();
    for (size_t i = 0; i < values.size(); ++i) {
        if (!t.setValue(values[i], i + 1 == values.size()))
            return std::nullopt;
    }
    return written;
}

bool TransactionWriter::setLink(DbTable& t, const QString& key, const QString& link)
{
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok() || !TransactionLookup::seek(t, key))
        return false;
    if (link.isEmpty())
        return !t.has(Prop::TransferLink) || t.removeProperty(Prop::TransferLink);
    return t.setText(Prop::TransferLink, link);
}

void TransactionWriter::addProject(PropList& changes, qint32 project, FileTime keyDate)
{
    if (project > 0) {
        changes.push_back(PropValue::ofInt(Prop::ProjectId, project));
        changes.push_back(PropValue::ofText(Prop::ProjectKey, fullKey(project, keyDate)));
        return;
    }
    changes.push_back(PropValue::removal(Prop::ProjectId, PropType::Int));
    changes.push_back(PropValue::removal(Prop::ProjectKey, PropType::Text));
}
