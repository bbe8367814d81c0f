#include "core/random.h"

#include <chrono>
#include <random>

namespace lumora {
namespace {

// Seeded once from the clock. Reseeding before every draw, as a coarse timer
// would, repeats the same number within one tick and can stall a draw loop.
class ClockRandom : public Random {
public:
    double next() override { return (engine() >> 11) * 0x1.0p-53; }

private:
    std::mt19937_64 engine{static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count())};
};

ClockRandom clockRandom;
Random* installed = &clockRandom;

// Asks whichever source is installed at the time of the draw, so that a
// source installed after a window was made still counts.
class InstalledRandom : public Random {
public:
    double next() override { return installed->next(); }
};

} // namespace

Random& random()
{
    static InstalledRandom source;
    return source;
}

void setRandom(Random* r) { installed = r ? r : &clockRandom; }

int draw(Random& source, int n, int offset) { return static_cast<int>(source.next() * n) + offset; }

} // namespace lumora
