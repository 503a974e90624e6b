#include "reports/ui/ChartRenderer.h"

#include "reports/ui/ChartBuilder.h"

#include <QBuffer>
#include <QGraphicsScene>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

QSize ChartRenderer::sizeOf(const ReportChart& chart)
{
    return QSize(chart.kind == ChartKind::Pie ? 2 * Width : Width, Height);
}

void ChartRenderer::paint(QPainter& painter, const ReportChart& chart, QSize size)
{
    QGraphicsScene scene;
    const std::vector<QChart*> charts = ChartBuilder::build(chart);
    const qreal width = qreal(size.width()) / qreal(charts.size());
    for (size_t i = 0; i < charts.size(); ++i) {
        scene.addItem(charts[i]);  // the scene owns it now
        charts[i]->setGeometry(QRectF(width * qreal(i), 0, width, size.height()));
    }
    const QRectF area(QPointF(0, 0), QSizeF(size));
    scene.setSceneRect(area);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, area, area);
}

QImage ChartRenderer::image(const ReportChart& chart)
{
    const QSize size = sizeOf(chart);
    QImage out(size, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::white);
    QPainter painter(&out);
    paint(painter, chart, size);
    painter.end();
    return out;
}

QByteArray ChartRenderer::svg(const ReportChart& chart)
{
    const QSize size = sizeOf(chart);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(chart.title);
    QPainter painter(&generator);
    paint(painter, chart, size);
    painter.end();
    return buffer.data();
}

bool ChartRenderer::saveFile(const ReportChart& chart, const QString& path, Image image, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    const bool drawn =
        image == Image::Png ? ChartRenderer::image(chart).save(&file, "PNG") : file.write(svg(chart)) >= 0;
    if (!drawn) {
        file.cancelWriting();
        *error = file.errorString();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
