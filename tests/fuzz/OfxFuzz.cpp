// Fuzz target of the OFX adapter: any bytes, read through libofx from a file,
// must give a statement or a refusal with its message, without crash or
// hang; a statement's every line has a real day and an amount the store
// can hold.

#include "interchange/OfxFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("input.ofx"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();
    const OfxFile statement = OfxFile::read(path);
    if (statement.ok == !statement.failure.isEmpty())
        std::abort();
    for (const StatementLine& line : statement.lines) {
        if (!line.dateValid || !line.amount || qAbs(line.amount->hundredths()) > MaxEnteredHundredths)
            std::abort();
    }
    return 0;
}
