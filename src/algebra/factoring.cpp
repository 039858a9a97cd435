#include "algebra/factoring.hpp"

#include <algorithm>
#include <numeric>
#include <ranges>
#include <unordered_map>

#include "algebra/factoring_roots.hpp"
#include "base/checked.hpp"
#include "base/errors.hpp"
#include "common/integers.hpp"

namespace tl {

namespace {

std::int64_t numeratorOf(const Term_XL& t) { return t.monomial.coefficient.numerator; }

bool isNegative(const Rational& r) { return isNegativeRational(r).value_or(false); }

/// The gcd of the numerators' sizes (0 for a group of zeros; a numerator of
/// −2⁶³ counts 2⁶³) and the smallest exponent.
struct CommonFactor {
    std::uint64_t g = 0;
    std::uint64_t e = 0;
};
CommonFactor commonFactorOf(const GroupXL& group) {
    CommonFactor f{0, group.empty() ? 0 : group.front().monomial.exponent};
    for (const Term_XL& t : group) {
        f.g = std::gcd(f.g, checked::magnitude(numeratorOf(t)));
        f.e = std::min(f.e, t.monomial.exponent);
    }
    return f;
}

Polynomial_XL oneGroup(GroupXL group) { return Polynomial_XL{{std::move(group)}}; }

/// A new term without factors, black.
Term_XL plainTerm(const Rational& c, std::uint64_t exponent, const std::string& variable) {
    return makeTermXL(makeMonomial(rationalWithDefaultColors(c), exponent, variable), {});
}

Term_XL wholeTerm(std::int64_t n, std::uint64_t exponent, const std::string& variable) {
    return plainTerm(makeDefaultRational(n, 1), exponent, variable);
}

/// For each p of one divisor list, the q of another (ascending) with gcd(p, q) = 1,
/// as positions in that list. A q is coprime to p when no prime of both numbers
/// divides both; the lists are kept by the set of such primes dividing p, each
/// made from the list of that set without its first prime.
class CoprimeDivisors {
public:
    CoprimeDivisors(const std::vector<std::uint64_t>& ps, const std::vector<std::uint64_t>& qs) {
        // A divisor that no smaller prime divides is a prime.
        std::vector<std::uint64_t> primes;
        for (const std::uint64_t d : ps)
            if (d > 1 && std::ranges::none_of(primes, [d](std::uint64_t prime) { return d % prime == 0; })) {
                primes.push_back(d);
                if (qs.back() % d == 0) shared_.push_back(d);  // at most 15 primes divide a 64-bit number
            }
        std::vector<std::uint32_t> all;
        for (const std::uint64_t q : qs) {
            masks_.push_back(mask(q));
            all.push_back(static_cast<std::uint32_t>(all.size()));
        }
        lists_.emplace(0, std::move(all));
    }
    /// The shared primes dividing n, as bits.
    std::uint64_t mask(std::uint64_t n) const {
        std::uint64_t m = 0;
        for (std::size_t i = 0; i < shared_.size(); ++i)
            if (n % shared_[i] == 0) m |= std::uint64_t{1} << i;
        return m;
    }
    bool areCoprime(std::uint64_t pMask, std::uint32_t k) const { return (masks_[k] & pMask) == 0; }
    /// The positions of the q that no prime of `pMask` divides, ascending; a
    /// new list spends the length of the one it is made from.
    const std::vector<std::uint32_t>& coprimeTo(std::uint64_t m, WorkAllowance& allowance) {
        if (const auto found = lists_.find(m); found != lists_.end()) return found->second;
        const std::uint64_t first = m & (~m + 1);
        std::vector<std::uint32_t> list;
        // The map keeps its elements in place: `from` outlives the new one.
        const std::vector<std::uint32_t>& from = coprimeTo(m ^ first, allowance);
        allowance.spend(from.size());
        for (const std::uint32_t k : from)
            if ((masks_[k] & first) == 0) list.push_back(k);
        return lists_.emplace(m, std::move(list)).first->second;
    }

private:
    std::vector<std::uint64_t> shared_;
    std::vector<std::uint64_t> masks_;
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> lists_;
};

}  // namespace

// ---- greatest common factor --------------------------------------------------

bool hasCommonFactorXL(const Polynomial_XL& polynomial) {
    const auto w = findWorkingGroupXL(polynomial);
    if (!w) return false;
    const GroupXL& group = polynomial.terms[*w];
    if (group.size() < 2) return false;
    const CommonFactor f = commonFactorOf(group);
    return f.g != 0 && (f.g > 1 || f.e != 0);
}

Term_XL divideTermByGcfXL(const Term_XL& term, std::int64_t g, std::uint64_t e) {
    require(e <= term.monomial.exponent, "a common exponent above the term's");
    const Rational& c = term.monomial.coefficient;
    return makeTermXL(makeMonomial(makeDefaultRational(checked::div(c.numerator, g == 0 ? 1 : g), c.denominator),
                                   term.monomial.exponent - e, term.monomial.variable),
                      term.factors);
}

Term_XL divideTermByGcfColoredXL(const Term_XL& term, std::int64_t g, std::uint64_t e, Color color) {
    Term_XL t = divideTermByGcfXL(term, g, e);
    t.monomial = colorMonomial(color, t.monomial);
    return t;
}

StepPairXL factorOutGcfXL(bool takeSign, Color color, const Polynomial_XL& polynomial) {
    const std::size_t w = workingGroupXL(polynomial);
    // Only the working group and what points at it are drawn in `color`; the rest is black.
    const Polynomial_XL black = recolorPolynomialXL(Color::black, polynomial);
    const GroupXL& group = black.terms[w];
    require(!group.empty(), "an empty group has no common factor");
    const auto [size, e] = commonFactorOf(group);
    const bool single = polynomial.terms.size() == 1;
    const std::int64_t g =
        checked::withSign(size, takeSign && single && isNegative(group.front().monomial.coefficient));
    const std::string& variable = group.front().monomial.variable;

    GroupXL quotient;
    for (const Term_XL& t : group) quotient.push_back(divideTermByGcfColoredXL(t, g, e, color));
    const Monomial common = colorMonomial(color, makeMonomial(makeDefaultRational(g, 1), e, variable));

    if (single) {
        const Polynomial_XL after{{std::move(quotient), {makeTermXL(common, {makeFactor(0, 1)})}}};
        return {recolorPolynomialXL(color, polynomial), recolorPolynomialXL(color, after)};
    }
    Polynomial_XL before = black;
    before.terms[w] = recolorGroupXL(color, group);
    Factor& marked = before.terms.back().front().factors.back();
    marked = recolorFactor(color, marked);
    return {before, replaceGroupByProductXL(black, w, {{makeTermXL(common, {})}, quotient}, color)};
}

std::optional<Monomial> greatestCommonMonomialXL(const Polynomial_XL& polynomial) {
    if (polynomial.terms.size() != 1 || polynomial.terms.front().size() < 2) return std::nullopt;
    const GroupXL& group = polynomial.terms.front();
    const auto [size, e] = commonFactorOf(group);
    const std::int64_t g = checked::withSign(size, numeratorOf(group.front()) < 0);
    return makeMonomial(makeDefaultRational(g, 1), e, group.front().monomial.variable);
}

Term_XL divideMonomialXL(const Monomial& monomial, std::int64_t g, std::uint64_t e, const std::string& variable) {
    require(e <= monomial.exponent, "a common exponent above the term's");
    return plainTerm(makeDefaultRational(checked::div(monomial.coefficient.numerator, g), monomial.coefficient.denominator),
                     monomial.exponent - e, variable);
}

std::optional<Polynomial_XL> divideByCommonMonomialXL(const Polynomial_XL& polynomial) {
    const auto common = greatestCommonMonomialXL(polynomial);
    if (!common || common->coefficient.numerator == 0) return std::nullopt;
    GroupXL group;
    for (const Term_XL& t : polynomial.terms.front())
        group.push_back(divideMonomialXL(t.monomial, common->coefficient.numerator, common->exponent, common->variable));
    return oneGroup(std::move(group));
}

std::optional<Monomial> commonMonomialOfFirstGroupXL(const Polynomial_XL& polynomial) {
    if (polynomial.terms.empty() || polynomial.terms.front().size() < 2) return std::nullopt;
    const GroupXL& group = polynomial.terms.front();
    const auto [size, e] = commonFactorOf(group);
    if (size == 1 && e == 0 && numeratorOf(group.front()) >= 0) return std::nullopt;
    const std::int64_t g = checked::withSign(size, numeratorOf(group.front()) < 0);
    return makeMonomial(makeDefaultRational(g, 1), e, group.front().monomial.variable);
}

// ---- rational roots ---------------------------------------------------------------

namespace {

/// The allowance of the outermost open scope on this thread; none outside every scope.
thread_local WorkAllowance* openRootSearch = nullptr;

/// What taking a pair of coprime p and q and ruling it out by the values at
/// ±1 costs, in terms evaluated (two to four 128-bit divisions).
constexpr std::uint64_t kPairCost = 4;
/// What a term or a divisor costs to read, sort and sift, in terms evaluated.
constexpr std::uint64_t kListedCost = 8;

/// A root −c/p: the factor p·x + c, each of which may be 2⁶³ in size.
struct LinearRoot {
    std::uint64_t p = 1;
    checked::i128 c = 0;
};

/// p·x + c; OverflowError when p or c does not fit 64 bits.
Polynomial_XL linearFactor(const LinearRoot& root, const std::string& variable) {
    return oneGroup(
        {wholeTerm(checked::narrow(root.p), 1, variable), wholeTerm(checked::narrow(root.c), 0, variable)});
}

/// The search of findRationalRootFactor: the root −c/p it finds, before its
/// factor is written out.
std::optional<LinearRoot> findRationalRoot(const Polynomial_XL& polynomial) {
    const auto n = degreeXL(polynomial);
    if (!n) return std::nullopt;
    const RootSearchScope scope;
    WorkAllowance& allowance = scope.allowance();
    std::vector<std::pair<std::uint64_t, std::int64_t>> whole;  // power and coefficient, in the order written
    for (const Term_XL& t : polynomial.terms.front()) {
        if (!t.factors.empty() || t.monomial.coefficient.denominator != 1) return std::nullopt;
        if (numeratorOf(t) != 0) whole.emplace_back(t.monomial.exponent, numeratorOf(t));
    }
    allowance.spend(kListedCost * whole.size());
    RationalRootTest test(whole);
    const std::vector<std::uint64_t> ps = divisorsOfMagnitude(whole.front().second);
    const std::vector<std::uint64_t> qs = divisorsOfMagnitude(whole.back().second);
    allowance.spend(kListedCost * (ps.size() + qs.size()));
    // p = q = 1 comes first (−1 before 1), and is decided at once by the values at ±1.
    for (const std::int64_t c : {1, -1})
        if (test.isRoot(1, c, allowance)) return LinearRoot{1, c};
    // The bounds on the size of the roots are worked out when they cost less
    // than testing every pair, and always where the powers spread too far for
    // exact division: a candidate far from every root then never comes to it.
    const long double pairs = static_cast<long double>(ps.size()) * static_cast<long double>(qs.size());
    if (pairs * kPairCost > static_cast<long double>(test.boundsCost()) ||
        test.span() > RationalRootTest::kMaxExactSpan) {
        allowance.spend(test.boundsCost());
        test.computeBounds();
    }
    CoprimeDivisors coprime(ps, qs);
    std::vector<std::uint32_t> window;
    std::vector<std::uint64_t> weights;
    for (const std::uint64_t p : ps) {
        // Every q outside the range is too far from any root to be one. A short range is
        // sifted for q coprime to p at once, a long one taken from the lists of coprime q.
        const auto [lo, hi] = test.candidateRange(p);
        const std::uint64_t mask = coprime.mask(p);
        const auto from = std::ranges::lower_bound(qs, lo), to = std::ranges::upper_bound(qs, hi);
        if (from >= to) continue;
        window.clear();
        if (to - from < 256) {
            for (auto q = from; q != to; ++q)
                if (const auto k = static_cast<std::uint32_t>(q - qs.begin()); coprime.areCoprime(mask, k))
                    window.push_back(k);
        } else {
            const std::vector<std::uint32_t>& list = coprime.coprimeTo(mask, allowance);
            const auto begin = static_cast<std::uint32_t>(from - qs.begin());
            const auto end = static_cast<std::uint32_t>(to - qs.begin());
            window.assign(std::ranges::lower_bound(list, begin), std::ranges::lower_bound(list, end));
        }
        allowance.spend(1 + kPairCost * window.size());
        weights.clear();  // worked out for the first q of p that passes the values at ±1
        for (const std::uint32_t k : window) {
            const std::uint64_t q = qs[k];
            const auto passed = test.passValueTests(p, q);
            if (!passed.negative && !passed.positive) continue;
            if (weights.empty()) {
                allowance.spend(test.evaluationCost());
                weights = test.weights(p);
            }
            allowance.spend(test.evaluationCost());
            const auto [negative, positive] = test.mayBeRoots(weights, q);
            for (const checked::i128 c : {checked::i128{q}, -checked::i128{q}})  // the root −q/p before q/p
                if ((c > 0 ? passed.negative && negative : passed.positive && positive) &&
                    test.isRoot(p, c, allowance))
                    return LinearRoot{p, c};
        }
    }
    return std::nullopt;
}

}  // namespace

RootSearchScope::RootSearchScope(std::uint64_t allowance) {
    if (openRootSearch == nullptr) {
        own_.emplace(WorkAllowance{allowance, kRefusal});
        openRootSearch = &*own_;
    }
    active_ = openRootSearch;
}

RootSearchScope::~RootSearchScope() {
    if (own_) openRootSearch = nullptr;
}

std::optional<Polynomial_XL> findRationalRootFactor(const Polynomial_XL& polynomial) {
    const std::optional<LinearRoot> root = findRationalRoot(polynomial);
    if (!root) return std::nullopt;
    return linearFactor(*root, polynomial.terms.front().front().monomial.variable);
}

Polynomial_XL divideByLinearFactor(const Polynomial_XL& factor, const Polynomial_XL& polynomial) {
    const auto n = degreeXL(polynomial);
    require(n.has_value(), "a dividend without a degree");
    require(!factor.terms.empty() && !factor.terms.front().empty(), "an empty divisor");
    const std::int64_t p = numeratorOf(factor.terms.front().front());
    const std::int64_t q = numeratorOf(factor.terms.front().back());
    require(p != 0, "division by a linear factor without an x-term");
    require(*n <= kMaxDividedDegree, "a dividend of too high a degree for synthetic division");
    std::vector<std::int64_t> entries(*n + 1, 0);
    for (const Term_XL& t : polynomial.terms.front())
        if (numeratorOf(t) != 0) {
            std::int64_t& entry = entries[*n - t.monomial.exponent];
            entry = checked::add(entry, numeratorOf(t));
        }
    const std::string& variable = polynomial.terms.front().front().monomial.variable;
    GroupXL quotient;
    // The quotient's coefficients must fit 64 bits, the products b·q on the way need not:
    // a 64-bit b times a 64-bit q, less a 64-bit entry, fits 128 bits.
    checked::i128 r = entries[0];
    for (std::uint64_t i = 1; i <= *n; ++i) {
        const std::int64_t b = checked::narrow(r / p);
        if (b != 0) quotient.push_back(wholeTerm(b, *n - i, variable));
        r = static_cast<checked::i128>(entries[i]) - static_cast<checked::i128>(b) * q;
    }
    if (quotient.empty()) quotient.push_back(zeroTermXL(variable));
    return oneGroup(std::move(quotient));
}

namespace {

/// factorCompletely, with `rootFound` set as soon as its first root is found,
/// before any factor or quotient is written out.
std::optional<std::vector<Polynomial_XL>> factorPasses(const Polynomial_XL& polynomial, bool& rootFound) {
    const auto n = degreeXL(polynomial);
    if (!n || *n < 2 || polynomial.terms.front().size() < 2) return std::nullopt;
    const RootSearchScope scope;
    Polynomial_XL current = polynomial;
    std::vector<Polynomial_XL> found;
    for (std::uint64_t pass = 0; pass < *n; ++pass) {
        const std::optional<LinearRoot> root = findRationalRoot(current);
        if (!root) {
            if (found.empty()) return std::nullopt;
            break;
        }
        rootFound = true;
        Polynomial_XL factor = linearFactor(*root, current.terms.front().front().monomial.variable);
        current = divideByLinearFactor(factor, current);
        found.push_back(std::move(factor));
    }
    found.push_back(std::move(current));
    return found;
}

}  // namespace

std::optional<std::vector<Polynomial_XL>> factorCompletely(const Polynomial_XL& polynomial) {
    bool rootFound = false;
    return factorPasses(polynomial, rootFound);
}

// ---- linear factors of a group ---------------------------------------------------

bool isFactorableXL(const Polynomial_XL& polynomial) {
    const auto w = findWorkingGroupXL(polynomial);
    if (!w) return false;
    const GroupXL& group = polynomial.terms[*w];
    if (group.size() < 2 || group.front().monomial.exponent < 2) return false;
    // The whole factoring runs, as factorCompletely spends it; once a root is
    // found the group factors, even where a factor or a quotient is beyond
    // 64 bits to write out (x² + (2⁶³ − 1)x − 2⁶³ is (x − 1)(x + 2⁶³)).
    bool rootFound = false;
    try {
        return factorPasses(oneGroup(group), rootFound).has_value();
    } catch (const OverflowError&) {
        if (rootFound) return true;
        throw;
    }
}

StepPairXL factorTrinomialXL(Color color, const Polynomial_XL& polynomial) {
    const std::size_t w = workingGroupXL(polynomial);
    const Term_XL& head = expressionTermXL(polynomial);
    const auto factors = factorCompletely(oneGroup(polynomial.terms[w]));
    require(factors.has_value(), "the group has no rational linear factor");
    std::vector<GroupXL> groups;
    for (const Polynomial_XL& f : *factors) groups.push_back(recolorGroupXL(color, f.terms.front()));

    Polynomial_XL before = polynomial;
    before.terms[w] = recolorGroupXL(color, polynomial.terms[w]);
    if (polynomial.terms.size() == 1) {
        std::vector<Factor> all;
        for (std::uint64_t i = 0; i < groups.size(); ++i) all.push_back(makeFactorForIndex(i, 0, color));
        groups.push_back({makeTermXL(makeMonomial(makeDefaultRational(1, 1), 0, head.monomial.variable), all)});
        return {before, Polynomial_XL{std::move(groups)}};
    }
    Factor& marked = before.terms.back().front().factors.back();
    marked = recolorFactor(color, marked);
    Polynomial_XL after = replaceGroupByProductXL(polynomial, w, groups, color);
    Term_XL& expression = after.terms.back().front();
    expression = blackenedExceptXL(expression, w, w + groups.size());
    return {before, after};
}

StepPairXL chooseFactoringMethod(Color color, std::string_view method, const Polynomial_XL& polynomial) {
    StepPairXL result = factorTrinomialXL(color, polynomial);
    if (method == "guess and check") return result;
    auto& groups = result[1].terms;
    const std::size_t w = workingGroupXL(polynomial);
    if (groups[w].size() != 2 || groups[w + 1].size() != 2) return result;
    // In 128 bits: a coefficient may be −2⁶³, and no product of two overflows.
    using checked::i128;
    const i128 a = numeratorOf(groups[w][0]), b = numeratorOf(groups[w][1]);
    const i128 c = numeratorOf(groups[w + 1][0]), d = numeratorOf(groups[w + 1][1]);
    const i128 ad = checked::magnitude(a * d), bc = checked::magnitude(b * c);
    const bool firstOrder = magnitudeGcd(a * c, std::max(ad, bc)) == checked::magnitude(a) &&
                            magnitudeGcd(b * d, std::min(ad, bc)) == checked::magnitude(b);
    if (!firstOrder) swapValues(groups[w], groups[w + 1]);
    return result;
}

// ---- a negative sign moved into a factor ---------------------------------------------

bool hasOppositeFactorSignsXL(const Polynomial_XL& polynomial) {
    const auto& groups = polynomial.terms;
    if (groups.size() < 3 || groups.back().size() != 1) return false;
    const Term_XL& expression = groups.back().front();
    if (!isNegative(expression.monomial.coefficient)) return false;
    for (std::uint64_t i : {0, 1}) {
        const GroupXL& g = groups[i];
        if (g.size() != 2 || g[0].monomial.exponent != 1 || g[1].monomial.exponent != 0 || !g[0].factors.empty() ||
            !g[1].factors.empty())
            return false;
        // Referenced once, by the expression, to the first power: negating the
        // group then negates the expression exactly once.
        std::size_t references = 0;
        for (const GroupXL& other : groups)
            for (const Term_XL& t : other)
                for (const Factor& f : t.factors)
                    if (f.pointer == i) references += (&t == &expression && f.exponent == 1) ? 1 : 2;
        if (references != 1) return false;
    }
    return isNegative(groups[0][1].monomial.coefficient) != isNegative(groups[1][1].monomial.coefficient);
}

std::optional<std::array<Polynomial_XL, 3>> signMoveStepsXL(const Polynomial_XL& polynomial) {
    if (!hasOppositeFactorSignsXL(polynomial)) return std::nullopt;
    const auto& groups = polynomial.terms;
    const GroupXL& g = isNegative(groups[0][1].monomial.coefficient) ? groups[0] : groups[1];
    const Term_XL x = plainTerm(g[0].monomial.coefficient, 1, g[0].monomial.variable);
    const Term_XL c = plainTerm(g[1].monomial.coefficient, 0, g[1].monomial.variable);
    const auto negated = [](const Term_XL& t) {
        Term_XL n = t;
        n.monomial.coefficient.numerator = checked::neg(t.monomial.coefficient.numerator);
        return n;
    };
    const Term_XL minusOne = makeTermXL(makeMonomial(makeDefaultRational(-1, 1), 0, g[1].monomial.variable),
                                        {makeFactor(0, 1)});
    return std::array<Polynomial_XL, 3>{oneGroup({x, c}), oneGroup({c, x}),
                                        Polynomial_XL{{{negated(c), negated(x)}, {minusOne}}}};
}

std::optional<Polynomial_XL> negateFactorAndCoefficientXL(Color color, const Polynomial_XL& polynomial) {
    if (!hasOppositeFactorSignsXL(polynomial)) return std::nullopt;
    const bool firstNegative = isNegative(polynomial.terms[0][1].monomial.coefficient);
    const auto rewritten = [&](const GroupXL& g, bool negate) {
        GroupXL result;
        for (const Term_XL* t : {&g[1], &g[0]}) {
            Monomial m = colorMonomial(color, makeMonomial(t->monomial.coefficient, t->monomial.exponent,
                                                           t->monomial.variable));
            if (negate) m.coefficient.numerator = checked::neg(m.coefficient.numerator);
            result.push_back(makeTermXL(m, {}));
        }
        return result;
    };
    Polynomial_XL result = polynomial;
    result.terms[0] = rewritten(polynomial.terms[0], firstNegative);
    result.terms[1] = rewritten(polynomial.terms[1], !firstNegative);
    Term_XL& expression = result.terms.back().front();
    expression.monomial = colorMonomial(color, expression.monomial);
    expression.monomial.coefficient.numerator = checked::neg(expression.monomial.coefficient.numerator);
    for (Factor& f : expression.factors)
        if (f.pointer <= 1) f = recolorFactor(color, f);
    return result;
}

}  // namespace tl
