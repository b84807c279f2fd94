// The chart of values over the game's days: the calendar axis, round value ticks, lines reduced
// to pixel columns, marks, the crosshair and its box, zoom, ranges, and the words a screen reader
// hears of it.
#include "ui/time_chart.h"

#include "game/texts.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace ui {

namespace {

constexpr QChar kNarrowSpace(0x202F);
constexpr QChar kMinus(0x2212);
// Beyond this, x and day numbers would lose whole days in a double.
constexpr std::int64_t kFarthest = std::int64_t{1} << 52;
// A zoom shows at least this many days (fewer when the history is shorter).
constexpr std::int64_t kFewestDays = 5;

// ---- Colours ----

double luminance(const QColor& c)
{
    const auto linear = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// The colour moved toward `toward` just enough to reach the ratio against the base.
QColor readableOn(const QColor& colour, const QColor& base, const QColor& toward, double ratio)
{
    for (int step = 0; step <= 20; ++step) {
        const QColor c = mix(colour, toward, step / 20.0);
        if (contrastRatio(c, base) >= ratio) {
            return c;
        }
    }
    return toward;
}

// Series colours for a light and for a dark base, told apart by hue and by lightness.
constexpr std::array<QRgb, 8> kOnLight{0x1f5fbf, 0xb85600, 0x2e7d32, 0x7b3fa0,
                                       0xc62828, 0x00796b, 0xad1457, 0x6d4c41};
constexpr std::array<QRgb, 8> kOnDark{0x6ea8ff, 0xffa552, 0x6fcf73, 0xc89bf0,
                                      0xff7a7a, 0x4fd1c5, 0xf57bb0, 0xc8a48c};
constexpr std::array<QRgb, 3> kMarksOnLight{0x1b7f3a, 0xc62828, 0x9a6200};
constexpr std::array<QRgb, 3> kMarksOnDark{0x5fd38a, 0xff7b72, 0xf5c542};

// ---- Shapes: marks and the series' own shapes, so that colour is never the only cue ----

enum class Shape {
    Circle,
    Square,
    Diamond,
    Cross,
    Plus,
    Ring,
    HollowSquare,
    HollowDiamond,
    TriangleUp,
    TriangleDown,
    Star
};

Shape seriesShape(int index)
{
    return static_cast<Shape>((index + index / 8) % 8);
}

Shape markShape(ChartMark kind)
{
    switch (kind) {
    case ChartMark::Buy:
        return Shape::TriangleUp;
    case ChartMark::Sell:
        return Shape::TriangleDown;
    case ChartMark::Win:
        break;
    }
    return Shape::Star;
}

QPolygonF regular(QPointF centre, double radius, int corners, double turn, double inner = 0)
{
    QPolygonF polygon;
    const int points = inner > 0 ? corners * 2 : corners;
    for (int i = 0; i < points; ++i) {
        const double r = inner > 0 && i % 2 == 1 ? inner : radius;
        const double angle = turn + 2 * M_PI * i / points;
        polygon << centre + QPointF(r * std::sin(angle), -r * std::cos(angle));
    }
    return polygon;
}

// A shape of about `size` pixels across, filled with the colour and edged with the base so that
// it stands out from the line under it.
void drawShape(QPainter& painter, Shape shape, QPointF c, double size, const QColor& colour,
               const QColor& base)
{
    const double r = size / 2;
    painter.setBrush(colour);
    painter.setPen(QPen(base, 1));
    switch (shape) {
    case Shape::Circle:
        painter.drawEllipse(c, r, r);
        return;
    case Shape::Square:
        painter.drawRect(QRectF(c.x() - r * 0.85, c.y() - r * 0.85, r * 1.7, r * 1.7));
        return;
    case Shape::Diamond:
        painter.drawPolygon(regular(c, r * 1.15, 4, 0));
        return;
    case Shape::TriangleUp:
        painter.drawPolygon(regular(c + QPointF(0, r * 0.2), r * 1.25, 3, 0));
        return;
    case Shape::TriangleDown:
        painter.drawPolygon(regular(c - QPointF(0, r * 0.2), r * 1.25, 3, M_PI));
        return;
    case Shape::Star:
        painter.drawPolygon(regular(c, r * 1.45, 5, 0, r * 0.62));
        return;
    default:
        break;
    }
    // The open shapes: drawn with the colour alone, thick enough to read.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, std::max(1.5, size / 4), Qt::SolidLine, Qt::FlatCap));
    switch (shape) {
    case Shape::Cross:
        painter.drawLine(c + QPointF(-r, -r), c + QPointF(r, r));
        painter.drawLine(c + QPointF(-r, r), c + QPointF(r, -r));
        return;
    case Shape::Plus:
        painter.drawLine(c + QPointF(-r * 1.2, 0), c + QPointF(r * 1.2, 0));
        painter.drawLine(c + QPointF(0, -r * 1.2), c + QPointF(0, r * 1.2));
        return;
    case Shape::Ring:
        painter.drawEllipse(c, r * 0.8, r * 0.8);
        return;
    case Shape::HollowSquare:
        painter.drawRect(QRectF(c.x() - r * 0.75, c.y() - r * 0.75, r * 1.5, r * 1.5));
        return;
    default:
        painter.drawPolygon(regular(c, r * 1.05, 4, 0));
        return;
    }
}

// ---- Texts ----

QString markName(ChartMark kind)
{
    switch (kind) {
    case ChartMark::Buy:
        return QCoreApplication::translate("ui::TimeChart", "Acquisto");
    case ChartMark::Sell:
        return QCoreApplication::translate("ui::TimeChart", "Vendita");
    case ChartMark::Win:
        break;
    }
    return QCoreApplication::translate("ui::TimeChart", "Vittoria");
}

QString monthText(int month)
{
    return QString::fromLatin1(game::monthName(month).data(),
                               static_cast<qsizetype>(game::monthName(month).size()));
}

int daysInMonth(int month, int year)
{
    const game::Date next =
        month == 11 ? game::Date{1, 0, year + 1} : game::Date{1, month + 1, year};
    return static_cast<int>(game::dayNumber(next) - game::dayNumber(game::Date{1, month, year}));
}

// ---- Where the days are ----

// The stretch holding x, if any.
const ChartStretch* stretchOf(const std::vector<ChartStretch>& stretches, std::int64_t x)
{
    const auto it =
        std::lower_bound(stretches.begin(), stretches.end(), x,
                         [](const ChartStretch& s, std::int64_t v) { return s.lastX < v; });
    return it != stretches.end() && it->firstX <= x ? &*it : nullptr;
}

std::optional<game::Date> dateAt(const std::vector<ChartStretch>& stretches, std::int64_t x)
{
    const ChartStretch* s = stretchOf(stretches, x);
    return s != nullptr ? game::dateOfDay(s->firstDay + (x - s->firstX)) : std::nullopt;
}

QString dateTextAt(const std::vector<ChartStretch>& stretches, std::int64_t x)
{
    const auto date = dateAt(stretches, x);
    return date ? QString::fromLatin1(game::dateText(*date)) : QString();
}

// A value as the chart draws it: as it is, or as its per cent change from `percentOf`; one
// multiplication, as it is done for every day shown.
class Drawn {
public:
    explicit Drawn(std::optional<double> percentOf)
        : m_base(percentOf.value_or(0)), m_scale(percentOf ? 100.0 / std::abs(*percentOf) : 1.0)
    {
    }
    double operator()(double v) const { return (v - m_base) * m_scale; }

private:
    double m_base;
    double m_scale;
};

// Calls `visit(x, value, joined)` for every finite value of the series on the days
// first..last that lie in a stretch; `joined` tells whether the day before had one in the same
// stretch, so that a line may be drawn between them.
template <typename Visit>
void eachValue(const ChartSeries& series, const std::vector<ChartStretch>& stretches,
               std::int64_t first, std::int64_t last, std::optional<double> percentOf,
               Visit&& visit)
{
    if (series.values.empty() || last < first) {
        return;
    }
    const std::int64_t seriesLast =
        series.firstX + static_cast<std::int64_t>(series.values.size()) - 1;
    const Drawn drawn(percentOf);
    auto it = std::lower_bound(stretches.begin(), stretches.end(), first,
                               [](const ChartStretch& s, std::int64_t v) { return s.lastX < v; });
    for (; it != stretches.end() && it->firstX <= last; ++it) {
        const std::int64_t from = std::max({it->firstX, first, series.firstX});
        const std::int64_t to = std::min({it->lastX, last, seriesLast});
        bool joined = false;
        for (std::int64_t x = from; x <= to; ++x) {
            const double v = drawn(series.values[static_cast<std::size_t>(x - series.firstX)]);
            if (!std::isfinite(v)) {
                joined = false;
                continue;
            }
            visit(x, v, joined);
            joined = true;
        }
    }
}

// The first value shown, from which a per cent change is counted; nothing when it is missing
// or zero.
std::optional<double> firstShown(const ChartSeries& series,
                                 const std::vector<ChartStretch>& stretches, std::int64_t first,
                                 std::int64_t last)
{
    const std::int64_t seriesLast =
        series.firstX + static_cast<std::int64_t>(series.values.size()) - 1;
    auto it = std::lower_bound(stretches.begin(), stretches.end(), first,
                               [](const ChartStretch& s, std::int64_t v) { return s.lastX < v; });
    for (; it != stretches.end() && it->firstX <= last; ++it) {
        const std::int64_t to = std::min({it->lastX, last, seriesLast});
        for (std::int64_t x = std::max({it->firstX, first, series.firstX}); x <= to; ++x) {
            const double v = series.values[static_cast<std::size_t>(x - series.firstX)];
            if (std::isfinite(v)) {
                return v != 0 ? std::optional(v) : std::nullopt;
            }
        }
    }
    return std::nullopt;
}

std::optional<double> valueAt(const ChartSeries& series, const std::vector<ChartStretch>& stretches,
                              std::int64_t x, std::optional<double> percentOf)
{
    if (stretchOf(stretches, x) == nullptr || x < series.firstX ||
        x - series.firstX >= static_cast<std::int64_t>(series.values.size())) {
        return std::nullopt;
    }
    const double v = Drawn(percentOf)(series.values[static_cast<std::size_t>(x - series.firstX)]);
    return std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

// ---- The time axis ----

enum class Unit { Day, Month, Year };
struct Step {
    Unit unit;
    int count;
    double days; // the shortest distance between two of its ticks, about
};
constexpr std::array<Step, 21> kSteps{
    {{Unit::Day, 1, 1},          {Unit::Day, 2, 2},           {Unit::Day, 5, 5},
     {Unit::Day, 10, 9},         {Unit::Month, 1, 28},        {Unit::Month, 2, 59},
     {Unit::Month, 3, 89},       {Unit::Month, 6, 181},       {Unit::Year, 1, 365},
     {Unit::Year, 2, 730},       {Unit::Year, 5, 1826},       {Unit::Year, 10, 3652},
     {Unit::Year, 20, 7305},     {Unit::Year, 50, 18262},     {Unit::Year, 100, 36525},
     {Unit::Year, 200, 73050},   {Unit::Year, 500, 182625},   {Unit::Year, 1000, 365250},
     {Unit::Year, 2000, 730500}, {Unit::Year, 5000, 1826250}, {Unit::Year, 10000, 3652500}}};

struct CalendarTick {
    std::int64_t day;
    game::Date date;
};

// The ticks of one step between two calendar days, in order.
std::vector<CalendarTick> calendarTicks(const Step& step, std::int64_t from, std::int64_t to)
{
    std::vector<CalendarTick> ticks;
    const auto start = game::dateOfDay(from);
    if (!start) {
        return ticks;
    }
    const auto keep = [&](const game::Date& date) {
        const std::int64_t day = game::dayNumber(date);
        if (day >= from && day <= to) {
            ticks.push_back({day, date});
        }
        return day <= to;
    };
    int year = start->year;
    int month = start->month;
    switch (step.unit) {
    case Unit::Day:
        for (; year <= game::kLastYear; month = (month + 1) % 12, year += month == 0 ? 1 : 0) {
            const int length = daysInMonth(month, year);
            for (int day = 1; day <= length; day += step.count) {
                // A tick too close to the next month's first is left out.
                if (day != 1 && day + (step.count + 1) / 2 > length + 1) {
                    break;
                }
                if (!keep(game::Date{day, month, year})) {
                    return ticks;
                }
            }
        }
        return ticks;
    case Unit::Month:
        for (; year <= game::kLastYear; month = (month + 1) % 12, year += month == 0 ? 1 : 0) {
            if (month % step.count == 0 && !keep(game::Date{1, month, year})) {
                return ticks;
            }
        }
        return ticks;
    case Unit::Year:
        for (year = (year + step.count - 1) / step.count * step.count; year <= game::kLastYear;
             year += step.count) {
            if (!keep(game::Date{1, 0, year})) {
                return ticks;
            }
        }
        return ticks;
    }
    return ticks;
}

QString tickLabel(Unit unit, const game::Date& date, bool context)
{
    const QString year = QString::number(date.year);
    const QString month = monthText(date.month);
    switch (unit) {
    case Unit::Day:
        if (date.day != 1) {
            return context ? QStringLiteral("%1 %2 %3").arg(date.day).arg(month, year)
                           : QString::number(date.day);
        }
        return context || date.month == 0 ? month + QLatin1Char(' ') + year : month;
    case Unit::Month:
        if (context) {
            return month + QLatin1Char(' ') + year;
        }
        return date.month == 0 ? year : month;
    case Unit::Year:
        break;
    }
    return year;
}

// ---- Layout sizes, in multiples of the font's height ----

constexpr double kLineWidth = 2.0;
constexpr double kShapeSize = 0.7; // marks and series shapes
constexpr double kTickGap = 1.4;   // the least room between two time labels, beyond their width
constexpr double kTickRoom = 4.0;  // the least distance between two labelled time ticks

// A step's widest ordinary label, for choosing the step.
double widestLabel(Unit unit, const QFontMetricsF& metrics, int lastYear)
{
    double months = 0;
    for (int m = 0; m < 12; ++m) {
        months = std::max(months, metrics.horizontalAdvance(monthText(m)));
    }
    const double year = metrics.horizontalAdvance(QString::number(lastYear));
    switch (unit) {
    case Unit::Day:
        return std::max(months, metrics.horizontalAdvance(QStringLiteral("28")));
    case Unit::Month:
        return std::max(months, year);
    case Unit::Year:
        break;
    }
    return year;
}

class ChartAccessible final : public QAccessibleWidget {
public:
    explicit ChartAccessible(TimeChart* chart) : QAccessibleWidget(chart, QAccessible::Chart) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value) {
            return static_cast<const TimeChart*>(widget())->crosshairLines().join(
                QStringLiteral("; "));
        }
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return QCoreApplication::translate("ui::TimeChart", "Grafico");
        }
        // Worked out when asked: a zoom by the wheel changes it many times a second.
        if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty()) {
            return static_cast<const TimeChart*>(widget())->summary();
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* chartAccessible(const QString& key, QObject* object)
{
    if (key == QLatin1String("ui::TimeChart")) {
        if (auto* chart = qobject_cast<TimeChart*>(object)) {
            // Qt's accessibility cache owns the interface and deletes it with the widget.
            return new ChartAccessible(chart);
        }
    }
    return nullptr;
}

// A line of few points: antialiased strokes a few segments at a time, as Qt strokes a long
// polyline in one piece many times slower.
void drawSparse(QPainter& painter, const std::vector<QPointF>& points, const QColor& colour)
{
    painter.setPen(QPen(colour, kLineWidth, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    constexpr std::size_t kSegments = 4;
    for (std::size_t i = 0; i + 1 < points.size(); i += kSegments) {
        painter.drawPolyline(points.data() + i,
                             static_cast<int>(std::min(kSegments + 1, points.size() - i)));
    }
}

// A line of many points (in order of x): per pixel column, the span its segments cross there,
// filled as one small bar the line's width across. Much faster than stroking, and the same
// picture where the days are denser than the pixels.
void drawDense(QPainter& painter, const std::vector<QPointF>& points, double ratio,
               const QColor& colour)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    std::int64_t column = std::numeric_limits<std::int64_t>::min();
    double top = 0;
    double bottom = 0;
    const auto flush = [&] {
        if (column != std::numeric_limits<std::int64_t>::min()) {
            const double x = (static_cast<double>(column) + 0.5) / ratio;
            painter.drawRect(QRectF(x - kLineWidth / 2, top - kLineWidth / 2, kLineWidth,
                                    bottom - top + kLineWidth));
        }
    };
    const auto cover = [&](std::int64_t at, double y0, double y1) {
        if (at != column) {
            flush();
            column = at;
            top = std::min(y0, y1);
            bottom = std::max(y0, y1);
            return;
        }
        top = std::min({top, y0, y1});
        bottom = std::max({bottom, y0, y1});
    };
    const auto columnOf = [&](double x) {
        return static_cast<std::int64_t>(std::floor(x * ratio));
    };
    cover(columnOf(points[0].x()), points[0].y(), points[0].y());
    for (std::size_t i = 1; i < points.size(); ++i) {
        const QPointF& a = points[i - 1];
        const QPointF& b = points[i];
        const std::int64_t from = columnOf(a.x());
        const std::int64_t to = columnOf(b.x());
        if (from == to) {
            cover(from, a.y(), b.y());
            continue;
        }
        // Where the segment enters and leaves each column it crosses.
        const double slope = (b.y() - a.y()) / (b.x() - a.x());
        double y = a.y();
        for (std::int64_t k = from; k <= to; ++k) {
            const double edge = std::min(b.x(), static_cast<double>(k + 1) / ratio);
            const double next = a.y() + slope * (edge - a.x());
            cover(k, y, next);
            y = next;
        }
    }
    flush();
}

} // namespace

// ---- Public helpers ----

ChartColours chartColours(const QPalette& palette)
{
    ChartColours c;
    c.base = palette.color(QPalette::Base);
    c.text = palette.color(QPalette::Text);
    const QColor strongest =
        contrastRatio(Qt::black, c.base) > contrastRatio(Qt::white, c.base) ? Qt::black : Qt::white;
    if (contrastRatio(c.text, c.base) < 4.5) {
        c.text = strongest;
    }
    // Mid, halfway to the base so that the lines stay behind the data; many dark palettes make
    // mid vanish into the base, and there a little of the text's colour does.
    const QColor mid = palette.color(QPalette::Mid);
    const double midContrast = contrastRatio(mid, c.base);
    c.grid =
        midContrast >= 1.4 && midContrast <= 3.0 ? mix(c.base, mid, 0.6) : mix(c.base, c.text, 0.2);
    c.crosshair = palette.color(QPalette::Highlight);
    if (contrastRatio(c.crosshair, c.base) < 3.0) {
        c.crosshair = c.text;
    }
    const auto worst = [&](const auto& set) {
        double least = 21;
        for (const QRgb rgb : set) {
            least = std::min(least, contrastRatio(QColor(rgb), c.base));
        }
        return least;
    };
    const bool light = worst(kOnLight) >= worst(kOnDark);
    for (std::size_t i = 0; i < c.series.size(); ++i) {
        c.series[i] = readableOn(QColor(light ? kOnLight[i] : kOnDark[i]), c.base, strongest, 3.0);
    }
    const auto& marks = light ? kMarksOnLight : kMarksOnDark;
    c.buy = readableOn(QColor(marks[0]), c.base, strongest, 3.0);
    c.sell = readableOn(QColor(marks[1]), c.base, strongest, 3.0);
    c.win = readableOn(QColor(marks[2]), c.base, strongest, 3.0);
    return c;
}

QString chartNumber(double value, int decimals)
{
    if (!std::isfinite(value)) {
        return QStringLiteral("—");
    }
    if (std::abs(value) >= 1e15) {
        QString text = QString::fromLatin1(game::numberText(value));
        if (text.startsWith(QLatin1Char('-'))) {
            text[0] = kMinus;
        }
        return text;
    }
    std::array<char, 48> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::abs(value),
                                   std::chars_format::fixed, std::clamp(decimals, 0, 15))
                         .ptr;
    const std::string_view digits(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
    const std::size_t point = std::min(digits.find('.'), digits.size());
    QString text;
    for (std::size_t i = 0; i < point; ++i) {
        if (i > 0 && (point - i) % 3 == 0) {
            text += kNarrowSpace;
        }
        text += QLatin1Char(digits[i]);
    }
    if (point < digits.size()) {
        text += QLatin1Char(',') + QLatin1String(digits.substr(point + 1));
    }
    const bool zero = digits.find_first_not_of("0.") == std::string_view::npos;
    return value < 0 && !zero ? kMinus + text : text;
}

QString chartPercent(double value, int decimals)
{
    const QString number = chartNumber(value, decimals);
    const bool zero = std::all_of(number.begin(), number.end(), [](QChar c) {
        return c == QLatin1Char('0') || c == QLatin1Char(',') || c == kNarrowSpace;
    });
    return (value > 0 && !zero ? QStringLiteral("+") : QString()) + number + QLatin1Char('%');
}

ValueAxis valueAxis(double low, double high)
{
    if (!std::isfinite(low) || !std::isfinite(high)) {
        low = 0;
        high = 1;
    }
    if (low > high) {
        std::swap(low, high);
    }
    if (low == high) {
        // A flat line sits in the middle of a small range around it.
        const double pad = std::abs(low) >= 1e-9 ? std::abs(low) * 0.05 : 1.0;
        low = low - pad;
        high = std::isfinite(high + pad) ? high + pad : std::numeric_limits<double>::max();
        low = std::isfinite(low) ? low : std::numeric_limits<double>::lowest();
    }
    // Halves keep every difference finite, up to the largest doubles.
    const double half = high / 2 - low / 2;
    const double exponent = std::floor(std::log10(half / 2.5));
    std::optional<ValueAxis> best;
    double bestFit = 0;
    for (int e = static_cast<int>(exponent) - 1; e <= static_cast<int>(exponent) + 1; ++e) {
        for (const double m : {1.0, 2.0, 2.5, 5.0}) {
            const double step = m * std::pow(10.0, e);
            const double k0 = std::floor(low / step);
            const double k1 = std::ceil(high / step);
            const double bottom = k0 * step;
            const double top = k1 * step;
            const double count = k1 - k0 + 1;
            if (!std::isfinite(step) || step == 0 || !std::isfinite(bottom) ||
                !std::isfinite(top) || count < 4 || count > 7) {
                continue;
            }
            // The tightest fit wins, a little against 2,5 (its texts need a decimal more).
            const double fit = half / (top / 2 - bottom / 2) * (m == 2.5 ? 0.9 : 1.0);
            if (!best || fit > bestFit) {
                bestFit = fit;
                best = ValueAxis{bottom, top, step, std::max(0, -e + (m == 2.5 ? 1 : 0)), {}};
                // Counted, not stepped: beyond 2^53 a step of one may not move a double.
                for (int i = 0; i < static_cast<int>(count); ++i) {
                    best->ticks.push_back((k0 + i) * step);
                }
            }
        }
    }
    if (best) {
        return *best;
    }
    // Near the largest doubles no round step fits: five even ticks over the data.
    ValueAxis axis{low, high, half / 2, 0, {}};
    for (int i = 0; i <= 4; ++i) {
        axis.ticks.push_back(low * (1 - i / 4.0) + high * (i / 4.0));
    }
    return axis;
}

std::vector<TimeTick> timeTicks(const std::vector<ChartStretch>& stretches, std::int64_t first,
                                std::int64_t last, double width, const QFontMetricsF& metrics)
{
    std::vector<TimeTick> ticks;
    if (last < first || width <= 0) {
        return ticks;
    }
    const double days = static_cast<double>(last - first + 1);
    const double perDay = width / days;
    int lastYear = 2002;
    for (const ChartStretch& s : stretches) {
        if (const auto d = game::dateOfDay(s.firstDay + (s.lastX - s.firstX))) {
            lastYear = std::max(lastYear, d->year);
        }
    }
    const double gap = metrics.height() * kTickGap;
    const Step* step = &kSteps.back();
    for (const Step& candidate : kSteps) {
        const double room = candidate.days * perDay;
        if (room >= widestLabel(candidate.unit, metrics, lastYear) + gap &&
            room >= metrics.height() * kTickRoom) {
            step = &candidate;
            break;
        }
    }

    struct Label {
        double left;
        double right;
        int rank; // 0: names month and year, 1: a month's or a year's first day, 2: the others
        std::size_t tick;
    };
    std::vector<Label> labels;
    const double apart = metrics.height() * 0.5;
    const auto extent = [&](std::int64_t x, const QString& text) {
        const double w = metrics.horizontalAdvance(text);
        const double centre = (static_cast<double>(x - first) + 0.5) * perDay;
        const double left = std::clamp(centre - w / 2, 0.0, std::max(0.0, width - w));
        return std::pair(left, left + w);
    };
    const auto major = [&](const CalendarTick& t) {
        return (step->unit == Unit::Day && t.date.day == 1) ||
               (step->unit == Unit::Month && t.date.month == 0);
    };
    auto it = std::lower_bound(stretches.begin(), stretches.end(), first,
                               [](const ChartStretch& s, std::int64_t v) { return s.lastX < v; });
    for (; it != stretches.end() && it->firstX <= last; ++it) {
        const std::int64_t shift = it->firstDay - it->firstX;
        const auto own = calendarTicks(*step, std::max(it->firstX, first) + shift,
                                       std::min(it->lastX, last) + shift);
        // Month and year go on the first tick, or on the next new month's (or year's) where
        // the two would crowd, so that a new month is never left unnamed.
        std::size_t context = 0;
        if (const auto next = std::find_if(own.begin(), own.end(), major);
            next != own.begin() && next != own.end()) {
            const auto a = extent(own[0].day - shift, tickLabel(step->unit, own[0].date, true));
            const auto b = extent(next->day - shift, tickLabel(step->unit, next->date, false));
            if (b.first < a.second + apart) {
                context = static_cast<std::size_t>(next - own.begin());
            }
        }
        for (std::size_t i = 0; i < own.size(); ++i) {
            const std::int64_t x = own[i].day - shift;
            ticks.push_back({x, tickLabel(step->unit, own[i].date, i == context)});
            const auto [left, right] = extent(x, ticks.back().label);
            labels.push_back({left, right,
                              i == context    ? 0
                              : major(own[i]) ? 1
                                              : 2,
                              ticks.size() - 1});
        }
    }
    // The labels naming month and year go first, then those of a new month or year; the others
    // where they do not overlap.
    std::stable_sort(labels.begin(), labels.end(),
                     [](const Label& a, const Label& b) { return a.rank < b.rank; });
    std::vector<std::pair<double, double>> placed;
    for (const Label& label : labels) {
        const bool free = std::none_of(placed.begin(), placed.end(), [&](const auto& p) {
            return label.left < p.second + apart && p.first < label.right + apart;
        });
        if (free) {
            placed.emplace_back(label.left, label.right);
        } else {
            ticks[label.tick].label.clear();
        }
    }
    return ticks;
}

std::vector<std::vector<LinePoint>> linePieces(const ChartSeries& series,
                                               const std::vector<ChartStretch>& stretches,
                                               std::int64_t first, std::int64_t last, int columns,
                                               std::optional<double> percentOf)
{
    std::vector<std::vector<LinePoint>> pieces;
    const double days = static_cast<double>(last - first + 1);
    if (columns <= 0 || days <= columns) {
        eachValue(series, stretches, first, last, percentOf,
                  [&](std::int64_t x, double v, bool joined) {
                      if (!joined) {
                          pieces.emplace_back();
                      }
                      pieces.back().push_back({static_cast<double>(x - first) + 0.5, v});
                  });
        return pieces;
    }
    // More days than columns: a column keeps its first, lowest, highest and last value, in the
    // order of their days, so the line through them covers every pixel the full line would.
    struct Kept {
        std::int64_t x;
        double v;
    };
    struct Column {
        std::int64_t index = -1;
        const ChartStretch* stretch = nullptr;
        bool joinsLeft = false;
        Kept first{}, low{}, high{}, last{};
    } column;
    const auto flush = [&] {
        if (column.index < 0) {
            return;
        }
        if (!column.joinsLeft || pieces.empty()) {
            pieces.emplace_back();
        }
        std::array<Kept, 4> kept{column.first, column.low, column.high, column.last};
        std::sort(kept.begin(), kept.end(), [](const Kept& a, const Kept& b) { return a.x < b.x; });
        const double at = (static_cast<double>(column.index) + 0.5) * days / columns;
        for (std::size_t i = 0; i < kept.size(); ++i) {
            if (i == 0 || kept[i].x != kept[i - 1].x) {
                pieces.back().push_back({at, kept[i].v});
            }
        }
    };
    // The column changes a few times per hundred days: its index is worked out only then.
    std::int64_t index = -1;
    std::int64_t nextColumn = std::numeric_limits<std::int64_t>::min();
    eachValue(
        series, stretches, first, last, percentOf, [&](std::int64_t x, double v, bool joined) {
            if (x >= nextColumn) {
                index = static_cast<std::int64_t>(
                    std::floor(static_cast<double>(x - first) * columns / days));
                nextColumn =
                    std::max(x + 1, first + static_cast<std::int64_t>(std::ceil(
                                                static_cast<double>(index + 1) * days / columns)));
            }
            const ChartStretch* stretch = joined ? column.stretch : stretchOf(stretches, x);
            if (index != column.index || stretch != column.stretch) {
                flush();
                column = Column{index, stretch, joined, {x, v}, {x, v}, {x, v}, {x, v}};
                return;
            }
            column.last = {x, v};
            if (v < column.low.v) {
                column.low = {x, v};
            }
            if (v > column.high.v) {
                column.high = {x, v};
            }
        });
    flush();
    return pieces;
}

// ---- The widget ----

struct TimeChart::Layout {
    bool empty = true; // nothing to draw: no days, or no room
    bool noDays = true;
    ChartColours colours;
    QRectF plot;
    std::int64_t first = 0;
    std::int64_t last = 0;
    double days = 1;
    ValueAxis axis;
    std::vector<TimeTick> ticks;
    std::vector<double> gaps; // where the history was interrupted, in days from `first`
    struct Line {
        std::vector<std::vector<LinePoint>> pieces;
        std::optional<double> percentOf;
        QColor colour;
        Shape shape = Shape::Circle;
    };
    std::vector<Line> lines;
    struct Mark {
        QPointF at;
        ChartMark kind;
    };
    std::vector<Mark> marks;
    struct LegendEntry {
        QRectF box; // the swatch and the text
        QString text;
        int line = -1; // -1: the title
    };
    std::vector<LegendEntry> legend;
    bool multiple = false;

    double px(double at) const { return plot.left() + at * plot.width() / days; }
    double py(double v) const
    {
        const double t = (v / 2 - axis.bottom / 2) / (axis.top / 2 - axis.bottom / 2);
        return plot.bottom() - t * plot.height();
    }
    QString valueText(double v, int decimals) const;
    ChartMode mode = ChartMode::Values;
};

QString TimeChart::Layout::valueText(double v, int decimals) const
{
    return mode == ChartMode::PercentChange ? chartPercent(v, decimals) : chartNumber(v, decimals);
}

TimeChart::TimeChart(QWidget* parent) : QWidget(parent)
{
    // Installed once per chart, removed first so that it is never there twice.
    QAccessible::removeFactory(chartAccessible);
    QAccessible::installFactory(chartAccessible);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TimeChart::setData(ChartData data)
{
    // Stretches in order of x, none overlapping, all within reach of exact doubles.
    std::vector<ChartStretch> stretches;
    std::sort(data.stretches.begin(), data.stretches.end(),
              [](const ChartStretch& a, const ChartStretch& b) { return a.firstX < b.firstX; });
    const auto near = [](std::int64_t v) { return v > -kFarthest && v < kFarthest; };
    for (ChartStretch s : data.stretches) {
        if (!near(s.firstX) || !near(s.lastX) || !near(s.firstDay)) {
            continue;
        }
        if (!stretches.empty() && s.firstX <= stretches.back().lastX) {
            s.firstDay += stretches.back().lastX + 1 - s.firstX;
            s.firstX = stretches.back().lastX + 1;
        }
        if (s.firstX <= s.lastX) {
            stretches.push_back(s);
        }
    }
    data.stretches = std::move(stretches);
    for (ChartSeries& series : data.series) {
        if (!near(series.firstX)) {
            series.values.clear();
        }
        for (double& v : series.values) {
            if (!std::isfinite(v)) {
                v = std::numeric_limits<double>::quiet_NaN();
            }
        }
        std::stable_sort(series.markers.begin(), series.markers.end(),
                         [](const ChartMarker& a, const ChartMarker& b) { return a.x < b.x; });
    }
    m_data = std::move(data);
    if (m_zoom) {
        const auto [from, to] = domain();
        m_zoom = from <= to && m_zoom->second >= from && m_zoom->first <= to
                     ? std::optional(
                           std::pair(std::max(from, m_zoom->first), std::min(to, m_zoom->second)))
                     : std::nullopt;
        if (m_zoom == rangeDays(m_range)) {
            m_zoom.reset();
        }
    }
    dataChanged();
}

void TimeChart::setMode(ChartMode mode)
{
    if (mode != m_mode) {
        m_mode = mode;
        dataChanged();
    }
}

void TimeChart::setRange(ChartRange range)
{
    m_range = range;
    m_zoom.reset();
    dataChanged();
}

void TimeChart::zoomTo(std::int64_t first, std::int64_t last)
{
    const auto [from, to] = domain();
    if (from > to) {
        return;
    }
    first = std::clamp(first, from, to);
    last = std::clamp(last, from, to);
    if (first > last) {
        std::swap(first, last);
    }
    // Too few days grow around their middle, inside the data.
    const std::int64_t fewest = std::min(kFewestDays, to - from + 1);
    if (const std::int64_t missing = fewest - (last - first + 1); missing > 0) {
        first = std::max(from, first - missing / 2);
        last = first + fewest - 1;
        if (last > to) {
            last = to;
            first = to - fewest + 1;
        }
    }
    showDays(std::pair(first, last));
}

std::pair<std::int64_t, std::int64_t> TimeChart::domain() const
{
    if (m_data.stretches.empty()) {
        return {0, -1};
    }
    return {m_data.stretches.front().firstX, m_data.stretches.back().lastX};
}

std::pair<std::int64_t, std::int64_t> TimeChart::rangeDays(ChartRange range) const
{
    const auto [from, to] = domain();
    switch (range) {
    case ChartRange::Days30:
        return {std::max(from, to - 29), to};
    case ChartRange::Year:
        return {std::max(from, to - 364), to};
    case ChartRange::All:
        break;
    }
    return {from, to};
}

std::optional<std::pair<std::int64_t, std::int64_t>> TimeChart::shown() const
{
    const auto [from, to] = domain();
    if (from > to) {
        return std::nullopt;
    }
    return m_zoom ? *m_zoom : rangeDays(m_range);
}

void TimeChart::showDays(std::optional<std::pair<std::int64_t, std::int64_t>> zoom)
{
    if (zoom && *zoom == rangeDays(m_range)) {
        zoom.reset();
    }
    if (zoom == m_zoom) {
        return;
    }
    m_zoom = zoom;
    dataChanged();
}

void TimeChart::tellDescriptionChanged()
{
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void TimeChart::dataChanged()
{
    m_layout.reset();
    m_picture = QPixmap();
    // The crosshair stays on its day while that day is shown.
    if (m_cursor) {
        const auto days = shown();
        if (!days || *m_cursor < days->first || *m_cursor > days->second ||
            stretchOf(m_data.stretches, *m_cursor) == nullptr) {
            m_cursor.reset();
        }
    }
    tellDescriptionChanged();
    update();
    emit shownChanged();
}

const TimeChart::Layout& TimeChart::layout() const
{
    if (m_layout) {
        return *m_layout;
    }
    auto at = std::make_shared<Layout>();
    m_layout = at;
    at->colours = chartColours(palette());
    at->mode = m_mode;
    const auto days = shown();
    at->noDays = !days;
    if (!days || width() < 40 || height() < 40) {
        return *at;
    }
    at->empty = false;
    at->first = days->first;
    at->last = days->second;
    at->days = static_cast<double>(at->last - at->first + 1);
    const QFontMetricsF metrics(font());
    const double em = metrics.height();
    const double pad = em * 0.5;

    // The lines, first in days and values: the axes are fitted to them.
    const int columns = static_cast<int>(std::ceil(width() * devicePixelRatioF()));
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (std::size_t i = 0; i < m_data.series.size(); ++i) {
        const ChartSeries& series = m_data.series[i];
        Layout::Line line;
        const int index = series.colour >= 0 ? series.colour : static_cast<int>(i);
        line.colour = at->colours.series[static_cast<std::size_t>(index) % 8];
        line.shape = seriesShape(index);
        if (m_mode == ChartMode::PercentChange) {
            line.percentOf = firstShown(series, m_data.stretches, at->first, at->last);
        }
        if (m_mode == ChartMode::Values || line.percentOf) {
            line.pieces =
                linePieces(series, m_data.stretches, at->first, at->last, columns, line.percentOf);
        }
        for (const auto& piece : line.pieces) {
            for (const LinePoint& p : piece) {
                low = std::min(low, p.value);
                high = std::max(high, p.value);
            }
        }
        at->lines.push_back(std::move(line));
    }
    at->axis = low <= high ? valueAxis(low, high) : valueAxis(0, 0);
    at->multiple = m_data.series.size() > 1 || m_mode == ChartMode::PercentChange;

    // The legend on top: in per cent, what the lines count from; then each series' name.
    double top = pad;
    if (at->multiple) {
        std::vector<Layout::LegendEntry> entries;
        if (m_mode == ChartMode::PercentChange) {
            entries.push_back(
                {{}, tr("Variazione dal %1").arg(dateTextAt(m_data.stretches, at->first)), -1});
        }
        for (std::size_t i = 0; i < m_data.series.size(); ++i) {
            entries.push_back({{}, m_data.series[i].name, static_cast<int>(i)});
        }
        double x = pad;
        double y = top;
        for (auto& entry : entries) {
            const double swatch = entry.line >= 0 ? em * 1.6 : 0;
            const double w = std::min(swatch + std::ceil(metrics.horizontalAdvance(entry.text)) + 1,
                                      width() - 2 * pad);
            if (x > pad && x + w > width() - pad) {
                x = pad;
                y += em * 1.2;
            }
            entry.box = QRectF(x, y, w, em);
            x += w + em;
        }
        at->legend = std::move(entries);
        top = y + em * 1.5;
    }
    top += em * 0.5; // the top tick's text stands half above its line

    double labels = 0;
    for (const double tick : at->axis.ticks) {
        labels =
            std::max(labels, metrics.horizontalAdvance(at->valueText(tick, at->axis.decimals)));
    }
    const double left = std::ceil(pad + labels + pad);
    const double right = at->multiple ? em : pad * 1.5;
    const double bottom = std::ceil(em + pad * 1.5);
    at->plot = QRectF(left, top, std::max(1.0, width() - left - right),
                      std::max(1.0, height() - top - bottom));
    at->ticks = timeTicks(m_data.stretches, at->first, at->last, at->plot.width(), metrics);

    for (std::size_t i = 1; i < m_data.stretches.size(); ++i) {
        const ChartStretch& a = m_data.stretches[i - 1];
        const ChartStretch& b = m_data.stretches[i];
        if (a.lastX >= at->first && b.firstX <= at->last) {
            at->gaps.push_back(static_cast<double>(a.lastX + 1 + b.firstX) / 2 -
                               static_cast<double>(at->first));
        }
    }

    // Marks on their line's value; where they crowd, one of a kind per shape's width.
    const double shape = em * kShapeSize;
    for (std::size_t i = 0; i < m_data.series.size(); ++i) {
        std::array<double, 3> lastAt{-1e9, -1e9, -1e9};
        const ChartSeries& series = m_data.series[i];
        auto it = std::lower_bound(series.markers.begin(), series.markers.end(), at->first,
                                   [](const ChartMarker& m, std::int64_t x) { return m.x < x; });
        for (; it != series.markers.end() && it->x <= at->last; ++it) {
            const double x = at->px(static_cast<double>(it->x - at->first) + 0.5);
            double& previous = lastAt[static_cast<std::size_t>(it->kind)];
            if (x - previous < shape) {
                continue;
            }
            const auto v = valueAt(series, m_data.stretches, it->x, at->lines[i].percentOf);
            if (v && (m_mode == ChartMode::Values || at->lines[i].percentOf)) {
                const QPointF p(x, at->py(*v));
                previous = x;
                const double offset = it->kind == ChartMark::Buy    ? shape * 0.9
                                      : it->kind == ChartMark::Sell ? -shape * 0.9
                                                                    : 0;
                at->marks.push_back({p + QPointF(0, offset), it->kind});
            }
        }
    }
    return *at;
}

void TimeChart::drawStatic(QPainter& painter, const Layout& at) const
{
    const ChartColours& c = at.colours;
    painter.fillRect(rect(), c.base);
    const QFontMetricsF metrics(font());
    const double em = metrics.height();
    painter.setPen(c.text);
    if (at.empty) {
        if (at.noDays) {
            painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap,
                             tr("Nessun giorno da mostrare"));
        }
        return;
    }
    const QRectF& plot = at.plot;
    painter.setRenderHint(QPainter::Antialiasing, false);

    // Value gridlines and their texts.
    for (const double tick : at.axis.ticks) {
        const double y = std::round(at.py(tick));
        const bool zero = at.mode == ChartMode::PercentChange && tick == 0;
        painter.setPen(QPen(zero ? mix(c.grid, c.text, 0.45) : c.grid, 1));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(c.text);
        painter.drawText(QRectF(0, y - em / 2, plot.left() - em * 0.5, em),
                         Qt::AlignRight | Qt::AlignVCenter, at.valueText(tick, at.axis.decimals));
    }
    // Time gridlines, ticks and texts.
    for (const TimeTick& tick : at.ticks) {
        const double x = std::round(at.px(static_cast<double>(tick.x - at.first) + 0.5));
        painter.setPen(QPen(c.grid, 1));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom() + em * 0.3));
        if (!tick.label.isEmpty()) {
            const double w = metrics.horizontalAdvance(tick.label);
            const double left = std::max(plot.left(), std::min(x - w / 2, plot.right() - w));
            painter.setPen(c.text);
            painter.drawText(QRectF(left, plot.bottom() + em * 0.35, w + 1, em),
                             Qt::AlignLeft | Qt::AlignTop, tick.label);
        }
    }
    painter.setPen(QPen(mix(c.grid, c.text, 0.45), 1));
    painter.drawLine(QPointF(plot.left(), std::round(plot.bottom())),
                     QPointF(plot.right(), std::round(plot.bottom())));
    // An interrupted history: a dashed line where the days break off.
    QPen dashed(mix(c.grid, c.text, 0.6), 1, Qt::DashLine);
    painter.setPen(dashed);
    for (const double gap : at.gaps) {
        const double x = std::round(at.px(gap));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }

    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.save();
    painter.setClipRect(plot.adjusted(-em, -em * 0.5, em, em * 0.5));
    const double ratio = painter.device()->devicePixelRatioF();
    const double columns = plot.width() * ratio;
    std::vector<QPointF> points;
    for (const Layout::Line& line : at.lines) {
        std::size_t count = 0;
        for (const auto& piece : line.pieces) {
            count += piece.size();
        }
        // Lines of more than a point per three pixels go column by column (see drawDense).
        const bool dense = static_cast<double>(count) * 3 > columns;
        for (const auto& piece : line.pieces) {
            points.clear();
            for (const LinePoint& p : piece) {
                points.emplace_back(at.px(p.at), at.py(p.value));
            }
            if (points.size() == 1) {
                // A day alone between missing ones is a dot.
                painter.setPen(Qt::NoPen);
                painter.setBrush(line.colour);
                painter.drawEllipse(points[0], kLineWidth, kLineWidth);
            } else if (dense) {
                drawDense(painter, points, ratio, line.colour);
            } else {
                drawSparse(painter, points, line.colour);
            }
        }
    }
    if (at.multiple) {
        // Each line ends in its own shape, the one its legend shows.
        for (const Layout::Line& line : at.lines) {
            if (!line.pieces.empty()) {
                const LinePoint& end = line.pieces.back().back();
                drawShape(painter, line.shape, QPointF(at.px(end.at), at.py(end.value)),
                          em * kShapeSize, line.colour, c.base);
            }
        }
    }
    for (const Layout::Mark& mark : at.marks) {
        const QColor& colour = mark.kind == ChartMark::Buy    ? c.buy
                               : mark.kind == ChartMark::Sell ? c.sell
                                                              : c.win;
        drawShape(painter, markShape(mark.kind), mark.at, em * kShapeSize, colour, c.base);
    }
    painter.restore();

    for (const Layout::LegendEntry& entry : at.legend) {
        QRectF text = entry.box;
        if (entry.line >= 0) {
            const Layout::Line& line = at.lines[static_cast<std::size_t>(entry.line)];
            const double y = entry.box.center().y();
            painter.setPen(QPen(line.colour, kLineWidth, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(entry.box.left() + 1, y),
                             QPointF(entry.box.left() + em * 1.2, y));
            drawShape(painter, line.shape, QPointF(entry.box.left() + em * 0.6, y), em * kShapeSize,
                      line.colour, c.base);
            text.setLeft(entry.box.left() + em * 1.6);
        }
        painter.setPen(c.text);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(entry.text, Qt::ElideRight, text.width()));
    }
}

namespace {

// A row of the crosshair's box: a shape, a text on the left and one on the right.
struct BoxRow {
    std::optional<Shape> shape;
    QColor colour;
    QString left;
    QString right;
};

} // namespace

QStringList TimeChart::crosshairLines() const
{
    QStringList lines;
    const auto days = shown();
    if (!m_cursor || !days) {
        return lines;
    }
    const Layout& at = layout();
    const std::int64_t x = *m_cursor;
    lines << dateTextAt(m_data.stretches, x);
    for (std::size_t i = 0; i < m_data.series.size(); ++i) {
        const ChartSeries& series = m_data.series[i];
        const auto raw = valueAt(series, m_data.stretches, x, std::nullopt);
        QString value = QStringLiteral("—");
        if (m_mode == ChartMode::Values && raw) {
            value = chartNumber(*raw, 2);
        } else if (raw && i < at.lines.size() && at.lines[i].percentOf) {
            if (const auto change = valueAt(series, m_data.stretches, x, at.lines[i].percentOf)) {
                value =
                    QStringLiteral("%1 (%2)").arg(chartPercent(*change, 2), chartNumber(*raw, 2));
            }
        }
        lines << (series.name.isEmpty() ? value : series.name + QStringLiteral(": ") + value);
    }
    for (const ChartSeries& series : m_data.series) {
        const auto [from, to] =
            std::equal_range(series.markers.begin(), series.markers.end(), ChartMarker{x, {}, {}},
                             [](const ChartMarker& a, const ChartMarker& b) { return a.x < b.x; });
        for (auto it = from; it != to; ++it) {
            lines << (it->text.isEmpty() ? markName(it->kind) : it->text);
        }
    }
    return lines;
}

void TimeChart::drawOverlay(QPainter& painter, const Layout& at) const
{
    const ChartColours& c = at.colours;
    if (hasFocus()) {
        painter.setPen(QPen(c.crosshair, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
    if (at.empty) {
        return;
    }
    const QRectF& plot = at.plot;
    const auto pxOf = [&](std::int64_t x) {
        return at.px(static_cast<double>(x - at.first) + 0.5);
    };
    if (m_dragFrom && m_dragTo) {
        const double a = pxOf(std::min(*m_dragFrom, *m_dragTo)) - plot.width() / at.days / 2;
        const double b = pxOf(std::max(*m_dragFrom, *m_dragTo)) + plot.width() / at.days / 2;
        QColor band = c.crosshair;
        band.setAlphaF(0.18f);
        painter.fillRect(QRectF(a, plot.top(), b - a, plot.height()), band);
        painter.setPen(QPen(c.crosshair, 1));
        painter.drawLine(QPointF(a, plot.top()), QPointF(a, plot.bottom()));
        painter.drawLine(QPointF(b, plot.top()), QPointF(b, plot.bottom()));
    }
    if (!m_cursor) {
        return;
    }
    const QFontMetricsF metrics(font());
    const double em = metrics.height();
    const double x = std::round(pxOf(*m_cursor)) + 0.5;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(c.crosshair, 1));
    painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));

    const QStringList lines = crosshairLines();
    std::vector<BoxRow> rows;
    rows.push_back({std::nullopt, {}, lines.value(0), {}});
    std::vector<std::pair<QPointF, std::size_t>> dots;
    for (std::size_t i = 0; i < m_data.series.size(); ++i) {
        const Layout::Line& line = at.lines[i];
        const ChartSeries& series = m_data.series[i];
        const QString text = lines.value(static_cast<qsizetype>(i) + 1);
        const qsizetype split = series.name.isEmpty() ? 0 : series.name.size() + 2;
        rows.push_back({at.multiple ? std::optional(line.shape) : std::nullopt, line.colour,
                        series.name, text.mid(split)});
        const bool drawn = m_mode == ChartMode::Values || line.percentOf;
        if (const auto v = valueAt(series, m_data.stretches, *m_cursor, line.percentOf);
            v && drawn) {
            dots.emplace_back(QPointF(x, at.py(*v)), i);
        }
    }
    if (dots.size() == 1 && m_data.series.size() == 1) {
        const double y = std::round(dots[0].first.y()) + 0.5;
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const auto& [point, i] : dots) {
        drawShape(painter, at.multiple ? at.lines[i].shape : Shape::Circle, point,
                  em * kShapeSize * 1.2, at.lines[i].colour, c.base);
    }
    qsizetype line = static_cast<qsizetype>(m_data.series.size()) + 1;
    for (const ChartSeries& series : m_data.series) {
        const auto [from, to] = std::equal_range(
            series.markers.begin(), series.markers.end(), ChartMarker{*m_cursor, {}, {}},
            [](const ChartMarker& a, const ChartMarker& b) { return a.x < b.x; });
        for (auto it = from; it != to; ++it) {
            const QColor& colour = it->kind == ChartMark::Buy    ? c.buy
                                   : it->kind == ChartMark::Sell ? c.sell
                                                                 : c.win;
            rows.push_back({markShape(it->kind), colour, lines.value(line++), {}});
        }
    }

    // The box beside the line, on the side with room, inside the plot where it fits.
    QFont bold = font();
    bold.setBold(true);
    const QFontMetricsF boldMetrics(bold);
    const double swatch = em * 1.1;
    double leftWidth = boldMetrics.horizontalAdvance(rows[0].left);
    double rightWidth = 0;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const double shape = rows[i].shape ? swatch : 0;
        if (rows[i].right.isEmpty()) {
            leftWidth = std::max(leftWidth, shape + metrics.horizontalAdvance(rows[i].left));
        } else {
            leftWidth = std::max(leftWidth, shape + metrics.horizontalAdvance(rows[i].left));
            rightWidth = std::max(rightWidth, metrics.horizontalAdvance(rows[i].right));
        }
    }
    const double pad = em * 0.4;
    const double inner = std::min(leftWidth + (rightWidth > 0 ? em + rightWidth : 0),
                                  std::max(em * 4, width() - 4 * pad));
    const QSizeF size(inner + 2 * pad, static_cast<double>(rows.size()) * em + 2 * pad);
    double left = x + em;
    if (left + size.width() > plot.right() && x - em - size.width() >= 0) {
        left = x - em - size.width();
    }
    left = std::clamp(left, 0.0, std::max(0.0, width() - size.width()));
    const QRectF box(QPointF(left, plot.top() + pad), size);
    QColor face = c.base;
    face.setAlphaF(0.94f);
    painter.setPen(QPen(c.crosshair, 1));
    painter.setBrush(face);
    painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    double y = box.top() + pad;
    for (std::size_t i = 0; i < rows.size(); ++i, y += em) {
        const BoxRow& row = rows[i];
        QRectF text(box.left() + pad, y, inner, em);
        if (row.shape) {
            drawShape(painter, *row.shape, QPointF(text.left() + em * 0.45, text.center().y()),
                      em * kShapeSize, row.colour, c.base);
            text.setLeft(text.left() + swatch);
        }
        painter.setFont(i == 0 ? bold : font());
        painter.setPen(c.text);
        painter.drawText(
            text, Qt::AlignLeft | Qt::AlignVCenter,
            (i == 0 ? boldMetrics : metrics).elidedText(row.left, Qt::ElideRight, text.width()));
        if (!row.right.isEmpty()) {
            painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter, row.right);
        }
    }
    painter.setFont(font());
}

QRegion TimeChart::overlayRegion() const
{
    const Layout& at = layout();
    if (at.empty || (!m_cursor && !m_dragFrom)) {
        return {};
    }
    // The crosshair's line, its dots and its box all lie in the plot's band across the widget;
    // in a narrow column around the line, or its box, beside it.
    const QFontMetricsF metrics(font());
    const double em = metrics.height();
    QRegion region;
    if (m_dragFrom && m_dragTo) {
        const double a = at.px(static_cast<double>(std::min(*m_dragFrom, *m_dragTo) - at.first));
        const double b =
            at.px(static_cast<double>(std::max(*m_dragFrom, *m_dragTo) - at.first) + 1);
        region += QRectF(a - 2, at.plot.top(), b - a + 4, at.plot.height()).toAlignedRect();
    }
    if (m_cursor) {
        const double x = at.px(static_cast<double>(*m_cursor - at.first) + 0.5);
        region +=
            QRectF(x - em, at.plot.top() - em, 2 * em, at.plot.height() + 2 * em).toAlignedRect();
        if (m_data.series.size() == 1) {
            if (const auto v =
                    valueAt(m_data.series[0], m_data.stretches, *m_cursor, at.lines[0].percentOf)) {
                const double y = at.py(*v);
                region += QRectF(at.plot.left(), y - 2, at.plot.width(), 4).toAlignedRect();
            }
        }
        // The box: as tall as its rows, as wide as it may grow, on either side.
        const QStringList lines = crosshairLines();
        double wide = 0;
        for (const QString& line : lines) {
            wide = std::max(wide, metrics.horizontalAdvance(line));
        }
        const double w = wide * 1.2 + 4 * em;
        const double h = static_cast<double>(lines.size() + 1) * em + em;
        region += QRectF(x - w - 2 * em, at.plot.top(), 2 * w + 4 * em, h).toAlignedRect();
    }
    return region;
}

void TimeChart::paintEvent(QPaintEvent* /*event*/)
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(static_cast<int>(std::ceil(width() * ratio)),
                       static_cast<int>(std::ceil(height() * ratio)));
    if (m_picture.size() != pixels) {
        // A new size or a screen of another scale: the lines are reduced to its columns anew.
        m_layout.reset();
        m_picture = QPixmap(pixels);
        m_picture.setDevicePixelRatio(ratio);
        QPainter painter(&m_picture);
        drawStatic(painter, layout());
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    drawOverlay(painter, layout());
    m_overlayDrawn = overlayRegion();
}

void TimeChart::resizeEvent(QResizeEvent* event)
{
    m_layout.reset();
    m_picture = QPixmap();
    QWidget::resizeEvent(event);
}

void TimeChart::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::LanguageChange:
        tellDescriptionChanged();
        [[fallthrough]];
    case QEvent::PaletteChange:
    case QEvent::FontChange:
    case QEvent::StyleChange:
        m_layout.reset();
        m_picture = QPixmap();
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

// ---- The crosshair and zoom ----

std::optional<std::int64_t> TimeChart::dayAt(double px) const
{
    const Layout& at = layout();
    if (at.empty) {
        return std::nullopt;
    }
    const double day = std::floor((px - at.plot.left()) / at.plot.width() * at.days);
    const std::int64_t x = at.first + static_cast<std::int64_t>(std::clamp(day, 0.0, at.days - 1));
    if (stretchOf(m_data.stretches, x) != nullptr) {
        return x;
    }
    // In a gap: the nearer of the days on either side, if shown.
    const auto next =
        std::lower_bound(m_data.stretches.begin(), m_data.stretches.end(), x,
                         [](const ChartStretch& s, std::int64_t v) { return s.lastX < v; });
    std::optional<std::int64_t> best;
    if (next != m_data.stretches.end() && next->firstX <= at.last) {
        best = next->firstX;
    }
    if (next != m_data.stretches.begin() && std::prev(next)->lastX >= at.first &&
        (!best || x - std::prev(next)->lastX <= *best - x)) {
        best = std::prev(next)->lastX;
    }
    return best;
}

std::optional<std::int64_t> TimeChart::stepDay(std::int64_t x, int direction) const
{
    const auto& s = m_data.stretches;
    const auto it = std::lower_bound(
        s.begin(), s.end(), x, [](const ChartStretch& a, std::int64_t v) { return a.lastX < v; });
    if (it == s.end()) {
        return std::nullopt;
    }
    if (direction > 0) {
        if (x < it->firstX) {
            return it->firstX;
        }
        if (x < it->lastX) {
            return x + 1;
        }
        return std::next(it) != s.end() ? std::optional(std::next(it)->firstX) : std::nullopt;
    }
    if (x > it->firstX && x <= it->lastX) {
        return x - 1;
    }
    return it != s.begin() ? std::optional(std::prev(it)->lastX) : std::nullopt;
}

void TimeChart::setCrosshair(std::optional<std::int64_t> x)
{
    if (x && stretchOf(m_data.stretches, *x) == nullptr) {
        x.reset();
    }
    moveCursor(x, true);
}

void TimeChart::moveCursor(std::optional<std::int64_t> x, bool byKeys)
{
    m_cursorByKeys = byKeys;
    if (x == m_cursor) {
        return;
    }
    if (x) {
        // A day outside the days shown brings them along.
        const auto days = shown();
        if (days && *x < days->first) {
            zoomTo(*x, *x + (days->second - days->first));
        } else if (days && *x > days->second) {
            zoomTo(*x - (days->second - days->first), *x);
        }
    }
    const QRegion before = m_overlayDrawn;
    m_cursor = x;
    update(before + overlayRegion());
    // A screen reader hears the day it moves to; nothing is worked out for one not listening.
    if (m_cursor && QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, crosshairLines().join(QStringLiteral("; ")));
        QAccessible::updateAccessibility(&event);
    }
}

void TimeChart::zoomAround(std::int64_t anchor, double factor)
{
    const auto days = shown();
    if (!days) {
        return;
    }
    const auto [first, last] = *days;
    const double span = static_cast<double>(last - first + 1);
    const double wanted = std::max(1.0, std::round(span * factor));
    const double share = static_cast<double>(anchor - first) / span;
    const auto from = anchor - static_cast<std::int64_t>(std::round(share * wanted));
    const auto [dataFirst, dataLast] = domain();
    const double whole = static_cast<double>(dataLast - dataFirst + 1);
    if (wanted >= whole) {
        showDays(std::pair(dataFirst, dataLast));
        return;
    }
    zoomTo(from, from + static_cast<std::int64_t>(wanted) - 1);
}

void TimeChart::pan(std::int64_t days)
{
    if (const auto shownDays = shown()) {
        const auto [dataFirst, dataLast] = domain();
        const std::int64_t span = shownDays->second - shownDays->first;
        const std::int64_t first =
            std::clamp(shownDays->first + days, dataFirst, std::max(dataFirst, dataLast - span));
        zoomTo(first, first + span);
    }
}

void TimeChart::mouseMoveEvent(QMouseEvent* event)
{
    const double px = event->position().x();
    if (m_pressAt && (event->buttons() & Qt::LeftButton)) {
        if (std::abs(px - *m_pressAt) >= 4 || m_dragTo) {
            const QRegion before = m_overlayDrawn;
            m_dragFrom = dayAt(*m_pressAt);
            m_dragTo = dayAt(px);
            update(before + overlayRegion());
        }
        return;
    }
    moveCursor(dayAt(px), false);
}

void TimeChart::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressAt = event->position().x();
        moveCursor(dayAt(event->position().x()), false);
    }
    QWidget::mousePressEvent(event);
}

void TimeChart::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const auto from = m_dragFrom;
        const auto to = m_dragTo;
        m_pressAt.reset();
        m_dragFrom.reset();
        m_dragTo.reset();
        if (from && to && *from != *to) {
            zoomTo(std::min(*from, *to), std::max(*from, *to));
        }
        update();
    }
    QWidget::mouseReleaseEvent(event);
}

void TimeChart::mouseDoubleClickEvent(QMouseEvent* event)
{
    setRange(m_range);
    event->accept();
}

void TimeChart::wheelEvent(QWheelEvent* event)
{
    const auto days = shown();
    const QPoint delta = event->angleDelta();
    if (!days || delta.isNull()) {
        event->ignore();
        return;
    }
    const double notches = (delta.y() != 0 ? delta.y() : delta.x()) / 120.0;
    if (delta.x() != 0 || (event->modifiers() & Qt::ShiftModifier)) {
        const double span = static_cast<double>(days->second - days->first + 1);
        pan(static_cast<std::int64_t>(std::round(-notches * std::max(1.0, span / 10))));
    } else {
        const auto anchor = dayAt(event->position().x());
        zoomAround(anchor.value_or((days->first + days->second) / 2), std::pow(0.8, notches));
    }
    event->accept();
}

bool TimeChart::event(QEvent* event)
{
    // While the chart has the focus its keys win over the window's shortcuts; Esc only while
    // zoomed, so that elsewhere it stays the window's (the ledger closes on it).
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain =
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
        switch (key->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Plus:
        case Qt::Key_Equal:
        case Qt::Key_Minus:
            if (plain) {
                event->accept();
                return true;
            }
            break;
        case Qt::Key_Escape:
            if (plain && m_zoom) {
                event->accept();
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QWidget::event(event);
}

void TimeChart::keyPressEvent(QKeyEvent* event)
{
    const auto days = shown();
    if (!days) {
        QWidget::keyPressEvent(event);
        return;
    }
    const std::int64_t at = m_cursor.value_or(days->second);
    std::optional<std::int64_t> to;
    switch (event->key()) {
    case Qt::Key_Left:
        to = m_cursor ? stepDay(at, -1).value_or(at) : at;
        break;
    case Qt::Key_Right:
        to = m_cursor ? stepDay(at, 1).value_or(at) : at;
        break;
    case Qt::Key_Home:
        to = stretchOf(m_data.stretches, days->first) ? days->first
                                                      : stepDay(days->first, 1).value_or(at);
        break;
    case Qt::Key_End:
        to = stretchOf(m_data.stretches, days->second) ? days->second
                                                       : stepDay(days->second, -1).value_or(at);
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomAround(at, 0.5);
        return;
    case Qt::Key_Minus:
        zoomAround(at, 2.0);
        return;
    case Qt::Key_Escape:
        // Esc leaves a zoom; with none it belongs to the window (which closes on it).
        if (m_zoom) {
            setRange(m_range);
            return;
        }
        event->ignore();
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    moveCursor(to, true);
}

void TimeChart::focusInEvent(QFocusEvent* event)
{
    // Reached by the keyboard, the crosshair starts on the newest day shown.
    if (!m_cursor && event->reason() != Qt::MouseFocusReason) {
        if (const auto days = shown()) {
            moveCursor(stretchOf(m_data.stretches, days->second) ? std::optional(days->second)
                                                                 : stepDay(days->second, -1),
                       true);
        }
    }
    update();
    QWidget::focusInEvent(event);
}

void TimeChart::focusOutEvent(QFocusEvent* event)
{
    if (!underMouse()) {
        moveCursor(std::nullopt, false);
    }
    update();
    QWidget::focusOutEvent(event);
}

void TimeChart::leaveEvent(QEvent* event)
{
    if (!hasFocus() || !m_cursorByKeys) {
        moveCursor(std::nullopt, false);
    }
    QWidget::leaveEvent(event);
}

// ---- The words ----

QString TimeChart::summary() const
{
    const auto days = shown();
    if (!days) {
        return tr("Nessun giorno da mostrare.");
    }
    const auto& stretches = m_data.stretches;
    const std::int64_t first =
        stretchOf(stretches, days->first) ? days->first : stepDay(days->first, 1).value_or(0);
    const std::int64_t last =
        stretchOf(stretches, days->second) ? days->second : stepDay(days->second, -1).value_or(0);
    std::int64_t count = 0;
    int gaps = 0;
    for (const ChartStretch& s : stretches) {
        const std::int64_t from = std::max(s.firstX, first);
        const std::int64_t to = std::min(s.lastX, last);
        if (from <= to) {
            count += to - from + 1;
            gaps += s.firstX > first ? 1 : 0;
        }
    }
    QStringList parts;
    parts << (count == 1 ? tr("Il %1.").arg(dateTextAt(stretches, first))
                         : tr("Dal %1 al %2, %3 giorni.")
                               .arg(dateTextAt(stretches, first), dateTextAt(stretches, last))
                               .arg(count));
    const bool percent = m_mode == ChartMode::PercentChange;
    if (percent) {
        parts << tr("Variazione percentuale dal primo giorno mostrato.");
    }
    std::array<int, 3> marks{};
    for (const ChartSeries& series : m_data.series) {
        const std::optional<double> percentOf =
            percent ? firstShown(series, stretches, first, last) : std::nullopt;
        struct Seen {
            std::int64_t x;
            double v;
        };
        std::optional<Seen> firstSeen, lastSeen, highest, lowest;
        if (!percent || percentOf) {
            eachValue(series, stretches, first, last, percentOf,
                      [&](std::int64_t x, double v, bool) {
                          if (!firstSeen) {
                              firstSeen = highest = lowest = Seen{x, v};
                          }
                          lastSeen = Seen{x, v};
                          if (v > highest->v) {
                              highest = Seen{x, v};
                          }
                          if (v < lowest->v) {
                              lowest = Seen{x, v};
                          }
                      });
        }
        const QString name = series.name.isEmpty() ? tr("Valore") : series.name;
        if (!firstSeen) {
            parts << tr("%1: nessun valore.").arg(name);
        } else {
            const auto text = [&](double v) {
                return percent ? chartPercent(v, 2) : chartNumber(v, 2);
            };
            parts << tr("%1: primo %2, ultimo %3, massimo %4 il %5, minimo %6 il %7.")
                         .arg(name, text(firstSeen->v), text(lastSeen->v), text(highest->v),
                              dateTextAt(stretches, highest->x), text(lowest->v),
                              dateTextAt(stretches, lowest->x));
        }
        for (const ChartMarker& m : series.markers) {
            if (m.x >= first && m.x <= last && stretchOf(stretches, m.x) != nullptr) {
                ++marks[static_cast<std::size_t>(m.kind)];
            }
        }
    }
    if (marks[0] > 0) {
        parts << tr("Acquisti: %1.").arg(marks[0]);
    }
    if (marks[1] > 0) {
        parts << tr("Vendite: %1.").arg(marks[1]);
    }
    if (marks[2] > 0) {
        parts << tr("Vittorie: %1.").arg(marks[2]);
    }
    if (gaps > 0) {
        parts << tr("Interruzioni della cronologia: %1.").arg(gaps);
    }
    return parts.join(QLatin1Char(' '));
}

// ---- The range buttons ----

TimeChartRanges::TimeChartRanges(TimeChart* chart, QWidget* parent)
    : QWidget(parent), m_chart(chart)
{
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    const std::array ranges{ChartRange::Days30, ChartRange::Year, ChartRange::All};
    const std::array names{"range30", "rangeYear", "rangeAll"};
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(QLatin1String(names[i]));
        button->setCheckable(true);
        button->setFocusPolicy(Qt::StrongFocus);
        row->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, range = ranges[i]] {
            if (m_chart) {
                m_chart->setRange(range);
            }
            follow();
        });
        m_buttons[i] = button;
    }
    if (chart != nullptr) {
        connect(chart, &TimeChart::shownChanged, this, &TimeChartRanges::follow);
    }
    retranslate();
    follow();
}

void TimeChartRanges::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    QWidget::changeEvent(event);
}

void TimeChartRanges::retranslate()
{
    m_buttons[0]->setText(tr("30 giorni"));
    m_buttons[1]->setText(tr("1 anno"));
    m_buttons[2]->setText(tr("Tutto"));
}

void TimeChartRanges::follow()
{
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i]->setChecked(m_chart && !m_chart->zoomed() &&
                                 static_cast<std::size_t>(m_chart->range()) == i);
    }
}

} // namespace ui
