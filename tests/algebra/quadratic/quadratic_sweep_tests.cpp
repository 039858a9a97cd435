// Random equations through each method, their closing page checked without
// the solver: every root it names is put back into the equation exactly
// (in Q(√m) for a ± b√m; decimals to 7 digits), two roots are distinct and
// ascending, and the status follows the discriminant of the equation as
// generated ("no solution" only when it is negative).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "algebra/quadratic/quadratic_solver.hpp"
#include "base/random.hpp"
#include "common/table_text.hpp"
#include "support/recording_checks.hpp"

using namespace tl;

namespace {

__extension__ using i128 = __int128;

/// An exact rational in lowest terms, denominator positive.
struct Q {
    i128 n = 0, d = 1;
    Q(i128 num = 0, i128 den = 1) {
        i128 g = den < 0 ? -den : den;
        for (i128 r = num < 0 ? -num : num; r != 0;) g %= r, std::swap(g, r);
        n = num / (den < 0 ? -g : g), d = den / (den < 0 ? -g : g);
    }
    friend Q operator+(Q a, Q b) { return {a.n * b.d + b.n * a.d, a.d * b.d}; }
    friend Q operator-(Q a, Q b) { return {a.n * b.d - b.n * a.d, a.d * b.d}; }
    friend Q operator*(Q a, Q b) { return {a.n * b.n, a.d * b.d}; }
    friend Q operator/(Q a, Q b) { return {a.n * b.d, a.d * b.n}; }
    friend bool operator==(Q a, Q b) { return a.n == b.n && a.d == b.d; }
    double value() const { return static_cast<double>(n) / static_cast<double>(d); }
};
using Surd = std::pair<Q, Q>;  // a + b√m

bool isSquare(i128 n) {
    const auto r = static_cast<i128>(std::llround(std::sqrt(static_cast<double>(n))));
    return n >= 0 && r * r == n;
}

/// a + b√m read from a root as the page writes it: sums, "-", fractions,
/// a number times √m, parentheses ("(3 + 2√5)/6", "1 − (3/2)√5", "-√2").
class RootReader {
public:
    explicit RootReader(std::string text) : s_(std::move(text)) {}
    Surd read() { const Surd r = sum(); EXPECT_EQ(at_, s_.size()) << s_; return r; }
    Q m;

private:
    bool take(std::string_view t) { return s_.compare(at_, t.size(), t) == 0 ? (at_ += t.size(), true) : false; }
    Surd sum() {
        for (Surd r = product();;) {
            const int sign = take(" + ") ? 1 : take(" \u2212 ") ? -1 : 0;
            if (sign == 0) return r;
            const Surd t = product();
            r = {r.first + Q(sign) * t.first, r.second + Q(sign) * t.second};
        }
    }
    Surd product() {
        const Surd r = unary();
        const Q d = take("/") ? unary().first : Q(1);
        return {r.first / d, r.second / d};
    }
    Surd unary() {
        if (take("-")) {
            const Surd r = unary();
            return {Q(0) - r.first, Q(0) - r.second};
        }
        const Surd first = atom();
        if (at_ == s_.size() || (s_[at_] != '(' && s_.compare(at_, 3, "\u221A") != 0)) return first;
        return {Q(0), first.first * atom().second};  // a number times √m
    }
    Surd atom() {
        if (take("(")) {
            const Surd r = sum();
            EXPECT_TRUE(take(")")) << s_;
            return r;
        }
        const bool root = take("\u221A");
        const std::size_t from = at_;
        while (at_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[at_]))) ++at_;
        const Q n(std::stoll(s_.substr(from, at_ - from)));
        return root ? (m = n, Surd{Q(0), Q(1)}) : Surd{n, Q(0)};
    }
    std::string s_;
    std::size_t at_ = 0;
};

std::int64_t draw(std::int64_t lo, std::int64_t hi) {
    static SystemRandom random(2024);
    return random.uniformInRange(lo, hi);
}

/// An equation A v² + B v + C = 0 spread over two sides.
struct Generated {
    Q A, B, C;
    std::string letter;
    Polynomial LHS{{}}, RHS{{}};
};

/// kind 0, 1: k(q₁v − p₁)(q₂v − p₂), distinct or repeated roots; 2:
/// irrational roots; 3: no real roots; 4: linear (the v² terms cancel); 5: any.
Generated generate(int kind) {
    std::int64_t a = 0, b = draw(-20, 20), c = draw(-20, 20);
    if (kind <= 1) {
        const std::int64_t p1 = draw(-9, 9), q1 = draw(1, 4), k = draw(1, 3) * (draw(0, 1) ? 1 : -1);
        const std::int64_t p2 = kind == 0 ? draw(-9, 9) : p1, q2 = kind == 0 ? draw(1, 4) : q1;
        a = k * q1 * q2, b = -k * (q1 * p2 + q2 * p1), c = k * p1 * p2;
    } else if (kind != 4) {
        for (a = draw(1, 9) * (draw(0, 1) ? 1 : -1); true; b = draw(-20, 20), c = draw(-20, 20))
            if (const std::int64_t D = b * b - 4 * a * c; kind == 5 || (kind == 2 ? D > 0 && !isSquare(D) : D < 0))
                break;
    }
    static constexpr std::int64_t denominators[] = {1, 1, 1, 2, 3, 4, 6, 8, 10, 100, 1000};
    const std::int64_t den = denominators[draw(0, std::size(denominators) - 1)];
    Generated g{Q(a, den), Q(b, den), Q(c, den), std::string(1, "xyz"[draw(0, 2)])};
    // Each power on the left, on the right, on both or twice on the left;
    // numbers over `den` as written (2/10 stays 2/10).
    for (auto [value, exponent] : {std::pair{a, 2}, {b, 1}, {c, 0}}) {
        auto term = [&](std::int64_t n) {
            return makeMonomial(makeDefaultRational(n, den), exponent, exponent == 0 ? "x" : g.letter);
        };
        const std::int64_t t = draw(1, 9), where = draw(0, 3);
        if (where == 0 && value != 0) g.LHS.terms.push_back(term(value));
        if (where == 1 && value != 0) g.RHS.terms.push_back(term(-value));
        if (where == 2) g.LHS.terms.push_back(term(value + t)), g.RHS.terms.push_back(term(t));
        if (where == 3) g.LHS.terms.push_back(term(value - t)), g.LHS.terms.push_back(term(t));
    }
    for (Polynomial* side : {&g.LHS, &g.RHS}) {
        if (side->terms.empty()) side->terms.push_back(makeMonomialX(makeDefaultRational(0, 1), 0));
        for (std::size_t i = side->terms.size(); i > 1; --i) std::swap(side->terms[i - 1], side->terms[draw(0, i - 1)]);
    }
    return g;
}

/// The value of one root "v = r" of `line`, r put back into the equation.
double checkedRoot(const Generated& g, const std::string& root, bool rational) {
    const double A = g.A.value(), B = g.B.value(), C = g.C.value();
    if (root.find_first_of(".e") != std::string::npos) {
        const double r = std::stod(root);
        EXPECT_NEAR((A * r + B) * r + C, 0, 1e-7 * (std::abs(A * r * r) + std::abs(B * r) + std::abs(C))) << root;
        return r;
    }
    RootReader reader(root);
    const auto [u, w] = reader.read();
    // A(u² + w²m) + Bu + C = 0 and w(2Au + B) = 0.
    EXPECT_TRUE(g.A * (u * u + w * w * reader.m) + g.B * u + g.C == Q(0) && w * (Q(2) * g.A * u + g.B) == Q(0))
        << root;
    EXPECT_EQ(w == Q(0), rational) << root;
    return u.value() + w.value() * std::sqrt(reader.m.value());
}

void checkClosingPage(const Generated& g, const Engine_Step& closing) {
    std::vector<std::string> page;
    for (const Engine_Table& t : closing) page.push_back(tableText(t));
    const std::string label = g.letter + " = ";
    if (g.A == Q(0)) {  // the problem, then v = value or the status
        ASSERT_EQ(page.size(), 2u);
        if (g.B == Q(0)) {
            EXPECT_EQ(page[1], g.C == Q(0) ? "TRUE, solution is all values of variable" : "FALSE, no solution");
        } else {
            EXPECT_TRUE(page[1].starts_with(label)) << page[1];
            checkedRoot({Q(0), g.B, g.C, g.letter}, page[1].substr(label.size()), true);
        }
        return;
    }
    const Q D = g.B * g.B - Q(4) * g.A * g.C;
    const bool rational = isSquare(D.n) && isSquare(D.d);
    // The problem, two blanks, the roots (none for "no solution"), the status.
    const std::size_t at = D.n < 0 ? 3 : 4;
    ASSERT_GT(page.size(), at);
    EXPECT_EQ(page[at], D.n < 0    ? "no solution"
                        : D.n == 0 ? "repeated rational solution"
                        : rational ? "distinct rational solutions"
                                   : "distinct irrational solutions");
    if (D.n < 0) return;
    std::vector<double> roots;
    for (std::size_t from = 0, end = 0; end != std::string::npos; from = end + 4) {
        end = page[3].find(" or " + label, from);
        EXPECT_EQ(page[3].compare(from, label.size(), label), 0) << page[3];
        roots.push_back(checkedRoot(g, page[3].substr(from + label.size(), end - from - label.size()), rational));
    }
    EXPECT_EQ(roots.size(), D.n == 0 ? 1u : 2u) << page[3];
    if (roots.size() == 2) {
        EXPECT_LT(roots[0], roots[1]) << page[3];
    }
}

}  // namespace

TEST(QuadraticSweep, ClosingPagesStateTheRoots) {
    SystemRandom linearDraws(7);
    ScopedRandomSource scoped(linearDraws);
    for (const Quadratic_method method : allCases<Quadratic_method>())
        for (int i = 0; i < 10000 / tl::testing::kSanitizerSlowdown && !HasFailure(); ++i) {
            const Generated g = generate(i % 6);
            const auto style = static_cast<Style>(draw(0, 2));
            const QuadraticSteps r = solveQuadratic(method, Technique::balance, draw(0, 1), false, style,
                                                    Method::standard, draw(0, 1), g.LHS, g.RHS, Relation::equal_to,
                                                    Color::black);
            SCOPED_TRACE(std::string(rawValue(method)) + ", " + std::string(rawValue(style)) + ": " +
                         tableText(r.steps.front().front()));
            ASSERT_EQ(r.steps.size(), r.comments.size());
            EXPECT_TRUE(std::ranges::all_of(r.comments, [](const auto& c) { return c.size() == 1; }));
            EXPECT_EQ(r.comments.front().front(), "\U0001F914");
            EXPECT_EQ(r.comments.back().front(), "\U0001F60E");
            checkClosingPage(g, r.steps.back());
        }
}
