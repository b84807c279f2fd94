// Where the day advance gets its random values from.
#pragma once

namespace game {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Seeds the source from the clock; the main window does it once as it loads.
    virtual void seedFromClock() = 0;
    // A value uniformly distributed in [0, 1).
    virtual double next() = 0;
};

} // namespace game
