#include "accounts/AccountCheck.h"

#include "accounts/AccountList.h"
#include "accounts/AccountRun.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

#include <QSet>

#include <limits>

namespace {

QString amount(qint64 hundredths)
{
    return moneyText(Money::fromHundredths(hundredths), LocaleValues());
}

bool isAtLimit(qint64 hundredths)
{
    return hundredths == std::numeric_limits<qint64>::max() ||
           hundredths == std::numeric_limits<qint64>::min();
}

struct Transfer {
    QString key;
    qint32 account;
    qint32 other;
    QString link;
};

}  // namespace

QStringList AccountCheck::problems()
{
    QStringList out;
    checkKeys(out);
    checkBalances(out);
    checkTransfers(out);
    return out;
}

void AccountCheck::checkKeys(QStringList& out)
{
    QSet<qint32> accounts;
    for (const AccountRecord& a : AccountList(m_tables.accounts()).all())
        accounts.insert(a.id);
    DbTable& t = m_tables.transactions();
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok()) {
        out << QStringLiteral("the transaction table cannot be read");
        return;
    }
    QString previous;
    for (qint64 p = 0; p < t.count(); ++p) {
        if (!t.moveTo(p)) {
            out << QStringLiteral("transaction at position %1 cannot be read").arg(p);
            continue;
        }
        const QString key = t.getText(Prop::AccountKey);
        const qint32 account = t.getInt(Prop::AccountId);
        if (p > 0 && key == previous)
            out << QStringLiteral("account key %1 is held by more than one transaction").arg(key);
        previous = key;
        if (isReservedAccount(account))
            continue;
        if (!accounts.contains(account))
            out << QStringLiteral("transaction %1 belongs to account %2, which does not exist")
                       .arg(key)
                       .arg(account);
        const std::optional<ParsedKey> parsed = parseFullKey(key);
        if (!parsed)
            out << QStringLiteral("transaction %1 of account %2 has a malformed account key")
                       .arg(key)
                       .arg(account);
        else if (parsed->id != account)
            out << QStringLiteral("transaction %1 is filed under account %2").arg(key).arg(account);
        else if (fullKey(account, t.getInt64(Prop::Date)) != key)
            out << QStringLiteral("transaction %1 has another date than its key").arg(key);
    }
}

void AccountCheck::checkBalances(QStringList& out)
{
    DbTable& t = m_tables.transactions();
    for (const AccountRecord& a : AccountList(m_tables.accounts()).all()) {
        SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
        const AccountRun run = AccountRun::locate(t, a.id);
        qint64 sum = 0;
        for (qint64 p = run.first; p < run.end(); ++p) {
            if (!t.moveTo(p))
                break;
            sum = (Money::fromHundredths(sum) + Money::fromHundredths(t.getInt64(Prop::Amount))).hundredths();
            if (t.getInt64(Prop::Balance) != sum)
                out << QStringLiteral("account %1: running balance of %2 is %3, should be %4")
                           .arg(a.id)
                           .arg(t.getText(Prop::AccountKey), amount(t.getInt64(Prop::Balance)), amount(sum));
            // A sum that saturated is no longer the account's true balance.
            else if (isAtLimit(sum))
                out << QStringLiteral("account %1: running balance of %2 is at the limit of the number range")
                           .arg(a.id)
                           .arg(t.getText(Prop::AccountKey));
        }
        if (a.total.hundredths() != sum)
            out << QStringLiteral("account %1: total is %2, should be %3")
                       .arg(a.id)
                       .arg(amount(a.total.hundredths()), amount(sum));
    }
}

void AccountCheck::checkTransfers(QStringList& out)
{
    DbTable& t = m_tables.transactions();
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    std::vector<Transfer> transfers;
    for (qint64 p = 0; p < t.count(); ++p) {
        if (t.moveTo(p) && t.getInt(Prop::CategoryId) < 0 && !isReservedAccount(t.getInt(Prop::AccountId)))
            transfers.push_back({t.getText(Prop::AccountKey), t.getInt(Prop::AccountId),
                                 -t.getInt(Prop::CategoryId), t.getText(Prop::TransferLink)});
    }
    for (const Transfer& x : transfers) {
        // Deleting an account re-files the transfers to it under a category, so
        // a transfer without a link is always a broken one.
        if (x.link.isEmpty()) {
            out << QStringLiteral("transfer %1 has no link to its other side").arg(x.key);
            continue;
        }
        if (!t.seekText(SeekKind::Equal, x.link)) {
            out << QStringLiteral("transfer %1 links to %2, which does not exist").arg(x.key, x.link);
            continue;
        }
        if (t.getInt(Prop::AccountId) != x.other || t.getText(Prop::TransferLink) != x.key ||
            t.getInt(Prop::CategoryId) != -x.account)
            out << QStringLiteral("transfer %1 and %2 do not link to each other").arg(x.key, x.link);
    }
}
