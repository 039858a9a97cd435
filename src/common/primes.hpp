// Prime factorisation of a positive integer, and its two displays: a factor
// tree (a "prime_tree" plug-in record) and a product of prime powers
// written with "^" and "∙" joins.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "common/enums.hpp"
#include "common/tableau.hpp"

namespace tl {

struct PrimePower {
    std::int64_t prime = 0;
    std::int64_t exponent = 0;
    friend bool operator==(const PrimePower&, const PrimePower&) = default;
};

/// Primes ascending, each once, every exponent ≥ 1.
using Factorisation = std::vector<PrimePower>;

/// The factorisation of n, or none when n < 2.
std::optional<Factorisation> primeFactorPairs(std::int64_t n);

struct PrimeFactorCounts {
    Factorisation factors;
    std::int64_t distinctPrimes = 0;
    std::int64_t exponentsAtLeastK = 0;
    std::int64_t exponentsDivisibleByK = 0;
    friend bool operator==(const PrimeFactorCounts&, const PrimeFactorCounts&) = default;
};

/// The factorisation with its counts for k ≥ 1; none when n < 2.
std::optional<PrimeFactorCounts> primeFactors(std::int64_t n, std::int64_t k);

struct ColoredNumber {
    std::int64_t value = 0;
    Color color = Color::black;
    friend bool operator==(const ColoredNumber&, const ColoredNumber&) = default;
};

/// One split of the tree: a prime (left) and what is left (right).
struct PrimeTreeEntry {
    ColoredNumber left;
    ColoredNumber right;
    friend bool operator==(const PrimeTreeEntry&, const PrimeTreeEntry&) = default;
};

/// The tree of n from its factorisation (at least one pair); with
/// `alternate`, successive distinct primes are red, blue, red, …
std::vector<PrimeTreeEntry> primeTreePairs(std::int64_t n, const Factorisation& factors, bool alternate);

/// ["start","1"], ["plug_in","prime_tree","4"], pairs, colours, tag.
Engine_Table primeTreeItem(std::string_view tag, const std::vector<PrimeTreeEntry>& entries);

/// 2^2 ∙ 3 from [((2,2), c1), ((3,1), c2)]: bases and exponents in their
/// factor's colour, product signs black, an exponent of 1 not shown.
Engine_Table factorProductItem(const std::vector<std::pair<PrimePower, Color>>& items);
Engine_Table factorProductTable(const Factorisation& factors, Color colour);
/// The factors coloured first, second, first, … (all alike when the colours are equal).
Engine_Table alternatingFactorProductTable(const Factorisation& factors, Color first, Color second);

}  // namespace tl
