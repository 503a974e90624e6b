#include "reference/TransferBranch.h"

#include "store/RecordLayout.h"
#include "store/SortScope.h"

namespace {

QString symbolFor(const TransferBranch::Valuation& valuation, const QString& code)
{
    return valuation.symbolOf ? valuation.symbolOf(code) : QString();
}

Money inDefault(const TransferBranch::Valuation& valuation, Money amount, const QString& code)
{
    return valuation.toDefault ? valuation.toDefault(amount, code) : amount;
}

}  // namespace

int TransferBranch::addTo(TreeItems& items, DbTable& accounts, const Valuation& valuation)
{
    TreeItem top;
    top.bold = true;
    const int branch = items.add(top, TreeItems::Top, TreeItems::Placement::First);
    Money sum;
    SortScope scope(accounts, Prop::AccountId);
    const qint64 total = scope.ok() ? accounts.count() : 0;
    for (qint64 position = 0; position < total; ++position) {
        if (!accounts.moveTo(position) || isReservedAccount(accounts.getInt(Prop::AccountId)))
            continue;
        const Money balance = Money::fromHundredths(accounts.getInt64(Prop::Balance));
        const QString code = accounts.getText(Prop::CurrencyCode);
        TreeItem account;
        account.data = -accounts.getInt(Prop::AccountId);
        account.text = QLatin1Char('[') + accounts.getText(Prop::Name) + QStringLiteral("] ") +
                       moneyTextWithSymbol(balance, symbolFor(valuation, code), valuation.locale);
        items.add(account, branch, TreeItems::Placement::Last);
        sum += inDefault(valuation, balance, code);
    }
    items.at(branch).text = QString::fromUtf8(BranchText) + QLatin1Char(' ') +
                            QString::fromUtf8(BalancesText) + QStringLiteral(": ") +
                            moneyText(sum, valuation.locale) + QLatin1Char(' ') + valuation.defaultCode;
    return branch;
}
