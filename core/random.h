#pragma once

namespace lumora {

// Source of the random draws: a uniform number in [0, 1). The exercises keep
// their formulas (integer part of r * n + offset); tests script the numbers.
class Random {
public:
    virtual ~Random() = default;
    virtual double next() = 0;
};

// The composition root's source: clock-seeded, unless a test has installed
// another one (not owned; nullptr goes back to the clock-seeded one).
Random& random();
void setRandom(Random* r);

// Integer part of r * n + offset, for a fresh r from source.
int draw(Random& source, int n, int offset = 0);

} // namespace lumora
