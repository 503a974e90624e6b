// The register page as a person drives it, on the offscreen platform, over a
// book whose first account holds half of the book's transactions:
// - saving a new transaction dated before all of the account's others with the
//   editor panel's OK: the save rewrites every running balance of the account
//   (50,000 in a book of 100,000), then the page shows the saved row. Target:
//   under 100 ms, as the editor's own save. Each new transaction is deleted
//   again outside the timing.
// - holding Down through 1,000 rows: each key moves the selection, and the
//   editor loads the row it lands on before the next key comes. A key slower
//   than a frame (16 ms) would be a stall; the slowest is reported.
#ifdef TALLYRA_BENCH_WINDOWS

#include "BenchApplication.h"
#include "BenchRun.h"

#include "accounts/PasswordLock.h"
#include "accounts/TransactionEditor.h"
#include "accounts/ui/TransactionEditorPanel.h"
#include "reference/ConversionConfirmation.h"
#include "shell/ExitStep.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/RegisterPage.h"
#include "toolkit/ui/CoolList.h"

#include <QDateEdit>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include <benchmark/benchmark.h>

namespace {

using namespace BenchBook;
using Field = TransactionEditor::Field;

struct WindowSession {
    BookCopy copy;
    FixedClock clock{BookNow};
    YesInteraction ui;
    AcceptingConversion conversion;
    LocaleValues locale;
    QLocale qlocale = QLocale::c();
    std::unique_ptr<MainBook> book;
    std::unique_ptr<PasswordLock> lock;
    std::unique_ptr<MainWindow> window;

    explicit WindowSession(qint64 size) : copy(size, Layout::OneBigAccount)
    {
        application();
        if (!copy.folder())
            return;
        book = std::make_unique<MainBook>(*copy.folder());
        NoFirstAccount first;
        if (StartUp(*book, clock, ui, first, StartUp::standardHooks(*book, clock, locale, ui)).run() !=
            StartUp::Outcome::Ready)
            return;
        lock = std::make_unique<PasswordLock>(clock);
        window = std::make_unique<MainWindow>(*book, clock, qlocale, locale, *lock);
        window->show();
        if (!page().showAccount(1))
            window.reset();
        else
            page().setPanelShown(true);
        QCoreApplication::processEvents();
    }
    ~WindowSession()
    {
        if (window) {
            window->exitProgram();
            window.reset();
        }
        if (book)
            ExitStep::run(*book);
    }
    RegisterPage& page() { return *window->registerPage(); }

    // Deletes the account's first transaction through the logic, as the page's
    // own Delete would after its question, and shows the page again.
    bool deleteFirst()
    {
        Register reg(book->tables(), book->currencies(), locale);
        if (!reg.select(1))
            return false;
        TransactionEditor editor(EditorContext{book->tables(), book->currencies(), book->categories(),
                                               book->projects(), book->totals(), book->future(), clock,
                                               locale, ui, conversion},
                                 reg);
        const bool deleted = editor.load(0) && editor.deleteRow();
        page().refresh(true);
        QCoreApplication::processEvents();
        return deleted;
    }
};

// As typed: the panel follows what a person edits, not what is set.
void type(TransactionEditorPanel& panel, Field field, const QString& text)
{
    auto* line = qobject_cast<QLineEdit*>(panel.fieldWidget(field));
    line->setText(text);
    Q_EMIT line->textEdited(text);
}

void BM_WindowSaveBeforeAllOthers(benchmark::State& state)
{
    WindowSession s(state.range(0));
    if (!s.window) {
        state.SkipWithError("the book could not be opened");
        return;
    }
    TransactionEditorPanel& panel = *s.page().editorPanel();
    const qint64 count = s.page().reg().transactionCount();
    for (auto _ : state) {
        state.PauseTiming();
        s.page().startNewTransaction();
        QCoreApplication::processEvents();
        type(panel, Field::Description, QStringLiteral("Before all"));
        type(panel, Field::Amount, QStringLiteral("12.34"));
        // The first day of the big account's run is 1990-01-01.
        qobject_cast<QDateEdit*>(panel.fieldWidget(Field::Date))->setDate(QDate(1989, 12, 31));
        state.ResumeTiming();
        panel.okButton()->click();
        QCoreApplication::processEvents();
        state.PauseTiming();
        const bool saved = s.page().reg().transactionCount() == count + 1;
        const bool undone = saved && s.deleteFirst() && s.page().reg().transactionCount() == count;
        state.ResumeTiming();
        if (!undone) {
            state.SkipWithError(saved ? "the new transaction could not be deleted"
                                      : "the save wrote nothing");
            break;
        }
    }
    state.counters["balances_rewritten"] = static_cast<double>(count);
}

void BM_HoldDownThroughRows(benchmark::State& state)
{
    constexpr int Keys = 1000;
    WindowSession s(state.range(0));
    if (!s.window) {
        state.SkipWithError("the book could not be opened");
        return;
    }
    CoolList& list = *s.page().list();
    qint64 slowest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        list.setFocus();
        list.selectRow(0);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        for (int i = 0; i < Keys; ++i) {
            QElapsedTimer key;
            key.start();
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
            QCoreApplication::sendEvent(&list, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
            QCoreApplication::sendEvent(&list, &release);
            QCoreApplication::processEvents();
            slowest = std::max(slowest, key.nsecsElapsed());
        }
        state.PauseTiming();
        if (list.currentIndex().row() != Keys) {
            state.SkipWithError("the keys did not move the selection row by row");
            break;
        }
        state.ResumeTiming();
    }
    state.counters["slowest_key_ms"] = static_cast<double>(slowest) / 1e6;
    state.SetItemsProcessed(state.iterations() * Keys);
}

}  // namespace

BENCHMARK(BM_WindowSaveBeforeAllOthers)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_HoldDownThroughRows)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3);

#endif
