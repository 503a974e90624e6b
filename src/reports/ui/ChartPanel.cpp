#include "reports/ui/ChartPanel.h"

#include "reports/ui/ChartBuilder.h"
#include "reports/ui/ChartRenderer.h"

#include <QButtonGroup>
#include <QChartView>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* kindButton(const char* text, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(QString::fromLatin1(text));
    button->setAccessibleName(QString::fromLatin1(text));
    button->setCheckable(true);
    return button;
}

}  // namespace

ChartPanel::ChartPanel(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Chart"));
    // Below this a pie's labels no longer fit beside it.
    setMinimumHeight(MinimumHeight);
    m_pie = kindButton(PieText, this);
    m_bar = kindButton(BarText, this);
    auto* group = new QButtonGroup(this);
    group->addButton(m_pie);
    group->addButton(m_bar);
    m_pie->setChecked(true);
    m_save = new QPushButton(QString::fromLatin1(SaveText), this);
    m_save->setAccessibleName(QString::fromLatin1(SaveText));
    connect(m_pie, &QToolButton::clicked, this, [this] { setKind(ChartKind::Pie); });
    connect(m_bar, &QToolButton::clicked, this, [this] { setKind(ChartKind::Bar); });
    connect(m_save, &QPushButton::clicked, this, &ChartPanel::saveAs);

    auto* buttons = new QHBoxLayout();
    buttons->addWidget(m_pie);
    buttons->addWidget(m_bar);
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    m_charts = new QHBoxLayout();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(buttons);
    layout->addLayout(m_charts, 1);
}

void ChartPanel::setSource(Source source, bool lineOnly)
{
    m_source = std::move(source);
    m_lineOnly = lineOnly;
    m_pie->setVisible(!lineOnly);
    m_bar->setVisible(!lineOnly);
}

void ChartPanel::setKind(ChartKind kind)
{
    if (m_lineOnly || kind == ChartKind::Line)
        return;
    m_groupKind = kind;
    (kind == ChartKind::Pie ? m_pie : m_bar)->setChecked(true);
    refresh();
}

void ChartPanel::refresh()
{
    if (!m_source)
        return;
    m_chart = m_source(m_lineOnly ? ChartKind::Line : m_groupKind);
    clearViews();
    for (QChart* chart : ChartBuilder::build(m_chart)) {
        auto* view = new QChartView(chart, this);  // takes the chart over
        view->setRenderHint(QPainter::Antialiasing);
        view->setAccessibleName(chart->title());
        m_charts->addWidget(view, 1);
        m_views.push_back(view);
    }
}

void ChartPanel::clearViews()
{
    for (QChartView* view : m_views)
        delete view;
    m_views.clear();
}

bool ChartPanel::saveTo(const QString& path, QString* error)
{
    const ChartPainter::Image image = path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)
                                          ? ChartPainter::Image::Svg
                                          : ChartPainter::Image::Png;
    ChartRenderer renderer;
    return renderer.saveFile(m_chart, path, image, error);
}

void ChartPanel::saveAs()
{
    QString filter = QStringLiteral("PNG image (*.png)");
    const QString path = QFileDialog::getSaveFileName(
        this, QString::fromLatin1(SaveText).remove(QStringLiteral("...")), QString(),
        QStringLiteral("PNG image (*.png);;SVG image (*.svg)"), &filter, QFileDialog::DontUseNativeDialog);
    if (path.isEmpty())
        return;
    QString target = path;
    if (!target.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) &&
        !target.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        target += filter.startsWith(QLatin1String("SVG")) ? QStringLiteral(".svg") : QStringLiteral(".png");
    QString error;
    if (!saveTo(target, &error))
        QMessageBox::warning(this, QString::fromLatin1(SaveText),
                             QStringLiteral("The chart could not be written to %1: %2").arg(target, error));
}
