#include "interchange/Backup.h"

#include "interchange/BackupFormat.h"
#include "interchange/BackupLayout.h"
#include "interchange/BackupWriter.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"
#include "store/TextLimit.h"

#include <QSaveFile>

#include <algorithm>

// What a record may hold is what a backup can carry.
static_assert(TextLimit::MaxLength == BackupFormat::MaxTextLength);

bool Backup::run(const Request& request)
{
    if (write(request))
        return true;
    if (!m_tooLong.isEmpty())
        m_ui.showMessage(m_tooLong, Interaction::Icon::Exclamation);
    m_ui.showMessage(QString::fromLatin1(NotCompletedText), Interaction::Icon::Exclamation);
    return false;
}

qint64 Backup::countRecords()
{
    qint64 total = 0;
    for (const BackupSection& s : BackupLayout::sections())
        total += m_tables.table(s.kind).count();
    return total;
}

bool Backup::write(const Request& request)
{
    m_tooLong.clear();
    // Counted before anything is created: an empty book makes no file at all.
    if (countRecords() <= 0)
        return false;
    QSaveFile file(request.path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Without commit() the temporary file is dropped and the old file stays.
    return writeTo(request, file) && file.commit();
}

bool Backup::writeTo(const Request& request, QIODevice& out)
{
    const qint64 total = countRecords();
    if (total <= 0)
        return false;
    m_ui.progressRange(total / RecordsPerStep);
    m_rateNumbers = currencyNumbers();
    m_counter = 0;

    BackupWriter writer(out);
    bool ok = writer.header(request.time);
    for (const BackupSection& s : BackupLayout::sections()) {
        if (!ok)
            break;
        ok = writeSection(writer, s);
    }
    return ok &&
           writer.textSetting(QString::fromLatin1(SettingsSection), QString::fromLatin1(DefaultCurrencyKey),
                              request.defaultCurrency) &&
           writer.end();
}

bool Backup::writeSection(BackupWriter& out, const BackupSection& section)
{
    DbTable& table = m_tables.table(section.kind);
    SortScope scope(table, TableDefinitions::of(section.kind).workingSort,
                    BackupLayout::workingSortKind(section.kind));
    if (!scope.ok() || !out.section(section.name))
        return false;
    const QString label = QString::fromLatin1(ProgressText) + section.name;
    const qint64 count = table.count();
    for (qint64 p = 0; p < count; ++p, ++m_counter) {
        if (m_counter % RecordsPerStep == 0) {
            m_ui.progressStep(m_counter / RecordsPerStep);
            m_ui.progressLabel(label);
            if (m_ui.progressStopRequested())
                return false;
        }
        if (!table.moveTo(p))
            return false;
        if (section.kind == TableKind::Transaction &&
            BackupLayout::isPasswordLockRecord(table.getInt(Prop::AccountId),
                                               table.getText(Prop::AccountKey)))
            continue;
        if (!writeRecord(out, section, table))
            return false;
    }
    return true;
}

bool Backup::writeRecord(BackupWriter& out, const BackupSection& section, const DbTable& table)
{
    if (!out.record())
        return false;
    // Empty texts and zero values are left out: a missing property reads the same.
    const auto text = [&](quint16 id) {
        const QString value = table.getText(id);
        if (value.isEmpty() || out.text(id, value))
            return true;
        if (out.failure() == BackupWriter::Failure::TooLong)
            m_tooLong = QString::fromLatin1(TooLongText)
                            .arg(recordName(section, table))
                            .arg(id)
                            .arg(value.size())
                            .arg(BackupFormat::MaxTextLength);
        return false;
    };
    for (const quint16 id : section.texts) {
        if (id != BackupLayout::RatesHere) {
            if (!text(id))
                return false;
            continue;
        }
        for (const qint32 number : m_rateNumbers) {
            if (!text(Prop::currencyRateTo(number)))
                return false;
        }
    }
    for (const quint16 id : section.integers) {
        const qint32 value = table.getInt(id);
        if (value != 0 && !out.integer(id, value))
            return false;
    }
    for (const quint16 id : section.dates) {
        const qint64 value = table.getInt64(id);
        if (value != 0 && !out.int64(BackupFormat::DateTag, id, value))
            return false;
    }
    for (const quint16 id : section.amounts) {
        const qint64 value = table.getInt64(id);
        if (value != 0 && !out.int64(BackupFormat::AmountTag, id, value))
            return false;
    }
    return true;
}

// How a message names a record: a transaction by its account key, a currency
// by its code, every other record by its id.
QString Backup::recordName(const BackupSection& section, const DbTable& table)
{
    switch (section.kind) {
    case TableKind::Transaction:
        return QStringLiteral("transaction %1").arg(table.getText(Prop::AccountKey));
    case TableKind::Planner:
        return QStringLiteral("plan %1").arg(table.getInt(Prop::PlannerId));
    case TableKind::Account:
        return QStringLiteral("account %1").arg(table.getInt(Prop::AccountId));
    case TableKind::Project:
        return QStringLiteral("project %1").arg(table.getInt(Prop::ProjectId));
    case TableKind::Category:
        return QStringLiteral("category %1").arg(table.getInt(Prop::CategoryId));
    case TableKind::Currency:
        return QStringLiteral("currency %1").arg(table.getText(Prop::CurrencyCode));
    case TableKind::Scheduled:
        break;
    }
    return section.name;
}

// The numbers of the stored currencies in table order, which is the currency
// cache's order; each once. A number whose rate id would not fit the 16-bit
// property number has no rate text to carry.
std::vector<qint32> Backup::currencyNumbers()
{
    std::vector<qint32> numbers;
    DbTable& table = m_tables.currencies();
    SortScope scope(table, Prop::CurrencyNumber, DbTable::SortKind::Integer);
    if (!scope.ok())
        return numbers;
    const qint64 count = table.count();
    for (qint64 p = 0; p < count; ++p) {
        if (!table.moveTo(p))
            continue;
        const qint32 n = table.getInt(Prop::CurrencyNumber);
        if (n < 0 || n > 0xFFFF - Prop::OpenRangeBase)
            continue;
        if (std::find(numbers.begin(), numbers.end(), n) == numbers.end())
            numbers.push_back(n);
    }
    return numbers;
}
