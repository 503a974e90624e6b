// The soak run: a seeded random workload of many operations on one book, with
// the whole book check every 1,000 operations and at the end.
//   tallyra_soak [--seed N] [--ops N]
// Without --seed a seed is drawn and printed; a failure prints the seed and
// the step so the same run can be repeated.

#include "RandomWorkload.h"

#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

constexpr int CheckEvery = 1000;
constexpr int ProgressEvery = 10'000;
const LocalTime Start{2024, 1, 2, 9, 0, 0, 0};

struct Options {
    quint32 seed = std::random_device{}();
    long ops = 100'000;
};

std::optional<Options> parse(int argc, char** argv)
{
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        char* end = nullptr;
        const unsigned long long value = std::strtoull(argv[i + 1], &end, 10);
        if (*end != '\0')
            return std::nullopt;
        if (std::strcmp(argv[i], "--seed") == 0)
            options.seed = static_cast<quint32>(value);
        else if (std::strcmp(argv[i], "--ops") == 0)
            options.ops = static_cast<long>(value);
        else
            return std::nullopt;
    }
    if (argc % 2 == 0)
        return std::nullopt;
    return options;
}

qint64 transactionCount(RandomBook& book)
{
    return book.book().tables().transactions().count();
}

int fail(const Options& options, const QString& what, const QString& why)
{
    std::fprintf(stderr, "soak FAILED with seed %u: %s\n%s\nrepeat with: make soak SEED=%u OPS=%ld\n",
                 options.seed, qPrintable(what), qPrintable(why), options.seed, options.ops);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::fprintf(stderr, "usage: tallyra_soak [--seed N] [--ops N]\n");
        return 2;
    }
    std::printf("soak: seed %u, %ld operations\n", options->seed, options->ops);
    std::fflush(stdout);
    RandomWorkload work(options->seed, Start, RandomWorkload::Files::With);
    if (!work.ready())
        return fail(*options, QStringLiteral("the first start"), QStringLiteral("the book was not made"));
    QElapsedTimer timer;
    timer.start();
    long checks = 0;
    for (long op = 1; op <= options->ops; ++op) {
        const RandomWorkload::Done done = work.next();
        if (!done.wrong.isEmpty())
            return fail(*options, done.what, done.wrong);
        if (op % CheckEvery != 0 && op != options->ops)
            continue;
        const QStringList problems = work.book().problems();
        if (!problems.isEmpty())
            return fail(*options, QStringLiteral("check after %1").arg(done.what), problems.join(u'\n'));
        ++checks;
        if (op % ProgressEvery == 0)
            std::printf("  %ld operations, %.0f s, %lld transactions in the book\n", op,
                        timer.elapsed() / 1000.0, static_cast<long long>(transactionCount(work.book())));
        std::fflush(stdout);
    }
    const double seconds = timer.elapsed() / 1000.0;
    std::printf("soak passed: %ld operations in %.1f s (%.0f operations/s), %ld checks passed, "
                "%lld transactions in the book\n",
                options->ops, seconds, seconds > 0 ? options->ops / seconds : 0.0, checks,
                static_cast<long long>(transactionCount(work.book())));
    std::printf("steps that acted, by operation:\n");
    for (const RandomWorkload::Operation& operation : work.operations())
        std::printf("  %-20s %d\n", operation.name, work.acted(operation.name));
    return 0;
}
