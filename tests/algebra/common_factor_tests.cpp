#include "algebra/common_factor.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "base/errors.hpp"
#include "base/random.hpp"
#include "support/recording_checks.hpp"

namespace tl {
namespace {

using Dense = std::vector<Rational>;

Dense whole(std::initializer_list<std::int64_t> ascending) {
    Dense d;
    for (std::int64_t c : ascending) d.push_back(makeDefaultRational(c, 1));
    return d;
}
/// Π (x − r) over the roots, in whole numbers.
Dense withRoots(const std::vector<std::int64_t>& roots) {
    std::vector<std::int64_t> c{1};
    for (std::int64_t r : roots) {
        c.push_back(0);
        for (std::size_t i = c.size() - 1; i > 0; --i) c[i] = c[i - 1] - r * c[i];
        c[0] *= -r;
    }
    Dense d;
    for (std::int64_t n : c) d.push_back(makeDefaultRational(n, 1));
    return d;
}

TEST(CommonFactor, Table) {
    const Rational half = makeDefaultRational(1, 2), third = makeDefaultRational(1, 3);
    const struct {
        Dense a, b;
        bool shared;
    } cases[] = {
        {{}, {}, true},                             // 0 and 0
        {{}, whole({1, 1}), true},                  // 0 and x + 1
        {{}, whole({5}), false},                    // 0 and 5
        {whole({5, 0, 0}), whole({0, 1}), false},   // 5 and x
        {whole({1, 1}), whole({1, 1}), true},
        {whole({1, 1}), whole({-1, 1}), false},
        {whole({0, 1}), whole({0, 0, 3}), true},    // x and 3x²
        {whole({2, 0, 3, 0, 1}), whole({1, 0, 1}), true},  // x⁴ + 3x² + 2 and x² + 1, neither with a root
        {Dense{third, half}, whole({2, 3}), true},  // (1/2)x + 1/3 and 3x + 2
        // Beyond 64 bits for Euclid over the rationals:
        {whole({8, 10, 9, 4, 4}), whole({11, 5, 2, -7, 3, 1}), false},
        {whole({8, 10, 9, 4, 0, 0, 0, 0, 17}), whole({11, 5, 2, -7, 13, 0, 0, 1}), false},
        {whole({7, 1000010, 1000003, 0, 1, 1}), whole({5, 5, -999983, -999982, 1}), true},  // x + 1
        {whole({7, 1000003, 0, 0, 1}), whole({5, 0, -999983, 1}), false},
        {whole({INT64_MIN + 1, 1}), whole({INT64_MIN + 1, 1, 0}), true},
        {whole({INT64_MAX, INT64_MAX}), whole({INT64_MAX, 1}), false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(haveCommonFactor(cases[i].a, cases[i].b), cases[i].shared) << "case " << i;
        EXPECT_EQ(haveCommonFactor(cases[i].b, cases[i].a), cases[i].shared) << "case " << i << ", swapped";
    }
    EXPECT_THROW(haveCommonFactor(Dense{makeDefaultRational(1, 0)}, whole({1, 1})), PreconditionError);
}

// Products of x − r for whole roots share a factor exactly when they share a
// root; of degree up to 6 with roots up to 60 Euclid over 64-bit rationals
// would not get through.
TEST(CommonFactor, SharedRootsBeyondEuclid) {
    SystemRandom random(31337);
    for (int i = 0; i < 500 / tl::testing::kSanitizerSlowdown; ++i) {
        std::vector<std::int64_t> roots[2];
        for (auto& list : roots)
            for (std::int64_t k = random.uniformInRange(3, 6); k > 0; --k)
                list.push_back(random.uniformInRange(-60, 60));
        const bool expected =
            std::ranges::any_of(roots[0], [&](std::int64_t r) { return std::ranges::count(roots[1], r) > 0; });
        ASSERT_EQ(haveCommonFactor(withRoots(roots[0]), withRoots(roots[1])), expected) << i;
    }
}

}  // namespace
}  // namespace tl
