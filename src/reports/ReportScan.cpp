#include "reports/ReportScan.h"

#include "platform/Interaction.h"
#include "reports/ReportFilter.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"
#include "store/TableSet.h"

#include <algorithm>

const QString ReportScan::ProgressText = QStringLiteral("Calculation Report");

ReportScan::Outcome ReportScan::run(TableSet& tables, ReportFilter& filter, Interaction& ui,
                                    const std::function<void(const ReportTransaction&)>& take)
{
    DbTable& transactions = tables.transactions();
    // Any order visits every record once; the account-key order is the one
    // the table always has, so no index is built for the scan.
    const SortScope scope(transactions, Prop::AccountKey, DbTable::SortKind::Text);
    ui.progressLabel(ProgressText);
    ui.progressRange(ProgressSteps);
    if (!scope.ok())
        return Outcome::Complete;
    const qint64 count = transactions.count();
    const qint64 every = std::max<qint64>(1, count / ProgressSteps);
    for (qint64 i = 0; i < count; ++i) {
        if (i > 0 && i % every == 0) {
            ui.progressStep(std::min<qint64>(i / every, ProgressSteps));
            if (ui.progressStopRequested())
                return Outcome::Stopped;
        }
        if (!transactions.moveTo(i) || !filter.match(transactions, tables.accounts()))
            continue;
        take(ReportTransaction::read(transactions));
    }
    ui.progressStep(ProgressSteps);
    return Outcome::Complete;
}
