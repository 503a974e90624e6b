// Switching to the projects page on the book of 10,000 projects and 100,000
// transactions: the page refreshed (stale-only update, the tree filled again
// because it changed, the selected project's rows) and painted.
#ifdef TALLYRA_BENCH_WINDOWS

#include "BenchApplication.h"
#include "BenchBook.h"
#include "ProjectsBook.h"

#include "platform/Interaction.h"
#include "reference/CurrencyCache.h"
#include "reference/ProjectTotals.h"
#include "reference/Projects.h"
#include "reference/ui/ProjectsPage.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The book open with its totals computed once and the page shown on the deep
// project, as the main window keeps it between switches.
struct PageBook {
    std::unique_ptr<ObjectStore> store;
    TableSet tables;
    std::unique_ptr<Projects> projects;
    std::unique_ptr<CurrencyCache> currencies;
    std::unique_ptr<ProjectTotals> totals;
    SilentInteraction ui;
    std::unique_ptr<ProjectsPage> page;
    bool ready = false;

    PageBook()
    {
        BenchBook::application();
        store = ObjectStore::open(ProjectsBook::storePath());
        if (!store)
            return;
        tables.attach(store.get());
        ready = tables.openAll() && tables.setWorkingSorts();
        projects = std::make_unique<Projects>(tables);
        currencies = std::make_unique<CurrencyCache>(tables.currencies());
        totals = std::make_unique<ProjectTotals>(tables, *projects, *currencies);
        ready = ready && currencies->reload() && totals->updateAll(u"EUR");
        page = std::make_unique<ProjectsPage>(
            ProjectsPageContext{tables,
                                *projects,
                                *totals,
                                *currencies,
                                ui,
                                [] {
                                    ProjectPage::Context c;
                                    c.defaultCode = QStringLiteral("EUR");
                                    return c;
                                },
                                [this] {
                                    return TreePasteTotals{totals.get(), QStringLiteral("EUR")};
                                },
                                {},
                                {},
                                {}});
        page->resize(900, 700);
        page->show();
        page->refresh();
        page->showProject(ProjectsBook::DeepProject);
    }
};

void BM_SwitchToProjectsPage(benchmark::State& state)
{
    static PageBook b;
    if (!b.ready || b.page->logic().selected() != ProjectsBook::DeepProject) {
        state.SkipWithError("the book could not be opened");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        // A project renamed elsewhere: the page must fill its tree again.
        b.projects->tree().noteChange();
        b.page->hide();
        state.ResumeTiming();
        b.page->show();
        b.page->refresh();
        b.page->repaint();
    }
    state.counters["rows"] = static_cast<double>(b.page->model()->rowCount());
    state.counters["tree_items"] = static_cast<double>(b.page->logic().tree().size());
}

}  // namespace

BENCHMARK(BM_SwitchToProjectsPage)->Unit(benchmark::kMillisecond)->Iterations(10);

#endif
