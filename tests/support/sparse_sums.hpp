// Polynomials of one letter with few terms, written out as a learner types
// them; shared by the tests and the benchmarks (bench/ reaches it through
// its include path).
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace tl::testing {

/// Coefficients by power, sparse.
using Sparse = std::map<std::uint64_t, std::int64_t>;

/// a·b, for small coefficients only; no zero terms kept.
inline Sparse times(const Sparse& a, const Sparse& b) {
    Sparse product;
    for (const auto& [i, c] : a)
        for (const auto& [j, d] : b) product[i + j] += c * d;
    std::erase_if(product, [](const auto& term) { return term.second == 0; });
    return product;
}

/// As a learner types it, highest power first: "x^1503 + 2x^1501 - x + 1".
inline std::string written(const Sparse& p) {
    std::string text;
    for (auto it = p.rbegin(); it != p.rend(); ++it) {
        const auto [power, c] = *it;
        if (c == 0) continue;
        text += text.empty() ? (c < 0 ? "-" : "") : (c < 0 ? " - " : " + ");
        const std::int64_t magnitude = c < 0 ? -c : c;
        if (magnitude != 1 || power == 0) text += std::to_string(magnitude);
        if (power > 0) text += "x";
        if (power > 1) text.append("^").append(std::to_string(power));
    }
    return text;
}

/// "(n)/(d)". (Built by appending: g++ 12 warns wrongly, -Wrestrict, about "(" + a string.)
inline std::string fraction(const std::string& numerator, const std::string& denominator) {
    return std::string("(").append(numerator).append(")/(").append(denominator).append(")");
}

/// A and B of degree d with constant term 1 and five terms each, coprime.
inline Sparse sparseA(std::uint64_t d) { return {{0, 1}, {d / 5, 2}, {d / 2, -3}, {3 * d / 4, 5}, {d, 1}}; }
inline Sparse sparseB(std::uint64_t d) { return {{0, 1}, {d / 7, -4}, {d / 3, 1}, {2 * d / 3, 6}, {d, 1}}; }

/// (S·A)/(S·B) written out, S = x³ + x + 1: numerator and denominator share
/// S, and nothing simpler shows it.
inline std::string sharedCubic(std::uint64_t d) {
    const Sparse s{{0, 1}, {1, 1}, {3, 1}};
    return fraction(written(times(s, sparseA(d))), written(times(s, sparseB(d))));
}

/// A/B without the shared cubic: a finished expression.
inline std::string coprimeSparse(std::uint64_t d) { return fraction(written(sparseA(d)), written(sparseB(d))); }

}  // namespace tl::testing
