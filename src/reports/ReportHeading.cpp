#include "reports/ReportHeading.h"

#include "reports/ReportContext.h"
#include "reports/ReportFilter.h"
#include "reports/ReportLabels.h"

#include <functional>

namespace {

QStringList names(const ReportIdList& ids, const std::function<QString(qint32)>& nameOf)
{
    QStringList out;
    for (const qint32 id : ids.ids())
        out << nameOf(id);
    return out;
}

}  // namespace

HtmlReportInfo ReportHeading::of(const ReportContext& context, const QString& title)
{
    using IdKind = ReportFilter::IdKind;
    ReportLabels labels(context.tables);
    const ReportFilter& filter = context.filter;
    HtmlReportInfo info;
    info.title = title;
    info.dateLow = filter.dateLow();
    info.dateHigh = filter.dateHigh();
    info.filter.accounts =
        names(filter.ids(IdKind::Accounts), [&](qint32 id) { return labels.accountName(id); });
    info.filter.categories =
        names(filter.ids(IdKind::Categories), [&](qint32 id) { return labels.categoryPath(id); });
    info.filter.projects =
        names(filter.ids(IdKind::Projects), [&](qint32 id) { return labels.projectPath(id); });
    return info;
}
