#include "shell/ui/BalanceHistoryWindow.h"

#include "reports/ui/ChartBuilder.h"

#include <QChartView>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

std::vector<ChartPoint> pointsOf(const std::vector<BalancePoint>& balances)
{
    std::vector<ChartPoint> points;
    points.reserve(balances.size());
    for (const BalancePoint& b : balances)
        points.push_back({b.date, b.balance});
    return points;
}

}  // namespace

ReportChart BalanceHistoryWindow::chartOf(const BalanceHistory& history)
{
    ReportChart chart;
    chart.kind = ChartKind::Line;
    chart.title = history.account;
    chart.currency = history.currency;
    chart.points = pointsOf(history.actual);
    chart.planned = pointsOf(history.planned);
    return chart;
}

BalanceHistoryWindow::BalanceHistoryWindow(const BalanceHistory& history, QWidget* parent)
    : QDialog(parent), m_chart(chartOf(history))
{
    const QString title = QString::fromLatin1(TitleText) + QStringLiteral(" - ") + history.account;
    setWindowTitle(title);
    setAccessibleName(title);
    auto* layout = new QVBoxLayout(this);
    for (QChart* chart : ChartBuilder::build(m_chart)) {
        auto* view = new QChartView(chart, this);
        view->setRenderHint(QPainter::Antialiasing);
        view->setAccessibleName(chart->title());
        layout->addWidget(view, 1);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setAccessibleName(QStringLiteral("Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(820, 520);
}
