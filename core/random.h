#pragma once

namespace lumora {

// Source of the random draws: a uniform number in [0, 1). The exercises keep
// their formulas (integer part of r * n + offset); tests script the numbers.
class Random {
public:
    virtual ~Random() = default;
    virtual double next() = 0;
};

Random& random();
// Installs another source (not owned); nullptr goes back to the clock-seeded one.
void setRandom(Random* r);

// Integer part of r * n + offset, for a fresh r.
int draw(int n, int offset = 0);

} // namespace lumora
