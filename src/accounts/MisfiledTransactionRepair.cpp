#include "accounts/MisfiledTransactionRepair.h"

#include "accounts/AccountList.h"
#include "platform/StoreTransaction.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

#include <QHash>

struct MisfiledTransactionRepair::Mend {
    RecordId record = 0;
    QString key;
    qint32 account = 0;  // the right one
    bool rekey = false;  // the key is wrong, not the account id
};

namespace {

// The account the other side of a transfer names for this side; 0 when the
// record is no transfer or its other side cannot be found.
qint32 accountNamedByOtherSide(DbTable& t, const QString& link)
{
    if (link.isEmpty() || !t.seekText(SeekKind::Equal, link))
        return 0;
    const qint32 category = t.getInt(Prop::CategoryId);
    return category < 0 ? -category : 0;
}

}  // namespace

std::optional<int> MisfiledTransactionRepair::run()
{
    const std::vector<Mend> mends = findMends();
    if (mends.empty())
        return 0;
    ObjectStore* store = m_tables.store();
    if (!store)
        return std::nullopt;
    StoreTransaction transaction(*store);
    if (!transaction.isOpen())
        return std::nullopt;
    for (const Mend& m : mends) {
        if (!apply(m))
            return std::nullopt;
    }
    if (!transaction.commit())
        return std::nullopt;
    return static_cast<int>(mends.size());
}

std::vector<MisfiledTransactionRepair::Mend> MisfiledTransactionRepair::findMends()
{
    QHash<qint32, QString> currencyOf;
    for (const AccountRecord& a : AccountList(m_tables.accounts()).all())
        currencyOf.insert(a.id, a.currency);
    struct Candidate {
        RecordId record;
        QString key;
        qint32 keyAccount;
        qint32 idAccount;
        QString link;
        QString currency;
    };
    std::vector<Candidate> candidates;
    DbTable& t = m_tables.transactions();
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok())
        return {};
    for (qint64 p = 0; p < t.count(); ++p) {
        if (!t.moveTo(p))
            continue;
        const QString key = t.getText(Prop::AccountKey);
        const std::optional<ParsedKey> parsed = parseFullKey(key);
        const qint32 account = t.getInt(Prop::AccountId);
        if (!parsed || parsed->id == account || isReservedAccount(account) || isReservedAccount(parsed->id))
            continue;
        candidates.push_back({t.recordId(), key, parsed->id, account, t.getText(Prop::TransferLink),
                              t.getText(Prop::CurrencyCode)});
    }
    std::vector<Mend> mends;
    for (const Candidate& c : candidates) {
        const bool keyExists = currencyOf.contains(c.keyAccount);
        const bool idExists = currencyOf.contains(c.idAccount);
        qint32 right = 0;
        if (keyExists != idExists) {
            right = keyExists ? c.keyAccount : c.idAccount;
        } else if (keyExists) {
            const qint32 named = accountNamedByOtherSide(t, c.link);
            const bool keyCurrency = currencyOf.value(c.keyAccount) == c.currency;
            const bool idCurrency = currencyOf.value(c.idAccount) == c.currency;
            if (named == c.keyAccount || named == c.idAccount)
                right = named;
            else if (keyCurrency != idCurrency)
                right = keyCurrency ? c.keyAccount : c.idAccount;
        }
        if (right != 0)
            mends.push_back({c.record, c.key, right, right != c.keyAccount});
    }
    return mends;
}

bool MisfiledTransactionRepair::apply(const Mend& mend)
{
    DbTable& t = m_tables.transactions();
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok() || !t.moveToRecord(mend.record))
        return false;
    if (!mend.rekey)
        return t.setInt(Prop::AccountId, mend.account);

    const QString link = t.getText(Prop::TransferLink);
    const qint32 project = t.getInt(Prop::ProjectId);
    const bool projectKey = t.has(Prop::ProjectKey);
    FileTime date = t.getInt64(Prop::Date);
    QString key = fullKey(mend.account, date);
    // A later millisecond, as a new transaction of that moment would get.
    while (t.seekText(SeekKind::Equal, key)) {
        date = addMilliseconds(date, 1);
        key = fullKey(mend.account, date);
    }
    PropList changes = {PropValue::ofText(Prop::AccountKey, key), PropValue::ofInt64(Prop::Date, date)};
    if (projectKey)
        changes.push_back(PropValue::ofText(Prop::ProjectKey, fullKey(project, date)));
    if (!t.moveToRecord(mend.record) || !t.setValues(changes))
        return false;
    if (link.isEmpty() || !t.seekText(SeekKind::Equal, link) || t.getText(Prop::TransferLink) != mend.key)
        return true;
    return t.setText(Prop::TransferLink, key);
}
