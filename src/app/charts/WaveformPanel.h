#pragma once
// The display around a ChartView that the recorder and fault-waveform views share: per
// channel a "显示" check box, a colour swatch (a click opens the colour dialog), a "bit位"
// combo and the channel's label; the Y-range combo; the cursor readout; and three buttons
// the caller may place in its own layout ("XY游标", "游标锁定"/"解除锁定", "坐标范围").
//
// Data. setChannels() takes the channels' words and trigger positions and the sample
// interval; each channel becomes one series (recording::channelSeries): times around the
// trigger, analog values in percent, or in bit mode the chosen bit on the digital axis.
// New data rescales the bottom axis over all channels. A channel without samples is
// listed but draws nothing; its label, when the caller gives none, is "通道%d无数据信号".
//
// Y range. Choosing an item v of the Y-range combo shows -v .. +v percent on the left
// axis (fixed); the initial item applies at construction. "坐标范围" sets both axes from
// the axis-range dialog instead, until the next choice in the combo.
//
// Readout. While the cursors are on, the X1, X2 and X2-X1 texts follow them and the Y
// texts are read from the first shown channel that has samples (in its own unit: percent,
// or 0/1 in bit mode); with the cursors off the readout is empty.
//
// Threads: the UI thread only.

#include "model/UserPrompt.h"
#include "recording/ChannelSeries.h"

#include <QColor>
#include <QWidget>

#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace hesk::app {

class ChartView;

class WaveformPanel : public QWidget {
    Q_OBJECT
public:
    // channelCount rows (numbered 1..channelCount); yRangeItems are the Y-range combo's
    // texts (numbers), initialYRange the one selected first. The prompt shows the axis
    // dialog's refusals.
    WaveformPanel(int channelCount, const QStringList& yRangeItems, const QString& initialYRange,
                  model::UserPrompt& prompt, QWidget* parent = nullptr);

    // Replaces the data; channels beyond channelCount are ignored, missing ones are empty.
    void setChannels(const std::vector<recording::WaveformChannel>& channels, double sampleIntervalMs);
    bool hasData() const { return m_hasData; }
    double sampleIntervalMs() const { return m_intervalMs; }

    int channelCount() const { return static_cast<int>(m_channels.size()); }
    // Channel numbers are 1-based; an unknown number is ignored.
    void setChannelVisible(int channel, bool visible);
    bool channelVisible(int channel) const;
    void setChannelColour(int channel, const QColor& colour);
    QColor channelColour(int channel) const;
    // Nothing: analog; 0..15: that bit on the digital axis.
    void setChannelBit(int channel, std::optional<int> bit);
    std::optional<int> channelBit(int channel) const;
    // The series id of the channel in chart().
    int seriesId(int channel) const;

    ChartView* chart() const { return m_chart; }
    QComboBox* yRangeCombo() const { return m_yRange; }
    // Buttons for the caller's layout; the panel lays them out in its control row until
    // the caller adds them elsewhere.
    QPushButton* cursorButton() const { return m_cursorButton; }
    QPushButton* lockButton() const { return m_lockButton; }
    QPushButton* axisRangeButton() const { return m_axisButton; }

    // Opens the axis-range dialog and applies an accepted range to the chart.
    void editAxisRange();

Q_SIGNALS:
    // A channel's visibility, colour or bit changed (by the person or by a setter).
    void channelDisplayChanged(int channel);

private:
    struct Channel {
        recording::WaveformChannel data;
        recording::SeriesPoints points;
        QColor colour;
        std::optional<int> bit;
        bool visible = true;
        int seriesId = 0;
        QCheckBox* show = nullptr;
        QToolButton* swatch = nullptr;
        QComboBox* bitCombo = nullptr;
        QLabel* label = nullptr;
    };

    Channel* channelAt(int channel);
    const Channel* channelAt(int channel) const;
    void rebuildSeries(int channel);
    void updateLabel(int channel);
    void applyYRange();
    void chooseColour(int channel);
    void updateReadout();

    model::UserPrompt& m_prompt;
    ChartView* m_chart = nullptr;
    std::vector<Channel> m_channels;
    double m_intervalMs = 1.0;
    bool m_hasData = false;
    QComboBox* m_yRange = nullptr;
    QPushButton* m_cursorButton = nullptr;
    QPushButton* m_lockButton = nullptr;
    QPushButton* m_axisButton = nullptr;
    QLabel* m_x1 = nullptr;
    QLabel* m_x2 = nullptr;
    QLabel* m_dx = nullptr;
    QLabel* m_dxUnit = nullptr;
    QLabel* m_y1 = nullptr;
    QLabel* m_y2 = nullptr;
    QLabel* m_dy = nullptr;
};

}  // namespace hesk::app
