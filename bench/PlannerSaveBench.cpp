// Saving a changed plan through the plan editor, where the plan is a weekly
// one begun 4,999 weeks before today: the save rebuilds the future list in
// full, 5,000 occurrences up to today. Target: under 200 ms.
#include "BenchRun.h"

#include "planning/PlannerEditor.h"
#include "planning/RecurrenceRule.h"
#include "reference/BuiltInCurrencies.h"
#include "shell/ExitStep.h"

#include <benchmark/benchmark.h>

namespace {

using namespace BenchBook;

constexpr qint64 Occurrences = 5'000;

class CashAccount : public FirstAccountSource {
public:
    std::optional<AccountDraft> firstAccount(QStringView) override
    {
        return AccountDraft{QStringLiteral("Cash"), BuiltInCurrencies::firstRowOf(u"EUR"), Money()};
    }
};

struct PlannerSession {
    QTemporaryDir dir;
    std::optional<BookFolder> folder = BookFolder::open(dir.path());
    FixedClock clock{BookNow};
    YesInteraction ui;
    CashAccount first;
    LocaleValues locale;
    std::unique_ptr<MainBook> book;
    std::unique_ptr<PlannerEditor> editor;
    qint32 plan = 0;

    PlannerSession()
    {
        if (!folder)
            return;
        book = std::make_unique<MainBook>(*folder);
        if (StartUp(*book, clock, ui, first, StartUp::standardHooks(*book, clock, locale, ui)).run() !=
            StartUp::Outcome::Ready)
            return;
        editor = std::make_unique<PlannerEditor>(PlannerEditorContext{book->tables(), book->currencies(),
                                                                      book->categories(), book->projects(),
                                                                      book->future(), clock, locale, ui});
        const FileTime today = *fileTimeFromLocal(BookNow);
        editor->loadNew(QStringLiteral("EUR"));
        editor->setDescription(QStringLiteral("Week {week} of {year}"));
        editor->setAmountText(QStringLiteral("10.00"));
        editor->setRule(RecurrenceRule::Weekly);
        editor->setStartDate(*RecurrenceRule::occurrenceDate(RecurrenceRule::Weekly, today, 1 - Occurrences));
        if (!editor->save().isSaved())
            editor.reset();
        else
            plan = editor->plannerId();
    }
    ~PlannerSession()
    {
        if (book)
            ExitStep::run(*book);
    }

    // A new amount each time, so that every save writes and rebuilds.
    bool saveChanged(qint64 round)
    {
        if (!editor->load(plan))
            return false;
        editor->setAmountText(QString::number(10 + round % 50) + QStringLiteral(".00"));
        return editor->save().isSaved();
    }
};

void BM_SavePlanRebuildingTheFutureList(benchmark::State& state)
{
    PlannerSession session;
    if (!session.editor || session.book->future().count() != Occurrences) {
        state.SkipWithError("the plan could not be made");
        return;
    }
    qint64 round = 0;
    for (auto _ : state) {
        if (!session.saveChanged(++round) || session.book->future().count() != Occurrences) {
            state.SkipWithError("the save did not rebuild the list");
            break;
        }
    }
    state.counters["occurrences"] = static_cast<double>(Occurrences);
}

}  // namespace

BENCHMARK(BM_SavePlanRebuildingTheFutureList)->Unit(benchmark::kMillisecond)->Iterations(10);
