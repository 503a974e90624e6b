// Fuzz target of the QIF import: any bytes must import or fail cleanly,
// without crash, hang or unbounded memory, and an import that reports success
// must leave the book's invariants whole (keys, running balances, totals).
//
// Every input starts from the same small book: the import runs inside an
// outer store transaction that is rolled back afterwards. The input's length
// picks the locale's date order and whether the user stops the import.

#include "accounts/AccountCheck.h"
#include "interchange/QifImport.h"
#include "platform/FixedClock.h"
#include "platform/ObjectStore.h"
#include "platform/StoreTransaction.h"
#include "reference/Categories.h"
#include "reference/CurrencyCache.h"
#include "reference/ProjectTotals.h"
#include "reference/Projects.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/TableSet.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

// Answers Yes and asks to stop once the bar has been stepped `stopAt` times (never when negative).
class FuzzInteraction : public SilentInteraction {
public:
    bool askYesNo(const QString&, const QString& = {}) override { return true; }
    void progressStep(qint64) override { ++m_steps; }
    bool progressStopRequested() override { return stopAt >= 0 && m_steps >= stopAt; }
    void reset(qint64 stop)
    {
        stopAt = stop;
        m_steps = 0;
    }

    qint64 stopAt = -1;

private:
    qint64 m_steps = 0;
};

struct FuzzBook {
    FuzzBook()
    {
        store = ObjectStore::open(dir.filePath(QStringLiteral("tallyra.db")));
        if (!store)
            std::abort();
        tables.attach(store.get());
        if (!tables.openAll() || !tables.setWorkingSorts())
            std::abort();
        DbTable& c = tables.currencies();
        c.beginNew();
        c.setInt(Prop::CurrencyNumber, 1);
        c.setText(Prop::CurrencyCode, QStringLiteral("USD"), true);
        currencies.reload();
        if (!categories.ensureRoot() || !projects.ensureRoot() ||
            categories.createByPath(QStringLiteral("Food")) == 0)
            std::abort();
        addAccount(1, "Cash");
        addAccount(2, "Savings");
        // Transactions a record may be merged into, two of them on one day.
        addTransaction(LocalTime{2003, 1, 2, 9, 0, 0, 0}, "Grocer", -1250);
        addTransaction(LocalTime{2003, 1, 2, 9, 0, 0, 1}, "Grocer", -1250);
        addTransaction(LocalTime{2024, 3, 5, 8, 0, 0, 0}, "Employer", 100000);
    }

    void addAccount(qint32 id, const char* name)
    {
        DbTable& a = tables.accounts();
        a.beginNew();
        a.setInt(Prop::AccountId, id);
        a.setText(Prop::Name, QString::fromLatin1(name));
        a.setText(Prop::CurrencyCode, QStringLiteral("USD"), true);
    }

    void addTransaction(const LocalTime& when, const char* payee, qint64 amount)
    {
        const FileTime t = *fileTimeFromLocal(when);
        DbTable& d = tables.transactions();
        d.beginNew();
        d.setText(Prop::AccountKey, fullKey(1, t));
        d.setInt(Prop::AccountId, 1);
        d.setInt64(Prop::Date, t);
        d.setText(Prop::Name, QString::fromLatin1(payee));
        d.setInt64(Prop::Amount, amount);
        d.setText(Prop::CurrencyCode, QStringLiteral("USD"));
        d.setInt(Prop::ImportMark, 1);
        d.setInt64(Prop::Balance, 0, true);
    }

    QTemporaryDir dir;
    std::unique_ptr<ObjectStore> store;
    TableSet tables;
    CurrencyCache currencies{tables.currencies()};
    Categories categories{tables};
    Projects projects{tables};
    ProjectTotals totals{tables, projects, currencies};
    FixedClock clock{LocalTime{2024, 3, 5, 10, 0, 0, 0}};
    LocaleValues locale;
    CodePage codePage = CodePage::defaultPage();
    FuzzInteraction ui;
};

FuzzBook& book()
{
    static FuzzBook b;
    return b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzBook& b = book();
    b.locale.dateOrder = static_cast<int>(size % 3);
    b.ui.reset(size % 5 == 0 ? static_cast<qint64>(size % 7) : -1);

    StoreTransaction outer(*b.store);
    if (!outer.isOpen())
        std::abort();
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    buffer.open(QIODevice::ReadOnly);
    QifImport import(QifImportContext{b.tables, b.categories, b.projects, b.totals, QStringLiteral("USD"),
                                      b.clock, b.locale, b.codePage, b.ui});
    const QifImportResult result = import.importDevice(buffer, 1);
    if (!result.ok || result.added < 0 || result.merged > 3)
        std::abort();
    if (!AccountCheck(b.tables).problems().isEmpty())
        std::abort();
    outer.rollback();
    return 0;
}
