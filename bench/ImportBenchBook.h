#pragma once

// The book the import benchmarks write into.

#include "interchange/QifImport.h"
#include "interchange/StatementFileImport.h"
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

#include <memory>

// A book of one empty dollar account in a folder of its own; with
// `otherTransactions`, a second account holds that many already. Its keys
// ("2_...") sort after the imported account's, so every new transaction is
// inserted in front of all of them.
struct ImportBook {
    explicit ImportBook(int otherTransactions = 0)
    {
        store = ObjectStore::open(dir.filePath(QStringLiteral("tallyra.db")));
        tables.attach(store.get());
        tables.openAll();
        tables.setWorkingSorts();
        DbTable& c = tables.currencies();
        c.beginNew();
        c.setInt(Prop::CurrencyNumber, 1);
        c.setText(Prop::CurrencyCode, QStringLiteral("USD"), true);
        currencies.reload();
        static_cast<void>(categories.ensureRoot());
        static_cast<void>(projects.ensureRoot());
        DbTable& a = tables.accounts();
        a.beginNew();
        a.setInt(Prop::AccountId, 1);
        a.setText(Prop::Name, QStringLiteral("Checking"));
        a.setText(Prop::CurrencyCode, QStringLiteral("USD"), true);
        if (otherTransactions > 0)
            fillSecondAccount(otherTransactions);
    }

    void fillSecondAccount(int count)
    {
        DbTable& a = tables.accounts();
        a.beginNew();
        a.setInt(Prop::AccountId, 2);
        a.setText(Prop::Name, QStringLiteral("Savings"));
        a.setText(Prop::CurrencyCode, QStringLiteral("USD"), true);
        StoreTransaction transaction(*store);
        const DbId db = store->findDatabase(QStringLiteral("Tallyra Transaction"));
        const FileTime start = *fileTimeFromLocal(LocalTime{2020, 1, 1, 9, 0, 0, 0});
        for (int i = 0; i < count; ++i) {
            const FileTime t = addMilliseconds(start, 60'000LL * i);
            store->writeRecord(
                db, 0,
                {PropValue::ofText(Prop::AccountKey, fullKey(2, t)), PropValue::ofInt(Prop::AccountId, 2),
                 PropValue::ofInt64(Prop::Date, t), PropValue::ofText(Prop::Name, QStringLiteral("x")),
                 PropValue::ofInt64(Prop::Amount, 100), PropValue::ofInt64(Prop::Balance, 100LL * (i + 1)),
                 PropValue::ofText(Prop::CurrencyCode, QStringLiteral("USD"))});
        }
        static_cast<void>(transaction.commit());
        tables.setWorkingSorts();
    }

    QifImportResult import(const QByteArray& qif)
    {
        QBuffer buffer;
        buffer.setData(qif);
        buffer.open(QIODevice::ReadOnly);
        return QifImport(QifImportContext{tables, categories, projects, totals, QStringLiteral("USD"), clock,
                                          locale, codePage, ui})
            .importDevice(buffer, 1);
    }

    StatementImportResult importFile(const QString& path, StatementFormat format,
                                     const CsvMapping& mapping = {})
    {
        return importStatementFile(StatementImportContext{tables, categories, projects, totals,
                                                          QStringLiteral("USD"), clock, locale, codePage, ui},
                                   path, format, mapping, 1);
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
    SilentInteraction ui;
};
