#include "ReportSampleBook.h"

#include "platform/ObjectStore.h"
#include "reference/CurrencyCache.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/TableSet.h"

#include <QDir>

#include <memory>

namespace {

bool addCurrency(TableSet& tables, qint32 number, const QString& code)
{
    DbTable& t = tables.currencies();
    t.beginNew();
    return t.setInt(Prop::CurrencyNumber, number) && t.setText(Prop::CurrencyCode, code, true);
}

bool addAccount(TableSet& tables, qint32 id, const QString& name, const QString& code)
{
    DbTable& t = tables.accounts();
    t.beginNew();
    return t.setInt(Prop::AccountId, id) && t.setText(Prop::Name, name) &&
           t.setText(Prop::CurrencyCode, code, true);
}

bool addNode(DbTable& t, quint16 idProp, qint32 id, qint32 parent, const QString& name)
{
    t.beginNew();
    return t.setInt(idProp, id) && t.setInt(Prop::Parent, parent) && t.setText(Prop::Name, name, true);
}

bool addTrees(TableSet& tables)
{
    DbTable& c = tables.categories();
    DbTable& p = tables.projects();
    using B = ReportSampleBook;
    return addNode(c, Prop::CategoryId, 1, 0, QStringLiteral("All categories")) &&
           addNode(c, Prop::CategoryId, B::Food, 1, QStringLiteral("Food")) &&
           addNode(c, Prop::CategoryId, B::Bread, B::Food, QStringLiteral("Bread")) &&
           addNode(c, Prop::CategoryId, B::Salary, 1, QStringLiteral("Salary")) &&
           addNode(p, Prop::ProjectId, 1, 0, QStringLiteral("All projects")) &&
           addNode(p, Prop::ProjectId, B::Home, 1, QStringLiteral("Home")) &&
           addNode(p, Prop::ProjectId, B::Garden, B::Home, QStringLiteral("Garden"));
}

bool addReference(TableSet& tables)
{
    if (!addCurrency(tables, 1, QStringLiteral("USD")) || !addCurrency(tables, 2, QStringLiteral("EUR")))
        return false;
    CurrencyCache cache(tables.currencies());
    return cache.reload() && cache.storeRate(QStringLiteral("EUR"), QStringLiteral("USD"), 1.5) &&
           addTrees(tables);
}

bool addTransfer(TableSet& tables, FileTime date, qint64 cashAmount, qint64 euroAmount)
{
    using B = ReportSampleBook;
    return B::addTransaction(
               tables, {B::Cash, date, cashAmount, QStringLiteral("To savings"), -B::EuroBank, 0, 1, {}}) &&
           B::addTransaction(
               tables, {B::EuroBank, date, euroAmount, QStringLiteral("To savings"), -B::Cash, 0, 1, {}});
}

bool addMonth(TableSet& tables)
{
    using B = ReportSampleBook;
    const B::Transaction rows[] = {
        {B::Cash, B::day(2024, 3, 1), 250000, QStringLiteral("March salary"), B::Salary, 0, 2,
         QStringLiteral("101")},
        {B::Cash,
         B::day(2024, 3, 2),
         -1250,
         QStringLiteral("Bakery <Crumbs & Co>"),
         B::Bread,
         B::Home,
         1,
         {}},
        {B::Cash, B::day(2024, 3, 3), -4599, QStringLiteral("Market"), B::Food, B::Home, 0,
         QStringLiteral("7")},
        {B::EuroBank, B::day(2024, 3, 4), -2000, QStringLiteral("Seeds"), B::Food, B::Garden, 0, {}},
        {B::Cash, B::day(2024, 3, 6), -999, QStringLiteral("Kiosk"), 0, 0, 0, {}},
        {B::Cash, B::day(2023, 12, 31), -5000, QStringLiteral("Last year"), B::Food, 0, 0, {}},
    };
    for (const B::Transaction& t : rows) {
        if (!B::addTransaction(tables, t))
            return false;
    }
    return addTransfer(tables, B::day(2024, 3, 5), -15000, 10000);
}

template <typename Fill> bool writeBook(const QString& folder, Fill fill)
{
    if (!QDir().mkpath(folder))
        return false;
    std::unique_ptr<ObjectStore> store =
        ObjectStore::open(QDir(folder).filePath(QStringLiteral("tallyra.db")));
    if (!store)
        return false;
    TableSet tables;
    tables.attach(store.get());
    const bool ok = tables.openAll() && tables.setWorkingSorts() && fill(tables);
    tables.closeAll();
    return ok;
}

}  // namespace

FileTime ReportSampleBook::day(int y, int m, int d, int hour, int minute)
{
    return fileTimeFromLocal(LocalTime{y, m, d, hour, minute, 0, 0}).value_or(0);
}

bool ReportSampleBook::addTransaction(TableSet& tables, const Transaction& s)
{
    DbTable& t = tables.transactions();
    t.beginNew();
    const QString code = s.account == EuroBank ? QStringLiteral("EUR") : QStringLiteral("USD");
    return t.setText(Prop::AccountKey, fullKey(s.account, s.date)) && t.setInt(Prop::AccountId, s.account) &&
           t.setInt64(Prop::Date, s.date) && t.setText(Prop::Name, s.description) &&
           t.setInt64(Prop::Amount, s.amount) && t.setInt(Prop::CategoryId, s.category) &&
           t.setInt(Prop::ProjectId, s.project) && t.setText(Prop::Number, s.number) &&
           t.setInt(Prop::Mark, s.mark) && t.setText(Prop::CurrencyCode, code) &&
           t.setInt64(Prop::Balance, 0, true);
}

bool ReportSampleBook::write(const QString& folder)
{
    return writeBook(folder, [](TableSet& tables) {
        return addReference(tables) &&
               addAccount(tables, Cash, QStringLiteral("Cash"), QStringLiteral("USD")) &&
               addAccount(tables, EuroBank, QStringLiteral("Euro Bank"), QStringLiteral("EUR")) &&
               addMonth(tables);
    });
}

bool ReportSampleBook::writeWithoutAccounts(const QString& folder)
{
    return writeBook(folder, [](TableSet& tables) { return addReference(tables); });
}
