#include "WaveformPanel.h"

#include "AxisRangeDialog.h"
#include "ChartView.h"

#include "recording/AxisRangeInput.h"
#include "recording/CursorReadout.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace hesk::app {

namespace {

QColor defaultColour(int channel)
{
    static const QColor colours[] = {QColor(220, 0, 0), QColor(0, 70, 220), QColor(0, 140, 0), QColor(200, 0, 200),
                                     QColor(230, 130, 0), QColor(0, 160, 170), QColor(120, 80, 0), QColor(90, 90, 90)};
    return colours[(channel - 1) % std::size(colours)];
}

void paintSwatch(QToolButton* swatch, const QColor& colour)
{
    swatch->setStyleSheet(QStringLiteral("QToolButton { background-color: %1; border: 1px solid #606060; }")
                              .arg(colour.name()));
}

QLabel* readoutLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setMinimumWidth(80);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    label->setFrameShape(QFrame::StyledPanel);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

WaveformPanel::WaveformPanel(int channelCount, const QStringList& yRangeItems, const QString& initialYRange,
                             model::UserPrompt& prompt, QWidget* parent)
    : QWidget(parent)
    , m_prompt(prompt)
{
    m_chart = new ChartView(this);
    m_chart->setObjectName(QStringLiteral("chartView"));

    auto* channelGrid = new QGridLayout;
    m_channels.resize(static_cast<size_t>(std::max(channelCount, 0)));
    for (int number = 1; number <= channelCount; ++number) {
        Channel& channel = m_channels[static_cast<size_t>(number - 1)];
        channel.colour = defaultColour(number);
        channel.seriesId = m_chart->addSeries(QString(), channel.colour);

        channel.show = new QCheckBox(tr("显示"), this);
        channel.show->setObjectName(QStringLiteral("showCheck%1").arg(number));
        channel.show->setChecked(true);
        connect(channel.show, &QCheckBox::toggled, this, [this, number](bool on) { setChannelVisible(number, on); });

        channel.swatch = new QToolButton(this);
        channel.swatch->setObjectName(QStringLiteral("colourSwatch%1").arg(number));
        channel.swatch->setFixedSize(28, 18);
        paintSwatch(channel.swatch, channel.colour);
        connect(channel.swatch, &QToolButton::clicked, this, [this, number] { chooseColour(number); });

        channel.bitCombo = new QComboBox(this);
        channel.bitCombo->setObjectName(QStringLiteral("bitCombo%1").arg(number));
        channel.bitCombo->addItem(tr("无"), -1);
        for (int bit = 0; bit < 16; ++bit)
            channel.bitCombo->addItem(QString::number(bit), bit);
        connect(channel.bitCombo, &QComboBox::activated, this, [this, number](int index) {
            const int bit = channelAt(number)->bitCombo->itemData(index).toInt();
            setChannelBit(number, bit < 0 ? std::nullopt : std::optional<int>(bit));
        });

        channel.label = new QLabel(this);
        channel.label->setObjectName(QStringLiteral("channelLabel%1").arg(number));

        const int row = number - 1;
        channelGrid->addWidget(channel.show, row, 0);
        channelGrid->addWidget(channel.swatch, row, 1);
        channelGrid->addWidget(new QLabel(tr("bit位"), this), row, 2);
        channelGrid->addWidget(channel.bitCombo, row, 3);
        channelGrid->addWidget(channel.label, row, 4);
        updateLabel(number);
    }
    channelGrid->setColumnStretch(4, 1);

    m_yRange = new QComboBox(this);
    m_yRange->setObjectName(QStringLiteral("yRangeCombo"));
    m_yRange->addItems(yRangeItems);
    m_yRange->setCurrentIndex(std::max<qsizetype>(0, yRangeItems.indexOf(initialYRange)));
    // A choice applies even when it is the item shown (after 坐标范围 overrode it); a change
    // made by the program applies too.
    connect(m_yRange, &QComboBox::activated, this, [this] { applyYRange(); });
    connect(m_yRange, &QComboBox::currentIndexChanged, this, [this] { applyYRange(); });

    m_x1 = readoutLabel(this, "x1Text");
    m_x2 = readoutLabel(this, "x2Text");
    m_dx = readoutLabel(this, "dxText");
    m_dxUnit = readoutLabel(this, "dxUnitText");
    m_y1 = readoutLabel(this, "y1Text");
    m_y2 = readoutLabel(this, "y2Text");
    m_dy = readoutLabel(this, "dyText");
    auto* readout = new QGridLayout;
    readout->addWidget(new QLabel(QStringLiteral("X1"), this), 0, 0);
    readout->addWidget(m_x1, 0, 1);
    readout->addWidget(new QLabel(QStringLiteral("X2"), this), 0, 2);
    readout->addWidget(m_x2, 0, 3);
    readout->addWidget(new QLabel(QStringLiteral("X2-X1"), this), 0, 4);
    readout->addWidget(m_dx, 0, 5);
    readout->addWidget(m_dxUnit, 0, 6);
    readout->addWidget(new QLabel(QStringLiteral("Y1"), this), 1, 0);
    readout->addWidget(m_y1, 1, 1);
    readout->addWidget(new QLabel(QStringLiteral("Y2"), this), 1, 2);
    readout->addWidget(m_y2, 1, 3);
    readout->addWidget(new QLabel(QStringLiteral("Y2-Y1"), this), 1, 4);
    readout->addWidget(m_dy, 1, 5);

    m_cursorButton = new QPushButton(tr("XY游标"), this);
    m_cursorButton->setObjectName(QStringLiteral("cursorButton"));
    m_cursorButton->setCheckable(true);
    connect(m_cursorButton, &QPushButton::toggled, this, [this](bool on) {
        m_chart->setCursorsEnabled(on);
        updateReadout();
    });
    m_lockButton = new QPushButton(tr("游标锁定"), this);
    m_lockButton->setObjectName(QStringLiteral("lockButton"));
    connect(m_lockButton, &QPushButton::clicked, this, [this] {
        const bool lock = !m_chart->cursorsLocked();
        m_chart->setCursorsLocked(lock);
        m_lockButton->setText(lock ? tr("解除锁定") : tr("游标锁定"));
    });
    m_axisButton = new QPushButton(tr("坐标范围"), this);
    m_axisButton->setObjectName(QStringLiteral("axisRangeButton"));
    connect(m_axisButton, &QPushButton::clicked, this, &WaveformPanel::editAxisRange);

    auto* yRangeBox = new QHBoxLayout;
    yRangeBox->addWidget(new QLabel(tr("Y轴范围"), this));
    yRangeBox->addWidget(m_yRange);
    auto* buttons = new QVBoxLayout;
    buttons->addLayout(yRangeBox);
    buttons->addWidget(m_cursorButton);
    buttons->addWidget(m_lockButton);
    buttons->addWidget(m_axisButton);
    buttons->addStretch(1);

    auto* controls = new QHBoxLayout;
    controls->addLayout(channelGrid, 2);
    controls->addLayout(readout, 2);
    controls->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_chart, 1);
    layout->addLayout(controls);

    connect(m_chart, &ChartView::cursorMoved, this, [this] { updateReadout(); });
    applyYRange();
    updateReadout();
}

WaveformPanel::Channel* WaveformPanel::channelAt(int channel)
{
    if (channel < 1 || channel > channelCount())
        return nullptr;
    return &m_channels[static_cast<size_t>(channel - 1)];
}

const WaveformPanel::Channel* WaveformPanel::channelAt(int channel) const
{
    return const_cast<WaveformPanel*>(this)->channelAt(channel);
}

void WaveformPanel::setChannels(const std::vector<recording::WaveformChannel>& channels, double sampleIntervalMs)
{
    m_intervalMs = sampleIntervalMs;
    m_hasData = true;
    // New data is drawn over its whole time span, whatever range was set before.
    m_chart->setXAutoRange();
    for (int number = 1; number <= channelCount(); ++number) {
        Channel& channel = *channelAt(number);
        const auto index = static_cast<size_t>(number - 1);
        channel.data = index < channels.size() ? channels[index] : recording::WaveformChannel{};
        rebuildSeries(number);
        updateLabel(number);
    }
    updateReadout();
}

void WaveformPanel::rebuildSeries(int number)
{
    Channel& channel = *channelAt(number);
    channel.points = recording::channelSeries(channel.data, m_intervalMs, channel.bit);
    m_chart->setSeriesAxis(channel.seriesId, channel.bit ? ChartView::Axis::Digital : ChartView::Axis::Analog);
    const QString caption = channel.label->text();
    m_chart->setSeriesName(channel.seriesId,
                           channel.bit ? QStringLiteral("%1[%2]").arg(caption).arg(*channel.bit) : caption);
    m_chart->setSeriesPoints(channel.seriesId, channel.points);
}

void WaveformPanel::updateLabel(int number)
{
    Channel& channel = *channelAt(number);
    QString caption = channel.data.label;
    if (caption.isEmpty())
        caption = channel.data.words.empty() ? tr("通道%1无数据信号").arg(number)
                                             : tr("通道%1").arg(number);
    channel.label->setText(caption);
    m_chart->setSeriesName(channel.seriesId,
                           channel.bit ? QStringLiteral("%1[%2]").arg(caption).arg(*channel.bit) : caption);
}

void WaveformPanel::setChannelVisible(int number, bool visible)
{
    Channel* channel = channelAt(number);
    if (!channel || channel->visible == visible)
        return;
    channel->visible = visible;
    {
        const QSignalBlocker quiet(channel->show);
        channel->show->setChecked(visible);
    }
    m_chart->setSeriesVisible(channel->seriesId, visible);
    updateReadout();
    Q_EMIT channelDisplayChanged(number);
}

bool WaveformPanel::channelVisible(int number) const
{
    const Channel* channel = channelAt(number);
    return channel && channel->visible;
}

void WaveformPanel::setChannelColour(int number, const QColor& colour)
{
    Channel* channel = channelAt(number);
    if (!channel || !colour.isValid() || channel->colour == colour)
        return;
    channel->colour = colour;
    paintSwatch(channel->swatch, colour);
    m_chart->setSeriesColour(channel->seriesId, colour);
    Q_EMIT channelDisplayChanged(number);
}

QColor WaveformPanel::channelColour(int number) const
{
    const Channel* channel = channelAt(number);
    return channel ? channel->colour : QColor();
}

void WaveformPanel::setChannelBit(int number, std::optional<int> bit)
{
    Channel* channel = channelAt(number);
    if (!channel)
        return;
    if (bit && (*bit < 0 || *bit > 15))
        bit.reset();
    {
        const QSignalBlocker quiet(channel->bitCombo);
        channel->bitCombo->setCurrentIndex(channel->bitCombo->findData(bit.value_or(-1)));
    }
    if (channel->bit == bit)
        return;
    channel->bit = bit;
    rebuildSeries(number);
    updateReadout();
    Q_EMIT channelDisplayChanged(number);
}

std::optional<int> WaveformPanel::channelBit(int number) const
{
    const Channel* channel = channelAt(number);
    return channel ? channel->bit : std::nullopt;
}

int WaveformPanel::seriesId(int number) const
{
    const Channel* channel = channelAt(number);
    return channel ? channel->seriesId : 0;
}

void WaveformPanel::applyYRange()
{
    const std::optional<double> value = recording::axisNumber(m_yRange->currentText());
    if (!value || *value <= 0.0)
        return;
    m_chart->setYRange(-*value, *value);
}

void WaveformPanel::chooseColour(int number)
{
    Channel* channel = channelAt(number);
    if (!channel)
        return;
    QColorDialog dialog(channel->colour, this);
    if (dialog.exec() == QDialog::Accepted)
        setChannelColour(number, dialog.selectedColor());
}

void WaveformPanel::editAxisRange()
{
    AxisRangeDialog dialog(m_chart->range(), m_prompt, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const recording::AxisRange range = dialog.range();
    m_chart->setXRange(range.xMin, range.xMax);
    m_chart->setYRange(range.yMin, range.yMax);
}

void WaveformPanel::updateReadout()
{
    recording::CursorReadoutTexts texts;
    if (m_chart->cursorsEnabled()) {
        const recording::SeriesPoints* source = nullptr;
        for (const Channel& channel : m_channels) {
            if (channel.visible && !channel.points.empty()) {
                source = &channel.points;
                break;
            }
        }
        texts = recording::cursorReadout(m_chart->cursorPosition(ChartView::Cursor::X1),
                                         m_chart->cursorPosition(ChartView::Cursor::X2), source);
    }
    m_x1->setText(texts.x1);
    m_x2->setText(texts.x2);
    m_dx->setText(texts.dx);
    m_dxUnit->setText(texts.dxUnit);
    m_y1->setText(texts.y1);
    m_y2->setText(texts.y2);
    m_dy->setText(texts.dy);
}

}  // namespace hesk::app
