// The ledger's chart: number texts, round value ticks, calendar ticks for every span, lines reduced
// to pixel columns and broken at gaps, the crosshair by keys, zoom and ranges, odd data, colours.
#include "game/texts.h"
#include "support/contrast.h"
#include "ui/language.h"
#include "ui/time_chart.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFontMetricsF>
#include <QRegularExpression>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::int64_t dayOf(int day, int month, int year)
{
    return game::dayNumber(game::Date{day, month, year});
}

// A net-worth history of `values` from 05 Mar 2003 in one stretch.
ui::ChartData history(std::vector<double> values, std::vector<ui::ChartMarker> markers = {})
{
    const auto last = static_cast<std::int64_t>(values.size()) - 1;
    return {{{0, last, dayOf(5, 2, 2003)}},
            {{QStringLiteral("Patrimonio"), 0, std::move(values), -1, std::move(markers)}}};
}

QStringList labels(const std::vector<ui::TimeTick>& ticks)
{
    QStringList out;
    for (const auto& tick : ticks) {
        if (!tick.label.isEmpty()) {
            out << tick.label;
        }
    }
    return out;
}

QString shown(const ui::TimeChart& chart)
{
    const auto days = chart.shown();
    return days ? QStringLiteral("%1..%2").arg(days->first).arg(days->second) : QString();
}

} // namespace

TEST(TimeChartTexts, GroupedWithANarrowSpaceACommaAndTrueSigns)
{
    EXPECT_EQ(ui::chartNumber(1234567.891, 2), QStringLiteral("1\u202F234\u202F567,89"));
    EXPECT_EQ(ui::chartNumber(-1234.6, 0), QStringLiteral("\u22121\u202F235"));
    EXPECT_EQ(ui::chartNumber(-0.004, 2), QStringLiteral("0,00"));
    EXPECT_EQ(ui::chartNumber(999, 0), QStringLiteral("999"));
    EXPECT_EQ(ui::chartNumber(1e300, 2), QStringLiteral("1E+300"));
    EXPECT_EQ(ui::chartNumber(-1.5e15, 2), QStringLiteral("\u22121,5E+15"));
    EXPECT_EQ(ui::chartNumber(kNaN, 2), QStringLiteral("—"));
    EXPECT_EQ(ui::chartPercent(12.5, 1), QStringLiteral("+12,5%"));
    EXPECT_EQ(ui::chartPercent(-3, 0), QStringLiteral("\u22123%"));
    EXPECT_EQ(ui::chartPercent(0.001, 2), QStringLiteral("0,00%"));
}

TEST(TimeChartAxes, ValueTicksAreRoundFourToSevenAndHoldTheDataNotZero)
{
    const ui::ValueAxis worth = ui::valueAxis(9800, 13000);
    EXPECT_EQ(worth.ticks, (std::vector<double>{9000, 10000, 11000, 12000, 13000}));
    EXPECT_EQ(worth.decimals, 0);
    EXPECT_EQ(ui::valueAxis(0.2, 0.9).decimals, 1);

    std::vector<std::pair<double, double>> ranges{
        {0, 0},           {605, 605},          {-5, 3},
        {1e300, 1.2e300}, {-1.7e308, 1.7e308}, {1.79e308, 1.79e308},
        {0.001, 0.002},   {-2646, -500},       {1e-12, 3e-12},
        {1e17, 1e17 + 16}};
    std::mt19937 random(19);
    for (int i = 0; i < 2000; ++i) {
        const double scale = std::pow(10.0, std::uniform_int_distribution(-3, 12)(random));
        const double a = std::uniform_real_distribution(-1.0, 1.0)(random) * scale;
        ranges.emplace_back(a, a + std::uniform_real_distribution(0.0, 1.0)(random) * scale);
    }
    for (const auto& [low, high] : ranges) {
        SCOPED_TRACE(testing::Message() << low << " .. " << high);
        const ui::ValueAxis axis = ui::valueAxis(low, high);
        ASSERT_GE(axis.ticks.size(), 4U);
        ASSERT_LE(axis.ticks.size(), 7U);
        EXPECT_LE(axis.bottom, low);
        EXPECT_GE(axis.top, high);
        EXPECT_LT(axis.bottom, axis.top);
        if (std::abs(high) < 1e307) {
            const double mantissa = axis.step / std::pow(10.0, std::floor(std::log10(axis.step)));
            EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
                        std::abs(mantissa - 2.5) < 1e-9 || std::abs(mantissa - 5) < 1e-9)
                << mantissa;
            for (const double tick : axis.ticks) {
                EXPECT_NEAR(tick / axis.step, std::round(tick / axis.step), 1e-6);
            }
        }
        for (const double tick : axis.ticks) {
            EXPECT_TRUE(std::isfinite(tick));
        }
    }
}

TEST(TimeChartAxes, TimeTicksFollowTheSpanOnTheGameCalendar)
{
    const QFontMetricsF metrics(QApplication::font());
    const std::int64_t start = dayOf(1, 0, 2002);
    const std::vector<ui::ChartStretch> long_{{0, 100000, start}};
    const auto ticksOver = [&](std::int64_t first, std::int64_t last, double width = 600) {
        return labels(ui::timeTicks(long_, first, last, width, metrics));
    };

    // A month: days, the first named with its month and year.
    const QStringList month = ticksOver(dayOf(5, 2, 2003) - start, dayOf(3, 3, 2003) - start);
    ASSERT_GE(month.size(), 4);
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^\\d+ Mar 2003$")).match(month.front()).hasMatch())
        << month.join(' ').toStdString();
    EXPECT_TRUE(month.contains(QStringLiteral("21")));
    EXPECT_TRUE(month.contains(QStringLiteral("Apr")));
    // Where labels crowd, a new month keeps its name before a day does.
    for (const double width : {190.0, 200.0, 260.0, 300.0}) {
        const QStringList crowded =
            ticksOver(dayOf(12, 1, 2003) - start, dayOf(12, 2, 2003) - start, width);
        EXPECT_TRUE(
            std::any_of(crowded.begin(), crowded.end(),
                        [](const QString& l) { return l.startsWith(QStringLiteral("Mar")); }))
            << width << ": " << crowded.join(' ').toStdString();
    }
    // Two years: months, a January by its year alone.
    const QStringList years2 = ticksOver(0, dayOf(31, 11, 2003) - start);
    ASSERT_GE(years2.size(), 4);
    EXPECT_EQ(years2.front(), QStringLiteral("Gen 2002"));
    EXPECT_TRUE(years2.contains(QStringLiteral("2003")));
    EXPECT_TRUE(years2.contains(QStringLiteral("Lug")));
    // Ten years and 100000 days: years, then decades or more.
    const QStringList years10 = ticksOver(0, 3649);
    ASSERT_GE(years10.size(), 4);
    for (const QString& label : years10) {
        EXPECT_EQ(label.size(), 4) << label.toStdString();
    }
    const QStringList centuries = ticksOver(0, 99999);
    ASSERT_GE(centuries.size(), 4);
    for (const QString& label : centuries) {
        EXPECT_EQ(label.toInt() % 10, 0) << label.toStdString();
    }
    // One day is named whole; labels never overlap on a narrow chart.
    EXPECT_EQ(ticksOver(10, 10), (QStringList{QStringLiteral("11 Gen 2002")}));
    const auto narrow = ui::timeTicks(long_, 0, 3649, 150, metrics);
    EXPECT_LE(labels(narrow).size(), 3);

    // After an interruption the dates go back: the new stretch names its month and year again.
    const std::vector<ui::ChartStretch> back{{0, 99, dayOf(1, 5, 2005)},
                                             {100, 299, dayOf(1, 1, 2004)}};
    const QStringList both = labels(ui::timeTicks(back, 0, 299, 600, metrics));
    EXPECT_TRUE(both.contains(QStringLiteral("Giu 2005")) &&
                both.contains(QStringLiteral("Feb 2004")))
        << both.join(' ').toStdString();
}

TEST(TimeChartLines, ColumnsKeepExtremesGapsAndMissingDaysBreakLinesNothingOddComesOut)
{
    // 100000 days into 500 columns: the highest and lowest days survive, few points remain.
    ui::ChartSeries many{QStringLiteral("x"), 0, {}, -1, {}};
    std::mt19937 random(7);
    for (int i = 0; i < 100000; ++i) {
        many.values.push_back(std::uniform_real_distribution(100.0, 200.0)(random));
    }
    many.values[31337] = 999;
    many.values[77777] = -5;
    const std::vector<ui::ChartStretch> one{{0, 99999, 0}};
    const auto reduced = ui::linePieces(many, one, 0, 99999, 500);
    ASSERT_EQ(reduced.size(), 1U);
    EXPECT_LE(reduced[0].size(), 2000U);
    const auto [low, high] = std::minmax_element(
        reduced[0].begin(), reduced[0].end(),
        [](const ui::LinePoint& a, const ui::LinePoint& b) { return a.value < b.value; });
    EXPECT_EQ(high->value, 999);
    EXPECT_EQ(low->value, -5);
    EXPECT_NEAR(high->at, 31337, 200);

    // A gap between stretches that follow each other, missing values and infinities.
    const std::vector<ui::ChartStretch> two{{0, 3, 100}, {4, 7, 50}};
    const ui::ChartSeries odd{QStringLiteral("x"), 0, {1, kNaN, 3, 4, 5, kInf, 7, 8}, -1, {}};
    std::vector<std::vector<double>> values;
    for (const auto& piece : ui::linePieces(odd, two, 0, 7, 600)) {
        values.emplace_back();
        for (const auto& point : piece) {
            values.back().push_back(point.value);
        }
    }
    EXPECT_EQ(values, (std::vector<std::vector<double>>{{1}, {3, 4}, {5}, {7, 8}}));
    // Reduced, the gap still breaks the line.
    ui::ChartSeries wide{QStringLiteral("x"), 0, std::vector<double>(4000, 1.0), -1, {}};
    wide.values[2500] = kNaN;
    const std::vector<ui::ChartStretch> split{{0, 1999, 0}, {2000, 3999, 5000}};
    const auto pieces = ui::linePieces(wide, split, 0, 3999, 100);
    ASSERT_GE(pieces.size(), 2U);
    EXPECT_LT(pieces[0].back().at, 2000);
    EXPECT_GT(pieces[1].front().at, 2000);
    // Every other day missing: dots only.
    ui::ChartSeries alternate{QStringLiteral("x"), 0, {}, -1, {}};
    for (int i = 0; i < 60; ++i) {
        alternate.values.push_back(i % 2 == 0 ? i : kNaN);
    }
    const auto dots = ui::linePieces(alternate, {{0, 59, 0}}, 0, 59, 600);
    EXPECT_EQ(dots.size(), 30U);
    for (const auto& piece : dots) {
        EXPECT_EQ(piece.size(), 1U);
    }
    // Per cent from the first value; an overflow is no value.
    const ui::ChartSeries change{QStringLiteral("x"), 0, {200, 100, 300, 1.7e308}, -1, {}};
    const auto percent = ui::linePieces(change, {{0, 3, 0}}, 0, 3, 600, 200.0);
    ASSERT_EQ(percent.size(), 1U);
    ASSERT_EQ(percent[0].size(), 4U);
    EXPECT_EQ(percent[0][1].value, -50);
    EXPECT_EQ(percent[0][2].value, 50);
    EXPECT_TRUE(ui::linePieces(change, {{0, 3, 0}}, 0, 3, 600, 1e-10)[0].size() == 3U);
}

TEST(TimeChartWidget, KeysMoveTheCrosshairAndItNamesTheDateTheValueAndTheTrade)
{
    ui::ChartData data =
        history({605, 610.5, 598, 1234.5, 620},
                {{3, ui::ChartMark::Buy, QStringLiteral("Comprate 10 a 1234,50")}});
    // An interruption after the fourth day; the history goes on from 01 Gen 2004.
    data.stretches = {{0, 3, dayOf(5, 2, 2003)}, {4, 4, dayOf(1, 0, 2004)}};
    ui::TimeChart chart;
    chart.setAccessibleName(QStringLiteral("Prezzo"));
    chart.setData(data);
    chart.resize(500, 300);
    chart.show();
    chart.setFocus();
    QTest::keyClick(&chart, Qt::Key_Home);
    EXPECT_EQ(chart.crosshair(), 0);
    QTest::keyClick(&chart, Qt::Key_Right);
    QTest::keyClick(&chart, Qt::Key_Right);
    QTest::keyClick(&chart, Qt::Key_Right);
    EXPECT_EQ(chart.crosshair(), 3);
    EXPECT_EQ(chart.crosshairLines(), (QStringList{QStringLiteral("08 Mar 2003"),
                                                   QStringLiteral("Patrimonio: 1\u202F234,50"),
                                                   QStringLiteral("Comprate 10 a 1234,50")}));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&chart);
    ASSERT_NE(accessible, nullptr);
    EXPECT_TRUE(accessible->text(QAccessible::Value).contains(QStringLiteral("Comprate 10")));
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Prezzo"));
    // Across the interruption to the next day there is; End stays on the last.
    QTest::keyClick(&chart, Qt::Key_Right);
    EXPECT_EQ(chart.crosshairLines().value(0), QStringLiteral("01 Gen 2004"));
    QTest::keyClick(&chart, Qt::Key_Right);
    QTest::keyClick(&chart, Qt::Key_End);
    EXPECT_EQ(chart.crosshair(), 4);

    // What a screen reader hears of the whole chart.
    const QString summary = accessible->text(QAccessible::Description);
    for (const char* part : {"Dal 05 Mar 2003 al 01 Gen 2004, 5 giorni", "primo 605,00",
                             "ultimo 620,00", "massimo 1\u202F234,50 il 08 Mar 2003",
                             "minimo 598,00 il 07 Mar 2003", "Acquisti: 1", "Interruzioni"}) {
        EXPECT_TRUE(summary.contains(QString::fromUtf8(part))) << part << '\n'
                                                               << summary.toStdString();
    }
}

TEST(TimeChartWidget, RangesWheelAndDragZoomEscAndDoubleClickGoBack)
{
    std::vector<double> values(1000);
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = 10000 + static_cast<double>(i);
    }
    QWidget window;
    auto* chart = new ui::TimeChart(&window);
    auto* ranges = new ui::TimeChartRanges(chart, &window);
    chart->setGeometry(0, 40, 600, 300);
    chart->setData(history(values));
    window.show();
    auto* days30 = ranges->findChild<QToolButton*>(QStringLiteral("range30"));
    auto* all = ranges->findChild<QToolButton*>(QStringLiteral("rangeAll"));
    ASSERT_TRUE(days30 && all);
    EXPECT_TRUE(all->isChecked());

    QTest::mouseClick(days30, Qt::LeftButton);
    EXPECT_EQ(shown(*chart), QStringLiteral("970..999"));
    EXPECT_TRUE(days30->isChecked());
    // Data for a new day: the 30 days follow it.
    values.push_back(11000);
    chart->setData(history(values));
    EXPECT_EQ(shown(*chart), QStringLiteral("971..1000"));
    chart->setRange(ui::ChartRange::Year);
    EXPECT_EQ(shown(*chart), QStringLiteral("636..1000"));

    // The wheel zooms in around the mouse; no range button is then checked.
    const QPoint middle(300, 150);
    QWheelEvent wheel(middle, chart->mapToGlobal(middle), {}, QPoint(0, 240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(chart, &wheel);
    ASSERT_TRUE(chart->zoomed());
    const auto zoomed = *chart->shown();
    EXPECT_LT(zoomed.second - zoomed.first, 364);
    const QList<QToolButton*> buttons = ranges->findChildren<QToolButton*>();
    EXPECT_FALSE(
        std::any_of(buttons.begin(), buttons.end(), [](QToolButton* b) { return b->isChecked(); }));
    // Esc leaves the zoom first; only then is it the window's (the ledger closes on it).
    QAction close(&window);
    close.setShortcut(Qt::Key_Escape);
    window.addAction(&close);
    int closed = 0;
    QObject::connect(&close, &QAction::triggered, [&closed] { ++closed; });
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    chart->setFocus();
    QTest::keyClick(chart, Qt::Key_Escape);
    EXPECT_EQ(shown(*chart), QStringLiteral("636..1000"));
    EXPECT_EQ(closed, 0);
    QTest::keyClick(chart, Qt::Key_Escape);
    EXPECT_EQ(closed, 1);

    // A drag over a span shows that span; a double-click goes back.
    chart->setRange(ui::ChartRange::All);
    QTest::mousePress(chart, Qt::LeftButton, {}, QPoint(200, 150));
    QTest::mouseMove(chart, QPoint(260, 150));
    QTest::mouseMove(chart, QPoint(320, 150));
    QTest::mouseRelease(chart, Qt::LeftButton, {}, QPoint(320, 150));
    ASSERT_TRUE(chart->zoomed());
    const auto dragged = *chart->shown();
    EXPECT_NEAR(static_cast<double>(dragged.second - dragged.first), 1001.0 * 120 / 600, 60);
    QTest::mouseDClick(chart, Qt::LeftButton, {}, QPoint(300, 150));
    EXPECT_EQ(shown(*chart), QStringLiteral("0..1000"));

    // In English: the buttons and the words, with the same numbers and dates.
    QTemporaryDir folder;
    {
        ui::Language language(folder.filePath(QStringLiteral("settings.ini")));
        language.apply(ui::Language::Choice::English);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        EXPECT_EQ(days30->text(), QStringLiteral("30 days"));
        EXPECT_TRUE(chart->summary().startsWith(QStringLiteral("From 05 Mar 2003 to 29 Nov 2005")))
            << chart->summary().toStdString();
        EXPECT_TRUE(chart->summary().contains(QStringLiteral("11\u202F000,00")));
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    EXPECT_EQ(days30->text(), QStringLiteral("30 giorni"));
}

TEST(TimeChartWidget, OddDataIsDrawnOrLeftOutNeverCrashes)
{
    std::vector<double> alternate;
    for (int i = 0; i < 60; ++i) {
        alternate.push_back(i % 2 == 0 ? -500.0 - i : kNaN);
    }
    const std::vector<std::pair<std::vector<double>, const char*>> cases{
        {{}, "nessun valore"},
        {{10000}, "Il 05 Mar 2003"},
        {std::vector<double>(40, 605), "massimo 605,00"},
        {std::vector<double>(40, 0), "ultimo 0,00"},
        {{1e300, 1e300, 1.79e308, -1.79e308}, "massimo 1,79E+308"},
        {{kNaN, kInf, -kInf, 5}, "primo 5,00"},
        {alternate, "minimo \u2212558,00"}};
    ui::TimeChart chart;
    chart.resize(400, 240);
    chart.show();
    for (const ui::ChartMode mode : {ui::ChartMode::Values, ui::ChartMode::PercentChange}) {
        for (const auto& [values, said] : cases) {
            ui::ChartData data = history(values);
            if (values.empty()) {
                data.stretches = {{0, 9, dayOf(5, 2, 2003)}};
            }
            chart.setMode(mode);
            chart.setData(data);
            chart.setCrosshair(0);
            EXPECT_FALSE(chart.grab().isNull());
            if (mode == ui::ChartMode::Values) {
                EXPECT_TRUE(chart.summary().contains(QString::fromUtf8(said)))
                    << chart.summary().toStdString();
            }
        }
    }
    // Day numbers no ledger could hold are left out, whatever asks for them.
    constexpr auto kFar = std::numeric_limits<std::int64_t>::max();
    chart.setData({{{-kFar - 1, kFar, kFar}, {0, 3, kFar}, {-5, 9, 0}}, {}});
    chart.zoomTo(-kFar - 1, kFar);
    chart.setCrosshair(kFar);
    EXPECT_EQ(shown(chart), QStringLiteral("-5..9"));
    chart.setData({});
    EXPECT_EQ(chart.summary(), QStringLiteral("Nessun giorno da mostrare."));
    EXPECT_FALSE(chart.shown());
    EXPECT_FALSE(chart.grab().isNull());
}

TEST(TimeChartColours, LinesMarksAndTextsStandOutUnderLightDarkAndHighContrast)
{
    const std::vector<std::pair<const char*, QPalette>> schemes{
        {"light", QApplication::style()->standardPalette()},
        {"dark", QPalette(QColor(0x35, 0x35, 0x35))},
        {"high-contrast", QPalette(Qt::black)}};
    const QPalette system = QApplication::palette();
    for (const auto& [scheme, palette] : schemes) {
        SCOPED_TRACE(scheme);
        QApplication::setPalette(palette);
        ui::TimeChart chart;
        chart.setData(history(std::vector<double>(30, 605)));
        chart.resize(400, 240);
        const ui::ChartColours c = ui::chartColours(chart.palette());
        EXPECT_EQ(c.base, chart.palette().color(QPalette::Base));
        EXPECT_GE(support::contrast(c.text, c.base), 4.5);
        for (const QColor& colour : c.series) {
            EXPECT_GE(support::contrast(colour, c.base), 3.0) << colour.name().toStdString();
        }
        for (const QColor& colour : {c.buy, c.sell, c.win, c.crosshair}) {
            EXPECT_GE(support::contrast(colour, c.base), 3.0) << colour.name().toStdString();
        }
        // The flat line is drawn across the chart in the first series colour, on the base.
        const QImage picture = chart.grab().toImage();
        if (const QString folder = qEnvironmentVariable("TOLV_SCREENSHOTS"); !folder.isEmpty()) {
            picture.save(QDir(folder).filePath(QStringLiteral("%1-TimeChart.png").arg(scheme)));
        }
        int line = 0;
        for (int y = 0; y < picture.height(); ++y) {
            line += picture.pixelColor(picture.width() / 2, y) == c.series[0] ? 1 : 0;
        }
        EXPECT_GE(line, 1);
        EXPECT_EQ(picture.pixelColor(picture.width() - 3, 3), c.base);
    }
    QApplication::setPalette(system);
}
