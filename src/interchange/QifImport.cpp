#include "interchange/QifImport.h"

#include "accounts/AccountList.h"
#include "accounts/BalanceRecalc.h"
#include "interchange/QifCategorySection.h"
#include "interchange/QifDateOrderScan.h"
#include "interchange/QifMatchIndex.h"
#include "interchange/QifNames.h"
#include "interchange/QifNewTransactions.h"
#include "interchange/QifRecord.h"
#include "platform/StoreTransaction.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

#include <QFile>

// One import from start to end: the three passes over the file, then the
// writes, the balances and the project totals, in one store transaction.
class QifImport::Run {
public:
    Run(const QifImportContext& context, QIODevice& device, AccountRecord account, FileTime now)
        : m_c(context), m_reader(device, context.codePage), m_account(std::move(account)), m_now(now),
          m_names(context.categories, context.projects)
    {
    }

    QifImportResult go();

private:
    enum class Outcome { Done, Stopped, Failed };

    QifImportResult readError();
    QifDateOrder scanDateOrder();
    qint64 countRecords();
    Outcome readRecords(const QifDateOrder& order);
    bool keep(const QifRecord& record);
    bool makeNames(const QifRecord& record);
    bool merge(const QifMatchIndex::Candidate& into, const QifRecord& record);
    bool step();
    bool finishUp();

    const QifImportContext& m_c;
    QifLineReader m_reader;
    AccountRecord m_account;
    FileTime m_now;
    QifNames m_names;
    QifMatchIndex m_index;
    QifRunBalance m_balances;
    QifNewTransactions m_new;
    QifImportResult m_result;
    bool m_namedClass = false;
    qint64 m_steps = 0;
};

QifImportResult QifImport::Run::readError()
{
    m_c.ui.showMessage(QString::fromUtf8(FileReadErrorText), Interaction::Icon::Exclamation);
    return {};
}

QifDateOrder QifImport::Run::scanDateOrder()
{
    QifDateOrderScan scan;
    QifPassLines lines(m_reader);
    for (std::optional<QifLine> line = lines.next(); line; line = lines.next()) {
        if (line->isTag('D') && scan.feed(line->value()))
            break;
    }
    return scan.result(m_c.locale.dateOrder);
}

qint64 QifImport::Run::countRecords()
{
    qint64 count = 0;
    QifPassLines lines(m_reader);
    for (std::optional<QifLine> line = lines.next(); line; line = lines.next()) {
        if (line->isTag('^'))
            ++count;
    }
    return count;
}

QifImportResult QifImport::Run::go()
{
    if (!m_reader.canRewind())
        return readError();
    const QifDateOrder order = scanDateOrder();
    if (m_reader.failed() || !m_reader.rewind())
        return readError();
    const qint64 records = countRecords();
    if (m_reader.failed() || !m_reader.rewind())
        return readError();
    m_c.ui.progressRange(records + 2);
    m_c.ui.progressStep(0);

    DbTable& transactions = m_c.tables.transactions();
    StoreTransaction transaction(*m_c.tables.store());
    SortScope sort(transactions, Prop::AccountKey, DbTable::SortKind::Text);
    if (!transaction.isOpen() || !sort.ok() || !m_index.load(transactions, m_account.id, m_balances))
        return {};
    const Outcome outcome = readRecords(order);
    if (m_reader.failed())
        return readError();
    if (outcome == Outcome::Failed || !finishUp() || !transaction.commit())
        return {};
    m_result.ok = true;
    m_result.stopped = outcome == Outcome::Stopped;
    return m_result;
}

QifImport::Run::Outcome QifImport::Run::readRecords(const QifDateOrder& order)
{
    QifRecord record;
    QifPassLines lines(m_reader);
    for (std::optional<QifLine> line = lines.next(); line; line = lines.next()) {
        switch (record.apply(*line, order, &m_namedClass)) {
        case QifRecord::Effect::None:
            break;
        case QifRecord::Effect::Clear:
            record.clear();
            break;
        case QifRecord::Effect::Finish:
            if (!keep(record))
                return Outcome::Failed;
            m_c.ui.progressLabel(record.payee);
            record.clear();
            if (!step())
                return Outcome::Stopped;
            break;
        }
    }
    return Outcome::Done;
}

// Steps the bar; false when the user asked to stop and confirmed it.
bool QifImport::Run::step()
{
    m_c.ui.progressStep(++m_steps);
    return !(m_c.ui.progressStopRequested() && m_c.ui.askYesNo(QString::fromUtf8(StopQuestion)));
}

// Merges or adds a finished record, or drops it. False when a write failed.
bool QifImport::Run::keep(const QifRecord& record)
{
    const std::optional<Money> amount = moneyFromUnits(record.amount);
    if (!record.dateValid || !amount) {
        ++m_result.dropped;
        return true;
    }
    if (!makeNames(record))
        return false;
    const qint32 category = m_names.category(record.category);
    const qint32 project = m_names.project(record.projectClass);
    // A record without a payee is stored as "untitled transaction"; it must
    // find that transaction again when the same file comes back.
    const QString description = record.payee.isEmpty() ? QString::fromUtf8(UntitledText) : record.payee;
    if (const auto into =
            m_index.take(record.date, description, record.number, amount->hundredths(), category)) {
        ++m_result.merged;
        return merge(*into, record);
    }
    m_new.add({record.date, *amount, description, record.memo, record.address, record.number, record.status,
               category, project});
    ++m_result.added;
    return true;
}

// Finds or makes every category and class the record named. False when a write failed.
bool QifImport::Run::makeNames(const QifRecord& record)
{
    for (const QString& path : record.namedCategories) {
        if (m_names.category(path) == 0)
            return false;
    }
    for (const QString& path : record.namedClasses) {
        if (m_names.project(path) == 0)
            return false;
    }
    return true;
}

// Writes only what changes; a transaction matched again by an unchanged file
// is left as it is.
bool QifImport::Run::merge(const QifMatchIndex::Candidate& into, const QifRecord& record)
{
    PropList changes;
    if (record.memo != into.memo)
        changes.push_back(record.memo.isEmpty() ? PropValue::removal(Prop::Note, PropType::Text)
                                                : PropValue::ofText(Prop::Note, record.memo));
    if (record.status > into.mark)
        changes.push_back(PropValue::ofInt(Prop::Mark, record.status));
    if (into.importMark != 1)
        changes.push_back(PropValue::ofInt(Prop::ImportMark, 1));
    if (changes.empty())
        return true;
    DbTable& transactions = m_c.tables.transactions();
    return transactions.moveToRecord(into.record) && transactions.setValues(changes);
}

// The import marks of the transactions no record matched, the new
// transactions, the balances and the project totals.
bool QifImport::Run::finishUp()
{
    DbTable& transactions = m_c.tables.transactions();
    if (!m_index.clearUnmatchedMarks(transactions) ||
        !m_new.writeAll(transactions, m_account.id, m_account.currency, m_now, m_balances))
        return false;
    m_c.ui.progressLabel(QString::fromUtf8(RecalcText));
    if (!BalanceRecalc(m_c.tables).recalc(m_account.id))
        return false;
    m_c.ui.progressStep(++m_steps);
    if (m_namedClass) {
        m_c.ui.progressLabel(QString::fromUtf8(ProjectTotals::UpdateText));
        if (!m_c.totals.updateAll(m_c.defaultCurrency))
            return false;
    }
    m_c.ui.progressStep(++m_steps);
    return true;
}

QifImportResult QifImport::importFile(const QString& path, qint32 account)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_context.ui.showMessage(QString::fromUtf8(FileReadErrorText), Interaction::Icon::Exclamation);
        return {};
    }
    return importDevice(file, account);
}

QifImportResult QifImport::importDevice(QIODevice& device, qint32 account)
{
    std::optional<AccountRecord> target = AccountList(m_context.tables.accounts()).find(account);
    const std::optional<FileTime> now = fileTimeNow(m_context.clock);
    if (!target || !now || !m_context.tables.store())
        return {};
    return Run(m_context, device, std::move(*target), *now).go();
}

QifImportResult QifImport::importAndTell(const QString& path, qint32 account)
{
    const QifImportResult result = importFile(path, account);
    if (result.ok)
        m_context.ui.showMessage(QString::fromUtf8(SucceededText), Interaction::Icon::Information);
    else
        m_context.ui.showMessage(QString::fromUtf8(FailedText), Interaction::Icon::Exclamation);
    return result;
}
