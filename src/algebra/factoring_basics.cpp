#include "algebra/factoring_basics.hpp"

#include <algorithm>
#include <map>
#include <optional>
#include <ranges>
#include <utility>

#include "base/checked.hpp"
#include "base/errors.hpp"
#include "common/integers.hpp"

namespace tl {

namespace {

Rational present(const std::optional<Rational>& r) {
    require(r.has_value(), "zero denominator in a factored polynomial");
    return *r;
}

/// r^k by squaring, every product reduced.
Rational rationalPower(Rational r, std::uint64_t k) {
    Rational result = makeDefaultRational(1, 1);
    while (k > 0) {
        if (k & 1) result = present(multiplyRational(result, r));
        k >>= 1;
        if (k > 0) r = present(multiplyRational(r, r));
    }
    return result;
}

std::uint64_t checkedExponent(std::uint64_t base, std::uint64_t exponent, std::uint64_t times) {
    std::uint64_t product, sum;
    if (__builtin_mul_overflow(exponent, times, &product) || __builtin_add_overflow(base, product, &sum))
        throw OverflowError("exponent beyond 64 bits");
    return sum;
}

const Term_XL& firstTerm(const Polynomial_XL& p) {
    require(!p.terms.empty() && !p.terms.front().empty(), "a factored polynomial without a first term");
    return p.terms.front().front();
}

bool numeratorIsZero(const Term_XL& t) { return t.monomial.coefficient.numerator == 0; }

Term_XL withNumerator(Term_XL t, std::int64_t numerator) {
    t.monomial.coefficient.numerator = numerator;
    return t;
}

/// The term with its coefficient in lowest terms over a positive denominator,
/// black when that changed it; as it was otherwise.
Term_XL inLowestTerms(const Term_XL& t) {
    using checked::i128;
    const Rational& c = t.monomial.coefficient;
    require(c.denominator != 0, "a coefficient over 0");
    const auto g = static_cast<i128>(magnitudeGcd(c.numerator, c.denominator));  // 2⁶³ at most
    if (g == 1 && c.denominator > 0) return t;
    i128 n = c.numerator / g, d = c.denominator / g;
    if (d < 0) n = -n, d = -d;
    // Only a sign moved off −2⁶³ leaves 64 bits.
    if (n > checked::kMax || d > checked::kMax) throw OverflowError("64-bit overflow in negation");
    Term_XL result = t;
    result.monomial.coefficient = makeDefaultRational(static_cast<std::int64_t>(n), static_cast<std::int64_t>(d));
    return result;
}

Term_XL negatedTerm(const Term_XL& t) { return withNumerator(t, checked::neg(t.monomial.coefficient.numerator)); }

Term_XL constantTerm(std::int64_t n, const std::string& variable, std::vector<Factor> factors = {}) {
    return makeTermXL(makeMonomial(makeDefaultRational(n, 1), 0, variable), std::move(factors));
}

/// The terms with a non-zero coefficient, stable-sorted by descending exponent.
GroupXL nonZeroTermsInStandardOrder(const Polynomial_XL& p) {
    GroupXL terms;
    for (const Term_XL& t : p.terms.front())
        if (!numeratorIsZero(t)) terms.push_back(t);
    std::ranges::stable_sort(terms, std::ranges::greater{}, [](const Term_XL& t) { return t.monomial.exponent; });
    return terms;
}

Term_XL shiftedTerm(Term_XL t, std::uint64_t offset) {
    for (Factor& f : t.factors) f.pointer += offset;
    return t;
}

/// Where the −1 taken out of a value can come from its first group instead
/// of its expression: group 0 leads negative and only one term of the
/// expression (the last group) names it, to an odd power in all or not.
struct NegativeFirstGroup {
    std::size_t term = 0;
    bool odd = false;
};

std::optional<NegativeFirstGroup> negativeFirstGroup(const Polynomial_XL& p) {
    const std::size_t root = p.terms.size() - 1;
    if (root == 0 || p.terms[0].empty() || p.terms[0].front().monomial.coefficient.numerator >= 0) return std::nullopt;
    std::optional<NegativeFirstGroup> found;
    for (std::size_t g = 0; g <= root; ++g)
        for (std::size_t k = 0; k < p.terms[g].size(); ++k)
            for (const Factor& f : p.terms[g][k].factors) {
                if (f.pointer != 0) continue;
                if (g != root || (found && found->term != k)) return std::nullopt;
                if (!found) found = NegativeFirstGroup{k, false};
                found->odd ^= (f.exponent & 1) != 0;
            }
    return found;
}

}  // namespace

Term_XL colorTermXL(Color color, const Term_XL& term) { return recolorTermXL(color, term); }

GroupXL recolorGroupXL(Color color, const GroupXL& group) {
    GroupXL result;
    result.reserve(group.size());
    for (const Term_XL& t : group) result.push_back(colorTermXL(color, t));
    return result;
}

GroupXL recolorFirstGroupXL(Color color, const Polynomial_XL& polynomial) {
    return recolorGroupXL(color, at(polynomial.terms, std::size_t{0}));
}

Factor makeFactorForIndex(std::uint64_t index, std::uint64_t threshold, Color color) {
    const Color c = index >= threshold ? color : Color::black;
    return makeColoredFactor(index, 1, c, c);
}

Term_XL blackenedExceptXL(const Term_XL& term, std::uint64_t first, std::uint64_t end) {
    Term_XL result{colorMonomial(Color::black, term.monomial), term.factors};
    for (Factor& f : result.factors)
        if (f.pointer < first || f.pointer >= end) f = recolorFactor(Color::black, f);
    return result;
}

const Term_XL& expressionTermXL(const Polynomial_XL& polynomial) {
    require(!polynomial.terms.empty() && !polynomial.terms.back().empty(), "a factored polynomial without an expression");
    return polynomial.terms.back().front();
}

Term_XL& expressionTermXL(Polynomial_XL& polynomial) {
    return const_cast<Term_XL&>(expressionTermXL(std::as_const(polynomial)));
}

bool termXLEquals(const Term_XL& a, const Term_XL& b) {
    return a.factors.empty() && b.factors.empty() && monomialEquals(a.monomial, b.monomial);
}

Term_XL zeroTermXL(const std::string& variable) { return constantTerm(0, variable); }

std::optional<std::size_t> findWorkingGroupXL(const Polynomial_XL& polynomial) {
    if (polynomial.terms.empty()) return std::nullopt;
    if (polynomial.terms.size() == 1) return 0;
    const GroupXL& root = polynomial.terms.back();
    if (root.empty() || root.front().factors.empty()) return std::nullopt;
    const std::uint64_t pointer = root.front().factors.back().pointer;
    if (pointer >= polynomial.terms.size() - 1) return std::nullopt;
    return static_cast<std::size_t>(pointer);
}

std::size_t workingGroupXL(const Polynomial_XL& polynomial) {
    const auto w = findWorkingGroupXL(polynomial);
    require(w.has_value(), "a factored polynomial without a working group");
    return *w;
}

Polynomial_XL replaceGroupByProductXL(const Polynomial_XL& polynomial, std::size_t index,
                                      const std::vector<GroupXL>& replacement, std::optional<Color> factorColor) {
    require(index + 1 < polynomial.terms.size(), "only a factor group can be replaced");
    require(!replacement.empty(), "a group replaced by nothing");
    const std::uint64_t extra = replacement.size() - 1;
    const auto remap = [&](const GroupXL& group) {
        GroupXL result;
        for (const Term_XL& t : group) {
            Term_XL moved{t.monomial, {}};
            for (const Factor& f : t.factors) {
                if (f.pointer == index) {
                    for (std::uint64_t j = 0; j <= extra; ++j)
                        moved.factors.push_back(makeColoredFactor(index + j, f.exponent,
                                                                  factorColor.value_or(f.parenthesis_color),
                                                                  factorColor.value_or(f.exponent_color)));
                } else {
                    Factor g = f;
                    if (g.pointer > index) g.pointer += extra;
                    moved.factors.push_back(g);
                }
            }
            result.push_back(std::move(moved));
        }
        return result;
    };
    Polynomial_XL result;
    for (std::size_t i = 0; i < polynomial.terms.size(); ++i) {
        if (i == index)
            for (const GroupXL& g : replacement) result.terms.push_back(remap(g));
        else
            result.terms.push_back(remap(polynomial.terms[i]));
    }
    return result;
}

// ---- tests -------------------------------------------------------------------

bool hasZeroDenominatorXL(const Polynomial_XL& polynomial) {
    return std::ranges::any_of(polynomial.terms, [](const GroupXL& g) {
        return std::ranges::any_of(g, [](const Term_XL& t) { return t.monomial.coefficient.denominator == 0; });
    });
}

bool equalsRationalConstantXL(const Rational& r, const Polynomial_XL& polynomial) {
    if (polynomial.terms.empty()) return false;
    const GroupXL& last = polynomial.terms.back();
    if (last.size() != 1 || !last.front().factors.empty()) return false;
    const Monomial& m = last.front().monomial;
    return rationalEquals(m.coefficient, r) && m.exponent == 0 && m.variable == "x";
}

bool equalsConstantXL(std::int64_t n, const Polynomial_XL& polynomial) {
    return equalsRationalConstantXL(makeDefaultRational(n, 1), polynomial);
}

bool isInStandardOrderXL(const Polynomial_XL& polynomial) {
    if (polynomial.terms.size() != 1) return false;
    const GroupXL& g = polynomial.terms.front();
    if (std::ranges::any_of(g, [](const Term_XL& t) { return !t.factors.empty(); })) return false;
    return std::ranges::is_sorted(g, std::ranges::greater{}, [](const Term_XL& t) { return t.monomial.exponent; });
}

bool sameSingleGroupXL(const Polynomial_XL& a, const Polynomial_XL& b) {
    return a.terms.size() == 1 && b.terms.size() == 1 &&
           std::ranges::equal(a.terms.front(), b.terms.front(), monomialEquals, &Term_XL::monomial,
                              &Term_XL::monomial);
}

bool leadingCoefficientIsNegativeXL(const Polynomial_XL& polynomial) {
    return firstTerm(polynomial).monomial.coefficient.numerator < 0;
}

std::optional<std::uint64_t> degreeXL(const Polynomial_XL& polynomial) {
    if (polynomial.terms.size() != 1 || polynomial.terms.front().empty()) return std::nullopt;
    std::optional<std::uint64_t> degree;
    for (const Term_XL& t : polynomial.terms.front())
        if (!numeratorIsZero(t)) degree = std::max(degree.value_or(0), t.monomial.exponent);
    return degree;
}

std::optional<Monomial> firstMonomialXL(const Polynomial_XL& polynomial) {
    if (polynomial.terms.size() != 1 || polynomial.terms.front().empty()) return std::nullopt;
    return polynomial.terms.front().front().monomial;
}

std::optional<Linear_Category> linearCategoryXL(const Polynomial_XL& polynomial) {
    if (degreeXL(polynomial) != 1u) return std::nullopt;
    return nonZeroTermsInStandardOrder(polynomial).size() == 1 ? Linear_Category::monomial
                                                                : Linear_Category::binomial;
}

std::optional<Quadratic_Category> quadraticCategoryXL(const Polynomial_XL& polynomial) {
    if (degreeXL(polynomial) != 2u) return std::nullopt;
    const GroupXL terms = nonZeroTermsInStandardOrder(polynomial);
    if (terms.size() == 1) return Quadratic_Category::monomial_a;
    if (terms.size() == 2)
        return terms[1].monomial.exponent == 1 ? Quadratic_Category::binomial_ab : Quadratic_Category::binomial_ac;
    return Quadratic_Category::trinomial;
}

std::optional<Quadratic_Factorabilty> quadraticFactorabilityXL(const Polynomial_XL& polynomial) {
    if (degreeXL(polynomial) != 2u) return std::nullopt;
    const GroupXL terms = nonZeroTermsInStandardOrder(polynomial);
    if (terms.size() != 2 || terms[1].monomial.exponent == 1) return Quadratic_Factorabilty::factors;
    const std::int64_t product = checked::neg(
        checked::mul(terms[0].monomial.coefficient.numerator, terms[1].monomial.coefficient.numerator));
    if (exactSquareRoot(product)) return Quadratic_Factorabilty::factors;
    return product < 0 ? Quadratic_Factorabilty::does_not_factor
                       : Quadratic_Factorabilty::factors_but_not_over_rationals;
}

// ---- rewrites ------------------------------------------------------------------

Polynomial_XL removeZeroTermsXL(bool recolor, const Polynomial_XL& polynomial) {
    const std::string variable = firstTerm(polynomial).monomial.variable;
    Polynomial_XL result = polynomial;
    for (GroupXL& g : result.terms) {
        std::erase_if(g, numeratorIsZero);
        if (g.empty()) g.push_back(zeroTermXL(variable));
    }
    const auto isZeroGroup = [](const GroupXL& g) {
        return g.size() == 1 && rationalEquals(g.front().monomial.coefficient, makeDefaultRational(0, 1));
    };
    for (bool emptied = true; emptied;) {
        emptied = false;
        std::vector<bool> zero;
        for (const GroupXL& g : result.terms) zero.push_back(isZeroGroup(g));
        for (GroupXL& g : result.terms) {
            const auto hasZeroFactor = [&](const Term_XL& t) {
                return std::ranges::any_of(t.factors, [&](const Factor& f) {
                    return f.exponent > 0 && at(zero, f.pointer);  // (0)⁰ is 1, not 0
                });
            };
            if (std::erase_if(g, hasZeroFactor) > 0 && g.empty()) {
                g.push_back(zeroTermXL(variable));
                emptied = true;
            }
        }
    }
    return recolor ? recolorPolynomialXL(Color::black, result) : result;
}

GroupXL coefficientsInLowestTermsXL(const GroupXL& group) {
    GroupXL result;
    result.reserve(group.size());
    for (const Term_XL& t : group) result.push_back(inLowestTerms(t));
    return result;
}

Polynomial_XL coefficientsInLowestTermsXL(const Polynomial_XL& polynomial) {
    Polynomial_XL result = polynomial;
    for (GroupXL& g : result.terms) g = coefficientsInLowestTermsXL(g);
    return result;
}

GroupXL addLikeTermsXL(const GroupXL& group) {
    if (group.empty()) return group;
    // The places of the terms of each power, in the order written.
    std::map<std::uint64_t, std::vector<std::size_t>> powers;
    for (std::size_t i = 0; i < group.size(); ++i) powers[group[i].monomial.exponent].push_back(i);
    std::vector<std::optional<Term_XL>> terms(group.begin(), group.end());
    std::vector<Rational> coefficients;
    for (const auto& [exponent, places] : powers) {
        if (places.size() < 2 || !std::ranges::all_of(places, [&](std::size_t i) { return group[i].factors.empty(); })) {
            for (const std::size_t i : places) terms[i] = inLowestTerms(group[i]);
            continue;
        }
        coefficients.clear();
        for (const std::size_t i : places) coefficients.push_back(group[i].monomial.coefficient);
        const auto sum = sumRationals(coefficients);
        require(sum.has_value(), "a coefficient over 0");
        for (const std::size_t i : places) terms[i].reset();
        if (sum->numerator != 0)
            terms[places.front()] = makeTermXL(makeMonomial(*sum, exponent, group[places.front()].monomial.variable), {});
    }
    GroupXL result;
    for (auto& t : terms)
        if (t) result.push_back(std::move(*t));
    if (result.empty()) result.push_back(zeroTermXL(group[powers.rbegin()->second.front()].monomial.variable));
    return result;
}

Polynomial_XL addLikeTermsXL(const Polynomial_XL& polynomial) {
    Polynomial_XL result = polynomial;
    for (GroupXL& g : result.terms) g = addLikeTermsXL(g);
    return result;
}

Polynomial_XL sortedGroupsXL(const Polynomial_XL& polynomial) {
    Polynomial_XL result = polynomial;
    for (GroupXL& g : result.terms)
        std::ranges::stable_sort(g, std::ranges::greater{}, [](const Term_XL& t) { return t.monomial.exponent; });
    return result;
}

Polynomial_XL sortedByExponentXL(const Polynomial_XL& polynomial) {
    firstTerm(polynomial);
    return sortedGroupsXL(Polynomial_XL{{polynomial.terms.front()}});
}

Polynomial_XL sortedAscendingXL(const Polynomial_XL& polynomial) {
    firstTerm(polynomial);
    GroupXL g = polynomial.terms.front();
    std::ranges::stable_sort(g, std::ranges::less{}, [](const Term_XL& t) { return t.monomial.exponent; });
    return Polynomial_XL{{std::move(g)}};
}

Polynomial_XL factorOutNegativeOneXL(const Polynomial_XL& polynomial) {
    firstTerm(polynomial);
    const std::size_t root = polynomial.terms.size() - 1;
    // A first group that leads negative is shown negated, so that no minus
    // stands before a group that opens with one: −1·(x + 1)(x + 2), not
    // −1·(−(−x − 1)(x + 2)). To an odd power it takes the sign of the term
    // that names it; to an even power the value does not see it.
    const std::optional<NegativeFirstGroup> first = negativeFirstGroup(polynomial);
    Polynomial_XL result;
    result.terms.push_back({constantTerm(-1, "x")});
    for (std::size_t i = 0; i < root; ++i) {
        GroupXL moved;
        for (const Term_XL& t : polynomial.terms[i])
            moved.push_back(i == 0 && first ? negatedTerm(shiftedTerm(t, 1)) : shiftedTerm(t, 1));
        result.terms.push_back(std::move(moved));
    }
    const bool signTaken = first && first->odd;
    if (signTaken && polynomial.terms[root].size() == 1) {
        Term_XL expression = shiftedTerm(polynomial.terms[root].front(), 1);
        expression.factors.insert(expression.factors.begin(), makeFactor(0, 1));
        result.terms.push_back({std::move(expression)});
        return recolorPolynomialXL(Color::black, result);
    }
    GroupXL negated;
    for (std::size_t k = 0; k < polynomial.terms[root].size(); ++k) {
        Term_XL t = shiftedTerm(polynomial.terms[root][k], 1);
        negated.push_back(signTaken && k == first->term ? std::move(t) : negatedTerm(t));
    }
    result.terms.push_back(std::move(negated));
    result.terms.push_back({constantTerm(1, "x", {makeFactor(0, 1), makeFactor(root + 1, 1)})});
    return recolorPolynomialXL(Color::black, result);
}

Polynomial_XL negatedXL(const Polynomial_XL& polynomial) {
    firstTerm(polynomial);
    GroupXL g;
    for (const Term_XL& t : polynomial.terms.front()) g.push_back(negatedTerm(t));
    return Polynomial_XL{{std::move(g)}};
}

std::optional<Polynomial_XL> expandXL(bool negate, const Polynomial_XL& polynomial) {
    const Term_XL& head = expressionTermXL(polynomial);
    const GroupXL& last = polynomial.terms.back();
    if (last.size() == 1 && !head.factors.empty()) {
        Rational c = negate ? present(negateRational(head.monomial.coefficient)) : head.monomial.coefficient;
        std::uint64_t x = head.monomial.exponent;
        // The product takes the letter of its factors of positive power: that of
        // a constant (the 1 in front of a product of groups, read in "x") means nothing.
        std::string variable = head.monomial.variable;
        std::size_t folded = 0;
        for (const Factor& f : head.factors) {
            const GroupXL& g = at(polynomial.terms, f.pointer);
            if (g.size() != 1 || !g.front().factors.empty()) break;
            const Monomial& m = g.front().monomial;
            c = present(multiplyRational(rationalPower(m.coefficient, f.exponent), c));
            if (x == 0 && m.exponent > 0 && f.exponent > 0) variable = m.variable;
            x = checkedExponent(x, m.exponent, f.exponent);
            ++folded;
        }
        if (folded == 0 && !negate) return std::nullopt;
        Polynomial_XL result = polynomial;
        result.terms.back() = {makeTermXL(makeMonomial(c, x, std::move(variable)),
                                          std::vector<Factor>(head.factors.begin() + folded, head.factors.end()))};
        return result;
    }
    if (!negate) return std::nullopt;
    if (last.size() == 1) {
        Monomial m = head.monomial;  // the variable keeps its colour
        m.coefficient = present(multiplyRational(m.coefficient, makeDefaultRational(-1, 1)));
        return Polynomial_XL{{{makeTermXL(m, {})}}};
    }
    Polynomial_XL result = polynomial;
    const std::uint64_t sum = polynomial.terms.size() - 1;
    result.terms.push_back({constantTerm(-1, head.monomial.variable, {makeFactor(sum, 1)})});
    return result;
}

}  // namespace tl
