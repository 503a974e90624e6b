#pragma once

// Puts what a ReportRequest asks for into the report filter, resolving the
// names it gives against the book. The order is fixed: a filter file first
// (reading one clears the conditions), then the currency, the period and each
// condition on top of it, so options add to what the file holds.
//
// A category or project named by path brings its whole subtree, as checking
// it in the selection tree does.

#include "reports/ReportContext.h"
#include "reports/ReportRequest.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class DbTable;

class ReportFilterChoices {
public:
    // An account by id or exact name; nullopt when there is none.
    using AccountLookup = std::function<std::optional<qint32>(const QString& text)>;

    struct Result {
        bool ok = true;
        // Why not, for the user; empty when the reason was already shown
        // through the context's interaction ("Error Read File").
        QString message;
    };

    // `today` places the named periods. On failure the filter may hold part
    // of the request; the caller builds nothing from it then.
    static Result apply(const ReportRequest& request, const ReportContext& context, const LocalTime& today,
                        const AccountLookup& findAccount);

    // The ids of `id` and of every record below it in a tree table sorted by
    // `idProp` (category or project); empty when `id` is not in the table.
    static std::vector<qint32> subtree(DbTable& table, quint16 idProp, qint32 id);

private:
    static Result readFilterFile(const QString& path, const ReportContext& context);
    static Result applyCurrency(const QString& code, const ReportContext& context);
    static Result applyPeriod(const ReportRequest& request, ReportFilter& filter, const LocalTime& today);
    static Result applyAccounts(const QStringList& names, ReportFilter& filter,
                                const AccountLookup& findAccount);
    static Result applyTree(const QStringList& paths, const ReportContext& context, bool projects);
    static void applyConditions(const ReportRequest& request, ReportFilter& filter);
};
