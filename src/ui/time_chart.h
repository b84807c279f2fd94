// The chart of values over the game's days: lines of values or of per cent changes on the game's
// calendar, buy, sell and win marks, a crosshair by mouse and keyboard, zoom and ranges.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QPointer>
#include <QRegion>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QFontMetricsF;
class QPalette;
class QToolButton;

namespace ui {

// An unbroken stretch of the history: x runs from firstX to lastX (the ledger's day numbers) and
// x = firstX + k is the calendar day firstDay + k (game::dayNumber). Between two stretches the
// history was interrupted: every line breaks there, and the next stretch's dates may even go back.
struct ChartStretch {
    std::int64_t firstX = 0;
    std::int64_t lastX = 0;
    std::int64_t firstDay = 0;
};

enum class ChartMark { Buy, Sell, Win };

struct ChartMarker {
    std::int64_t x = 0;
    ChartMark kind = ChartMark::Buy;
    QString text; // what the crosshair says of it (the trade, the win); empty: the kind's name
};

struct ChartSeries {
    QString name;
    std::int64_t firstX = 0;    // the x of values[0]
    std::vector<double> values; // NaN or an infinity: no value that day, and the line breaks
    // Index into the chart's eight colours (and its shapes: a ninth series shares the first's
    // colour, not its shape); -1: its place in the list. Give a company the same index in
    // every chart.
    int colour = -1;
    std::vector<ChartMarker> markers;
};

struct ChartData {
    std::vector<ChartStretch> stretches;
    std::vector<ChartSeries> series;
};

enum class ChartRange { Days30, Year, All };

enum class ChartMode {
    Values,        // the values as they are (net worth, a price)
    PercentChange, // each series as its change from its first value shown
};

// What the chart draws with under a palette: the palette's own roles where they stand out from
// its base, and a fixed set for series and marks, each made to reach 3:1 against the base.
struct ChartColours {
    QColor base;      // the chart's background
    QColor text;      // every text, at least 4.5:1 against the base
    QColor grid;      // gridlines and the axis line
    QColor crosshair; // the palette's highlight, or the text where the highlight does not show
    std::array<QColor, 8> series;
    QColor buy;
    QColor sell;
    QColor win;
};
ChartColours chartColours(const QPalette& palette);

// The chart's number texts, the same in both languages: thousands grouped with a narrow no-break
// space, a decimal comma, a true minus sign, no currency; from 1E+15 on the game's exponent form.
QString chartNumber(double value, int decimals);
// A change in per cent, always signed unless it rounds to zero: "+12,5%", "−3%".
QString chartPercent(double value, int decimals);

// A value axis over [low, high]: 4 to 7 round ticks (1, 2, 2,5 or 5 times a power of ten) from
// `bottom` to `top`, which hold the data and need not start at zero.
struct ValueAxis {
    double bottom = 0;
    double top = 1;
    double step = 0.25;
    int decimals = 2; // what the tick texts need
    std::vector<double> ticks;
};
ValueAxis valueAxis(double low, double high);

// A tick of the time axis and its text; an empty text marks a tick whose words did not fit.
struct TimeTick {
    std::int64_t x = 0;
    QString label;
};
// Ticks on the game's calendar for the days `first`..`last` shown across `width` pixels: days,
// months, quarters, years or decades, whichever the width holds. The first labelled tick of each
// stretch names its month and year ("Gen 2002"), a January its year ("2003"), others their month
// ("Apr") or day. Stretches come in order of x.
std::vector<TimeTick> timeTicks(const std::vector<ChartStretch>& stretches, std::int64_t first,
                                std::int64_t last, double width, const QFontMetricsF& metrics);

// A point of a line: `at` counts days from the left edge of the first day shown (a day's point
// lies in the middle of its slot), `value` is what is drawn.
struct LinePoint {
    double at = 0;
    double value = 0;
};
// The pieces of one line over the days `first`..`last`, each drawn unbroken: a missing value or a
// gap between stretches ends a piece. When there are more days than `columns`, each column keeps
// only its first, lowest, highest and last value, which draws the same picture. With `percentOf`,
// values become their per cent change from it. Only finite values come out.
std::vector<std::vector<LinePoint>> linePieces(const ChartSeries& series,
                                               const std::vector<ChartStretch>& stretches,
                                               std::int64_t first, std::int64_t last, int columns,
                                               std::optional<double> percentOf = std::nullopt);

// The mouse: the crosshair follows it, the wheel zooms around it (sideways or with Shift it
// moves the days), a drag over a span zooms to it, a double-click goes back to the range. The
// keys, with the focus: Left and Right a day, Home and End the first and last day shown, + and -
// zoom around the crosshair, Esc leaves a zoom (and is otherwise left to the window).
class TimeChart final : public QWidget {
    Q_OBJECT
public:
    explicit TimeChart(QWidget* parent = nullptr);

    // New data keeps the range chosen (30 days and a year follow the newest day) and a zoom, as
    // far as the new days hold it.
    void setData(ChartData data);
    const ChartData& data() const { return m_data; }
    void setMode(ChartMode mode);
    ChartMode mode() const { return m_mode; }

    // Shows the range and leaves any zoom.
    void setRange(ChartRange range);
    ChartRange range() const { return m_range; }
    // Zooms to the days first..last (kept inside the data, at least a few days).
    void zoomTo(std::int64_t first, std::int64_t last);
    bool zoomed() const { return m_zoom.has_value(); }
    // The first and last x shown; nothing without data.
    std::optional<std::pair<std::int64_t, std::int64_t>> shown() const;

    // The day under the crosshair, as the mouse or the keys put it.
    std::optional<std::int64_t> crosshair() const { return m_cursor; }
    void setCrosshair(std::optional<std::int64_t> x);
    // What the crosshair shows, one line each: the date, each series' value, each mark's text.
    QStringList crosshairLines() const;
    // What the chart shows in words: the days, and per series its first and last value, highest
    // and lowest, the marks and the interruptions. A screen reader hears it as the chart's
    // description (unless one is set), and the day under the crosshair as its value.
    QString summary() const;

    QSize sizeHint() const override { return {560, 300}; }
    QSize minimumSizeHint() const override { return {240, 150}; }

signals:
    // The days shown changed: a range, a zoom, new data.
    void shownChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct Layout;

    std::pair<std::int64_t, std::int64_t> domain() const;
    std::pair<std::int64_t, std::int64_t> rangeDays(ChartRange range) const;
    void showDays(std::optional<std::pair<std::int64_t, std::int64_t>> zoom);
    void dataChanged();
    void tellDescriptionChanged();
    const Layout& layout() const;
    void drawStatic(QPainter& painter, const Layout& at) const;
    void drawOverlay(QPainter& painter, const Layout& at) const;
    QRegion overlayRegion() const;
    void moveCursor(std::optional<std::int64_t> x, bool byKeys);
    std::optional<std::int64_t> dayAt(double px) const;
    std::optional<std::int64_t> stepDay(std::int64_t x, int direction) const;
    void zoomAround(std::int64_t anchor, double factor);
    void pan(std::int64_t days);

    ChartData m_data;
    ChartMode m_mode = ChartMode::Values;
    ChartRange m_range = ChartRange::All;
    std::optional<std::pair<std::int64_t, std::int64_t>> m_zoom;
    std::optional<std::int64_t> m_cursor;
    bool m_cursorByKeys = false;
    std::optional<double> m_pressAt; // where a press began, for a drag
    std::optional<std::int64_t> m_dragFrom;
    std::optional<std::int64_t> m_dragTo;
    // The layout of the days shown and the picture of everything but the crosshair, kept until
    // the data, the days, the size or the look change.
    mutable std::shared_ptr<const Layout> m_layout;
    mutable QPixmap m_picture;
    QRegion m_overlayDrawn;
};

// The range buttons of a chart ("30 giorni", "1 anno", "Tutto"), to be placed where the window
// wants them: the chosen range is checked while the chart is not zoomed.
class TimeChartRanges final : public QWidget {
    Q_OBJECT
public:
    explicit TimeChartRanges(TimeChart* chart, QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void follow();

    QPointer<TimeChart> m_chart;
    std::array<QToolButton*, 3> m_buttons{};
};

} // namespace ui
