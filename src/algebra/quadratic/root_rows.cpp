#include "algebra/quadratic/root_rows.hpp"

#include <cmath>
#include <optional>

#include "algebra/tables.hpp"
#include "base/checked.hpp"
#include "base/errors.hpp"
#include "base/text.hpp"
#include "common/integers.hpp"
#include "common/items.hpp"

namespace tl {

namespace {

double toDouble(const Rational& r) {
    return static_cast<double>(r.numerator) / static_cast<double>(r.denominator);
}

/// a + b·√c as a double. Where a and b·√c nearly cancel (the smaller root
/// of x² + 3036999996x + 2, about −6.6e−10), the sum would keep only
/// rounding noise; the same value is then taken as (a² − b²c) ÷ (a − b·√c),
/// whose numerator is exact.
double rootValue(const Quadratic_solution& root) {
    const double a = toDouble(root.a);
    if (root.b.numerator == 0) return a;
    const double s = toDouble(root.b) * std::sqrt(static_cast<double>(root.c));
    if (a == 0 || s == 0 || (a < 0) == (s < 0)) return a + s;
    try {
        const Rational aa = multiplyRational(root.a, root.a).value();
        const Rational bbc = multiplyRational(multiplyRational(root.b, root.b).value(),
                                              makeDefaultRational(root.c, 1)).value();
        return toDouble(subtractRational(aa, bbc).value()) / (a - s);
    } catch (const OverflowError&) {
        return a + s;  // a² − b²c beyond 64 bits: the plain sum
    }
}

Engine_Table radical(std::int64_t c) { return unaryItem("\u221A", messageTable(std::to_string(c))); }

Engine_Table number(std::int64_t n) { return messageTable(std::to_string(n)); }

/// a ± |b|·√c, or b·√c when a is absent (zero). `signedB` draws b with its
/// sign, `magnitudeB` without; a unit b is left out ("√c", "-√c", "a + √c").
Engine_Table radicalSum(const std::optional<Engine_Table>& a, const Engine_Table& signedB,
                        const Engine_Table& magnitudeB, bool negative, bool unit, std::int64_t c) {
    const Engine_Table root = radical(c);
    if (!a) {
        if (unit) return negative ? unaryItem("-", root) : root;
        return joinItem(juxtapositionJoinText, signedB, root);
    }
    return joinItem(negative ? "\u2212" : "+", *a, unit ? root : joinItem(juxtapositionJoinText, magnitudeB, root));
}

Engine_Table fractionRoot(const Quadratic_solution& root) {
    auto draw = [](const Rational& r) { return rationalTable(false, Style::fraction, r); };
    const Rational& b = root.b;
    if (b.numerator == 0) return draw(root.a);
    // Over 0 the sign is the numerator's, and the magnitude is kept as written.
    const bool negative = b.denominator == 0 ? b.numerator < 0 : isNegativeRational(b).value();
    Rational magnitude = b;
    if (negative)
        magnitude = b.denominator == 0 ? makeDefaultRational(checked::neg(b.numerator), 0) : negateRational(b).value();
    const bool unit = rationalEquals(magnitude, makeDefaultRational(1, 1));
    const std::optional<Engine_Table> a =
        root.a.numerator == 0 ? std::nullopt : std::optional<Engine_Table>(draw(root.a));
    return radicalSum(a, draw(b), draw(magnitude), negative, unit, root.c);
}

Engine_Table commonDenominatorRoot(const Quadratic_solution& root) {
    const std::int64_t L = lcm(root.a.denominator, root.b.denominator);
    const std::int64_t A = checked::mul(root.a.numerator, checked::div(L, root.a.denominator));
    const std::int64_t B = checked::mul(root.b.numerator, checked::div(L, root.b.denominator));
    if (B == 0) return rationalTable(false, Style::rational_fraction, root.a);
    const std::optional<Engine_Table> a = A == 0 ? std::nullopt : std::optional<Engine_Table>(number(A));
    const Engine_Table numerator =
        radicalSum(a, number(B), number(checked::abs(B)), B < 0, checked::abs(B) == 1, root.c);
    return L == 1 ? numerator : joinItem("/", numerator, number(L));
}

}  // namespace

Engine_Table quadraticSolutionRows(const Quadratic_solution& root, Style style) {
    // A part over 0 has no number, and √c of a negative c no decimal: such a
    // root is drawn as written, as in fraction style (never "inf" or "nan").
    const bool overZero = root.a.denominator == 0 || root.b.denominator == 0;
    if (overZero || (style == Style::decimal && root.c < 0 && root.b.numerator != 0)) return fractionRoot(root);
    switch (style) {
        case Style::decimal:
            return messageTable(formatG8(rootValue(root)));
        case Style::fraction:
            return fractionRoot(root);
        case Style::rational_fraction:
            break;
    }
    return commonDenominatorRoot(root);
}

Engine_Table rootsLine(const std::string& variable, const QuadraticRoots& roots, Style rationalStyle,
                       Style irrationalStyle) {
    require(roots.root1.has_value() && roots.root2.has_value(), "a line of roots needs the roots");
    const bool rational = roots.status == Quadratic_status::rational_repeated ||
                          roots.status == Quadratic_status::rational_distinct;
    const Style style = rational ? rationalStyle : irrationalStyle;
    const Engine_Table label = messageTable(variable + " = ");
    std::vector<Engine_Table> parts{label, quadraticSolutionRows(*roots.root1, style)};
    if (roots.status != Quadratic_status::rational_repeated) {
        parts.push_back(messageTable(" or "));
        parts.push_back(label);
        parts.push_back(quadraticSolutionRows(*roots.root2, style));
    }
    return joinTableaux(parts).value();
}

}  // namespace tl
