#include "shell/ui/ProjectsPageLinks.h"

#include "accounts/Register.h"
#include "accounts/RegisterInfo.h"
#include "planning/Prognosis.h"
#include "planning/ui/PlannedBalancePopup.h"
#include "reference/ui/ProjectsPage.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/RegisterPage.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"
#include "toolkit/ui/CoolList.h"
#include "toolkit/ui/PopupMenu.h"

#include <QMenu>

namespace {

struct RegisterRow {
    qint32 account = 0;
    qint64 row = -1;
};

// Where a transaction stands in its account's register.
std::optional<RegisterRow> transactionRow(MainBook& book, Register& reg, RecordId record)
{
    DbTable& t = book.tables().transactions();
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok() || !t.moveToRecord(record))
        return std::nullopt;
    const qint32 account = t.getInt(Prop::AccountId);
    const qint64 position = t.position();
    if (!reg.select(account))
        return std::nullopt;
    return RegisterRow{account, position - reg.run().first};
}

// Where a future-list entry stands among the future rows of `account`'s
// register (every register lists the whole future list).
std::optional<RegisterRow> plannedRow(MainBook& book, Register& reg, qint32 account, RecordId record)
{
    if (!reg.select(account))
        return std::nullopt;
    for (const FutureEntry& entry : book.future().entries())
        if (entry.record == record)
            return RegisterRow{account, reg.transactionCount() + 1 + entry.position};
    return std::nullopt;
}

void showRowPopup(MainWindow& window, MainBook& book, const LocaleValues& locale,
                  const ProjectPageAction& action, const QPoint& at)
{
    Register reg(book.tables(), book.currencies(), locale, book.future());
    RegisterPage* page = window.registerPage();
    const std::optional<RegisterRow> row =
        action.kind == ProjectPageAction::Kind::TransactionPopup
            ? transactionRow(book, reg, action.record)
            : plannedRow(book, reg, std::max(page->reg().accountId(), 1), action.record);
    if (!row)
        return;
    RegisterInfo info(reg, book.tables(), book.categories(), book.projects(), book.currencies(), locale);
    const std::optional<PopupLines> lines = info.build(row->row);
    if (!lines)
        return;
    QMenu menu(&window);
    menu.setAccessibleName(lines->title);
    PopupMenu::fill(menu, *lines);
    for (QAction* item : menu.actions()) {
        if (item->text() != QString::fromLatin1(RegisterInfo::EditText))
            continue;
        item->setEnabled(true);
        QObject::connect(item, &QAction::triggered, &window, [&window, page, target = *row] {
            if (window.showPage(MainWindow::Page::Register) && page->showRow(target.account, target.row))
                page->editRow(static_cast<int>(target.row));
        });
    }
    menu.exec(at);
}

}  // namespace

namespace ProjectsPageLinks {

ProjectsPage* add(MainWindow& window, MainBook& book, const Clock& clock, const LocaleValues& locale)
{
    ProjectsPageContext context{
        book.tables(), book.projects(), book.totals(), book.currencies(), window.interaction(),
        [&book, &clock, &locale] {
            ProjectPage::Context c;
            c.defaultCode = book.state().defaultCurrency;
            c.locale = locale;
            c.today = fileTimeNow(clock).value_or(0);
            c.horizon = book.future().horizon();
            c.futureListChanges = book.future().changeCount();
            return c;
        },
        [&book] {
            return TreePasteTotals{&book.totals(), book.state().defaultCurrency};
        },
        [&book](QDate day) {
            if (const std::optional<FileTime> t =
                    fileTimeFromLocal(LocalTime{day.year(), day.month(), day.day()}))
                (void)book.future().build(*t, false);
        },
        [&window, &book, &locale](const ProjectPageAction& action, const QPoint& at) {
            showRowPopup(window, book, locale, action, at);
        },
        // The project page's popup: the default currency, no categories.
        [&book, &locale](QWidget* line) {
            Prognosis prognosis(book.future(), book.currencies(), book.categories(), locale);
            PlannedBalancePopup::open(*line, prognosis,
                                      {book.future().horizon(), book.state().defaultCurrency, false});
        }};
    auto* page = new ProjectsPage(std::move(context));
    page->setTreeWidth(book.settings().read(TallyraSettings::Int::ProjectTreeWidth));
    (void)page->list()->loadColumns(book.settings().file(), ProjectsPage::ListNumber);
    window.addPage(
        MainWindow::Page::Projects, QStringLiteral("Projects"), page, nullptr, page->pageControls(),
        {{},
         [page](bool) { page->refresh(); },
         [page, &book] {
             (void)book.settings().write(TallyraSettings::Int::ProjectTreeWidth, page->treeWidth());
             (void)page->list()->saveColumns(book.settings().file(), ProjectsPage::ListNumber);
         }});
    return page;
}

}  // namespace ProjectsPageLinks
