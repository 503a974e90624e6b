#include "reports/ui/ReportView.h"

#include "reports/ReportSettings.h"
#include "toolkit/ui/ColumnFit.h"
#include "toolkit/ui/CoolList.h"
#include "toolkit/ui/PopupMenu.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

ReportView::ReportView(std::unique_ptr<ReportModel> model, ReportSettings& settings, QWidget* parent)
    : QWidget(parent), m_model(std::move(model)), m_settings(settings), m_list(new CoolList(this)),
      m_recalc(new QPushButton(QString::fromLatin1(RecalcText), this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    m_list->setModel(m_model.get());
    m_list->setIconColumn(0);
    m_list->horizontalHeader()->setSectionsClickable(true);
    m_list->horizontalHeader()->setSortIndicatorShown(false);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    setAccessibleName(m_model->viewName());
    m_recalc->setAccessibleName(QString::fromLatin1(RecalcText));
    m_recalc->hide();
    loadColumnWidths();
    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this, &ReportView::headerClicked);
    connect(m_list, &CoolList::rowActivated, this, [this](int) { showRowDetails(); });
    connect(m_recalc, &QPushButton::clicked, this, &ReportView::build);
    connect(m_model.get(), &QAbstractItemModel::modelReset, this, &ReportView::selectionMoved);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ReportView::selectionMoved);
}

ReportView::~ReportView() = default;

void ReportView::build()
{
    m_model->build();
    afterBuild();
}

void ReportView::buildSorted(const ReportSort& sort)
{
    m_model->buildSorted(sort);
    afterBuild();
}

void ReportView::headerClicked(int column)
{
    if (!m_model->tapHeader(column))
        return;
    afterBuild();
}

void ReportView::afterBuild()
{
    const ReportSort& sort = m_model->sort();
    m_list->horizontalHeader()->setSortIndicatorShown(true);
    m_list->horizontalHeader()->setSortIndicator(sort.column,
                                                 sort.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    m_recalc->hide();
    fitDefaultWidths();
    m_list->selectRow(0);
    Q_EMIT built();
}

void ReportView::checkStale(bool bookChanged)
{
    if (!m_model->isBuilt() || (!bookChanged && !m_model->filterMoved()))
        return;
    placeRecalc();
    m_recalc->show();
    m_recalc->raise();
}

bool ReportView::recalcShown() const
{
    return !m_recalc->isHidden();
}

void ReportView::placeRecalc()
{
    m_recalc->adjustSize();
    const QRect area = m_list->geometry();
    m_recalc->move(area.center() - QPoint(m_recalc->width() / 2, m_recalc->height() / 2));
}

void ReportView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeRecalc();
}

// Centred on the list's lower right corner, one pixel in from the right edge
// and two up from the bottom: where the details of a row have always shown.
void ReportView::showRowDetails()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    const PopupLines lines = m_model->popup(row);
    if (lines.empty())
        return;
    QMenu menu(this);
    menu.setAccessibleName(m_model->viewName());
    PopupMenu::fill(menu, lines);
    const QPoint corner = m_list->mapToGlobal(QPoint(m_list->width() - 1, m_list->height() - 2));
    const QSize size = menu.sizeHint();
    menu.exec(corner - QPoint(size.width() / 2, size.height() / 2));
}

bool ReportView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_I && key->modifiers() == Qt::NoModifier) {
            showRowDetails();
            return true;
        }
    }
    if (watched == m_list->viewport() && event->type() == QEvent::Paint)
        offerRecalcLater();
    return QWidget::eventFilter(watched, event);
}

// A painted row may have met a transaction deleted since the build; the
// question waits until the paint is over.
void ReportView::offerRecalcLater()
{
    if (m_recalcPending || m_model->kind() != ReportKind::TransactionList)
        return;
    m_recalcPending = true;
    QTimer::singleShot(0, this, [this] {
        m_recalcPending = false;
        if (m_model->offerRecalc())
            afterBuild();
    });
}

void ReportView::selectionMoved()
{
    const int row = m_list->currentRow();
    Q_EMIT fullNameChanged(row >= 0 ? m_model->fullName(row) : QString());
}

void ReportView::loadColumnWidths()
{
    const ReportKind kind = m_model->kind();
    m_fitLimits.clear();
    for (int column = 0; column < ReportSettings::columnCount(kind); ++column) {
        qint32 width = m_settings.columnWidth(kind, column);
        // The default widths were made for a 13-pixel line of the handheld's
        // font; they grow with the desktop's.
        const bool fitting = width == ReportSettings::defaultColumnWidth(kind, column) && width > 0;
        if (fitting)
            width = width * std::max(13, fontMetrics().height()) / 13;
        m_fitLimits.push_back(fitting ? 2 * width : 0);
        if (width > 0)
            m_list->horizontalHeader()->resizeSection(column, width);
    }
}

// A column still at its default width grows, up to twice that width, to show
// what the report put in it (a date with its time) uncut; a width the user set
// is left as it is.
void ReportView::fitDefaultWidths()
{
    QHeaderView& header = *m_list->horizontalHeader();
    for (int column = 0; column < static_cast<int>(m_fitLimits.size()); ++column) {
        if (m_fitLimits[column] <= 0)
            continue;
        const int fit =
            std::min(m_fitLimits[column], ColumnFit::width(*m_model, header, column, m_list->font()));
        if (fit > header.sectionSize(column))
            header.resizeSection(column, fit);
    }
}

void ReportView::saveColumnWidths()
{
    const ReportKind kind = m_model->kind();
    for (int column = 0; column < ReportSettings::columnCount(kind); ++column)
        (void)m_settings.setColumnWidth(kind, column, m_list->horizontalHeader()->sectionSize(column));
}
