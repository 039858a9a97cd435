#include <gtest/gtest.h>

#include "base/errors.hpp"
#include "common/items.hpp"
#include "common/primes.hpp"

using namespace tl;

TEST(Primes, Factorisation) {
    EXPECT_FALSE(primeFactorPairs(1));
    EXPECT_FALSE(primeFactorPairs(0));
    EXPECT_FALSE(primeFactorPairs(-6));
    EXPECT_EQ(primeFactorPairs(12), (Factorisation{{2, 2}, {3, 1}}));
    EXPECT_EQ(primeFactorPairs(97), (Factorisation{{97, 1}}));
    EXPECT_EQ(primeFactorPairs(360), (Factorisation{{2, 3}, {3, 2}, {5, 1}}));
    EXPECT_EQ(primeFactorPairs(2 * 2 * 1'000'003LL), (Factorisation{{2, 2}, {1'000'003, 1}}));
    // A large prime (and a product of two) finishes at once: trial division stops at its square root.
    EXPECT_EQ(primeFactorPairs(999'999'999'989LL), (Factorisation{{999'999'999'989LL, 1}}));
    EXPECT_EQ(primeFactorPairs(INT64_MAX), (Factorisation{{7, 2}, {73, 1}, {127, 1}, {337, 1}, {92737, 1},
                                                          {649657, 1}}));
    EXPECT_EQ(primeFactors(72, 2), (PrimeFactorCounts{{{2, 3}, {3, 2}}, 2, 2, 1}));
    EXPECT_EQ(primeFactors(72, 1), (PrimeFactorCounts{{{2, 3}, {3, 2}}, 2, 2, 2}));
    EXPECT_FALSE(primeFactors(1, 2));
    EXPECT_THROW(primeFactors(12, 0), PreconditionError);
}

TEST(Primes, TreeOfTwelve) {
    const Factorisation f{{2, 2}, {3, 1}};
    const auto tree = primeTreePairs(12, f, true);
    EXPECT_EQ(tree, (std::vector<PrimeTreeEntry>{{{1, Color::clear}, {12, Color::black}},
                                                 {{2, Color::red}, {6, Color::black}},
                                                 {{2, Color::red}, {3, Color::blue}}}));
    EXPECT_EQ(primeTreePairs(12, f, false).back(), (PrimeTreeEntry{{2, Color::black}, {3, Color::black}}));
    EXPECT_EQ(primeTreePairs(7, {{7, 1}}, true),
              (std::vector<PrimeTreeEntry>{{{1, Color::clear}, {7, Color::red}}}));
    EXPECT_EQ(primeTreeItem("anon", tree),
              (Engine_Table{{"start", "1"},
                            {"plug_in", "prime_tree", "4"},
                            {"prime_tree_pairs", "1", "12", "2", "6", "2", "3"},
                            {"prime_tree_colors", "clear", "black", "red", "black", "red", "blue"},
                            {"prime_tree_tag", "anon"}}));
    EXPECT_THROW(primeTreePairs(1, {}, true), PreconditionError);
}

TEST(Primes, FactorProducts) {
    const Engine_Table two = integerItem(2, Color::blue);
    EXPECT_EQ(factorProductTable({{2, 2}, {3, 1}}, Color::blue),
              joinItem("\u2219", joinItem("^", two, two, Color::blue), integerItem(3, Color::blue), Color::black));
    EXPECT_EQ(factorProductTable({{5, 1}}, Color::red), integerItem(5, Color::red));
    EXPECT_EQ(alternatingFactorProductTable({{2, 1}, {3, 1}, {5, 1}}, Color::red, Color::blue),
              joinItem("∙", joinItem("∙", integerItem(2, Color::red), integerItem(3, Color::blue)),
                       integerItem(5, Color::red)));
    EXPECT_EQ(alternatingFactorProductTable({{2, 1}, {3, 1}}, Color::green, Color::green),
              factorProductTable({{2, 1}, {3, 1}}, Color::green));
    EXPECT_THROW(factorProductItem({}), PreconditionError);
}
