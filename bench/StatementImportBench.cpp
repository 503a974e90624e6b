// OFX and CSV import with matching: 100,000 statement lines into one
// account, as a first import (every line added) and as a re-import of the
// same file (every line found again, by its bank id for OFX, by day and
// fields for CSV). The target is over 50,000 lines per second
// (items_per_second), as for QIF.

#include "ImportBenchBook.h"

#include <QFile>

#include <benchmark/benchmark.h>

namespace {

constexpr int Lines = 100'000;

const char* const Payees[] = {"Grocer",   "Fuel Station", "Employer", "Landlord", "Pharmacy",
                              "Bookshop", "Cafe",         "Hardware", "Utility",  "Insurance"};

// About three years of days, a hundred lines a day at most.
QByteArray dayOf(int i, const char* pattern)
{
    const int day = i / 100;
    const int year = 2020 + day / 336;
    const int month = 1 + (day / 28) % 12;
    const int dayOfMonth = 1 + day % 28;
    return QByteArray(pattern)
        .replace("Y", QByteArray::number(year))
        .replace("M", QByteArray::number(month).rightJustified(2, '0'))
        .replace("D", QByteArray::number(dayOfMonth).rightJustified(2, '0'));
}

QByteArray amountOf(int i, char decimal)
{
    return "-" + QByteArray::number(i % 977 + 1) + decimal + QByteArray::number(10 + i % 90);
}

QByteArray ofxFile()
{
    QByteArray out =
        "OFXHEADER:100\nDATA:OFXSGML\nVERSION:102\nSECURITY:NONE\nENCODING:USASCII\nCHARSET:1252\n"
        "COMPRESSION:NONE\nOLDFILEUID:NONE\nNEWFILEUID:NONE\n\n<OFX><SIGNONMSGSRSV1><SONRS><STATUS>"
        "<CODE>0<SEVERITY>INFO</STATUS><DTSERVER>20240101<LANGUAGE>ENG</SONRS></SIGNONMSGSRSV1>\n"
        "<BANKMSGSRSV1><STMTTRNRS><TRNUID>1<STATUS><CODE>0<SEVERITY>INFO</STATUS><STMTRS><CURDEF>USD"
        "<BANKACCTFROM><BANKID>1<ACCTID>2<ACCTTYPE>CHECKING</BANKACCTFROM>\n<BANKTRANLIST>"
        "<DTSTART>20200101<DTEND>20240101\n";
    out.reserve(Lines * 110);
    for (int i = 0; i < Lines; ++i) {
        out += "<STMTTRN><TRNTYPE>DEBIT<DTPOSTED>" + dayOf(i, "YMD") + "<TRNAMT>" + amountOf(i, '.') +
               "<FITID>" + QByteArray::number(900000 + i) + "<NAME>" + Payees[i % 10];
        if (i % 4 == 0)
            out += "<MEMO>ref " + QByteArray::number(i);
        out += "\n</STMTTRN>\n";
    }
    out += "</BANKTRANLIST><LEDGERBAL><BALAMT>0<DTASOF>20240101</LEDGERBAL></STMTRS></STMTTRNRS>"
           "</BANKMSGSRSV1></OFX>\n";
    return out;
}

QByteArray csvFile()
{
    QByteArray out = "Datum;Empfaenger;Zweck;Betrag\r\n";
    out.reserve(Lines * 50);
    for (int i = 0; i < Lines; ++i) {
        out += dayOf(i, "D.M.Y") + ";" + Payees[i % 10] + ";" +
               (i % 4 == 0 ? "ref " + QByteArray::number(i) : "") + ";" + amountOf(i, ',') + "\r\n";
    }
    return out;
}

CsvMapping csvMapping()
{
    CsvMapping m;
    using C = CsvMapping::Column;
    m.columns = {C::Date, C::Description, C::Memo, C::Amount};
    m.delimiter = u';';
    m.decimal = u',';
    m.dateFormat = QStringLiteral("dd.MM.yyyy");
    return m;
}

QString writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

void report(benchmark::State& state, const StatementImportResult& result, bool expectAdded)
{
    const qint64 wanted = expectAdded ? result.added : result.merged;
    if (!result.ok || wanted != Lines)
        state.SkipWithError("the import did not take every line");
}

// Arg 0: OFX; arg 1: CSV.
void BM_StatementImportNew(benchmark::State& state)
{
    const bool csv = state.range(0) == 1;
    QTemporaryDir files;
    const QString path =
        csv ? writeFile(files, "bank.csv", csvFile()) : writeFile(files, "bank.ofx", ofxFile());
    const StatementFormat format = csv ? StatementFormat::Csv : StatementFormat::Ofx;
    for (auto _ : state) {
        state.PauseTiming();
        auto book = std::make_unique<ImportBook>();
        state.ResumeTiming();
        report(state, book->importFile(path, format, csvMapping()), true);
        state.PauseTiming();
        book.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * Lines);
}

void BM_StatementReimport(benchmark::State& state)
{
    const bool csv = state.range(0) == 1;
    QTemporaryDir files;
    const QString path =
        csv ? writeFile(files, "bank.csv", csvFile()) : writeFile(files, "bank.ofx", ofxFile());
    const StatementFormat format = csv ? StatementFormat::Csv : StatementFormat::Ofx;
    ImportBook book;
    report(state, book.importFile(path, format, csvMapping()), true);
    for (auto _ : state)
        report(state, book.importFile(path, format, csvMapping()), false);
    state.SetItemsProcessed(state.iterations() * Lines);
}

}  // namespace

BENCHMARK(BM_StatementImportNew)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_StatementReimport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);
