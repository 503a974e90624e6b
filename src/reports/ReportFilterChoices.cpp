#include "reports/ReportFilterChoices.h"

#include "reference/CurrencyCache.h"
#include "reports/FilterFile.h"
#include "reports/ReportFilter.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"
#include "store/TableSet.h"
#include "store/TreePath.h"

#include <algorithm>

namespace {

using Result = ReportFilterChoices::Result;
using IdKind = ReportFilter::IdKind;

Result failed(const QString& message)
{
    return Result{false, message};
}

// Each record's id and parent, read in one pass.
QHash<qint32, qint32> parentsOf(DbTable& table, quint16 idProp)
{
    QHash<qint32, qint32> parents;
    const SortScope scope(table, idProp);
    if (!scope.ok())
        return parents;
    const qint64 count = table.count();
    for (qint64 i = 0; i < count; ++i) {
        if (table.moveTo(i))
            parents.insert(table.getInt(idProp), table.getInt(Prop::Parent));
    }
    return parents;
}

// True when walking up from `id` meets `top`; a walk never takes more steps
// than there are records, so damaged links that form a cycle end it.
bool isBelow(const QHash<qint32, qint32>& parents, qint32 id, qint32 top)
{
    for (qsizetype steps = 0; steps <= parents.size(); ++steps) {
        if (id == top)
            return true;
        const auto it = parents.find(id);
        if (it == parents.end() || it.value() == id)
            return false;
        id = it.value();
    }
    return false;
}

}  // namespace

std::vector<qint32> ReportFilterChoices::subtree(DbTable& table, quint16 idProp, qint32 id)
{
    const QHash<qint32, qint32> parents = parentsOf(table, idProp);
    std::vector<qint32> ids;
    if (!parents.contains(id))
        return ids;
    for (auto it = parents.begin(); it != parents.end(); ++it) {
        if (isBelow(parents, it.key(), id))
            ids.push_back(it.key());
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

Result ReportFilterChoices::apply(const ReportRequest& request, const ReportContext& context,
                                  const LocalTime& today, const AccountLookup& findAccount)
{
    ReportFilter& filter = context.filter;
    Result r = readFilterFile(request.filterFile, context);
    if (r.ok)
        r = applyCurrency(request.currency, context);
    if (r.ok)
        r = applyPeriod(request, filter, today);
    if (r.ok)
        r = applyAccounts(request.accounts, filter, findAccount);
    if (r.ok)
        r = applyTree(request.categories, context, false);
    if (r.ok)
        r = applyTree(request.projects, context, true);
    if (r.ok)
        applyConditions(request, filter);
    return r;
}

// The ids a file names may be gone from the book; the refresh drops them as
// loading a filter in the window does.
Result ReportFilterChoices::readFilterFile(const QString& path, const ReportContext& context)
{
    if (path.isEmpty())
        return {};
    switch (FilterFile::load(path, context.filter, context.ui)) {
    case FilterFile::ReadResult::Complete:
        context.filter.refresh(context.tables);
        return {};
    case FilterFile::ReadResult::NotOpened:
        return failed(QStringLiteral("cannot read the filter file %1").arg(path));
    case FilterFile::ReadResult::BadHeader:
    case FilterFile::ReadResult::Damaged:
        break;
    }
    return failed(QString());
}

Result ReportFilterChoices::applyCurrency(const QString& code, const ReportContext& context)
{
    if (code.isEmpty())
        return {};
    if (!context.currencies.contains(code))
        return failed(QStringLiteral("no currency %1 in the book").arg(code));
    context.filter.setCurrency(code);
    return {};
}

Result ReportFilterChoices::applyPeriod(const ReportRequest& request, ReportFilter& filter,
                                        const LocalTime& today)
{
    if (request.period && !ReportPeriod::apply(filter, *request.period, today))
        return failed(QStringLiteral("the period %1 lies outside the calendar")
                          .arg(ReportPeriod::nameOf(*request.period)));
    if (request.from)
        filter.setDateLow(fileTimeFromLocal(*request.from).value_or(minFileTime()));
    if (request.to)
        filter.setDateHigh(fileTimeFromLocal(*request.to).value_or(maxFileTime()));
    return {};
}

Result ReportFilterChoices::applyAccounts(const QStringList& names, ReportFilter& filter,
                                          const AccountLookup& findAccount)
{
    for (const QString& name : names) {
        const std::optional<qint32> id = findAccount ? findAccount(name) : std::nullopt;
        if (!id)
            return failed(QStringLiteral("no account %1").arg(name));
        filter.addId(IdKind::Accounts, *id);
    }
    return {};
}

Result ReportFilterChoices::applyTree(const QStringList& paths, const ReportContext& context, bool projects)
{
    DbTable& table = projects ? context.tables.projects() : context.tables.categories();
    const quint16 idProp = projects ? Prop::ProjectId : Prop::CategoryId;
    for (const QString& path : paths) {
        const qint32 id = TreePath(table, idProp).findByPath(path);
        if (id == 0)
            return failed(QStringLiteral("no %1 %2")
                              .arg(projects ? QStringLiteral("project") : QStringLiteral("category"), path));
        for (const qint32 member : subtree(table, idProp, id))
            context.filter.addId(projects ? IdKind::Projects : IdKind::Categories, member);
    }
    return {};
}

void ReportFilterChoices::applyConditions(const ReportRequest& request, ReportFilter& filter)
{
    using Field = ReportFilter::TextField;
    const std::pair<Field, const std::optional<QString>*> texts[] = {
        {Field::Description, &request.description},
        {Field::Note, &request.note},
        {Field::Contact, &request.contact},
        {Field::Number, &request.number},
    };
    for (const auto& [field, text] : texts) {
        if (*text)
            filter.setText(field, **text);
    }
    if (request.amountMin || request.amountMax) {
        const Money low = request.amountMin.value_or(filter.amountLow());
        const Money high = request.amountMax.value_or(filter.amountHigh());
        filter.setAmountRange(low, high);
    }
    if (request.unreconciled)
        filter.setMarkFlag(ReconcileMark::Unreconciled, true);
    if (request.cleared)
        filter.setMarkFlag(ReconcileMark::Cleared, true);
    if (request.reconciled)
        filter.setMarkFlag(ReconcileMark::Reconciled, true);
}
