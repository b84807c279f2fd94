// What every benchmark of the windows plays with: a repeatable random source and boxes that answer
// nothing.
#pragma once

#include "bench_random.h"
#include "platform/dialogs.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <functional>

namespace bench {

// Boxes that answer nothing and count the messages.
class SilentDialogs final : public platform::Dialogs {
public:
    void message(const QString&, const QString&) override { ++messages; }
    bool question(const QString&, const QString&) override { return false; }
    QString input(const QString&, const QString&) override { return {}; }
    bool choose(const QString&, const QString&, const QString&, const QString&,
                const std::function<void(Press)>&) override
    {
        return true;
    }
    int messages = 0;
};

// The main of a benchmark of the windows: offscreen unless a platform is named, one application,
// `setUp` once it exists.
inline int runWindowBenchmarks(int argc, char** argv, const std::function<void()>& setUp = {})
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (setUp) {
        setUp();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
