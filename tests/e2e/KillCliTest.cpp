// Long commands of tallyra-cli killed (SIGKILL) at random moments, with a
// fixed seed: whatever the moment, the next start opens the book, `check`
// passes, and the book is as it was before the command or as the whole
// command leaves it: a transfer has both sides or neither, a purge or an
// account deletion happened whole or not at all.
//
// One book is made once for all the tests (accounts in dollars and euros,
// a few hundred transactions by QIF import, transfers within one currency and
// between the two, plans with posted occurrences) and copied for every run.
#include "CliBook.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>

#include <chrono>
#include <memory>
#include <random>
#include <thread>
#include <tuple>

namespace {

// What one command changes, read back through the command line: every
// account with its balance, the watched accounts' transactions, the plans.
struct LongCommand {
    QStringList arguments;
    QStringList watched;  // accounts whose registers must be whole
    bool plans = false;
    std::mt19937::result_type seed = 1;
};

constexpr int Trials = 6;

QString qifFile(int records, int dayOffset)
{
    static const char* const categories[] = {"Food:Groceries", "Auto:Fuel", "Utilities:Electric", "Leisure",
                                             "Household"};
    QString text = QStringLiteral("!Type:Bank\n");
    QDate day(2023, 1, 1);
    for (int i = 0; i < records; ++i) {
        const QDate d = day.addDays((i * 7 + dayOffset) % 420);
        const int cents = (i % 5 == 0 ? 1 : -1) * (500 + (i * 7919) % 40000);
        text += QStringLiteral("D%1/%2/%3\nT%4%5.%6\nPPayee %7\nL%8\n^\n")
                    .arg(d.month())
                    .arg(d.day())
                    .arg(d.year())
                    .arg(QLatin1String(cents < 0 ? "-" : ""))
                    .arg(std::abs(cents) / 100)
                    .arg(std::abs(cents) % 100, 2, 10, QLatin1Char('0'))
                    .arg(i % 17)
                    .arg(QLatin1String(categories[i % 5]));
    }
    return text;
}

bool copyFiles(const QString& from, const QString& to)
{
    QDir target(to);
    for (const QString& name : target.entryList(QDir::Files))
        target.remove(name);
    const QDir source(from);
    for (const QString& name : source.entryList(QDir::Files)) {
        if (!QFile::copy(source.filePath(name), target.filePath(name)))
            return false;
    }
    return true;
}

class KillCliTest : public CliBook {
protected:
    static void TearDownTestSuite()
    {
        delete s_template;
        s_template = nullptr;
    }

    void SetUp() override
    {
        if (!s_template)
            makeTemplate();
        ASSERT_NE(s_template, nullptr);
        restore();
    }

    // The shared book, made once through the command line.
    void makeTemplate()
    {
        QTemporaryDir files;
        ok({QStringLiteral("init"), QStringLiteral("Cash"), QStringLiteral("USD"), QStringLiteral("800")});
        ok({QStringLiteral("account-add"), QStringLiteral("Checking"), QStringLiteral("USD"),
            QStringLiteral("5000")});
        ok({QStringLiteral("account-add"), QStringLiteral("Savings"), QStringLiteral("EUR"),
            QStringLiteral("2000")});
        ok({QStringLiteral("rate"), QStringLiteral("USD"), QStringLiteral("EUR"), QStringLiteral("0.9")});
        for (const auto& [account, records, offset] :
             {std::tuple{"Checking", 260, 0}, std::tuple{"Cash", 140, 3}, std::tuple{"Savings", 60, 5}}) {
            const QString path = files.filePath(QStringLiteral("%1.qif").arg(QLatin1String(account)));
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(qifFile(records, offset).toLatin1());
            file.close();
            ok({QStringLiteral("--yes"), QStringLiteral("import"), QLatin1String(account), path});
        }
        // Transfers within dollars and between dollars and euros, old and recent.
        for (int i = 0; i < 12; ++i) {
            const QString date =
                QStringLiteral("2024-0%1-%2").arg(1 + i % 2).arg(3 + i * 2, 2, 10, QLatin1Char('0'));
            const QString to = i % 3 == 0 ? QStringLiteral("[Savings]") : QStringLiteral("[Cash]");
            QStringList add = {QStringLiteral("add"),
                               QStringLiteral("Checking"),
                               QStringLiteral("-%1").arg(40 + i),
                               QStringLiteral("--date"),
                               date,
                               QStringLiteral("--category"),
                               to};
            if (i % 3 == 0)
                add << QStringLiteral("--rate") << QStringLiteral("1.1");
            ok(add);
        }
        // A monthly rent with four occurrences posted, and a weekly plan in euros.
        ok({QStringLiteral("plan-add"), QStringLiteral("-900"), QStringLiteral("USD"),
            QStringLiteral("--desc"), QStringLiteral("Rent"), QStringLiteral("--start"),
            QStringLiteral("2023-10-01"), QStringLiteral("--rule"), QStringLiteral("Monthly"),
            QStringLiteral("--ongoing")});
        ok({QStringLiteral("plan-add"), QStringLiteral("-15"), QStringLiteral("EUR"),
            QStringLiteral("--desc"), QStringLiteral("Lunch"), QStringLiteral("--start"),
            QStringLiteral("2024-02-01"), QStringLiteral("--rule"), QStringLiteral("Weekly"),
            QStringLiteral("--entries"), QStringLiteral("8")});
        // Three paid from Checking and one from Cash: deleting Cash opens that one again.
        for (const char* account : {"Checking", "Checking", "Checking", "Cash"})
            ok({QStringLiteral("--yes"), QStringLiteral("post"), QLatin1String(account),
                QString::number(firstFutureRow(QLatin1String(account)))});
        expectCheckPasses();
        s_template = new QTemporaryDir;
        if (!copyFiles(m_dir.path(), s_template->path())) {
            delete s_template;
            s_template = nullptr;
        }
    }
    void restore() { ASSERT_TRUE(copyFiles(s_template->path(), m_dir.path())); }

    qint64 firstFutureRow(const QString& account)
    {
        const QJsonArray future =
            json({QStringLiteral("register"), account}).object()[QStringLiteral("future")].toArray();
        return future.isEmpty() ? -1 : future.first().toObject()[QStringLiteral("row")].toInteger();
    }
    qint32 planId(const QString& description)
    {
        for (const QJsonValue& plan : json({QStringLiteral("plans")}).array()) {
            if (plan[QStringLiteral("description")].toString() == description)
                return plan[QStringLiteral("id")].toInt();
        }
        return 0;
    }

    // The book as the command line shows it, as far as the command may change it.
    QString fingerprint(const LongCommand& command)
    {
        QJsonArray parts;
        QStringList names;
        for (const QJsonValue& account : json({QStringLiteral("accounts")}).array()) {
            parts.append(QJsonArray{account[QStringLiteral("id")], account[QStringLiteral("name")],
                                    account[QStringLiteral("balance")]});
            names << account[QStringLiteral("name")].toString();
        }
        for (const QString& name : command.watched) {
            if (!names.contains(name))
                continue;
            const QJsonObject reg = json({QStringLiteral("register"), name}).object();
            for (const QJsonValue& t : reg[QStringLiteral("transactions")].toArray())
                parts.append(QJsonArray{t[QStringLiteral("key")], t[QStringLiteral("amount")],
                                        t[QStringLiteral("balance")], t[QStringLiteral("category_id")],
                                        t[QStringLiteral("link")], t[QStringLiteral("planner_id")]});
        }
        if (command.plans) {
            for (const QJsonValue& plan : json({QStringLiteral("plans")}).array())
                parts.append(QJsonArray{plan[QStringLiteral("id")], plan[QStringLiteral("completed")],
                                        plan[QStringLiteral("next")], plan[QStringLiteral("stopped")]});
        }
        return QString::fromUtf8(QJsonDocument(parts).toJson(QJsonDocument::Compact));
    }

    // Starts the command and kills it after `delay`; true when it was still
    // running then (false: it had ended on its own).
    bool runAndKill(const QStringList& arguments, std::chrono::microseconds delay)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("TALLYRA_VERBOSE"));
        env.insert(QStringLiteral("TALLYRA_HOME"), m_dir.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TALLYRA_CLI),
                QStringList{QStringLiteral("--locale"), QStringLiteral("en_US"), QStringLiteral("--now"),
                            QString::fromLatin1(DefaultNow)} +
                    arguments);
        EXPECT_TRUE(p.waitForStarted(10000));
        std::this_thread::sleep_for(delay);
        const bool running = p.state() != QProcess::NotRunning;
        p.kill();
        EXPECT_TRUE(p.waitForFinished(60000));
        return running && p.exitStatus() == QProcess::CrashExit;
    }

    // The whole command once (its duration sets the range of the delays),
    // then `Trials` runs killed after random delays, each followed by
    // `check` and a look at what the command may have changed.
    void killAtRandomPoints(const LongCommand& command)
    {
        const QString before = fingerprint(command);
        restore();
        const auto started = std::chrono::steady_clock::now();
        const CliResult whole = cli(command.arguments);
        const auto took =
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
        ASSERT_EQ(whole.exit, 0) << whole.err.toStdString();
        expectCheckPasses();
        const QString after = fingerprint(command);

        std::mt19937 rng(command.seed);
        int killed = 0;
        int asBefore = 0;
        for (int trial = 0; trial < Trials; ++trial) {
            restore();
            const std::chrono::microseconds delay(rng() % (took.count() * 6 / 5 + 1));
            const bool wasRunning = runAndKill(command.arguments, delay);
            killed += wasRunning ? 1 : 0;
            const std::string where = command.arguments.join(u' ').toStdString() + ", killed after " +
                                      std::to_string(delay.count()) + " us of " +
                                      std::to_string(took.count());
            const CliResult check = cli({QStringLiteral("check")});
            ASSERT_EQ(check.exit, 0) << where << "\n" << check.out.toStdString() << check.err.toStdString();
            const QString seen = fingerprint(command);
            EXPECT_TRUE(seen == before || seen == after)
                << where << "\nbefore: " << before.toStdString() << "\nafter:  " << after.toStdString()
                << "\nseen:   " << seen.toStdString();
            asBefore += seen == before ? 1 : 0;
        }
        // Delays up to the whole run's length: most runs die on the way.
        EXPECT_GT(killed, 0) << "no run was killed while it ran";
        RecordProperty("killed", killed);
        RecordProperty("left_as_before", asBefore);
    }

    static QTemporaryDir* s_template;
};

QTemporaryDir* KillCliTest::s_template = nullptr;

TEST_F(KillCliTest, PurgeIsWholeOrAbsent)
{
    const LongCommand purge{
        {QStringLiteral("--yes"), QStringLiteral("purge"), QStringLiteral("Checking"), QStringLiteral("1m")},
        {QStringLiteral("Checking"), QStringLiteral("Cash"), QStringLiteral("Savings")},
        true,
        101};
    killAtRandomPoints(purge);
}

TEST_F(KillCliTest, RepairLeavesTheBookAsItWas)
{
    killAtRandomPoints({{QStringLiteral("repair")}, {QStringLiteral("Checking")}, true, 202});
}

TEST_F(KillCliTest, AccountDeletionIsWholeOrAbsent)
{
    killAtRandomPoints({{QStringLiteral("--yes"), QStringLiteral("account-delete"), QStringLiteral("Cash")},
                        {QStringLiteral("Checking"), QStringLiteral("Cash")},
                        false,
                        303});
}

TEST_F(KillCliTest, TransferBetweenCurrenciesHasBothSidesOrNeither)
{
    killAtRandomPoints({{QStringLiteral("add"), QStringLiteral("Checking"), QStringLiteral("-250"),
                         QStringLiteral("--category"), QStringLiteral("[Savings]"), QStringLiteral("--rate"),
                         QStringLiteral("1.1"), QStringLiteral("--date"), QStringLiteral("2023-06-15")},
                        {QStringLiteral("Checking"), QStringLiteral("Savings")},
                        false,
                        404});
}

TEST_F(KillCliTest, PlanDeletionIsWholeOrAbsent)
{
    const qint32 rent = planId(QStringLiteral("Rent"));
    ASSERT_NE(rent, 0);
    killAtRandomPoints({{QStringLiteral("--yes"), QStringLiteral("plan-delete"), QString::number(rent)},
                        {QStringLiteral("Checking")},
                        true,
                        505});
}

TEST_F(KillCliTest, PostingIsWholeOrAbsent)
{
    const qint64 row = firstFutureRow(QStringLiteral("Checking"));
    ASSERT_GE(row, 0);
    killAtRandomPoints(
        {{QStringLiteral("--yes"), QStringLiteral("post"), QStringLiteral("Checking"), QString::number(row)},
         {QStringLiteral("Checking")},
         true,
         606});
}

}  // namespace
