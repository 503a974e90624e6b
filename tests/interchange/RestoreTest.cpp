#include "interchange/Restore.h"

#include "BackupTestBook.h"
#include "accounts/DatabaseClearing.h"
#include "accounts/PasswordLockRecord.h"
#include "interchange/Backup.h"
#include "interchange/RestoreLoader.h"
#include "support/ScriptedInteraction.h"

#include <QFile>

#include <algorithm>
#include <functional>
#include <limits>
#include <set>

namespace {

const FileTime BackupTime = at(2024, 3, 1, 10);  // a Friday

// Records the settings a restore stores, in order.
class RecordedSettings : public RestoreSettings {
public:
    bool writeText(const QString& section, const QString& key, const QString& value) override
    {
        written << section + u'/' + key + u'=' + value;
        return true;
    }
    bool writeInt(const QString& section, const QString& key, qint32 value) override
    {
        written << section + u'/' + key + u'=' + QString::number(value) + u'i';
        return true;
    }
    QStringList written;
};

// A book with something in every saved table, and a future-list entry.
void fill(BackupTestBook& book)
{
    book.addAccount(1, QStringLiteral("Cash"), QStringLiteral("USD"), 1500, QStringLiteral("wallet"));
    book.addAccount(2, QStringLiteral("Bank"), QStringLiteral("EUR"), -300);
    const FileTime t1 = at(2024, 2, 1);
    const FileTime t2 = at(2024, 2, 2);
    book.addTransaction(
        1, t1, 1800, QStringLiteral("Salary"),
        {PropValue::ofText(Prop::Note, QStringLiteral("february")),
         PropValue::ofText(Prop::Contact, QStringLiteral("Boss")), PropValue::ofInt(Prop::ProjectId, 2),
         PropValue::ofText(Prop::ProjectKey, fullKey(2, t1)), PropValue::ofInt(Prop::Mark, 2)});
    book.addTransaction(
        1, t2, -300, QStringLiteral("To bank"),
        {PropValue::ofInt(Prop::CategoryId, -2), PropValue::ofText(Prop::TransferLink, fullKey(2, t2))});
    book.addTransaction(
        2, t2, 300, QStringLiteral("To bank"),
        {PropValue::ofInt(Prop::CategoryId, -1), PropValue::ofText(Prop::TransferLink, fullKey(1, t2)),
         PropValue::ofText(Prop::CurrencyCode, QStringLiteral("EUR")), PropValue::ofInt(Prop::PlannerId, 1),
         PropValue::ofText(Prop::PlannerKey, fullKey(1, t2)), PropValue::ofInt64(Prop::PlannedDate, t2),
         PropValue::ofInt64(Prop::PostedAmount, 300), PropValue::ofInt64(Prop::ForeignAmount, 280),
         PropValue::ofText(Prop::ForeignCurrency, QStringLiteral("USD")),
         PropValue::ofText(Prop::ForeignRate, QStringLiteral("1.07"))});
    book.add(TableKind::Planner,
             {PropValue::ofInt(Prop::PlannerId, 1), PropValue::ofText(Prop::Name, QStringLiteral("Save")),
              PropValue::ofInt(Prop::Mark, 1), PropValue::ofInt(Prop::CarriedPlannerInt, 7),
              PropValue::ofInt64(Prop::CarriedPlannerValue, -9), PropValue::ofInt64(Prop::Date, t2),
              PropValue::ofInt64(Prop::Amount, 300)});
    book.addTreeRecord(TableKind::Project, 1, 0, QStringLiteral("All projects"));
    book.addTreeRecord(TableKind::Project, 2, 1, QStringLiteral("Home"));
    book.add(TableKind::Project, {PropValue::ofInt(Prop::ProjectId, 3), PropValue::ofInt(Prop::Parent, 2),
                                  PropValue::ofText(Prop::Name, QStringLiteral("Garden")),
                                  PropValue::ofInt64(Prop::CarriedProjectDate1, 77),
                                  PropValue::ofInt(Prop::CarriedProjectInt, 5)});
    book.addTreeRecord(TableKind::Category, 1, 0, QStringLiteral("All categories"));
    book.addTreeRecord(TableKind::Category, 2, 1, QStringLiteral("Food"));
    book.addCurrency(1, QStringLiteral("USD"), QStringLiteral("$"), QStringLiteral("US Dollar"),
                     {PropValue::ofText(Prop::currencyRateTo(2), QStringLiteral("0.93"))});
    book.addCurrency(2, QStringLiteral("EUR"), QStringLiteral("E"), QStringLiteral("Euro"));
    book.add(TableKind::Scheduled,
             {PropValue::ofInt(Prop::PlannerId, 1), PropValue::ofInt64(Prop::Date, t2)});
}

void addLockRecord(BackupTestBook& book, qint64 digest)
{
    ASSERT_TRUE(PasswordLockRecord::write(book.tables().transactions(), LockSettings{digest, 60}));
}

// One record in each saved table with every property a backup carries set,
// texts with characters outside Latin-1, numbers at the edges of their types;
// plus the properties no backup carries, which the restored book must lack.
struct EveryProperty {
    std::vector<std::pair<TableKind, PropList>> carried;
    std::vector<std::pair<TableKind, PropList>> notCarried;
};

EveryProperty everyProperty()
{
    using namespace Prop;
    const FileTime when = at(2023, 7, 14, 6, 5, 999);
    const auto text = [](quint16 id, const char16_t* value) {
        return PropValue::ofText(id, QString::fromUtf16(value));
    };
    const auto i32 = [](quint16 id, qint32 v) { return PropValue::ofInt(id, v); };
    const auto i64 = [](quint16 id, qint64 v) { return PropValue::ofInt64(id, v); };
    constexpr qint32 minInt = std::numeric_limits<qint32>::min();
    constexpr qint64 minInt64 = std::numeric_limits<qint64>::min();
    constexpr qint64 maxInt64 = std::numeric_limits<qint64>::max();
    EveryProperty e;
    e.carried = {
        {TableKind::Transaction,
         {PropValue::ofText(AccountKey, fullKey(4, when)),
          PropValue::ofText(ProjectKey, fullKey(2, when)),
          PropValue::ofText(PlannerKey, fullKey(3, at(2023, 7, 1))),
          text(CurrencyCode, u"EUR"),
          text(Number, u"N° 7"),
          text(Name, u"Café € 😀"),
          text(Contact, u"Jörg"),
          text(Note, u"line one\nline two"),
          PropValue::ofText(TransferLink, fullKey(5, when)),
          text(ForeignCurrency, u"USD"),
          text(ForeignRate, u"1.09"),
          i32(AccountId, 4),
          i32(ProjectId, 2),
          i32(PlannerId, 3),
          i32(CategoryId, -5),
          i32(Mark, 2),
          i64(PlannedDate, at(2023, 7, 1)),
          i64(Date, when),
          i64(PartialPosting, 1),
          i64(PostedAmount, -4200),
          i64(Amount, minInt64),
          i64(Balance, maxInt64),
          i64(ForeignAmount, 4200)}},
        {TableKind::Planner,
         {text(Name, u"Rent %m"),
          text(CurrencyCode, u"EUR"),
          text(Note, u"for %y"),
          text(Number, u"12"),
          text(Contact, u"Landlord"),
          i32(PlannerId, 3),
          i32(Recurrence, 4),
          i32(Completed, 17),
          i32(AccountId, 4),
          i32(ProjectId, 2),
          i32(Entries, -1),
          i32(ReminderMinutes, 2880),
          i32(CarriedPlannerInt, minInt),
          i32(Stopped, 1),
          i32(CategoryId, 9),
          i32(Mark, 1),
          i64(Date, at(2022, 1, 1)),
          i64(NextDate, at(2023, 8, 1)),
          i64(Amount, -90000),
          i64(CarriedPlannerValue, -1)}},
        {TableKind::Account,
         {text(Name, u"Giro"), text(CurrencyCode, u"EUR"), text(Note, u"joint account"), i32(AccountId, 4),
          i32(CarriedAccountInt, -3), i64(Created, at(2020, 2, 29)), i64(Balance, -123456789)}},
        // The roots the trees hang from; a restore refuses a parent the file lacks.
        {TableKind::Project, {text(Name, u"All projects"), i32(ProjectId, 1)}},
        {TableKind::Category, {text(Name, u"All categories"), i32(CategoryId, 1)}},
        {TableKind::Project,
         {text(Name, u"Garden"), i32(ProjectId, 2), i32(CheckState, 1), i32(CarriedProjectInt, 8),
          i32(Parent, 1), i32(TotalsValid, 1), i64(CarriedProjectDate1, 1),
          i64(CarriedProjectDate2, maxInt64)}},
        {TableKind::Category, {text(Name, u"Rent"), i32(CategoryId, 9), i32(Parent, 1)}},
        {TableKind::Currency,
         {text(CurrencyCode, u"EUR"), text(Note, u"carried"), text(Symbol, u"€"), text(CurrencyName, u"Euro"),
          text(currencyRateTo(2), u"1.00000"), text(currencyRateTo(3), u"1.08000"), i32(CurrencyNumber, 2)}},
        {TableKind::Currency,
         {text(CurrencyCode, u"USD"), text(Symbol, u"$"), text(CurrencyName, u"US Dollar"),
          text(currencyRateTo(2), u"0.92593"), i32(CurrencyNumber, 3)}},
    };
    e.notCarried = {
        {TableKind::Transaction, {i32(ImportMark, 1)}},
        {TableKind::Project,
         {i64(OwnDeposits, 5), i64(OwnPayments, -5), i64(TreeDeposits, 6), i64(TreePayments, -6),
          i64(projectDepositsIn(2), 5), i64(projectPaymentsIn(2), -5)}},
        {TableKind::Category, {i32(CheckState, 1)}},
    };
    return e;
}

std::vector<PropList> sortedRecords(const std::vector<std::pair<TableKind, PropList>>& records,
                                    TableKind kind)
{
    std::vector<PropList> out;
    for (const auto& [k, props] : records) {
        if (k != kind)
            continue;
        PropList sorted = props;
        std::sort(sorted.begin(), sorted.end(),
                  [](const PropValue& a, const PropValue& b) { return a.id < b.id; });
        out.push_back(sorted);
    }
    return out;
}

class RestoreTest : public ::testing::Test {
protected:
    QByteArray backupOf(BackupTestBook& book)
    {
        const QString path = book.path(QStringLiteral("out.tyb"));
        SilentInteraction silent;
        EXPECT_TRUE(
            Backup(book.tables(), silent).run(Backup::Request{path, BackupTime, QStringLiteral("USD")}));
        return BackupTestBook::read(path);
    }
    QString fileWith(const QByteArray& bytes)
    {
        const QString path = m_book.path(QStringLiteral("in.tyb"));
        EXPECT_TRUE(BackupTestBook::writeFile(path, bytes));
        return path;
    }
    // Answers Yes to the date question (the first question is begin()'s).
    Restore::Outcome restore(const QString& path)
    {
        m_ui.answer(true);
        return Restore(m_book.tables(), m_locale, m_ui, m_settings).restoreFrom(path);
    }
    std::vector<std::vector<PropList>> everything()
    {
        std::vector<std::vector<PropList>> all;
        for (TableKind kind : TableDefinitions::openOrder())
            all.push_back(m_book.records(kind));
        return all;
    }

    BackupTestBook m_book;
    LocaleValues m_locale;
    ScriptedInteraction m_ui;
    RecordedSettings m_settings;
};

TEST_F(RestoreTest, RestoredBookBacksUpToTheSameBytes)
{
    BackupTestBook source;
    fill(source);
    const QByteArray first = backupOf(source);

    ASSERT_EQ(restore(fileWith(first)), Restore::Outcome::Completed);
    EXPECT_EQ(backupOf(m_book).toHex(' ').toStdString(), first.toHex(' ').toStdString());
    EXPECT_EQ(m_book.records(TableKind::Transaction), source.records(TableKind::Transaction));
    EXPECT_EQ(m_book.records(TableKind::Planner), source.records(TableKind::Planner));
    EXPECT_EQ(m_book.records(TableKind::Currency), source.records(TableKind::Currency));
    // The future list is not carried; the next start rebuilds it.
    EXPECT_EQ(m_book.tables().scheduled().count(), 0);
    EXPECT_EQ(m_settings.written, QStringList{QStringLiteral("Options/Default Currency=USD")});
    EXPECT_EQ(m_ui.messages, QStringList{QString::fromLatin1(Restore::CompletedText)});
}

TEST_F(RestoreTest, EveryCarriedPropertyComesBackAndNothingElse)
{
    const EveryProperty e = everyProperty();
    BackupTestBook source;
    std::set<TableKind> extended;
    for (const auto& [kind, props] : e.carried) {
        PropList all = props;
        // The first record of each table also holds what no backup carries.
        for (const auto& [otherKind, extra] : e.notCarried) {
            if (otherKind == kind && !extended.count(kind))
                all.insert(all.end(), extra.begin(), extra.end());
        }
        extended.insert(kind);
        source.add(kind, all);
    }
    const QByteArray first = backupOf(source);
    ASSERT_EQ(restore(fileWith(first)), Restore::Outcome::Completed);

    for (const TableKind kind : {TableKind::Transaction, TableKind::Planner, TableKind::Account,
                                 TableKind::Project, TableKind::Category, TableKind::Currency})
        EXPECT_EQ(m_book.records(kind), sortedRecords(e.carried, kind))
            << TableDefinitions::of(kind).name.toStdString();
    EXPECT_EQ(backupOf(m_book).toHex(' ').toStdString(), first.toHex(' ').toStdString());
}

TEST_F(RestoreTest, RestoreReplacesWhatTheBookHeld)
{
    BackupTestBook source;
    source.addAccount(7, QStringLiteral("Only"), QStringLiteral("USD"), 5);
    const QByteArray file = backupOf(source);
    fill(m_book);
    EXPECT_EQ(m_book.tables().projects().nextId(Prop::ProjectId), 4);
    ASSERT_EQ(restore(fileWith(file)), Restore::Outcome::Completed);
    EXPECT_EQ(m_book.records(TableKind::Account), source.records(TableKind::Account));
    // Ids are counted from what the restored book holds.
    EXPECT_EQ(m_book.tables().projects().nextId(Prop::ProjectId), 1);
    for (TableKind kind : {TableKind::Transaction, TableKind::Scheduled, TableKind::Planner,
                           TableKind::Project, TableKind::Category, TableKind::Currency})
        EXPECT_EQ(m_book.tables().table(kind).count(), 0) << TableDefinitions::of(kind).name.toStdString();
    // Every cursor is back in its working sort and finds records by its keys.
    EXPECT_EQ(m_book.tables().transactions().sortId(), Prop::AccountKey);
    EXPECT_EQ(m_book.tables().scheduled().sortId(), Prop::Date);
    EXPECT_TRUE(m_book.tables().accounts().seekInt(SeekKind::Equal, 7));
}

TEST_F(RestoreTest, QuestionsComeInOrderAndNoStopsEarly)
{
    Restore restore(m_book.tables(), m_locale, m_ui, m_settings);
    EXPECT_FALSE(restore.begin({}));
    EXPECT_EQ(m_ui.questions, QStringList{QString::fromLatin1(Restore::LoseDataQuestion)});

    m_ui.answer(true);
    bool asked = false;
    EXPECT_FALSE(restore.begin([&] { return asked = true; }));
    EXPECT_TRUE(asked);
    EXPECT_EQ(m_ui.messages, QStringList{QString::fromLatin1(DatabaseClearing::ReportProgramRunningText)});

    m_ui.answer(true);
    EXPECT_TRUE(restore.begin([] { return false; }));
}

TEST_F(RestoreTest, DateQuestionNamesTheBackupDay)
{
    BackupTestBook source;
    source.addAccount(1, QStringLiteral("Cash"));
    fill(m_book);
    const auto before = everything();
    const QString path = fileWith(backupOf(source));
    // No to the date: not started, nothing changed, nothing more said.
    EXPECT_EQ(Restore(m_book.tables(), m_locale, m_ui, m_settings).restoreFrom(path),
              Restore::Outcome::NotStarted);
    EXPECT_EQ(m_ui.questions,
              QStringList{QStringLiteral("Date of Backup File is Fri, 3/1/2024 \nContinue Restore?")});
    EXPECT_TRUE(m_ui.messages.isEmpty());
    EXPECT_EQ(everything(), before);
}

TEST_F(RestoreTest, FileThatIsNoBackupChangesNothingAndSaysNothing)
{
    fill(m_book);
    const auto before = everything();
    BackupBytes wrongSignature;
    wrongSignature.u8(2).u8(1).u8(3).u8(0).u8(0).u64(0).end();
    BackupBytes wrongVersion;
    wrongVersion.u8(1).u8(2).u8(3).u8(0).u8(0).u64(0).end();
    for (const QByteArray& bytes :
         {wrongSignature.bytes(), wrongVersion.bytes(), QByteArray("\x01\x01\x03", 3)}) {
        EXPECT_EQ(Restore(m_book.tables(), m_locale, m_ui, m_settings).restoreFrom(fileWith(bytes)),
                  Restore::Outcome::NotStarted);
    }
    EXPECT_EQ(
        Restore(m_book.tables(), m_locale, m_ui, m_settings).restoreFrom(m_book.path(QStringLiteral("none"))),
        Restore::Outcome::NotStarted);
    EXPECT_TRUE(m_ui.questions.isEmpty());
    EXPECT_TRUE(m_ui.messages.isEmpty());
    EXPECT_EQ(everything(), before);
}

TEST_F(RestoreTest, DamagedFileChangesNothing)
{
    BackupTestBook source;
    source.addAccount(9, QStringLiteral("Other"));
    source.addTransaction(9, at(2024, 1, 9), 5, QStringLiteral("x"));
    const QByteArray good = backupOf(source);
    fill(m_book);
    const auto before = everything();

    QByteArray unknownTag = good;
    unknownTag.chop(1);
    unknownTag.append('\x07');
    // Cut after a record's items, without the end item; cut inside an item.
    for (const QByteArray& bad : {good.left(good.size() - 1), good.left(good.size() / 2), unknownTag}) {
        m_ui.messages.clear();
        EXPECT_EQ(restore(fileWith(bad)), Restore::Outcome::NotCompleted);
        EXPECT_EQ(m_ui.messages, QStringList{QString::fromLatin1(Restore::NotCompletedText)});
        EXPECT_EQ(everything(), before);
    }
    EXPECT_TRUE(m_settings.written.isEmpty());
}

// A file whose records contradict themselves or each other would restore
// into a broken book (a register that shows nothing, adds that fail, a
// repair that cannot help): it is refused as a whole, naming the first bad
// record, and the book stays as it was.
TEST_F(RestoreTest, SelfContradictingFileIsRefusedNamingTheRecord)
{
    const FileTime t = at(2024, 2, 1);
    const QString key = fullKey(1, t);
    const auto account = [](BackupBytes& b, qint32 id) -> BackupBytes& {
        return b.record().integer(104, id).text(110, QStringLiteral("Cash"));
    };
    struct Case {
        const char* name;
        std::function<void(BackupBytes&)> build;
        QString named;
    };
    const std::vector<Case> cases = {
        {"key names account 1, the record no account",
         [&](BackupBytes& b) {
             b.section(QStringLiteral("Tallyra Transaction"))
                 .record()
                 .text(101, key)
                 .date(108, t)
                 .date(112, 5);
             account(b.section(QStringLiteral("Tallyra Account")), 1);
         },
         QStringLiteral("transaction %1 has no account id").arg(key)},
        {"key of account 1 on a record of account 2",
         [&](BackupBytes& b) {
             b.section(QStringLiteral("Tallyra Transaction"))
                 .record()
                 .text(101, key)
                 .integer(104, 2)
                 .date(108, t);
         },
         QStringLiteral("transaction %1 is filed under account 1 but names account 2").arg(key)},
        {"key of another day",
         [&](BackupBytes& b) {
             b.section(QStringLiteral("Tallyra Transaction"))
                 .record()
                 .text(101, key)
                 .integer(104, 1)
                 .date(108, at(2024, 2, 2));
         },
         QStringLiteral("transaction %1 has another date than its key").arg(key)},
        {"transaction without a key",
         [&](BackupBytes& b) {
             b.section(QStringLiteral("Tallyra Transaction"))
                 .record()
                 .integer(104, 1)
                 .date(108, t)
                 .date(112, 5);
         },
         QStringLiteral("transaction record 1 has no account key")},
        {"one key twice",
         [&](BackupBytes& b) {
             b.section(QStringLiteral("Tallyra Transaction"));
             for (int i = 0; i < 2; ++i)
                 b.record().text(101, key).integer(104, 1).date(108, t);
         },
         QStringLiteral("account key %1 is held by more than one transaction").arg(key)},
        {"transaction of an account the file lacks",
         [&](BackupBytes& b) {
             b.section(QStringLiteral("Tallyra Transaction"))
                 .record()
                 .text(101, key)
                 .integer(104, 1)
                 .date(108, t);
             account(b.section(QStringLiteral("Tallyra Account")), 2);
         },
         QStringLiteral("transaction %1 belongs to account 1, which the file does not hold").arg(key)},
        {"one account id twice",
         [&](BackupBytes& b) { account(account(b.section(QStringLiteral("Tallyra Account")), 3), 3); },
         QStringLiteral("account id 3 is held by more than one account")},
        {"category without id",
         [&](BackupBytes& b) {
             b.section(QStringLiteral("Tallyra Category"))
                 .record()
                 .integer(401, 1)
                 .text(110, QStringLiteral("All"))
                 .record()
                 .text(110, QStringLiteral("Food"))
                 .integer(203, 1);
         },
         QStringLiteral("category record 2 has no id")},
        {"a currency code stored twice",
         [&](BackupBytes& b) {
             b.section(QStringLiteral("Tallyra Currency"))
                 .record()
                 .text(301, QStringLiteral("USD"))
                 .integer(302, 1)
                 .record()
                 .text(301, QStringLiteral("usd"))
                 .integer(302, 2);
         },
         QStringLiteral("currency code USD is stored twice")},
        {"projects that are each other's parent",
         [&](BackupBytes& b) {
             b.section(QStringLiteral("Tallyra Project"))
                 .record()
                 .integer(201, 1)
                 .text(110, QStringLiteral("All"))
                 .record()
                 .integer(201, 2)
                 .integer(203, 3)
                 .record()
                 .integer(201, 3)
                 .integer(203, 2);
         },
         QStringLiteral("project 2 is its own ancestor")},
        {"a category under one the file lacks",
         [&](BackupBytes& b) {
             b.section(QStringLiteral("Tallyra Category"))
                 .record()
                 .integer(401, 1)
                 .text(110, QStringLiteral("All"))
                 .record()
                 .integer(401, 4)
                 .integer(203, 9)
                 .text(110, QStringLiteral("Food"));
         },
         QStringLiteral("category 4 has parent 9, which the file does not hold")},
    };
    fill(m_book);
    const auto before = everything();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BackupBytes file;
        file.header(BackupTime);
        c.build(file);
        file.end();
        m_ui.messages.clear();
        EXPECT_EQ(restore(fileWith(file.bytes())), Restore::Outcome::NotCompleted);
        EXPECT_EQ(m_ui.messages, (QStringList{QString::fromLatin1(Restore::BadRecordText).arg(c.named),
                                              QString::fromLatin1(Restore::NotCompletedText)}));
        EXPECT_EQ(everything(), before);
    }
    EXPECT_TRUE(m_settings.written.isEmpty());
}

TEST_F(RestoreTest, StoreThatRefusesAWriteHalfwayChangesNothing)
{
    BackupTestBook source;
    fill(source);
    const QString path = fileWith(backupOf(source));
    fill(m_book);
    const auto before = everything();
    int writes = 0;
    // The seven tables are emptied and the transactions written; the planner fails.
    m_book.store().setWriteFault([&] { return ++writes > 8; });
    EXPECT_EQ(restore(path), Restore::Outcome::NotCompleted);
    m_book.store().setWriteFault({});
    EXPECT_EQ(everything(), before);
    EXPECT_EQ(m_book.tables().transactions().sortId(), Prop::AccountKey);
    EXPECT_TRUE(m_settings.written.isEmpty());
}

TEST_F(RestoreTest, StopTakesEverythingBack)
{
    BackupTestBook source;
    for (int id = 1; id <= 600; ++id)
        source.addTreeRecord(TableKind::Category, id, id == 1 ? 0 : 1, QStringLiteral("C%1").arg(id));
    const QString path = fileWith(backupOf(source));
    fill(m_book);
    const auto before = everything();
    m_ui.stopAfterSteps(1);
    EXPECT_EQ(restore(path), Restore::Outcome::NotCompleted);
    EXPECT_EQ(everything(), before);
}

TEST_F(RestoreTest, BookKeepsItsPasswordAndTheFileCannotBringOne)
{
    addLockRecord(m_book, 1111);
    const QString lockPrefix = idStartKey(ReservedAccount::PasswordLock);
    BackupBytes file;
    file.header(BackupTime)
        .section(QStringLiteral("Tallyra Transaction"))
        .record()
        .text(101, fullKey(ReservedAccount::PasswordLock, 0))
        .integer(104, ReservedAccount::PasswordLock)
        .date(126, 2222)
        // A key that would sort before the book's own lock record.
        .record()
        .text(101, lockPrefix + QStringLiteral("0"))
        .integer(104, 3)
        .date(126, 3333)
        .record()
        .text(101, fullKey(3, at(2024, 1, 1)))
        .integer(104, 3)
        .date(108, at(2024, 1, 1))
        .date(112, 50)
        .section(QStringLiteral("Tallyra Account"))
        .record()
        .integer(104, 3)
        .text(110, QStringLiteral("Card"))
        .end();
    ASSERT_EQ(restore(fileWith(file.bytes())), Restore::Outcome::Completed);
    EXPECT_EQ(PasswordLockRecord::read(m_book.tables().transactions()).settings, (LockSettings{1111, 60}));
    DbTable& t = m_book.tables().transactions();
    ASSERT_EQ(t.count(), 2);
    ASSERT_TRUE(t.moveTo(0));
    EXPECT_EQ(t.getText(Prop::AccountKey), PasswordLockRecord::key());
    ASSERT_TRUE(t.moveTo(1));
    EXPECT_EQ(t.getText(Prop::AccountKey), fullKey(3, at(2024, 1, 1)));
}

TEST_F(RestoreTest, OddButCompleteFilesRestoreWhatTheyCan)
{
    BackupBytes file;
    file.header(BackupTime)
        .section(QStringLiteral("Tallyra Category"))
        .integer(401, 99)  // outside any record: dropped
        .record()          // no properties: nothing to write
        .record()
        .text(110, QStringLiteral("Food"))
        .integer(401, 2)
        .text(110, QStringLiteral("Meals"))
        // The future list is derived data; a section of it is read and dropped.
        .section(QStringLiteral("Tallyra Scheduled"))
        .record()
        .date(108, at(2024, 1, 1))
        .integer(251, 1)
        .u8(5)
        .u8(1)
        .u8(2)
        .u8(3)
        .intSetting(QStringLiteral("Options"), QStringLiteral("Export MS Money Date"), 1)
        .section(QStringLiteral("Tallyra Account"))
        .record()
        .integer(104, 4)
        .text(110, QStringLiteral("Card"))
        .amount(113, -5)
        .textSetting(QStringLiteral("Options"), QStringLiteral("Default Currency"), QStringLiteral("EUR"))
        .end()
        .raw("bytes after the end item are not read");
    ASSERT_EQ(restore(fileWith(file.bytes())), Restore::Outcome::Completed);
    const std::vector<PropList> categories = m_book.records(TableKind::Category);
    ASSERT_EQ(categories.size(), 1u);
    // A property named twice keeps its last value.
    EXPECT_EQ(categories[0], (PropList{PropValue::ofText(Prop::Name, QStringLiteral("Meals")),
                                       PropValue::ofInt(Prop::CategoryId, 2)}));
    EXPECT_EQ(m_book.tables().scheduled().count(), 0);
    ASSERT_EQ(m_book.tables().accounts().count(), 1);
    EXPECT_EQ(m_settings.written, (QStringList{QStringLiteral("Options/Export MS Money Date=1i"),
                                               QStringLiteral("Options/Default Currency=EUR")}));
}

// Zeros and empty texts are what a backup leaves out; a file that spells them
// out restores as if it had not, so the records keep their places in the
// sorted orders (a zero key sorts first, a missing one last) through the
// next backup and restore.
TEST_F(RestoreTest, ZerosInAFileRestoreAsMissingProperties)
{
    BackupBytes file;
    file.header(BackupTime)
        .section(QStringLiteral("Tallyra Category"))
        .record()
        .integer(401, 3)
        .integer(202, 0)
        .text(110, QStringLiteral("Three"))
        .text(114, QString())
        .record()
        .integer(401, 2)
        .text(110, QStringLiteral("Two"))
        .integer(203, 1)
        .integer(203, 0)
        .section(QStringLiteral("Tallyra Account"))
        .record()
        .integer(104, 3)
        .text(110, QStringLiteral("Card"))
        .amount(113, 0)
        .date(151, 0)
        .end();
    ASSERT_EQ(restore(fileWith(file.bytes())), Restore::Outcome::Completed);
    EXPECT_EQ(m_book.records(TableKind::Category),
              (std::vector<PropList>{{PropValue::ofText(Prop::Name, QStringLiteral("Two")),
                                      PropValue::ofInt(Prop::CategoryId, 2)},
                                     {PropValue::ofText(Prop::Name, QStringLiteral("Three")),
                                      PropValue::ofInt(Prop::CategoryId, 3)}}));
    EXPECT_EQ(m_book.records(TableKind::Account),
              (std::vector<PropList>{{PropValue::ofInt(Prop::AccountId, 3),
                                      PropValue::ofText(Prop::Name, QStringLiteral("Card"))}}));

    const QByteArray first = backupOf(m_book);
    ASSERT_EQ(restore(fileWith(first)), Restore::Outcome::Completed);
    EXPECT_EQ(backupOf(m_book).toHex(' ').toStdString(), first.toHex(' ').toStdString());
}

TEST_F(RestoreTest, ProgressNamesEachSavedTableThenComplete)
{
    BackupTestBook source;
    fill(source);
    ASSERT_EQ(restore(fileWith(backupOf(source))), Restore::Outcome::Completed);
    EXPECT_EQ(m_ui.progressSteps, RestoreLoader::Steps);
    EXPECT_EQ(m_ui.progressLabels,
              (QStringList{QStringLiteral("Restore data Tallyra Transaction"),
                           QStringLiteral("Restore data Tallyra Planner"),
                           QStringLiteral("Restore data Tallyra Account"),
                           QStringLiteral("Restore data Tallyra Project"),
                           QStringLiteral("Restore data Tallyra Category"),
                           QStringLiteral("Restore data Tallyra Currency"), QStringLiteral("Complete")}));
    EXPECT_EQ(m_ui.progressDone, RestoreLoader::Steps);
}

}  // namespace
