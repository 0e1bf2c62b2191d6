#include "ChartView.h"

#include <QSaveFile>
#include <QVBoxLayout>

#include "PlotLibrary.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hesk::app {

namespace {

// Digital-axis coordinates: ten band heights of 1.
constexpr double kDigitalMin = 0.0;
constexpr double kDigitalMax = 10.0;
// How close (pixels) a press must come to a cursor line to take it.
constexpr double kCursorGrip = 5.0;

QFont axisFont()
{
    // Where the font is missing the style hint picks a serif face; Chinese characters fall
    // back to a font that has them.
    QFont font(QStringLiteral("Times New Roman"), 10);
    font.setStyleHint(QFont::Serif);
    return font;
}

// Bit traces are drawn thicker: a thin step line is easily lost among the analog curves.
QPen seriesPen(const QColor& colour, ChartView::Axis axis)
{
    QPen pen(colour);
    pen.setWidthF(axis == ChartView::Axis::Digital ? 2.0 : 1.0);
    return pen;
}

QString cursorName(ChartView::Cursor cursor)
{
    return cursor == ChartView::Cursor::X1 ? QStringLiteral("X1") : QStringLiteral("X2");
}

}  // namespace

ChartView::ChartView(QWidget* parent)
    : QWidget(parent)
    , m_bands(kDigitalMin, kDigitalMax)
{
    m_plot = new QCustomPlot(this);
    m_plot->setObjectName(QStringLiteral("chartPlot"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_plot);

    m_plot->xAxis->setLabel(tr("时间轴（ms）"));
    m_plot->yAxis->setLabel(tr("模拟量轴（%）"));
    for (QCPAxis* axis : {m_plot->xAxis, m_plot->yAxis, m_plot->yAxis2}) {
        axis->setLabelFont(axisFont());
        axis->setTickLabelFont(axisFont());
    }
    m_plot->xAxis->setRange(0.0, 1.0);
    m_plot->yAxis->setRange(-1.0, 1.0);
    m_plot->yAxis2->setRange(kDigitalMin, kDigitalMax);
    m_plot->yAxis2->setTicker(QSharedPointer<QCPAxisTickerText>::create());
    m_plot->yAxis2->grid()->setVisible(false);
    m_plot->yAxis2->setVisible(false);

    m_plot->legend->setVisible(true);
    m_plot->legend->setFont(axisFont());
    m_plot->legend->setBrush(QColor(255, 255, 255, 200));

    m_plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    m_plot->axisRect()->setRangeDragAxes(m_plot->xAxis, m_plot->yAxis);
    m_plot->axisRect()->setRangeZoomAxes(m_plot->xAxis, m_plot->yAxis);

    // The cursors live on a layer of their own with its own buffer: moving one redraws
    // that layer alone, never the curves.
    m_plot->addLayer(QStringLiteral("cursors"), m_plot->layer(QStringLiteral("legend")), QCustomPlot::limAbove);
    m_cursorLayer = m_plot->layer(QStringLiteral("cursors"));
    m_cursorLayer->setMode(QCPLayer::lmBuffered);
    const QColor cursorColours[2] = {QColor(0, 0, 0), QColor(120, 0, 160)};
    for (int i = 0; i < 2; ++i) {
        CursorItems& items = m_cursors[i];
        items.line = new QCPItemStraightLine(m_plot);
        items.label = new QCPItemText(m_plot);
        QPen pen(cursorColours[i]);
        pen.setStyle(Qt::DashLine);
        items.line->setPen(pen);
        items.label->setText(cursorName(static_cast<Cursor>(i)));
        items.label->setColor(cursorColours[i]);
        items.label->setFont(axisFont());
        items.label->setPositionAlignment(Qt::AlignTop | Qt::AlignHCenter);
        items.label->setPadding(QMargins(2, 1, 2, 1));
        items.label->setBrush(QColor(255, 255, 255, 220));
        for (QCPItemPosition* position : {items.line->point1, items.line->point2, items.label->position}) {
            position->setTypeX(QCPItemPosition::ptPlotCoords);
            position->setTypeY(QCPItemPosition::ptAxisRectRatio);
        }
        items.line->point1->setCoords(0.0, 0.0);
        items.line->point2->setCoords(0.0, 1.0);
        items.label->position->setCoords(0.0, 0.0);
        items.line->setLayer(m_cursorLayer);
        items.label->setLayer(m_cursorLayer);
        items.line->setVisible(false);
        items.label->setVisible(false);
    }

    connect(m_plot, &QCustomPlot::afterReplot, this, [this] { m_replotPending = false; });
    connect(m_plot, &QCustomPlot::mousePress, this, &ChartView::onMousePress);
    connect(m_plot, &QCustomPlot::mouseMove, this, &ChartView::onMouseMove);
    connect(m_plot, &QCustomPlot::mouseRelease, this, &ChartView::onMouseRelease);
}

ChartView::~ChartView() = default;

int ChartView::addSeries(const QString& name, const QColor& colour, Axis axis)
{
    const int id = m_nextId++;
    Series series;
    series.graph = m_plot->addGraph(m_plot->xAxis, axis == Axis::Digital ? m_plot->yAxis2 : m_plot->yAxis);
    series.graph->setName(name);
    series.graph->setPen(seriesPen(colour, axis));
    series.graph->setAdaptiveSampling(true);
    series.axis = axis;
    series.name = name;
    if (axis == Axis::Digital) {
        series.graph->setLineStyle(QCPGraph::lsStepLeft);
        m_bands.add(id);
    }
    m_series.emplace(id, std::move(series));
    if (axis == Axis::Digital)
        refreshDigitalAxis();
    requestReplot();
    return id;
}

void ChartView::removeSeries(int id)
{
    const auto found = m_series.find(id);
    if (found == m_series.end())
        return;
    m_plot->removeGraph(found->second.graph);
    const bool digital = found->second.axis == Axis::Digital;
    m_series.erase(found);
    if (digital && m_bands.remove(id))
        refreshDigitalAxis();
    rescaleX();
    rescaleY();
    requestReplot();
}

void ChartView::clearSeries()
{
    m_plot->clearGraphs();
    m_series.clear();
    m_bands.clear();
    refreshDigitalAxis();
    requestReplot();
}

void ChartView::applyPoints(Series& series, int id)
{
    if (series.axis == Axis::Analog) {
        series.graph->setData(series.points.x, series.points.y, true);
        return;
    }
    const std::optional<recording::DigitalBands::Band> band = m_bands.band(id);
    if (!band) {
        series.graph->data()->clear();
        return;
    }
    QList<double> levels(series.points.y.size());
    for (qsizetype i = 0; i < levels.size(); ++i)
        levels[i] = series.points.y[i] != 0.0 ? band->high : band->low;
    series.graph->setData(series.points.x, levels, true);
}

void ChartView::setSeriesPoints(int id, const recording::SeriesPoints& points)
{
    const auto found = m_series.find(id);
    if (found == m_series.end())
        return;
    Series& series = found->second;
    series.points = points;
    // A caller's mismatch must not read past the shorter list.
    const qsizetype count = std::min(points.x.size(), points.y.size());
    series.points.x.resize(count);
    series.points.y.resize(count);
    applyPoints(series, id);
    rescaleX();
    rescaleY();
    requestReplot();
}

void ChartView::setSeriesName(int id, const QString& name)
{
    const auto found = m_series.find(id);
    if (found == m_series.end())
        return;
    found->second.name = name;
    found->second.graph->setName(name);
    if (found->second.axis == Axis::Digital)
        refreshDigitalAxis();
    requestReplot();
}

void ChartView::setSeriesColour(int id, const QColor& colour)
{
    const auto found = m_series.find(id);
    if (found == m_series.end())
        return;
    found->second.graph->setPen(seriesPen(colour, found->second.axis));
    requestReplot();
}

void ChartView::setSeriesVisible(int id, bool visible)
{
    const auto found = m_series.find(id);
    if (found == m_series.end() || found->second.visible == visible)
        return;
    Series& series = found->second;
    series.visible = visible;
    series.graph->setVisible(visible);
    if (visible)
        series.graph->addToLegend();
    else
        series.graph->removeFromLegend();
    if (series.axis == Axis::Digital)
        refreshDigitalAxis();
    rescaleY();
    requestReplot();
}

void ChartView::setSeriesAxis(int id, Axis axis)
{
    const auto found = m_series.find(id);
    if (found == m_series.end() || found->second.axis == axis)
        return;
    Series& series = found->second;
    series.axis = axis;
    series.graph->setPen(seriesPen(series.graph->pen().color(), axis));
    if (axis == Axis::Digital) {
        m_bands.add(id);
        series.graph->setValueAxis(m_plot->yAxis2);
        series.graph->setLineStyle(QCPGraph::lsStepLeft);
    } else {
        m_bands.remove(id);
        series.graph->setValueAxis(m_plot->yAxis);
        series.graph->setLineStyle(QCPGraph::lsLine);
    }
    applyPoints(series, id);
    // The bands of the others move when one is released or the block grows.
    refreshDigitalAxis();
    rescaleY();
    requestReplot();
}

bool ChartView::hasSeries(int id) const
{
    return m_series.count(id) != 0;
}

const recording::SeriesPoints* ChartView::seriesPoints(int id) const
{
    const auto found = m_series.find(id);
    return found == m_series.end() ? nullptr : &found->second.points;
}

bool ChartView::seriesVisible(int id) const
{
    const auto found = m_series.find(id);
    return found != m_series.end() && found->second.visible;
}

QColor ChartView::seriesColour(int id) const
{
    const auto found = m_series.find(id);
    return found == m_series.end() ? QColor() : found->second.graph->pen().color();
}

ChartView::Axis ChartView::seriesAxis(int id) const
{
    const auto found = m_series.find(id);
    return found == m_series.end() ? Axis::Analog : found->second.axis;
}

std::optional<recording::DigitalBands::Band> ChartView::digitalBand(int id) const
{
    return m_bands.band(id);
}

void ChartView::refreshDigitalAxis()
{
    auto ticker = QSharedPointer<QCPAxisTickerText>::create();
    for (int id : m_bands.traces()) {
        const auto found = m_series.find(id);
        if (found == m_series.end())
            continue;
        if (found->second.visible)
            ticker->addTick(m_bands.band(id)->centre(), found->second.name);
        applyPoints(found->second, id);
    }
    m_plot->yAxis2->setTicker(ticker);
    m_plot->yAxis2->setVisible(m_bands.count() > 0);
    m_plot->yAxis2->setTickLabels(true);
}

void ChartView::rescaleX()
{
    if (!m_xAuto)
        return;
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    for (const auto& [id, series] : m_series) {
        if (series.points.empty())
            continue;
        low = std::min(low, series.points.x.front());
        high = std::max(high, series.points.x.back());
    }
    if (!std::isfinite(low) || !std::isfinite(high))
        return;
    if (high <= low) {
        low -= 1.0;
        high += 1.0;
    }
    m_plot->xAxis->setRange(low, high);
}

void ChartView::rescaleY()
{
    if (!m_yAuto)
        return;
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    for (const auto& [id, series] : m_series) {
        if (series.axis != Axis::Analog || !series.visible)
            continue;
        for (double y : series.points.y) {
            low = std::min(low, y);
            high = std::max(high, y);
        }
    }
    if (!std::isfinite(low) || !std::isfinite(high))
        return;
    const double margin = high > low ? (high - low) * 0.05 : 1.0;
    m_plot->yAxis->setRange(low - margin, high + margin);
}

void ChartView::setXAxisLabel(const QString& label)
{
    m_plot->xAxis->setLabel(label);
}

void ChartView::setTitle(const QString& title)
{
    if (title.isEmpty()) {
        if (m_title) {
            m_plot->plotLayout()->remove(m_title);
            m_plot->plotLayout()->simplify();
            m_title = nullptr;
        }
    } else if (m_title) {
        m_title->setText(title);
    } else {
        m_plot->plotLayout()->insertRow(0);
        m_title = new QCPTextElement(m_plot, title, QFont(axisFont().family(), 12, QFont::Bold));
        m_plot->plotLayout()->addElement(0, 0, m_title);
    }
    requestReplot();
}

void ChartView::setXRange(double min, double max)
{
    m_xAuto = false;
    m_plot->xAxis->setRange(min, max);
    requestReplot();
}

void ChartView::setXAutoRange()
{
    m_xAuto = true;
    rescaleX();
    requestReplot();
}

void ChartView::setYRange(double min, double max)
{
    m_yAuto = false;
    m_plot->yAxis->setRange(min, max);
    requestReplot();
}

void ChartView::setYAutoRange()
{
    m_yAuto = true;
    rescaleY();
    requestReplot();
}

recording::AxisRange ChartView::range() const
{
    const QCPRange x = m_plot->xAxis->range();
    const QCPRange y = m_plot->yAxis->range();
    return {x.lower, x.upper, y.lower, y.upper};
}

void ChartView::setCursorsEnabled(bool enabled)
{
    if (enabled == m_cursorsEnabled)
        return;
    m_cursorsEnabled = enabled;
    if (m_dragging) {
        m_dragging.reset();
        m_plot->setInteraction(QCP::iRangeDrag, m_dragWasPanning);
    }
    for (CursorItems& items : m_cursors) {
        items.line->setVisible(enabled);
        items.label->setVisible(enabled);
    }
    if (enabled) {
        const QCPRange x = m_plot->xAxis->range();
        setCursorPosition(Cursor::X1, x.lower + x.size() / 4.0);
        setCursorPosition(Cursor::X2, x.lower + x.size() * 3.0 / 4.0);
    }
    replotCursors();
}

void ChartView::placeCursor(Cursor cursor, double x)
{
    CursorItems& items = m_cursors[static_cast<int>(cursor)];
    items.x = x;
    items.line->point1->setCoords(x, 0.0);
    items.line->point2->setCoords(x, 1.0);
    items.label->position->setCoords(x, 0.0);
}

void ChartView::setCursorPosition(Cursor cursor, double x)
{
    if (!std::isfinite(x))
        return;
    placeCursor(cursor, x);
    replotCursors();
    Q_EMIT cursorMoved(cursor, x);
}

double ChartView::cursorPosition(Cursor cursor) const
{
    return m_cursors[static_cast<int>(cursor)].x;
}

void ChartView::setCursorsLocked(bool locked)
{
    m_cursorsLocked = locked;
    if (locked && m_dragging) {
        m_dragging.reset();
        m_plot->setInteraction(QCP::iRangeDrag, m_dragWasPanning);
    }
}

int ChartView::pixelOfX(double x) const
{
    return static_cast<int>(std::lround(m_plot->xAxis->coordToPixel(x)));
}

void ChartView::onMousePress(QMouseEvent* event)
{
    if (!m_cursorsEnabled || m_cursorsLocked || event->button() != Qt::LeftButton)
        return;
    const QPointF at = event->position();
    if (!m_plot->axisRect()->rect().contains(at.toPoint()))
        return;
    std::optional<Cursor> nearest;
    double best = kCursorGrip;
    for (Cursor cursor : {Cursor::X2, Cursor::X1}) {
        const double distance = std::abs(m_plot->xAxis->coordToPixel(cursorPosition(cursor)) - at.x());
        if (distance <= best) {
            best = distance;
            nearest = cursor;
        }
    }
    if (!nearest)
        return;
    // The plot starts panning after this signal returns; a cursor drag must not pan.
    m_dragging = nearest;
    m_dragWasPanning = m_plot->interactions().testFlag(QCP::iRangeDrag);
    m_plot->setInteraction(QCP::iRangeDrag, false);
}

void ChartView::onMouseMove(QMouseEvent* event)
{
    if (!m_dragging || m_cursorsLocked)
        return;
    const QCPRange visible = m_plot->xAxis->range();
    const double x = std::clamp(m_plot->xAxis->pixelToCoord(event->position().x()), visible.lower, visible.upper);
    setCursorPosition(*m_dragging, x);
}

void ChartView::onMouseRelease(QMouseEvent*)
{
    if (!m_dragging)
        return;
    m_dragging.reset();
    m_plot->setInteraction(QCP::iRangeDrag, m_dragWasPanning);
}

bool ChartView::savePng(const QString& path) const
{
    const QPixmap picture = m_plot->toPixmap();
    if (picture.isNull())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!picture.save(&file, "PNG")) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void ChartView::replot()
{
    m_plot->replot(QCustomPlot::rpImmediateRefresh);
}

void ChartView::requestReplot()
{
    m_replotPending = true;
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

void ChartView::replotCursors()
{
    // Redrawing the cursor layer alone needs the other layers' buffers up to date; while a
    // full redraw is queued the cursors come with it.
    if (m_replotPending)
        return;
    m_cursorLayer->replot();
}

}  // namespace hesk::app
