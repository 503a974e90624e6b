#include "interchange/StatementImport.h"

#include "accounts/AccountList.h"
#include "accounts/BalanceRecalc.h"
#include "interchange/QifMatchIndex.h"
#include "interchange/QifNames.h"
#include "interchange/QifNewTransactions.h"
#include "platform/StoreTransaction.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

// One import from start to end: the source's lines, then the writes, the
// balances and the project totals, in one store transaction.
class StatementImport::Run {
public:
    Run(const StatementImportContext& context, StatementSource& source, AccountRecord account, FileTime now)
        : m_c(context), m_source(source), m_account(std::move(account)), m_now(now),
          m_names(context.categories, context.projects)
    {
    }

    StatementImportResult go();

private:
    enum class Outcome { Done, Stopped, Failed, SourceFailed };

    StatementImportResult sourceFailure();
    Outcome readLines();
    bool keep(const StatementLine& line);
    bool makeNames(const StatementLine& line);
    bool merge(const QifMatchIndex::Candidate& into, const StatementLine& line);
    bool step();
    bool finishUp();

    const StatementImportContext& m_c;
    StatementSource& m_source;
    AccountRecord m_account;
    FileTime m_now;
    QifNames m_names;
    QifMatchIndex m_index;
    QifRunBalance m_balances;
    QifNewTransactions m_new;
    StatementImportResult m_result;
    qint64 m_steps = 0;
};

StatementImportResult StatementImport::Run::sourceFailure()
{
    m_c.ui.showMessage(m_source.failure(), Interaction::Icon::Exclamation);
    return {};
}

StatementImportResult StatementImport::Run::go()
{
    const std::optional<qint64> lines = m_source.prepare(m_account.currency);
    if (!lines)
        return sourceFailure();
    m_c.ui.progressRange(*lines + 2);
    m_c.ui.progressStep(0);

    DbTable& transactions = m_c.tables.transactions();
    StoreTransaction transaction(*m_c.tables.store());
    SortScope sort(transactions, Prop::AccountKey, DbTable::SortKind::Text);
    if (!transaction.isOpen() || !sort.ok() || !m_index.load(transactions, m_account.id, m_balances))
        return {};
    const Outcome outcome = readLines();
    if (outcome == Outcome::SourceFailed)
        return sourceFailure();
    if (outcome == Outcome::Failed || !finishUp() || !transaction.commit())
        return {};
    m_result.ok = true;
    m_result.stopped = outcome == Outcome::Stopped;
    return m_result;
}

StatementImport::Run::Outcome StatementImport::Run::readLines()
{
    StatementLine line;
    for (;;) {
        line = StatementLine();
        switch (m_source.next(line)) {
        case StatementSource::Next::End:
            return Outcome::Done;
        case StatementSource::Next::Failed:
            return Outcome::SourceFailed;
        case StatementSource::Next::Line:
            break;
        }
        if (!keep(line))
            return Outcome::Failed;
        m_c.ui.progressLabel(line.description);
        if (!step())
            return Outcome::Stopped;
    }
}

// Steps the bar; false when the user asked to stop and confirmed it.
bool StatementImport::Run::step()
{
    m_c.ui.progressStep(++m_steps);
    return !(m_c.ui.progressStopRequested() && m_c.ui.askYesNo(QString::fromUtf8(StopQuestion)));
}

// Merges or adds a line, or drops it. False when a write failed.
bool StatementImport::Run::keep(const StatementLine& line)
{
    if (!line.dateValid || !line.amount) {
        ++m_result.dropped;
        return true;
    }
    if (!makeNames(line))
        return false;
    const qint32 category = m_names.category(line.category);
    const qint32 project = m_names.project(line.project);
    // A line without a payee is stored as "untitled transaction"; it must
    // find that transaction again when the same file comes back.
    const QString description =
        line.description.isEmpty() ? QString::fromUtf8(UntitledText) : line.description;
    const QifMatchIndex::Wanted wanted{line.date, description, line.number, line.amount->hundredths(),
                                       category,  line.fitId};
    if (const auto into = m_index.take(wanted)) {
        ++m_result.merged;
        m_result.keys.append(into->key);
        return merge(*into, line);
    }
    m_new.add({line.date, *line.amount, description, line.memo, line.contact, line.number, line.status,
               category, project, line.fitId});
    ++m_result.added;
    return true;
}

// Finds or makes every category and project the line named. False when a write failed.
bool StatementImport::Run::makeNames(const StatementLine& line)
{
    for (const QString& path : line.namedCategories) {
        if (m_names.category(path) == 0)
            return false;
    }
    for (const QString& path : line.namedProjects) {
        if (m_names.project(path) == 0)
            return false;
    }
    return true;
}

// Writes only what changes; a transaction matched again by an unchanged file
// is left as it is. A transaction matched by its day and fields learns the
// bank's id of the line, so the next import finds it by that id.
bool StatementImport::Run::merge(const QifMatchIndex::Candidate& into, const StatementLine& line)
{
    PropList changes;
    if (line.memo != into.memo)
        changes.push_back(line.memo.isEmpty() ? PropValue::removal(Prop::Note, PropType::Text)
                                              : PropValue::ofText(Prop::Note, line.memo));
    if (line.status > into.mark)
        changes.push_back(PropValue::ofInt(Prop::Mark, line.status));
    if (into.importMark != 1)
        changes.push_back(PropValue::ofInt(Prop::ImportMark, 1));
    if (!line.fitId.isEmpty() && into.fitId.isEmpty())
        changes.push_back(PropValue::ofText(Prop::FitId, line.fitId));
    if (changes.empty())
        return true;
    DbTable& transactions = m_c.tables.transactions();
    return transactions.moveToRecord(into.record) && transactions.setValues(changes);
}

// The import marks of the transactions no line matched, the new
// transactions, the balances and the project totals.
bool StatementImport::Run::finishUp()
{
    DbTable& transactions = m_c.tables.transactions();
    if (!m_index.clearUnmatchedMarks(transactions) ||
        !m_new.writeAll(transactions, m_account.id, m_account.currency, m_now, m_balances, &m_result.keys))
        return false;
    m_c.ui.progressLabel(QString::fromUtf8(RecalcText));
    if (!BalanceRecalc(m_c.tables).recalc(m_account.id))
        return false;
    m_c.ui.progressStep(++m_steps);
    if (m_source.namedProject()) {
        m_c.ui.progressLabel(QString::fromUtf8(ProjectTotals::UpdateText));
        if (!m_c.totals.updateAll(m_c.defaultCurrency))
            return false;
    }
    m_c.ui.progressStep(++m_steps);
    return true;
}

StatementImportResult StatementImport::run(StatementSource& source, qint32 account)
{
    std::optional<AccountRecord> target = AccountList(m_context.tables.accounts()).find(account);
    const std::optional<FileTime> now = fileTimeNow(m_context.clock);
    if (!target || !now || !m_context.tables.store())
        return {};
    return Run(m_context, source, std::move(*target), *now).go();
}
