// The ledger chart's speed: a whole picture of ten years (and of 100000 days) of net worth or of
// five companies in per cent, and the crosshair following the mouse over it. The budgets are
// 8 ms for ten years drawn and a frame (16 ms) for the crosshair.
#include "game/texts.h"
#include "ui/time_chart.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include "bench_support.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// A history of `days` days from 01 Gen 2002 with an interruption a third of the way in, the
// net worth (with a win) or five companies' prices (traded every week).
ui::ChartData history(std::int64_t days, int companies)
{
    bench::BenchRandom random;
    ui::ChartData data;
    const std::int64_t start = game::dayNumber(game::Date{1, 0, 2002});
    const std::int64_t gap = days / 3;
    data.stretches = {{0, gap - 1, start}, {gap + 10, days - 1, start + gap + 40}};
    for (int c = 0; c < std::max(1, companies); ++c) {
        ui::ChartSeries series;
        series.name = companies == 0 ? QStringLiteral("Patrimonio") : QStringLiteral("Società");
        double v = companies == 0 ? 10000 : 100 + 50 * c;
        for (std::int64_t x = 0; x < days; ++x) {
            v *= 1 + (random.next() - 0.5) * 0.2;
            series.values.push_back(v);
            if (x % 7 == 3) {
                series.markers.push_back({x, x % 14 == 3 ? ui::ChartMark::Buy : ui::ChartMark::Sell,
                                          QStringLiteral("10")});
            }
        }
        series.markers.push_back({days / 2, ui::ChartMark::Win, {}});
        data.series.push_back(std::move(series));
    }
    return data;
}

// A chart as the ledger window shows it, on the screen.
struct ShownChart {
    ui::TimeChart chart;
    QImage picture{800, 400, QImage::Format_ARGB32_Premultiplied};

    ShownChart(std::int64_t days, int companies)
    {
        chart.setData(history(days, companies));
        chart.setMode(companies > 0 ? ui::ChartMode::PercentChange : ui::ChartMode::Values);
        chart.resize(800, 400);
        chart.show();
        chart.render(&picture);
    }
};

// Range 0: the days; range 1: 0 for the net worth, else the companies in per cent. Each
// iteration draws a new picture of the whole history (the zoom moves by a day, as a wheel's
// turn does), from the lines to the texts.
void ChartDraw(benchmark::State& state)
{
    ShownChart shown(state.range(0), static_cast<int>(state.range(1)));
    bool moved = false;
    for (auto _ : state) {
        moved = !moved;
        if (moved) {
            shown.chart.zoomTo(1, state.range(0) - 1);
        } else {
            shown.chart.setRange(ui::ChartRange::All);
        }
        shown.chart.render(&shown.picture);
    }
    benchmark::DoNotOptimize(shown.picture.constBits());
}
BENCHMARK(ChartDraw)
    ->Args({3650, 0})
    ->Args({3650, 5})
    ->Args({100000, 0})
    ->Args({100000, 5})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The mouse moves over the chart and the crosshair, its dots and its box are painted where they
// were and where they go, as the window system would ask.
void ChartHover(benchmark::State& state)
{
    ShownChart shown(state.range(0), static_cast<int>(state.range(1)));
    int step = 0;
    for (auto _ : state) {
        const QPointF at(100 + (step++ % 600), 200);
        QMouseEvent move(QEvent::MouseMove, at, shown.chart.mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&shown.chart, &move);
        QCoreApplication::processEvents();
    }
    if (!shown.chart.crosshair()) {
        state.SkipWithError("the crosshair did not follow the mouse");
    }
}
BENCHMARK(ChartHover)
    ->Args({3650, 0})
    ->Args({3650, 5})
    ->Args({100000, 5})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return bench::runWindowBenchmarks(argc, argv);
}
