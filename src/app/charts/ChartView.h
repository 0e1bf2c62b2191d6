#pragma once
// The chart of the recorder and fault-waveform views: curves of (time in ms, value) points
// against a bottom time axis "时间轴（ms）" and either the left analog axis "模拟量轴（%）"
// or the digital axis on the right, where each bit trace gets its own band
// (recording::DigitalBands), plus two vertical cursors X1 and X2.
//
// Ranges. The bottom axis is automatic until a fixed range is set: on every change of a
// series' points it spans from the smallest to the largest x of all series, hidden ones
// included. The left axis is automatic (the analog values with a margin) until a fixed
// range is set. The wheel zooms and a drag pans the bottom and the left axis; the digital
// axis stays put. Navigation does not end automatic ranging; the next points change
// rescales.
//
// Cursors. Off until enabled; when enabled they stand at a quarter and three quarters of
// the bottom axis. A press within a few pixels of an unlocked cursor drags that cursor
// instead of panning; a locked cursor ignores the mouse. A cursor stays within the visible
// bottom axis. cursorMoved() is emitted on every move, by the mouse or by
// setCursorPosition(). A cursor move redraws only the cursor layer.
//
// Redrawing. Every change asks for a queued redraw (one redraw for many changes, on the
// event loop); replot() draws at once.
//
// Threads: the UI thread only.

#include "recording/AxisRangeInput.h"
#include "recording/DigitalBands.h"
#include "recording/SeriesPoints.h"

#include <QColor>
#include <QPointer>
#include <QWidget>

#include <map>
#include <optional>

class QCustomPlot;
class QCPGraph;
class QCPItemStraightLine;
class QCPItemText;
class QCPLayer;
class QCPTextElement;
class QMouseEvent;

namespace hesk::app {

class ChartView : public QWidget {
    Q_OBJECT
public:
    enum class Axis { Analog, Digital };
    Q_ENUM(Axis)
    enum class Cursor { X1 = 0, X2 = 1 };
    Q_ENUM(Cursor)

    explicit ChartView(QWidget* parent = nullptr);
    ~ChartView() override;

    // Series. The id stays valid until removeSeries(); an unknown id is ignored.
    int addSeries(const QString& name, const QColor& colour, Axis axis = Axis::Analog);
    void removeSeries(int id);
    void clearSeries();
    // x ascending (milliseconds). On the digital axis a value of 0 is the band's low level,
    // anything else its high level.
    void setSeriesPoints(int id, const recording::SeriesPoints& points);
    void setSeriesName(int id, const QString& name);
    void setSeriesColour(int id, const QColor& colour);
    // A hidden series keeps its digital band, so the other bands stay in place.
    void setSeriesVisible(int id, bool visible);
    // Moving a series to the digital axis gives it the next band; moving it away releases it.
    void setSeriesAxis(int id, Axis axis);
    bool hasSeries(int id) const;
    const recording::SeriesPoints* seriesPoints(int id) const;
    bool seriesVisible(int id) const;
    QColor seriesColour(int id) const;
    Axis seriesAxis(int id) const;
    // The band of a series on the digital axis, in digital-axis coordinates.
    std::optional<recording::DigitalBands::Band> digitalBand(int id) const;

    // Axes. setXRange/setYRange fix a range (max > min); the auto setters resume ranging.
    void setTitle(const QString& title);
    // The bottom axis' caption ("时间轴（ms）" unless set).
    void setXAxisLabel(const QString& label);
    void setXRange(double min, double max);
    void setXAutoRange();
    bool xAutoRange() const { return m_xAuto; }
    void setYRange(double min, double max);
    void setYAutoRange();
    bool yAutoRange() const { return m_yAuto; }
    // The bottom axis (x) and the left axis (y) as now shown.
    recording::AxisRange range() const;

    // Cursors.
    void setCursorsEnabled(bool enabled);
    bool cursorsEnabled() const { return m_cursorsEnabled; }
    void setCursorPosition(Cursor cursor, double x);
    double cursorPosition(Cursor cursor) const;
    void setCursorsLocked(bool locked);
    bool cursorsLocked() const { return m_cursorsLocked; }
    // The horizontal pixel of x in plot() coordinates (for tests and overlays).
    int pixelOfX(double x) const;

    // The drawing area as a PNG file, written in full or not at all; false on failure.
    bool savePng(const QString& path) const;

    void replot();
    QCustomPlot* plot() const { return m_plot; }

Q_SIGNALS:
    void cursorMoved(hesk::app::ChartView::Cursor cursor, double x);

private:
    struct Series {
        QCPGraph* graph = nullptr;
        recording::SeriesPoints points;
        Axis axis = Axis::Analog;
        bool visible = true;
        QString name;
    };

    void requestReplot();
    void replotCursors();
    void applyPoints(Series& series, int id);
    void refreshDigitalAxis();
    void rescaleX();
    void rescaleY();
    void placeCursor(Cursor cursor, double x);
    void onMousePress(QMouseEvent* event);
    void onMouseMove(QMouseEvent* event);
    void onMouseRelease(QMouseEvent* event);

    QCustomPlot* m_plot = nullptr;
    QCPLayer* m_cursorLayer = nullptr;
    QCPTextElement* m_title = nullptr;
    std::map<int, Series> m_series;
    int m_nextId = 1;
    recording::DigitalBands m_bands;
    bool m_xAuto = true;
    bool m_yAuto = true;
    bool m_replotPending = false;

    struct CursorItems {
        QCPItemStraightLine* line = nullptr;
        QCPItemText* label = nullptr;
        double x = 0.0;
    };
    CursorItems m_cursors[2];
    bool m_cursorsEnabled = false;
    bool m_cursorsLocked = false;
    std::optional<Cursor> m_dragging;
    bool m_dragWasPanning = false;
};

}  // namespace hesk::app
