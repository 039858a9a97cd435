#include "algebra/rational_expression_steps.hpp"

#include <algorithm>
#include <array>
#include <map>
#include <ranges>
#include <string>
#include <utility>
#include <vector>

#include "algebra/common_factor.hpp"
#include "algebra/factoring.hpp"
#include "algebra/zero_polynomial.hpp"
#include "base/checked.hpp"
#include "base/errors.hpp"
#include "common/integers.hpp"

namespace tl {

namespace {

/// The constant n, in "x" as the reader writes every constant.
Monomial constantMonomial(std::int64_t n) {
    return makeMonomial(makeDefaultRational(n, 1), 0, "x");
}

bool isUnit(const Monomial& m) {
    return std::ranges::any_of(std::array{-1, 0, 1}, [&](int n) { return monomialEquals(m, constantMonomial(n)); });
}

bool hasOneTermExpression(const Polynomial_XL& p) { return !p.terms.empty() && p.terms.back().size() == 1; }

Polynomial_XL constantPart(std::int64_t n) {
    return Polynomial_XL{{{makeTermXL(constantMonomial(n), {})}}};
}

// ---- the common monomial factor ------------------------------------------------------

const Monomial& locatedMonomial(const Polynomial_XL& part, const MonomialLocation& at) {
    return at.factorPosition ? part.terms[at.group].front().monomial : expressionTermXL(part).monomial;
}

/// The part with its monomial factor (and the factor pointing at it) in `color`.
Polynomial_XL markMonomial(const Polynomial_XL& part, const MonomialLocation& location, Color color) {
    Polynomial_XL marked = part;
    Term_XL& expression = expressionTermXL(marked);
    if (location.factorPosition) {
        Monomial& m = marked.terms[location.group].front().monomial;
        m = colorMonomial(color, m);
        Factor& f = expression.factors[*location.factorPosition];
        f = recolorFactor(color, f);
    } else {
        expression.monomial = colorMonomial(color, expression.monomial);
    }
    return marked;
}

// ---- cancelling ------------------------------------------------------------------

/// A group that may cancel: its terms, and the power to which the expression holds it.
struct Candidate {
    std::size_t group = 0;
    std::uint64_t power = 1;
    GroupXL terms;
};

bool plainNonZero(const GroupXL& g) {
    return std::ranges::all_of(g, [](const Term_XL& t) { return t.factors.empty(); }) &&
           std::ranges::any_of(g, [](const Term_XL& t) { return t.monomial.coefficient.numerator != 0; });
}

/// The expression itself (for one term, its monomial) and the plain groups its
/// one term points at, by ascending index.
std::vector<Candidate> cancelCandidates(const Polynomial_XL& p) {
    std::vector<Candidate> result;
    if (p.terms.empty() || p.terms.back().empty()) return result;
    const std::size_t root = p.terms.size() - 1;
    const GroupXL& expression = p.terms.back();
    if (expression.size() > 1) {
        if (plainNonZero(expression)) result.push_back({root, 1, expression});
        return result;
    }
    std::map<std::size_t, std::uint64_t> powers;
    for (const Factor& f : expression.front().factors) {
        std::uint64_t& power = powers[static_cast<std::size_t>(f.pointer)];
        if (__builtin_add_overflow(power, f.exponent, &power)) throw OverflowError("exponent beyond 64 bits");
    }
    for (const auto& [group, power] : powers)
        if (power > 0 && group < root && plainNonZero(at(p.terms, group))) result.push_back({group, power, p.terms[group]});
    const Monomial& m = expression.front().monomial;
    if (m.coefficient.numerator != 0) result.push_back({root, 1, {makeTermXL(m, {})}});
    return result;
}

/// What one part cancels: its expression's monomial (or the whole sum), and
/// how much of the power of each factor group.
struct Cancelled {
    bool expression = false;
    std::map<std::size_t, std::uint64_t> powers;
    bool any() const { return expression || !powers.empty(); }
};

struct Cancellation {
    Cancelled numerator;
    Cancelled denominator;
};

/// Numerator candidates in order, each matched with the first unmatched
/// denominator candidate of equal terms; a numerator group holding the
/// constant 1 never cancels.
Cancellation findCancellation(const Polynomial_XL& n, const Polynomial_XL& d) {
    Cancellation result;
    const std::vector<Candidate> upper = cancelCandidates(n), lower = cancelCandidates(d);
    std::vector<bool> used(lower.size(), false);
    const auto note = [](Cancelled& side, const Polynomial_XL& p, const Candidate& c, std::uint64_t power) {
        if (c.group + 1 == p.terms.size()) side.expression = true;
        else side.powers[c.group] = power;
    };
    for (const Candidate& a : upper) {
        if (a.terms.size() == 1 && monomialEquals(a.terms.front().monomial, constantMonomial(1))) continue;
        for (std::size_t j = 0; j < lower.size(); ++j) {
            const Candidate& b = lower[j];
            if (used[j] || !std::ranges::equal(a.terms, b.terms, termXLEquals)) continue;
            used[j] = true;
            const std::uint64_t power = std::min(a.power, b.power);
            note(result.numerator, n, a, power);
            note(result.denominator, d, b, power);
            break;
        }
    }
    return result;
}

/// When group 0 is a copy of the expression's monomial and cancels once, the
/// monomial is shown cancelling instead (the same value).
void preferWholePart(Cancelled& side, const Polynomial_XL& p) {
    const auto zero = side.powers.find(0);
    if (zero == side.powers.end() || zero->second != 1 || side.expression || p.terms.size() < 2) return;
    if (p.terms.front().size() != 1 || p.terms.back().size() != 1) return;
    if (!monomialEquals(p.terms.front().front().monomial, expressionTermXL(p).monomial)) return;
    side.powers.erase(zero);
    side.expression = true;
}

Polynomial_XL markCancelled(const Polynomial_XL& p, const Cancelled& side, Color color) {
    Polynomial_XL marked = p;
    for (const auto& [group, power] : side.powers) marked.terms[group] = recolorGroupXL(color, p.terms[group]);
    GroupXL& expression = marked.terms.back();
    if (expression.size() > 1) {
        if (side.expression) expression = recolorGroupXL(color, expression);
        return marked;
    }
    Term_XL& t = expression.front();
    if (side.expression) t.monomial = colorMonomial(color, t.monomial);
    for (Factor& f : t.factors)
        if (side.powers.contains(static_cast<std::size_t>(f.pointer))) f = recolorFactor(color, f);
    return marked;
}

Polynomial_XL removeCancelled(const Polynomial_XL& p, const Cancelled& side) {
    if (!side.any()) return p;
    if (p.terms.back().size() > 1) return constantPart(1);
    Polynomial_XL result = p;
    Term_XL& t = expressionTermXL(result);
    if (side.expression) t.monomial = constantMonomial(1);
    std::map<std::size_t, std::uint64_t> left = side.powers;
    std::vector<Factor> kept;
    for (Factor f : t.factors) {
        std::uint64_t& remove = left[static_cast<std::size_t>(f.pointer)];
        const std::uint64_t taken = std::min(remove, f.exponent);
        remove -= taken;
        f.exponent -= taken;
        if (f.exponent > 0 || taken == 0) kept.push_back(f);
    }
    t.factors = std::move(kept);
    return result;
}

/// The denominator is −1, or 1 whose first factor is the group holding −1 alone.
bool isNegativeUnit(const Polynomial_XL& d) {
    if (!hasOneTermExpression(d)) return false;
    const Term_XL& t = expressionTermXL(d);
    const Rational minusOne = makeDefaultRational(-1, 1);
    if (rationalEquals(t.monomial.coefficient, minusOne)) return true;
    if (!rationalEquals(t.monomial.coefficient, makeDefaultRational(1, 1)) || t.factors.empty()) return false;
    const GroupXL& g = at(d.terms, t.factors.front().pointer);
    return g.size() == 1 && rationalEquals(g.front().monomial.coefficient, minusOne);
}

// ---- finishing ---------------------------------------------------------------------

/// The group times the least common multiple of its denominators: the whole
/// polynomial that has the group's rational roots. OverflowError when that
/// multiple or a coefficient so made does not fit 64 bits.
GroupXL withDenominatorsCleared(const GroupXL& group) {
    using checked::i128;
    std::vector<Rational> lowest;
    std::int64_t multiple = 1;
    for (const Term_XL& t : group) {
        const auto r = simplifyRational(t.monomial.coefficient);
        require(r.has_value(), "zero denominator in a rational expression");
        lowest.push_back(*r);
        multiple = lcm(multiple, r->denominator);  // positive in lowest terms
    }
    GroupXL result = group;
    for (std::size_t i = 0; i < group.size(); ++i) {
        const i128 whole = static_cast<i128>(lowest[i].numerator) * (multiple / lowest[i].denominator);
        result[i].monomial.coefficient = makeDefaultRational(checked::narrow(whole), 1);
    }
    return result;
}

/// Whether the part's working group factors over the rationals. A group whose
/// coefficients are not all whole in value is asked with its denominators
/// cleared: it factors exactly when that whole polynomial does ((1/2)x² − 1/2
/// as x² − 1 does; (1/2)x² − 1/3 not, as 3x² − 2 does not, though its
/// numerators are those of x² − 1).
bool factorsOverTheRationals(const Polynomial_XL& p) {
    const auto w = findWorkingGroupXL(p);
    if (!w) return false;
    const GroupXL& group = p.terms[*w];
    if (std::ranges::all_of(group, [](const Term_XL& t) { return isWholeRational(true, t.monomial.coefficient); }))
        return isFactorableXL(p);
    Polynomial_XL cleared = p;
    cleared.terms[*w] = withDenominatorsCleared(group);
    return isFactorableXL(cleared);
}

/// A sum in standard order, not leading negative, without a common factor and
/// not factorable.
bool isFinished(const Polynomial_XL& p) {
    return isInStandardOrderXL(p) && !isNegativeRational(expressionTermXL(p).monomial.coefficient).value_or(false) &&
           !hasCommonFactorXL(p) && !factorsOverTheRationals(p);
}

/// A sum is finished as above; a product when every group it multiplies is.
bool partIsFinished(const Polynomial_XL& p) {
    if (p.terms.back().size() > 1) return isFinished(p);
    return std::ranges::all_of(expressionTermXL(p).factors,
                               [&](const Factor& f) { return isFinished(Polynomial_XL{{at(p.terms, f.pointer)}}); });
}

Rational present(const std::optional<Rational>& r) {
    require(r.has_value(), "zero denominator in a rational expression");
    return *r;
}

/// A group a finished part multiplies, in one letter ("" for a constant),
/// before it is written out: the group (none for x, the power of x in front)
/// and the highest power of its letter.
struct Multiplicand {
    const GroupXL* group = nullptr;
    std::string variable;
    std::uint64_t degree = 1;
};

/// A group of plain terms as a multiplicand; none when it mixes letters.
std::optional<Multiplicand> multiplicandOf(const GroupXL& group) {
    Multiplicand result{&group, "", 0};
    for (const Term_XL& t : group) {
        require(t.factors.empty(), "a factor inside a finished group");
        const Monomial& m = t.monomial;
        if (m.exponent == 0 || m.coefficient.numerator == 0) continue;
        if (result.variable.empty()) result.variable = m.variable;
        else if (result.variable != m.variable) return std::nullopt;
    }
    for (const Term_XL& t : group) {
        const Monomial& m = t.monomial;
        if (m.coefficient.numerator == 0) continue;
        require(m.exponent <= kMaxDividedDegree, "a degree too high to write out");
        result.degree = std::max(result.degree, m.exponent);
    }
    return result;
}

/// The coefficients by ascending power.
std::vector<Rational> writtenOut(const Multiplicand& m) {
    if (!m.group) return {makeDefaultRational(0, 1), makeDefaultRational(1, 1)};
    std::vector<Rational> coefficients;
    for (const Term_XL& t : *m.group) {
        const Monomial& term = t.monomial;
        if (term.coefficient.numerator == 0) continue;
        if (coefficients.size() <= term.exponent) coefficients.resize(term.exponent + 1, makeDefaultRational(0, 1));
        Rational& c = coefficients[term.exponent];
        c = present(addRational(c, term.coefficient));
    }
    return coefficients;
}

/// What a finished part multiplies: the sum itself, or the groups of its
/// product and x for a power of x in front; none for a group that mixes
/// letters, which Euclid in one letter cannot compare.
std::optional<std::vector<Multiplicand>> multiplicands(const Polynomial_XL& p) {
    std::vector<std::optional<Multiplicand>> pieces;
    if (p.terms.back().size() > 1) {
        pieces.push_back(multiplicandOf(p.terms.back()));
    } else {
        const Term_XL& t = expressionTermXL(p);
        if (t.monomial.exponent > 0) pieces.push_back(Multiplicand{nullptr, t.monomial.variable, 1});
        for (const Factor& f : t.factors)
            if (f.exponent > 0) pieces.push_back(multiplicandOf(at(p.terms, f.pointer)));
    }
    std::vector<Multiplicand> result;
    for (auto& piece : pieces) {
        if (!piece) return std::nullopt;
        result.push_back(std::move(*piece));
    }
    return result;
}

/// Coefficients touched by the comparisons that take as long as one term
/// evaluated by the rational root search (some 4 ns against some 1.3 ns).
constexpr std::uint64_t kTouchedPerTermEvaluated = 3;

/// Two finished parts have a common factor of positive degree in their letter,
/// or may have: a group that mixes letters is not compared, and so counts as
/// sharing. All the pairs to compare share one allowance of work: what
/// `entry` (the entry's allowance, counted in terms evaluated) has left, up to
/// a CompareAllowance's default, and what they spend is taken off `entry`;
/// parts whose comparisons could pass it are refused before any is written
/// out. Of the two lists the shorter written out is kept, the other written
/// out one group at a time.
bool sharePolynomialFactor(const Polynomial_XL& n, const Polynomial_XL& d, WorkAllowance& entry) {
    std::optional<std::vector<Multiplicand>> upperParts = multiplicands(n), lowerParts = multiplicands(d);
    if (!upperParts || !lowerParts) return true;
    std::vector<Multiplicand>& upper = *upperParts;
    std::vector<Multiplicand>& lower = *lowerParts;
    const auto compared = [](const Multiplicand& a, const Multiplicand& b) {
        return a.variable.empty() || b.variable.empty() || a.variable == b.variable;
    };
    const auto total = [](const std::vector<Multiplicand>& list) {
        std::uint64_t sum = 0;
        for (const Multiplicand& m : list) sum += m.degree + 1;  // at most 10,001 each: no overflow
        return sum;
    };
    const std::uint64_t granted = entry.left > CompareAllowance::kDefault / kTouchedPerTermEvaluated
                                      ? CompareAllowance::kDefault
                                      : entry.left * kTouchedPerTermEvaluated;
    CompareAllowance allowance(granted);
    const auto settled = [&](bool answer) {
        const std::uint64_t spent = granted - allowance.left;
        entry.spend((spent + kTouchedPerTermEvaluated - 1) / kTouchedPerTermEvaluated);  // within what was granted
        return answer;
    };
    long double cost = 0;  // about what the first prime of each pair takes (at most twice it)
    for (const Multiplicand& a : upper)
        for (const Multiplicand& b : lower)
            if (compared(a, b) && a.degree > 0 && b.degree > 0)
                cost += static_cast<long double>(a.degree + 1) * static_cast<long double>(b.degree + 1);
    allowance.requireLeft(cost);
    if (total(upper) < total(lower)) std::swap(upper, lower);
    std::vector<std::vector<Rational>> kept;
    for (const Multiplicand& b : lower) kept.push_back(writtenOut(b));
    for (const Multiplicand& a : upper) {
        const std::vector<Rational> coefficients = writtenOut(a);
        for (std::size_t j = 0; j < lower.size(); ++j)
            if (compared(a, lower[j]) && haveCommonFactor(coefficients, kept[j], allowance)) return settled(true);
    }
    return settled(false);
}

/// The part with its one expression term's coefficient replaced: a plain term
/// becomes a one-group value, a product keeps its groups.
Polynomial_XL withExpressionCoefficient(const Polynomial_XL& p, const Rational& c) {
    const Term_XL& t = expressionTermXL(p);
    if (t.factors.empty())
        return Polynomial_XL{{{makeTermXL(makeMonomial(c, t.monomial.exponent, t.monomial.variable), {})}}};
    Polynomial_XL result = p;
    expressionTermXL(result).monomial = makeMonomial(c, t.monomial.exponent, t.monomial.variable);
    return result;
}

Rational negatedNumerator(const Rational& r) {
    return makeDefaultRational(checked::neg(r.numerator), r.denominator);
}

}  // namespace

// ---- the common monomial factor ------------------------------------------------------

std::optional<MonomialLocation> monomialFactorLocation(const Polynomial_XL& part) {
    if (!hasOneTermExpression(part)) return std::nullopt;
    const std::size_t root = part.terms.size() - 1;
    const Term_XL& t = expressionTermXL(part);
    for (std::size_t i = 0; i < t.factors.size(); ++i) {
        const std::size_t group = static_cast<std::size_t>(t.factors[i].pointer);
        const GroupXL& g = at(part.terms, group);
        if (group != root && g.size() == 1 && g.front().factors.empty() && !isUnit(g.front().monomial))
            return MonomialLocation{group, i};
    }
    if (!isUnit(t.monomial)) return MonomialLocation{root, std::nullopt};
    return std::nullopt;
}

Factor shiftFactorPointer(const Factor& factor) { return makeFactor(factor.pointer + 1, factor.exponent); }

Polynomial_XL splitCommonMonomial(const Polynomial_XL& part, std::size_t group, std::int64_t g, std::uint64_t k,
                                  Color color) {
    require(hasOneTermExpression(part), "a part that is not one product");
    require(g != 0, "a common monomial of 0");
    const std::size_t root = part.terms.size() - 1;
    const GroupXL& located = at(part.terms, group);
    require(located.size() == 1, "a monomial factor group of several terms");
    const Monomial& m = located.front().monomial;
    require(k <= m.exponent, "a common exponent above the monomial's");
    const auto q = divideRational(m.coefficient, makeDefaultRational(g, 1));
    require(q.has_value(), "zero denominator in a monomial factor");
    const Term_XL quotient = recolorTermXL(color, makeTermXL(makeMonomial(*q, m.exponent - k, m.variable), {}));
    const Monomial common = makeMonomial(makeDefaultRational(g, 1), k, m.variable);
    if (group != root) {
        Polynomial_XL result =
            replaceGroupByProductXL(part, group, {{recolorTermXL(color, makeTermXL(common, {}))}, {quotient}}, color);
        Term_XL& expression = expressionTermXL(result);
        expression = blackenedExceptXL(expression, group, group + 2);
        return result;
    }
    Polynomial_XL result{{{quotient}}};
    for (std::size_t i = 0; i < root; ++i) {
        GroupXL moved = part.terms[i];
        for (Term_XL& t : moved)
            for (Factor& f : t.factors) ++f.pointer;
        result.terms.push_back(std::move(moved));
    }
    std::vector<Factor> factors{recolorFactor(color, makeFactor(0, 1))};
    for (const Factor& f : expressionTermXL(part).factors) factors.push_back(shiftFactorPointer(f));
    result.terms.push_back({makeTermXL(colorMonomial(color, common), std::move(factors))});
    return result;
}

namespace {

/// What the two parts' monomial factors have in common: the size of the gcd
/// of their numerators (2⁶³ included) and the smaller exponent.
struct Reduction {
    MonomialLocation numerator;
    MonomialLocation denominator;
    std::uint64_t common = 0;
    std::uint64_t k = 0;
};

/// The reduction rationalReduceSteps shows; none when it does not apply. A
/// test only: nothing is written out, so nothing can overflow.
std::optional<Reduction> findReduction(const Rational_Expression& e) {
    if (!hasOneTermExpression(e.poly_N) || !hasOneTermExpression(e.poly_D)) return std::nullopt;
    const auto where = monomialFactorLocation(e.poly_N), whereD = monomialFactorLocation(e.poly_D);
    if (!where || !whereD) return std::nullopt;
    const Monomial &mN = locatedMonomial(e.poly_N, *where), &mD = locatedMonomial(e.poly_D, *whereD);
    const std::uint64_t common = magnitudeGcd(mN.coefficient.numerator, mD.coefficient.numerator);
    const std::uint64_t k = std::min(mN.exponent, mD.exponent);
    if (common == 0 || monomialEquals(mN, mD) || (common == 1 && k == 0)) return std::nullopt;
    return Reduction{*where, *whereD, common, k};
}

}  // namespace

std::optional<RationalStepPair> rationalReduceSteps(const Rational_Expression& e) {
    const std::optional<Reduction> r = findReduction(e);
    if (!r) return std::nullopt;
    const std::int64_t g = checked::withSign(r->common, false);  // a common factor of 2⁶³ has no 64-bit form
    const std::uint64_t k = r->k;
    const MonomialLocation &where = r->numerator, &whereD = r->denominator;
    const Monomial &mN = locatedMonomial(e.poly_N, where), &mD = locatedMonomial(e.poly_D, whereD);

    const auto split = [&](const Polynomial_XL& part, const MonomialLocation& location, const Monomial& m,
                           Color color) {
        const Polynomial_XL marked = markMonomial(part, location, color);
        const bool alreadyCommon = rationalEquals(m.coefficient, makeDefaultRational(g, 1)) && m.exponent == k;
        return std::array{marked, alreadyCommon ? marked : splitCommonMonomial(part, location.group, g, k, color)};
    };
    const auto n = split(e.poly_N, where, mN, Color::red), d = split(e.poly_D, whereD, mD, Color::blue);
    return RationalStepPair{makeRationalExpression(n[0], d[0]), makeRationalExpression(n[1], d[1])};
}

// ---- cancelling and finishing ------------------------------------------------------

std::optional<std::vector<Rational_Expression>> rationalCancelSteps(const Rational_Expression& e) {
    Cancellation c = findCancellation(e.poly_N, e.poly_D);
    if (!c.numerator.any()) {
        auto folded = transformBothParts(e, isNegativeUnit(e.poly_D));
        if (!folded) return std::nullopt;
        return std::vector{e, std::move(*folded)};
    }
    preferWholePart(c.numerator, e.poly_N);
    preferWholePart(c.denominator, e.poly_D);
    const Rational_Expression before = makeRationalExpression(markCancelled(e.poly_N, c.numerator, Color::red),
                                                              markCancelled(e.poly_D, c.denominator, Color::blue));
    const Rational_Expression after = makeRationalExpression(removeCancelled(e.poly_N, c.numerator),
                                                             removeCancelled(e.poly_D, c.denominator));
    auto folded = transformBothParts(after, isNegativeUnit(after.poly_D));
    return std::vector{before, folded ? std::move(*folded) : after};
}

std::optional<std::vector<Rational_Expression>> rationalSimplifySteps(const Rational_Expression& e) {
    // An expression over 0 has no value: neither finished nor ever simplified.
    require(!isZeroPolynomialXL(e.poly_D), "an expression over 0 has no value");
    // One allowance for the whole entry: the root searches of every part and
    // group, then the comparisons of the finished parts.
    const RootSearchScope scope;
    const Term_XL &s = expressionTermXL(e.poly_N), &t = expressionTermXL(e.poly_D);
    const std::size_t n = e.poly_N.terms.back().size(), d = e.poly_D.terms.back().size();
    using States = std::vector<Rational_Expression>;
    // Nothing is finished while numerator and denominator still share a group,
    // products of them a monomial factor ((2x)² over 4x), or their finished
    // groups a polynomial factor ((x² + 3x + 2) over (x + 1)(x² + 1)).
    const auto shared = [&] {
        return findCancellation(e.poly_N, e.poly_D).numerator.any() || findReduction(e).has_value() ||
               sharePolynomialFactor(e.poly_N, e.poly_D, scope.allowance());
    };
    const auto finished = [&] { return partIsFinished(e.poly_N) && partIsFinished(e.poly_D) && !shared(); };
    if (n > 1 && d > 1) {
        if (finished()) return States{e};
        return std::nullopt;
    }
    if (n > 1) {
        if (!finished()) return std::nullopt;
        if (t.monomial.coefficient.numerator >= 0) return States{e};
        const auto c = multiplyRational(t.monomial.coefficient, makeDefaultRational(-1, 1));
        require(c.has_value(), "zero denominator in a rational expression");
        const Polynomial_XL numerator{{e.poly_N.terms.back(), {makeTermXL(constantMonomial(-1), {makeFactor(0, 1)})}}};
        return States{e, makeRationalExpression(numerator, withExpressionCoefficient(e.poly_D, *c))};
    }
    if (d > 1 && !isFinished(e.poly_D)) return std::nullopt;
    // 0 over 1 as constants are read, whatever the letter of the numerator's 0.
    if (s.monomial.coefficient.numerator == 0)
        return States{e, makeRationalExpression(constantPart(0), constantPart(1))};
    if (!finished()) return std::nullopt;
    if (d > 1) return States{e};
    if (magnitudeGcd(s.monomial.coefficient.numerator, t.monomial.coefficient.numerator) != 1 ||
        std::min(s.monomial.exponent, t.monomial.exponent) != 0)
        return std::nullopt;
    if (t.monomial.coefficient.numerator >= 0) return States{e};
    return States{e, makeRationalExpression(withExpressionCoefficient(e.poly_N, negatedNumerator(s.monomial.coefficient)),
                                            withExpressionCoefficient(e.poly_D, negatedNumerator(t.monomial.coefficient)))};
}

}  // namespace tl
