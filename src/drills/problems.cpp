#include "drills/problems.hpp"

#include "base/errors.hpp"
#include "base/random.hpp"

namespace tl::drills {

namespace {

std::int64_t uniform(std::int64_t lo, std::int64_t hi) { return randomSource().uniformInRange(lo, hi); }

CountProblem countForKind(std::int64_t kind, bool anyRow) {
    switch (kind) {
        case 0: {
            // Count on from the larger number by at most three.
            std::int64_t a = uniform(1, 9);
            std::int64_t b = a == 1 ? 1 : a == 2 ? uniform(1, 2) : uniform(1, 3);
            return {"count on", a, b};
        }
        case 1: {
            std::int64_t a = uniform(5, 9);
            return {"combine to ten", a, 10 - a};
        }
        case 2: return {"make a ten", 9, uniform(1, 9)};
        default: {
            // The mixed row draws this one the other way, with the same range.
            std::int64_t b = anyRow ? static_cast<std::int64_t>(randomSource().uniformBelow(8)) + 2 : uniform(2, 9);
            return {"make a ten", 8, b};
        }
    }
}

// The smallest n of each kind of doubles problem; the largest is 9.
constexpr std::int64_t kLowest[4] = {1, 2, 2, 3};

}  // namespace

CountProblem pickCountProblem(int row) {
    require(row >= 0 && row <= 4, "counting menu has no row " + std::to_string(row));
    if (row < 4) return countForKind(row, false);
    return countForKind(uniform(0, 3), true);
}

std::int64_t pickDoublesProblem(int row) {
    require(row >= 0 && row <= 4, "doubles menu has no row " + std::to_string(row));
    const std::int64_t kind = row < 4 ? row : uniform(0, 3);
    return 16 * kind + uniform(kLowest[kind], 9);
}

}  // namespace tl::drills
