// Test support: polynomials in one letter written out with exact rationals,
// their product, and their greatest common divisor by Euclid, computed
// without the engine's own polynomial code.
#pragma once

#include <utility>
#include <vector>

#include "algebra/rational.hpp"

namespace tl::testing {

/// A polynomial in x by ascending powers, exact; no trailing zeros (none for 0).
using Dense = std::vector<Rational>;

inline Dense trimmed(Dense a) {
    while (!a.empty() && a.back().numerator == 0) a.pop_back();
    return a;
}
inline Dense product(const Dense& a, const Dense& b) {
    if (a.empty() || b.empty()) return {};
    Dense c(a.size() + b.size() - 1, makeDefaultRational(0, 1));
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) c[i + j] = *addRational(c[i + j], *multiplyRational(a[i], b[j]));
    return c;
}
/// Euclid: a, b ← b, a mod b until b is 0; each remainder scaled to lead with 1,
/// which keeps the numbers smaller. The gcd of 0 and 0 is 0 (no coefficients).
inline Dense gcdOf(Dense a, Dense b) {
    a = trimmed(std::move(a));
    for (b = trimmed(std::move(b)); !b.empty();) {
        while (a.size() >= b.size()) {
            const Rational f = *divideRational(a.back(), b.back());
            const std::size_t shift = a.size() - b.size();
            for (std::size_t i = 0; i < b.size(); ++i)
                a[shift + i] = *subtractRational(a[shift + i], *multiplyRational(f, b[i]));
            a = trimmed(a);
        }
        for (Rational& c : a) c = *divideRational(c, a.back());
        std::swap(a, b);
    }
    return a;
}

}  // namespace tl::testing
