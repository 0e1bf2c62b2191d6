// The chart view: series and their automatic range, the two cursors under the mouse and
// their listener, locking, PNG export, and bit traces on the digital axis in bands of
// their own.
#include "charts/ChartView.h"
#include "charts/PlotLibrary.h"

#include <QApplication>
#include <QImage>
#include <QWheelEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace hesk::app::test {
namespace {

using recording::SeriesPoints;

SeriesPoints ramp(double from, double to, int count)
{
    SeriesPoints points;
    for (int i = 0; i < count; ++i) {
        points.x.append(from + (to - from) * i / (count - 1));
        points.y.append(i % 7 - 3.0);
    }
    return points;
}

class ChartViewTest : public ::testing::Test {
protected:
    ChartViewTest()
    {
        view.resize(800, 500);
        view.show();
        analog = view.addSeries(QStringLiteral("CH1"), Qt::red);
        view.setSeriesPoints(analog, ramp(-100.0, 300.0, 401));
        view.replot();
    }

    // A left-button drag on the plot from one x pixel to another, at mid height.
    void drag(int fromX, int toX)
    {
        QWidget* plot = view.plot();
        const int y = view.plot()->axisRect()->center().y();
        QTest::mousePress(plot, Qt::LeftButton, Qt::NoModifier, QPoint(fromX, y));
        QTest::mouseMove(plot, QPoint((fromX + toX) / 2, y));
        QTest::mouseMove(plot, QPoint(toX, y));
        QTest::mouseRelease(plot, Qt::LeftButton, Qt::NoModifier, QPoint(toX, y));
    }

    ChartView view;
    int analog = 0;
};

TEST_F(ChartViewTest, bottomAxisSpansEverySeriesHiddenOnesIncludedUntilFixed)
{
    EXPECT_EQ(view.range().xMin, -100.0);
    EXPECT_EQ(view.range().xMax, 300.0);
    EXPECT_EQ(view.plot()->graph(0)->dataCount(), 401);

    const int hidden = view.addSeries(QStringLiteral("CH2"), Qt::blue);
    view.setSeriesVisible(hidden, false);
    view.setSeriesPoints(hidden, ramp(-250.0, 50.0, 10));
    EXPECT_EQ(view.range().xMin, -250.0);
    EXPECT_EQ(view.range().xMax, 300.0);
    EXPECT_FALSE(view.seriesVisible(hidden));

    view.setXRange(0.0, 10.0);
    view.setSeriesPoints(hidden, ramp(-500.0, 50.0, 10));
    EXPECT_EQ(view.range().xMin, 0.0);
    EXPECT_EQ(view.range().xMax, 10.0);
    view.setXAutoRange();
    EXPECT_EQ(view.range().xMin, -500.0);

    view.removeSeries(hidden);
    EXPECT_FALSE(view.hasSeries(hidden));
    EXPECT_EQ(view.range().xMin, -100.0);
    EXPECT_EQ(view.plot()->graphCount(), 1);
}

TEST_F(ChartViewTest, leftAxisFollowsTheValuesUntilFixed)
{
    const auto automatic = view.range();
    EXPECT_LT(automatic.yMin, -3.0);
    EXPECT_GT(automatic.yMax, 3.0);
    view.setYRange(-10.0, 10.0);
    view.setSeriesPoints(analog, SeriesPoints{{0.0, 1.0}, {500.0, -500.0}});
    EXPECT_EQ(view.range().yMin, -10.0);
    EXPECT_EQ(view.range().yMax, 10.0);
    view.setYAutoRange();
    EXPECT_LT(view.range().yMin, -500.0);
    EXPECT_GT(view.range().yMax, 500.0);
}

TEST_F(ChartViewTest, draggingACursorMovesItAndTellsTheListenerWithoutPanning)
{
    QSignalSpy moved(&view, &ChartView::cursorMoved);
    view.setCursorsEnabled(true);
    ASSERT_EQ(moved.count(), 2);  // both placed inside the bottom axis
    EXPECT_DOUBLE_EQ(view.cursorPosition(ChartView::Cursor::X1), 0.0);
    EXPECT_DOUBLE_EQ(view.cursorPosition(ChartView::Cursor::X2), 200.0);
    view.replot();
    moved.clear();

    const int from = view.pixelOfX(0.0);
    const int to = view.pixelOfX(100.0);
    drag(from + 3, to + 3);

    ASSERT_GE(moved.count(), 1);
    const QList<QVariant> last = moved.takeLast();
    EXPECT_EQ(last.at(0).value<ChartView::Cursor>(), ChartView::Cursor::X1);
    EXPECT_NEAR(last.at(1).toDouble(), 100.0, 2.0);
    EXPECT_EQ(view.cursorPosition(ChartView::Cursor::X1), last.at(1).toDouble());
    EXPECT_DOUBLE_EQ(view.cursorPosition(ChartView::Cursor::X2), 200.0);
    EXPECT_EQ(view.range().xMin, -100.0);  // the drag did not pan
    EXPECT_EQ(view.range().xMax, 300.0);

    // Set from code: the listener hears it too.
    moved.clear();
    view.setCursorPosition(ChartView::Cursor::X2, 42.5);
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.at(0).at(1).toDouble(), 42.5);
}

TEST_F(ChartViewTest, aCursorCannotBeDraggedOutOfSight)
{
    view.setCursorsEnabled(true);
    view.replot();
    drag(view.pixelOfX(200.0), view.width() + 200);
    EXPECT_DOUBLE_EQ(view.cursorPosition(ChartView::Cursor::X2), 300.0);
}

TEST_F(ChartViewTest, lockedCursorIgnoresTheMouseAndTheDragPansInstead)
{
    view.setCursorsEnabled(true);
    view.setCursorsLocked(true);
    view.replot();
    QSignalSpy moved(&view, &ChartView::cursorMoved);

    drag(view.pixelOfX(0.0), view.pixelOfX(100.0));

    EXPECT_EQ(moved.count(), 0);
    EXPECT_DOUBLE_EQ(view.cursorPosition(ChartView::Cursor::X1), 0.0);
    EXPECT_NEAR(view.range().xMin, -200.0, 2.0);  // the content followed the mouse

    view.setCursorsLocked(false);
    view.replot();
    drag(view.pixelOfX(0.0), view.pixelOfX(50.0));
    EXPECT_NEAR(view.cursorPosition(ChartView::Cursor::X1), 50.0, 2.0);
}

TEST_F(ChartViewTest, withCursorsOffADragNearWhereTheyWerePans)
{
    QSignalSpy moved(&view, &ChartView::cursorMoved);
    drag(view.pixelOfX(0.0), view.pixelOfX(100.0));
    EXPECT_EQ(moved.count(), 0);
    EXPECT_NEAR(view.range().xMin, -200.0, 2.0);
}

TEST_F(ChartViewTest, wheelZoomsTheTimeAxisAroundTheMouse)
{
    const QPoint at(view.pixelOfX(100.0), view.plot()->axisRect()->center().y());
    QWheelEvent wheel(at, view.plot()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.plot(), &wheel);
    const auto zoomed = view.range();
    EXPECT_LT(zoomed.xMax - zoomed.xMin, 400.0);
    EXPECT_GT(zoomed.xMin, -100.0);
    EXPECT_LT(zoomed.xMax, 300.0);
    EXPECT_LT(zoomed.xMin, 100.0);
    EXPECT_GT(zoomed.xMax, 100.0);
}

TEST_F(ChartViewTest, pngOfTheDrawingAreaIsWrittenOrRefused)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("chart.png"));
    ASSERT_TRUE(view.savePng(path));
    const QImage image(path);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), view.plot()->size());

    EXPECT_FALSE(view.savePng(folder.filePath(QStringLiteral("missing/chart.png"))));
}

TEST_F(ChartViewTest, bitTracesGetSeparateBandsThatStayWhenOneIsHidden)
{
    SeriesPoints bits{{0.0, 10.0, 20.0}, {0.0, 1.0, 0.0}};
    int traces[3];
    for (int i = 0; i < 3; ++i) {
        traces[i] = view.addSeries(QStringLiteral("B%1").arg(i), Qt::black, ChartView::Axis::Digital);
        view.setSeriesPoints(traces[i], bits);
    }
    auto drawnLevels = [&](int graph) {
        QList<double> levels;
        for (auto it = view.plot()->graph(graph)->data()->constBegin(); it != view.plot()->graph(graph)->data()->constEnd(); ++it)
            levels.append(it->value);
        return levels;
    };
    for (int i = 0; i < 3; ++i) {
        const auto band = view.digitalBand(traces[i]);
        ASSERT_TRUE(band);
        EXPECT_EQ(view.plot()->graph(i + 1)->valueAxis(), view.plot()->yAxis2);
        EXPECT_EQ(drawnLevels(i + 1), (QList<double>{band->low, band->high, band->low}));
        if (i > 0) {  // stacked downwards, one band each, no overlap
            EXPECT_DOUBLE_EQ(band->top, view.digitalBand(traces[i - 1])->bottom);
        }
    }
    EXPECT_TRUE(view.plot()->yAxis2->visible());
    // The analog series is not on the digital axis.
    EXPECT_FALSE(view.digitalBand(analog));

    const QList<double> lastBefore = drawnLevels(3);
    view.setSeriesVisible(traces[1], false);
    EXPECT_EQ(drawnLevels(3), lastBefore);
    EXPECT_TRUE(view.digitalBand(traces[1]));

    // Back to the analog axis: the band is released and the rest close up.
    view.setSeriesAxis(traces[1], ChartView::Axis::Analog);
    EXPECT_FALSE(view.digitalBand(traces[1]));
    EXPECT_EQ(view.plot()->graph(2)->valueAxis(), view.plot()->yAxis);
    EXPECT_EQ(drawnLevels(2), bits.y);
    EXPECT_DOUBLE_EQ(view.digitalBand(traces[0])->bottom, view.digitalBand(traces[2])->top);
    EXPECT_NE(drawnLevels(3), lastBefore);
}

}  // namespace
}  // namespace hesk::app::test
