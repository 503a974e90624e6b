#pragma once

// A seeded random stream of what a user does to a book, run on a RandomBook:
// adds with and without categories and projects, edits (amount, date, note,
// category to and from a transfer), transfers within one currency and
// between dollars and euros (the conversion accepted, given a new rate or
// cancelled), deletions, reconcile marks, postings of future rows (whole and
// in part), dismissals, purges of old transactions, plans added, edited,
// stopped, activated and deleted, the horizon moved, accounts added and
// deleted, and runs ended in order or cut off. With files, also QIF
// statements imported (some a second time, so their lines merge) and the
// whole book backed up and restored from the file.
//
// The same seed gives the same stream, so a failing run can be repeated.

#include "RandomBook.h"

#include "accounts/AccountDeletion.h"
#include "accounts/AccountList.h"
#include "accounts/AccountRun.h"
#include "accounts/OldTransactionPurge.h"
#include "interchange/StatementFileImport.h"
#include "planning/PlannerActions.h"
#include "planning/RecurrenceRule.h"
#include "shell/BookBackup.h"

#include <QFile>

#include <map>
#include <random>
#include <string>

class RandomWorkload {
public:
    // What one step did: `what` names it in a failure message; `wrong` says how
    // the operation itself misbehaved; `acted` tells a step that found something
    // to work on from one that had nothing (no row, no plan).
    struct Done {
        explicit Done(QString text, bool didAct = false, QString fault = {})
            : what(std::move(text)), acted(didAct), wrong(std::move(fault))
        {
        }
        QString what;
        bool acted;
        QString wrong;
    };
    struct Operation {
        const char* name;
        int weight;
        Done (RandomWorkload::*run)();
    };
    enum class Files { Without, With };

    RandomWorkload(std::mt19937::result_type seed, const LocalTime& start, Files files = Files::Without)
        : m_rng(seed), m_book(std::make_unique<RandomBook>(start))
    {
        m_operations = {
            {"add", 18, &RandomWorkload::add},
            {"transfer", 9, &RandomWorkload::transfer},
            {"edit amount", 6, &RandomWorkload::editAmount},
            {"edit date", 5, &RandomWorkload::editDate},
            {"edit note", 2, &RandomWorkload::editNote},
            {"to transfer", 3, &RandomWorkload::editToTransfer},
            {"to category", 4, &RandomWorkload::editToCategory},
            {"delete", 5, &RandomWorkload::remove},
            {"mark", 2, &RandomWorkload::mark},
            {"post", 7, &RandomWorkload::post},
            {"dismiss", 3, &RandomWorkload::dismiss},
            {"horizon", 2, &RandomWorkload::moveHorizon},
            {"reminders", 1, &RandomWorkload::reminders},
            {"purge", 1, &RandomWorkload::purge},
            {"restart", 1, &RandomWorkload::restart},
            {"crash", 1, &RandomWorkload::crashAndStart},
            {"add account", 1, &RandomWorkload::addAccount},
            {"delete account", 1, &RandomWorkload::deleteAccount},
            {"plan add", 4, &RandomWorkload::addPlan},
            {"plan edit", 2, &RandomWorkload::editPlan},
            {"plan stop/activate", 2, &RandomWorkload::togglePlan},
            {"plan delete", 1, &RandomWorkload::deletePlan},
        };
        if (files == Files::With) {
            m_operations.push_back({"import", 2, &RandomWorkload::importStatement});
            m_operations.push_back({"backup and restore", 1, &RandomWorkload::backupAndRestore});
        }
    }

    bool ready() const { return m_book->ready(); }
    RandomBook& book() { return *m_book; }
    const std::vector<Operation>& operations() const { return m_operations; }
    // How many steps of the operation found something to work on.
    int acted(const char* operation) const
    {
        const auto found = m_acted.find(operation);
        return found == m_acted.end() ? 0 : found->second;
    }

    // One random operation, the day moved on first as the user works (up to
    // six hours a step). A message the operation showed counts as wrong.
    Done next()
    {
        m_book->clock().advanceMs(static_cast<qint64>(pick(360)) * 60'000);
        m_book->ui().messages.clear();
        const Operation& operation = randomOperation();
        Done done = (this->*operation.run)();
        done.what = QStringLiteral("step %1, %2").arg(m_step).arg(done.what);
        if (done.wrong.isEmpty() && !m_book->ui().messages.isEmpty())
            done.wrong = m_book->ui().messages.join(u'\n');
        if (done.acted)
            ++m_acted[operation.name];
        ++m_step;
        return done;
    }

private:
    static QString amountText(Money magnitude)
    {
        const qint64 h = magnitude.hundredths();
        return QStringLiteral("%1.%2").arg(h / 100).arg(h % 100, 2, 10, QLatin1Char('0'));
    }
    static QString dayText(FileTime t) { return Clock::formatMoment(localFromFileTime(t)).left(10); }
    static constexpr size_t MaxPlans = 25;
    static inline const QStringList ProjectPaths = {QStringLiteral("Home"), QStringLiteral("Home:Garden"),
                                                    QStringLiteral("Home:Kitchen"), QStringLiteral("Trip")};

    // --- random choices -------------------------------------------------------------
    quint32 pick(quint32 n) { return n == 0 ? 0 : m_rng() % n; }
    bool chance(quint32 percent) { return pick(100) < percent; }
    Money randomMagnitude() { return Money::fromHundredths(1 + pick(4) * 1000 + pick(99'999)); }
    FileTime randomDay(int back, int ahead)
    {
        return addDays(m_book->now(),
                       static_cast<qint64>(pick(static_cast<quint32>(back + ahead + 1))) - back);
    }
    std::vector<AccountRecord> accounts() { return AccountList(m_book->book().tables().accounts()).all(); }
    AccountRecord randomAccount()
    {
        const std::vector<AccountRecord> all = accounts();
        return all[pick(static_cast<quint32>(all.size()))];
    }
    // Another account than `not`.
    AccountRecord otherAccount(qint32 notThis)
    {
        std::vector<AccountRecord> all = accounts();
        std::erase_if(all, [&](const AccountRecord& a) { return a.id == notThis; });
        return all[pick(static_cast<quint32>(all.size()))];
    }
    qint64 countOf(qint32 account)
    {
        return AccountRun::locate(m_book->book().tables().transactions(), account).count;
    }
    Money totalOf(qint32 account)
    {
        return AccountList(m_book->book().tables().accounts()).find(account)->total;
    }
    QString randomCategoryPath()
    {
        // The default tree holds ids 2 .. 75 under the root.
        return m_book->book().categories().pathOf(static_cast<qint32>(2 + pick(74)));
    }
    void scriptConversion()
    {
        const quint32 r = pick(20);
        ScriptedConversion& c = m_book->conversion();
        c.answer = r < 3   ? ScriptedConversion::Answer::Cancel
                   : r < 8 ? ScriptedConversion::Answer::NewRate
                           : ScriptedConversion::Answer::Accept;
        static const QStringList rates = {QStringLiteral("0.85"), QStringLiteral("0.9"),
                                          QStringLiteral("1.1"), QStringLiteral("1.25")};
        c.rate = rates[static_cast<int>(pick(4))];
    }
    bool cancelled(int askedBefore) const
    {
        return m_book->conversion().asked > askedBefore &&
               m_book->conversion().answer == ScriptedConversion::Answer::Cancel;
    }
    // A transaction row of the account; -1 when it has none.
    qint64 randomRow(qint32 account)
    {
        const qint64 n = m_book->show(account).transactionCount();
        return n == 0 ? -1 : static_cast<qint64>(pick(static_cast<quint32>(n)));
    }
    std::vector<qint32> planIds()
    {
        std::vector<qint32> ids;
        DbTable& planner = m_book->book().tables().planner();
        for (qint64 p = 0; p < planner.count(); ++p) {
            if (planner.moveTo(p))
                ids.push_back(planner.getInt(Prop::PlannerId));
        }
        return ids;
    }

    // --- transactions -----------------------------------------------------------------
    Done add()
    {
        const AccountRecord a = randomAccount();
        Register& reg = m_book->show(a.id);
        TransactionEditor& ed = m_book->editor();
        Done d(QStringLiteral("add to %1").arg(a.name));
        const qint64 before = reg.transactionCount();
        if (!ed.load(before))
            return Done(d.what, false, QStringLiteral("the new-transaction row did not load"));
        const Money magnitude = randomMagnitude();
        const bool payment = chance(70);
        ed.setAmountText(amountText(magnitude));
        ed.setPayment(payment);
        d.what += QStringLiteral(" %1%2").arg(QLatin1String(payment ? "-" : "+"), amountText(magnitude));
        const quint32 category = pick(10);
        if (category < 5) {
            const QString path = randomCategoryPath();
            ed.setCategoryText(path);
            d.what += QStringLiteral(" category %1").arg(path);
        } else if (category == 5) {
            const QString path = QStringLiteral("Random:New %1").arg(m_step);
            ed.setCategoryText(path);
            d.what += QStringLiteral(" new category %1").arg(path);
        }
        if (chance(30)) {
            const QString project = ProjectPaths[static_cast<int>(pick(4))];
            ed.setProjectText(project);
            d.what += QStringLiteral(" project %1").arg(project);
        }
        if (chance(70)) {
            const FileTime day = randomDay(60, 5);
            ed.setDate(day);
            d.what += QStringLiteral(" on %1").arg(dayText(day));
        }
        if (chance(50))
            ed.setDescription(QStringLiteral("Item %1").arg(m_step));
        d.acted = ed.save(false).isSaved();
        if (!d.acted || countOf(a.id) != before + 1)
            d.wrong = QStringLiteral("the new transaction was not saved");
        return d;
    }

    Done transfer()
    {
        const AccountRecord a = randomAccount();
        const AccountRecord b = otherAccount(a.id);
        Register& reg = m_book->show(a.id);
        TransactionEditor& ed = m_book->editor();
        const Money magnitude = randomMagnitude();
        Done d(QStringLiteral("transfer %1 %2 -> %3").arg(amountText(magnitude), a.name, b.name));
        const qint64 beforeA = reg.transactionCount();
        const qint64 beforeB = countOf(b.id);
        if (!ed.load(beforeA))
            return Done(d.what, false, QStringLiteral("the new-transaction row did not load"));
        ed.setAmountText(amountText(magnitude));
        ed.setPayment(chance(60));
        ed.setCategoryText(QStringLiteral("[%1]").arg(b.name));
        if (chance(40))
            ed.setDate(randomDay(40, 3));
        if (chance(20))
            ed.setProjectText(ProjectPaths[static_cast<int>(pick(4))]);
        scriptConversion();
        const int asked = m_book->conversion().asked;
        const bool saved = ed.save(false).isSaved();
        const bool sameCurrency = a.currency == b.currency;
        if (sameCurrency && m_book->conversion().asked != asked)
            d.wrong = QStringLiteral("a transfer within one currency asked for a conversion");
        else if (cancelled(asked))
            d.wrong = saved || countOf(a.id) != beforeA || countOf(b.id) != beforeB
                          ? QStringLiteral("a cancelled conversion still wrote")
                          : QString();
        else if (!saved || countOf(a.id) != beforeA + 1 || countOf(b.id) != beforeB + 1)
            d.wrong = QStringLiteral("the transfer was not saved on both sides");
        d.acted = saved;
        return d;
    }

    Done editAmount()
    {
        const AccountRecord a = randomAccount();
        const qint64 row = randomRow(a.id);
        Done d(QStringLiteral("edit amount of %1 row %2").arg(a.name).arg(row));
        TransactionEditor& ed = m_book->editor();
        if (row < 0 || !ed.load(row))
            return d;
        const Money magnitude = randomMagnitude();
        ed.setAmountText(amountText(magnitude));
        if (chance(20))
            ed.setPayment(!ed.isPayment());
        d.what += QStringLiteral(" to %1").arg(amountText(magnitude));
        scriptConversion();
        const int asked = m_book->conversion().asked;
        d.acted = ed.save(false).isSaved();
        if (!d.acted && !cancelled(asked))
            d.wrong = QStringLiteral("the new amount was not saved");
        return d;
    }

    Done editDate()
    {
        const AccountRecord a = randomAccount();
        const qint64 row = randomRow(a.id);
        Done d(QStringLiteral("re-date %1 row %2").arg(a.name).arg(row));
        TransactionEditor& ed = m_book->editor();
        if (row < 0 || !ed.load(row))
            return d;
        const FileTime day = randomDay(60, 5);
        ed.setDate(day);
        d.what += QStringLiteral(" to %1").arg(dayText(day));
        const qint64 before = countOf(a.id);
        d.acted = ed.save(false).isSaved();
        if (!d.acted || countOf(a.id) != before)
            d.wrong = QStringLiteral("the new date was not saved");
        return d;
    }

    Done editNote()
    {
        const AccountRecord a = randomAccount();
        const qint64 row = randomRow(a.id);
        Done d(QStringLiteral("note on %1 row %2").arg(a.name).arg(row));
        TransactionEditor& ed = m_book->editor();
        if (row < 0 || !ed.load(row))
            return d;
        ed.setNote(QStringLiteral("note %1").arg(m_step));
        m_book->conversion().answer = ScriptedConversion::Answer::Cancel;
        const int asked = m_book->conversion().asked;
        d.acted = ed.save(false).isSaved();
        if (m_book->conversion().asked != asked)
            d.wrong = QStringLiteral("a new note asked for a conversion");
        else if (!d.acted)
            d.wrong = QStringLiteral("the note was not saved");
        return d;
    }

    // An ordinary transaction becomes a transfer to another account.
    Done editToTransfer()
    {
        const AccountRecord a = randomAccount();
        const AccountRecord b = otherAccount(a.id);
        const qint64 row = randomRow(a.id);
        Done d(QStringLiteral("%1 row %2 to a transfer to %3").arg(a.name).arg(row).arg(b.name));
        TransactionEditor& ed = m_book->editor();
        if (row < 0 || !ed.load(row) || ed.categoryText().startsWith(u'['))
            return d;
        const qint64 beforeB = countOf(b.id);
        ed.setCategoryText(QStringLiteral("[%1]").arg(b.name));
        scriptConversion();
        const int asked = m_book->conversion().asked;
        d.acted = ed.save(false).isSaved();
        if (cancelled(asked))
            d.wrong = d.acted || countOf(b.id) != beforeB
                          ? QStringLiteral("a cancelled conversion still wrote")
                          : QString();
        else if (!d.acted || countOf(b.id) != beforeB + 1)
            d.wrong = QStringLiteral("the counterpart was not written");
        return d;
    }

    // A transfer becomes an ordinary transaction, with a category or without.
    Done editToCategory()
    {
        const AccountRecord a = randomAccount();
        const qint64 row = randomRow(a.id);
        Done d(QStringLiteral("%1 row %2 from a transfer").arg(a.name).arg(row));
        TransactionEditor& ed = m_book->editor();
        if (row < 0 || !ed.load(row) || !ed.categoryText().startsWith(u'['))
            return d;
        const std::optional<RegisterEntry> entry = m_book->shown().entry(row);
        const qint32 other = entry ? -entry->category : 0;
        const qint64 beforeOther = countOf(other);
        if (chance(50)) {
            const QString path = randomCategoryPath();
            ed.setCategoryText(path);
            d.what += QStringLiteral(" to %1").arg(path);
        } else {
            ed.clearField(TransactionEditor::Field::Category);
        }
        d.acted = ed.save(false).isSaved();
        if (!d.acted || countOf(other) != beforeOther - 1)
            d.wrong = QStringLiteral("the counterpart was not removed");
        return d;
    }

    Done remove()
    {
        const AccountRecord a = randomAccount();
        const qint64 row = randomRow(a.id);
        Done d(QStringLiteral("delete %1 row %2").arg(a.name).arg(row));
        TransactionEditor& ed = m_book->editor();
        if (row < 0 || !ed.load(row))
            return d;
        const qint64 before = countOf(a.id);
        d.acted = ed.deleteRow();
        if (!d.acted || countOf(a.id) != before - 1)
            d.wrong = QStringLiteral("the transaction was not deleted");
        return d;
    }

    Done mark()
    {
        const AccountRecord a = randomAccount();
        const qint64 row = randomRow(a.id);
        Done d(QStringLiteral("mark %1 row %2").arg(a.name).arg(row));
        if (row < 0)
            return d;
        d.acted = m_book->shown().toggleMark(row).has_value();
        if (!d.acted)
            d.wrong = QStringLiteral("the mark was not written");
        return d;
    }

    // --- the future list ------------------------------------------------------------------
    // A future row of the account's register; -1 when the list is empty.
    qint64 randomFutureRow(qint32 account)
    {
        Register& reg = m_book->show(account);
        if (reg.futureCount() == 0)
            return -1;
        return reg.transactionCount() + 1 + pick(static_cast<quint32>(reg.futureCount()));
    }

    Done post()
    {
        const AccountRecord a = randomAccount();
        const qint64 row = randomFutureRow(a.id);
        Done d(QStringLiteral("post future row %1 into %2").arg(row).arg(a.name));
        TransactionEditor& ed = m_book->editor();
        if (row < 0 || !ed.load(row))
            return d;
        if (chance(40)) {
            QString shown = ed.amountText();
            shown.remove(m_book->locale().thousandsSeparator);
            const std::optional<Money> full = moneyFromTypedText(shown);
            if (full && full->hundredths() >= 2) {
                const Money part =
                    Money::fromHundredths(1 + pick(static_cast<quint32>(full->hundredths() - 1)));
                ed.setAmountText(amountText(part));
                d.what += QStringLiteral(", %1 of %2").arg(amountText(part), shown);
            }
        }
        if (chance(30))
            ed.setDate(randomDay(5, 0));
        scriptConversion();
        const int asked = m_book->conversion().asked;
        const qint64 before = countOf(a.id);
        d.acted = ed.save(false).isSaved();
        if (cancelled(asked))
            d.wrong = d.acted || countOf(a.id) != before
                          ? QStringLiteral("a cancelled conversion still wrote")
                          : QString();
        else if (!d.acted || countOf(a.id) != before + 1)
            d.wrong = QStringLiteral("the occurrence was not posted");
        return d;
    }

    Done dismiss()
    {
        const AccountRecord a = randomAccount();
        const qint64 row = randomFutureRow(a.id);
        Done d(QStringLiteral("dismiss future row %1 in %2").arg(row).arg(a.name));
        TransactionEditor& ed = m_book->editor();
        if (row < 0 || !ed.load(row))
            return d;
        const qint64 before = countOf(a.id);
        d.acted = ed.deleteRow();
        if (!d.acted || countOf(a.id) != before)
            d.wrong = QStringLiteral("the occurrence was not dismissed (or landed in the account)");
        return d;
    }

    Done moveHorizon()
    {
        const FileTime day = randomDay(5, 60);
        Done d(QStringLiteral("horizon to %1").arg(dayText(day)), true);
        if (!m_book->book().future().build(day, false))
            d.wrong = QStringLiteral("the future list was not built");
        return d;
    }

    Done reminders()
    {
        MainBook& book = m_book->book();
        (void)book.future().showReminders(m_book->now(), book.currencies(), m_book->locale(), m_book->ui());
        dropReminders();
        return Done(QStringLiteral("reminders"), true);
    }

    // --- maintenance ------------------------------------------------------------------------
    Done purge()
    {
        const AccountRecord a = randomAccount();
        // "All" only now and then: it empties the account but for the begin balance.
        const auto& periods = OldTransactionPurge::Periods;
        const OldTransactionPurge::Period period =
            chance(15) ? periods[0] : periods[1 + pick(static_cast<quint32>(periods.size() - 1))];
        const bool clearedOnly = chance(50);
        Done d(QStringLiteral("purge %1 older than %2%3")
                   .arg(a.name, QLatin1String(period.label), QLatin1String(clearedOnly ? " (cleared)" : "")));
        MainBook& book = m_book->book();
        OldTransactionPurge purge(book.tables(), book.categories(),
                                  [&book] { return book.updateAllProjectTotals(); });
        const OldTransactionPurge::Result result = purge.purge(a.id, period.days, clearedOnly, m_book->now());
        d.acted = result.outcome == OldTransactionPurge::Outcome::Done && result.removed > 0;
        if (result.outcome != OldTransactionPurge::Outcome::Done)
            d.wrong = QStringLiteral("the purge failed");
        else if (totalOf(a.id) != a.total)
            d.wrong = QStringLiteral("the purge changed the balance");
        return d;
    }

    // Start-up shows the due reminders: the one message a start may show.
    void dropReminders()
    {
        m_book->ui().messages.removeIf(
            [](const QString& m) { return m.startsWith(QLatin1String(FutureList::RemindersTitle)); });
    }

    Done restart()
    {
        m_book->exit();
        Done d(QStringLiteral("exit and start again"), true);
        const bool started = m_book->start();
        dropReminders();
        if (!started)
            d.wrong = QStringLiteral("the book did not start again");
        return d;
    }

    Done crashAndStart()
    {
        m_book->crash();
        m_book->ui().statuses.clear();
        Done d(QStringLiteral("crash and start again"), true);
        const bool started = m_book->start();
        dropReminders();
        if (!started)
            d.wrong = QStringLiteral("the book did not start again");
        else if (!m_book->ui().statuses.contains(TableSet::ReindexText))
            d.wrong = QStringLiteral("the start after a crash did not repair");
        return d;
    }

    // --- accounts ---------------------------------------------------------------------------
    Done addAccount()
    {
        Done d(QStringLiteral("add an account"));
        if (accounts().size() >= 5)
            return d;
        const QString code = chance(50) ? QStringLiteral("USD") : QStringLiteral("EUR");
        AccountCreator creator(m_book->book().tables(), m_book->book().currencies(), m_book->clock());
        const qint32 id =
            creator.create({QStringLiteral("Extra %1").arg(m_step), BuiltInCurrencies::firstRowOf(code),
                            Money::fromHundredths(pick(50'000))});
        d.acted = id != 0;
        if (!d.acted)
            d.wrong = QStringLiteral("the account was not created");
        return d;
    }

    // Only the accounts added on the way go; the first three stay.
    Done deleteAccount()
    {
        std::vector<AccountRecord> extra = accounts();
        std::erase_if(extra, [](const AccountRecord& a) { return a.id <= 3; });
        Done d(QStringLiteral("delete an account"));
        if (extra.empty())
            return d;
        const AccountRecord a = extra[pick(static_cast<quint32>(extra.size()))];
        d.what += QStringLiteral(" %1").arg(a.name);
        MainBook& book = m_book->book();
        AccountDeletion deletion(
            book.tables(), book.categories(), [&book] { return book.updateAllProjectTotals(); },
            [&book] { return book.future().build(book.future().horizon(), true); });
        d.acted = deletion.remove(a.id, m_book->ui()) == AccountDeletion::Outcome::Deleted;
        if (!d.acted)
            d.wrong = QStringLiteral("the account was not deleted");
        (void)m_book->show(accounts().front().id);
        return d;
    }

    // --- plans --------------------------------------------------------------------------------
    // A book keeps a few dozen plans at most; more only slow every later step
    // (each save rebuilds the future list from all of them).
    Done addPlan()
    {
        if (planIds().size() >= MaxPlans)
            return Done(QStringLiteral("add a plan (enough plans)"));
        PlannerEditor ed(m_book->plannerContext());
        const QString currency = chance(60) ? QStringLiteral("USD") : QStringLiteral("EUR");
        ed.loadNew(currency);
        ed.setDescription(QStringLiteral("Plan %1").arg(m_step));
        const Money magnitude = randomMagnitude();
        ed.setAmountText(amountText(magnitude));
        ed.setPayment(chance(70));
        static const qint32 rules[] = {RecurrenceRule::OnlyOnce, RecurrenceRule::Weekly,
                                       RecurrenceRule::EveryTwoWeeks, RecurrenceRule::Monthly,
                                       RecurrenceRule::Quarterly};
        const qint32 rule = rules[pick(5)];
        ed.setRule(rule);
        if (rule != RecurrenceRule::OnlyOnce && chance(50))
            ed.setEntriesText(QString::number(2 + pick(7)));
        const FileTime start = randomDay(40, 20);
        ed.setStartDate(start);
        const quint32 category = pick(4);
        if (category == 0)
            ed.setCategoryText(QStringLiteral("[%1]").arg(randomAccount().name));
        else if (category == 1)
            ed.setCategoryText(randomCategoryPath());
        if (chance(25))
            ed.setProjectText(ProjectPaths[static_cast<int>(pick(4))]);
        if (chance(20))
            ed.setReminderDaysText(QString::number(1 + pick(5)));
        Done d(QStringLiteral("plan %1 %2 %3 rule %4 from %5 (%6)")
                   .arg(amountText(magnitude), currency, ed.categoryText(), RecurrenceRule::name(rule),
                        dayText(start),
                        ed.entries() == RecurrenceRule::Ongoing ? QStringLiteral("ongoing")
                                                                : QString::number(ed.entries())));
        d.acted = ed.save() == PlannerEditor::SaveResult::Saved;
        if (!d.acted)
            d.wrong = QStringLiteral("the plan was not saved");
        return d;
    }

    Done editPlan()
    {
        const std::vector<qint32> ids = planIds();
        Done d(QStringLiteral("edit a plan"));
        if (ids.empty())
            return d;
        const qint32 id = ids[pick(static_cast<quint32>(ids.size()))];
        PlannerEditor ed(m_book->plannerContext());
        if (!ed.load(id))
            return Done(d.what, false, QStringLiteral("plan %1 did not load").arg(id));
        d.what = QStringLiteral("edit plan %1:").arg(id);
        const quint32 change = pick(3);
        if (change == 0) {
            const Money magnitude = randomMagnitude();
            ed.setAmountText(amountText(magnitude));
            d.what += QStringLiteral(" amount %1").arg(amountText(magnitude));
        } else if (change == 1) {
            const FileTime start = randomDay(20, 20);
            ed.setStartDate(start);
            d.what += QStringLiteral(" start %1").arg(dayText(start));
        } else {
            const qint32 rule = chance(50) ? RecurrenceRule::Monthly : RecurrenceRule::EveryTwoWeeks;
            ed.setRule(rule);
            ed.setEntriesText(QString::number(2 + pick(5)));
            d.what += QStringLiteral(" rule %1").arg(RecurrenceRule::name(rule));
        }
        d.acted = ed.save() == PlannerEditor::SaveResult::Saved;
        if (!d.acted)
            d.wrong = QStringLiteral("the plan's change was not saved");
        return d;
    }

    Done togglePlan()
    {
        const std::vector<qint32> ids = planIds();
        Done d(QStringLiteral("stop or activate a plan"));
        if (ids.empty())
            return d;
        const qint32 id = ids[pick(static_cast<quint32>(ids.size()))];
        d.what += QStringLiteral(" %1").arg(id);
        MainBook& book = m_book->book();
        PlannerActions actions(book.tables(), book.future(), m_book->clock(), m_book->ui());
        d.acted = actions.toggleStopped(id).has_value();
        if (!d.acted)
            d.wrong = QStringLiteral("the plan was not stopped or activated");
        return d;
    }

    Done deletePlan()
    {
        const std::vector<qint32> ids = planIds();
        Done d(QStringLiteral("delete a plan"));
        if (ids.empty())
            return d;
        const qint32 id = ids[pick(static_cast<quint32>(ids.size()))];
        d.what += QStringLiteral(" %1").arg(id);
        MainBook& book = m_book->book();
        PlannerActions actions(book.tables(), book.future(), m_book->clock(), m_book->ui());
        d.acted = actions.remove(id) == PlannerActions::DeleteOutcome::Deleted;
        if (!d.acted)
            d.wrong = QStringLiteral("the plan was not deleted");
        return d;
    }

    // --- files ------------------------------------------------------------------------------
    // A QIF statement of a few lines dated around today, now and then the
    // previous file again: its lines then merge instead of adding.
    Done importStatement()
    {
        const AccountRecord a = randomAccount();
        const bool again = !m_lastStatement.isEmpty() && chance(30);
        if (!again)
            m_lastStatement = statementText();
        Done d(QStringLiteral("import %1statement into %2")
                   .arg(QLatin1String(again ? "the same " : ""), a.name));
        const QString path = m_files.filePath(QStringLiteral("statement.qif"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(m_lastStatement) < 0)
            return Done(d.what, false, QStringLiteral("the statement file was not written"));
        file.close();
        MainBook& book = m_book->book();
        const CodePage codePage = CodePage::defaultPage();
        const StatementImportContext context{
            book.tables(),   book.categories(), book.projects(), book.totals(), book.state().defaultCurrency,
            m_book->clock(), m_book->locale(),  codePage,        m_book->ui()};
        const qint64 before = countOf(a.id);
        const StatementImportResult result =
            importStatementFile(context, path, StatementFormat::Qif, CsvMapping(), a.id);
        d.what += QStringLiteral(": %1 added, %2 merged").arg(result.added).arg(result.merged);
        d.acted = result.ok && result.added + result.merged > 0;
        if (!result.ok)
            d.wrong = QStringLiteral("the import failed");
        else if (countOf(a.id) != before + result.added)
            d.wrong = QStringLiteral("the account did not gain exactly the added lines");
        return d;
    }
    QByteArray statementText()
    {
        QByteArray text = "!Type:Bank\n";
        const int lines = 1 + static_cast<int>(pick(5));
        for (int i = 0; i < lines; ++i) {
            const LocalTime day = localFromFileTime(randomDay(30, 0));
            const Money magnitude = randomMagnitude();
            text += QStringLiteral("D%1/%2/%3\nT%4%5\nPShop %6\n")
                        .arg(day.month)
                        .arg(day.day)
                        .arg(day.year)
                        .arg(QLatin1String(chance(70) ? "-" : ""), amountText(magnitude))
                        .arg(pick(20))
                        .toUtf8();
            if (chance(50))
                text += "L" + randomCategoryPath().toUtf8() + "\n";
            text += "^\n";
        }
        return text;
    }

    // The whole book written to a backup file and read back in its place, then
    // a new start (the restore leaves the horizon at 0, so the start rebuilds
    // the future list and the project totals).
    Done backupAndRestore()
    {
        Done d(QStringLiteral("back up and restore"));
        const QString path = m_files.filePath(QStringLiteral("book.tyb"));
        qint64 rows = 0;
        for (const AccountRecord& a : accounts())
            rows += countOf(a.id);
        if (!BookBackup(m_book->book(), m_book->ui()).backup(path, m_book->now()))
            return Done(d.what, false, QStringLiteral("the backup failed"));
        const BookBackup::RestoreResult restored =
            BookBackup(m_book->book(), m_book->ui()).restore(path, m_book->locale());
        m_book->ui().messages.removeAll(QLatin1String(Restore::CompletedText));
        if (restored.outcome != Restore::Outcome::Completed)
            return Done(d.what, false,
                        QStringLiteral("the restore was not completed %1").arg(restored.notStartedText));
        m_book->exit();
        d.acted = m_book->start();
        dropReminders();
        qint64 after = 0;
        for (const AccountRecord& a : accounts())
            after += countOf(a.id);
        if (!d.acted)
            d.wrong = QStringLiteral("the book did not start after the restore");
        else if (after != rows)
            d.wrong = QStringLiteral("the restored book holds %1 transactions, not %2").arg(after).arg(rows);
        return d;
    }

    const Operation& randomOperation()
    {
        int total = 0;
        for (const Operation& o : m_operations)
            total += o.weight;
        int r = static_cast<int>(pick(static_cast<quint32>(total)));
        for (const Operation& o : m_operations) {
            if (r < o.weight)
                return o;
            r -= o.weight;
        }
        return m_operations.front();
    }

    std::mt19937 m_rng;
    std::unique_ptr<RandomBook> m_book;
    std::vector<Operation> m_operations;
    std::map<std::string, int> m_acted;
    int m_step = 0;
    QTemporaryDir m_files;
    QByteArray m_lastStatement;
};
