#include "interchange/OfxFile.h"

#include <libofx/libofx.h>

#include <QByteArrayMatcher>
#include <QFile>
#include <QSet>
#include <QTemporaryFile>

#include <algorithm>

namespace {

// Far beyond any statement a bank hands out; a larger file is read no further.
constexpr qint64 MaxFileBytes = qint64(512) * 1024 * 1024;

// What the callbacks gathered, as the library handed it over.
struct Gathered {
    QSet<QByteArray> accounts;
    QString currency;
    bool statement = false;
    bool investment = false;
    std::vector<OfxTransactionData> transactions;
};

QString text(const char* value, int valid)
{
    return valid ? QString::fromUtf8(value).trimmed() : QString();
}

int onAccount(const OfxAccountData data, void* user)
{
    auto* g = static_cast<Gathered*>(user);
    if (data.account_type_valid && data.account_type == OfxAccountData::OFX_INVESTMENT)
        g->investment = true;
    return 0;
}

int onStatement(const OfxStatementData data, void* user)
{
    auto* g = static_cast<Gathered*>(user);
    g->statement = true;
    g->accounts.insert(data.account_id_valid ? QByteArray(data.account_id) : QByteArray());
    if (data.currency_valid && g->currency.isEmpty())
        g->currency = QString::fromLatin1(data.currency).trimmed().toUpper();
    if (data.account_ptr && data.account_ptr->account_type_valid &&
        data.account_ptr->account_type == OfxAccountData::OFX_INVESTMENT)
        g->investment = true;
    return 0;
}

int onTransaction(const OfxTransactionData data, void* user)
{
    auto* g = static_cast<Gathered*>(user);
    if (data.invtransactiontype_valid)
        g->investment = true;
    g->transactions.push_back(data);
    return 0;
}

int onPosition(const struct OfxPositionData, void* user)
{
    static_cast<Gathered*>(user)->investment = true;
    return 0;
}

void silenceLibrary()
{
    ofx_PARSER_msg = ofx_DEBUG_msg = ofx_DEBUG1_msg = ofx_DEBUG2_msg = ofx_DEBUG3_msg = ofx_DEBUG4_msg =
        ofx_DEBUG5_msg = ofx_STATUS_msg = ofx_INFO_msg = ofx_WARNING_msg = ofx_ERROR_msg = 0;
}

void runLibrary(const QString& path, Gathered& g)
{
    silenceLibrary();
    LibofxContextPtr context = libofx_get_new_context();
    ofx_set_account_cb(context, onAccount, &g);
    ofx_set_statement_cb(context, onStatement, &g);
    ofx_set_transaction_cb(context, onTransaction, &g);
    ofx_set_position_cb(context, onPosition, &g);
    // Its return code fails on harmless faults too; what came through is judged instead.
    libofx_proc_file(context, QFile::encodeName(path).constData(), OFX);
    libofx_free_context(context);
}

// Where each opening transaction tag stands: its offset and its 1-based line.
struct TagAt {
    qsizetype offset = 0;
    qint64 line = 0;
};

std::vector<TagAt> transactionTags(const QByteArray& lower)
{
    const QByteArrayMatcher tag(QByteArrayLiteral("<stmttrn>"));
    std::vector<TagAt> tags;
    qint64 line = 1;
    qsizetype counted = 0;
    for (qsizetype at = tag.indexIn(lower); at >= 0; at = tag.indexIn(lower, at + 1)) {
        line += QByteArrayView(lower).sliced(counted, at - counted).count('\n');
        counted = at;
        tags.push_back(TagAt{at, line});
    }
    return tags;
}

// The library's time grows with the square of the transactions in one
// statement, on top of a fixed cost per file (it reads its grammar each
// time): a statement of 100,000 lines takes minutes whole, seconds in
// pieces of this many, each a copy of the file with only a run of its
// transactions between the same envelope.
constexpr size_t PieceLines = 2000;

// Runs the library over the file, or over its pieces when it is long and
// has one transaction list. `missing` is set to the first transaction whose
// piece delivered fewer than it holds; the gathered transactions are then
// those before it.
Gathered gather(const QString& path, const QByteArray& bytes, const QByteArray& lower,
                const std::vector<TagAt>& tags, std::optional<size_t>& missing)
{
    Gathered g;
    const qsizetype listEnd = lower.indexOf("</banktranlist>");
    const bool oneList = lower.count("<banktranlist>") == 1 && lower.count("</banktranlist>") == 1 &&
                         !tags.empty() && listEnd > tags.back().offset &&
                         lower.indexOf("<banktranlist>") < tags.front().offset;
    if (tags.size() <= PieceLines || !oneList) {
        runLibrary(path, g);
        if (g.transactions.size() < tags.size())
            missing = g.transactions.size();
        return g;
    }
    const QByteArray head = bytes.first(tags.front().offset);
    const QByteArray tail = bytes.sliced(listEnd);
    for (size_t first = 0; first < tags.size(); first += PieceLines) {
        const size_t end = std::min(first + PieceLines, tags.size());
        const qsizetype to = end < tags.size() ? tags[end].offset : listEnd;
        QTemporaryFile piece;
        if (!piece.open() || piece.write(head) < 0 ||
            piece.write(bytes.sliced(tags[first].offset, to - tags[first].offset)) < 0 ||
            piece.write(tail) < 0 || !piece.flush()) {
            missing = first;
            return g;
        }
        const size_t before = g.transactions.size();
        runLibrary(piece.fileName(), g);
        if (g.transactions.size() - before < end - first) {
            missing = first + (g.transactions.size() - before);
            return g;
        }
    }
    return g;
}

// The day a transaction was posted, as its own text gives it (YYYYMMDD, then
// perhaps a time and a zone). The library turns a day that does not exist
// into another one and text that is no date into the present moment, so
// the date is checked here; and the bank's own day is the one it meant,
// whatever the zone of its time of day.
std::optional<FileTime> postedDay(const QByteArray& lower, qsizetype from, qsizetype to)
{
    static const QByteArray element = QByteArrayLiteral("<dtposted>");
    const qsizetype at = lower.indexOf(element, from);
    if (at < 0 || at >= to)
        return std::nullopt;
    QByteArrayView value = QByteArrayView(lower).sliced(at + element.size()).trimmed();
    if (value.size() < 8)
        return std::nullopt;
    value = value.first(8);
    for (const char c : value) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    const int year = value.first(4).toInt();
    const int month = value.sliced(4, 2).toInt();
    const int day = value.sliced(6, 2).toInt();
    return fileTimeFromLocal(LocalTime{year, month, day, 0, 0, 0, 0});
}

bool endsWithClosingTag(const QByteArray& bytes)
{
    qsizetype end = bytes.size();
    while (end > 0 && (static_cast<unsigned char>(bytes[end - 1]) <= ' '))
        --end;
    return bytes.first(end).toLower().endsWith("</ofx>");
}

OfxFile refuse(const QString& why)
{
    OfxFile file;
    file.failure = why;
    return file;
}

QString atLine(const char* text, qint64 line)
{
    return QString::fromUtf8(text).arg(line);
}

}  // namespace

OfxFile OfxFile::read(const QString& path)
{
    QFile device(path);
    if (!device.open(QIODevice::ReadOnly) || device.size() > MaxFileBytes)
        return refuse(QString::fromUtf8(ReadErrorText));
    const QByteArray bytes = device.readAll();
    if (device.error() != QFileDevice::NoError)
        return refuse(QString::fromUtf8(ReadErrorText));
    if (!bytes.toLower().contains("<ofx"))
        return refuse(QString::fromUtf8(NotOfxText));
    if (!endsWithClosingTag(bytes))
        return refuse(atLine(CutShortText, bytes.count('\n') + 1));

    const QByteArray lower = bytes.toLower();
    const std::vector<TagAt> tags = transactionTags(lower);
    std::optional<size_t> missing;
    const Gathered g = gather(path, bytes, lower, tags, missing);
    if (g.investment)
        return refuse(QString::fromUtf8(InvestmentText));
    if (!g.statement || g.currency.isEmpty())
        return refuse(QString::fromUtf8(NotOfxText));
    if (g.accounts.size() > 1)
        return refuse(QString::fromUtf8(SeveralAccountsText));
    if (missing)
        return refuse(atLine(UnreadTransactionText, tags[*missing].line));
    if (g.transactions.size() > tags.size())
        return refuse(QString::fromUtf8(NotOfxText));

    OfxFile file;
    file.currency = g.currency;
    file.lines.reserve(g.transactions.size());
    for (size_t i = 0; i < g.transactions.size(); ++i) {
        const OfxTransactionData& t = g.transactions[i];
        const qint64 line = tags[i].line;
        const qsizetype end = i + 1 < tags.size() ? tags[i + 1].offset : lower.size();
        const std::optional<FileTime> date =
            t.date_posted_valid ? postedDay(lower, tags[i].offset, end) : std::nullopt;
        if (!date)
            return refuse(atLine(NoDateText, line));
        // The library may report an amount for a transaction whose file has none.
        const qsizetype amountTag = lower.indexOf("<trnamt>", tags[i].offset);
        const bool hasAmount = t.amount_valid && amountTag >= 0 && amountTag < end;
        const std::optional<Money> amount = hasAmount ? moneyFromUnits(t.amount) : std::nullopt;
        if (!amount)
            return refuse(atLine(NoAmountText, line));
        StatementLine l;
        l.date = *date;
        l.dateValid = true;
        l.amount = amount;
        l.description = text(t.name, t.name_valid);
        l.memo = text(t.memo, t.memo_valid);
        l.number = text(t.check_number, t.check_number_valid);
        l.fitId = text(t.fi_id, t.fi_id_valid);
        file.lines.push_back(std::move(l));
    }
    file.ok = true;
    return file;
}
