// The equation reader: equation text to the engine's values, exactly as
// written. Terms keep their order, zero terms stay, fractions are not
// reduced (2/4 stays 2/4), decimals go through rationalFromDecimalText
// (2.50 is 25/10) and a zero denominator is kept, so "x/0 = 1" reaches a
// solver, which answers it.
//
// Grammar (blanks and tabs may stand between any two tokens):
//   equation  := side relation side
//   relation  := "=" | "<" | ">" | "<=" | ">=" | "≤" | "≥"
//   side      := [sign] term {sign term}          sign := "+" | "-" | "−"
//   term      := [coefficient] [letter [power]] {group [power]} [divisor]
//                (at least one of coefficient, letter, group)
//   coefficient := number ["/" denominator]
//                | "(" [sign] number ["/" denominator] ")"   (right before a
//                   letter or a group, "(3/4)x", "(1/2)(x + 4)", or as a whole
//                   term, a constant: "x + (3/4)" is "x + 3/4"; before a power
//                   or a divisor it is a group, "(3/4)^2", "(3)/2")
//   number    := digits | digits "." [digits] | "." digits   ("7", "2.5", ".5")
//   denominator := digits | "(" [sign] digits ")"             ("4", "(−3)")
//   letter    := "x" | "y" | "z"
//   power     := "^" digits | superscript digits              ("^2", "²", "¹²")
//   group     := "(" side ")"
//   divisor   := "/" denominator, after a letter or a group, when the
//                coefficient has no denominator yet: "x/3", "3x/4", "(x + 1)/2"
// The sign of a term goes to its numerator. A coefficient without a letter
// is a constant in "x". A divisor divides the coefficient, which is the
// multiplier of the term's groups: (x + 1)/2 is (1/2)·(x + 1).
//
// Three forms:
// - no group: a PolyEquation (flat sides);
// - at most one group per term, without a power: an Ext_polyEquation,
//   "2(3(x + 1) + 4) = 20" — a group term's monomial is the multiplier;
// - products and powers of groups: a Polynomial_Equation_XL,
//   "2(x + 1)(x − 3)^2 = 0" — the term 2 with the factors (0, 1), (1, 2).
// In both grouped forms inner groups come first and each side's top level
// is its last group.
//
// The reader never throws: anything else is refused with the 1-based
// character column at which reading stopped and a message. Numbers beyond
// 64 bits are refused too.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "algebra/values.hpp"
#include "base/errors.hpp"

namespace tl {

/// Longest text read, in characters.
inline constexpr std::size_t kMaxEquationTextLength = 10000;
/// Deepest nesting of groups.
inline constexpr std::size_t kMaxGroupNestingDepth = 32;

/// Why a text was refused: the 1-based character column and a message.
struct ReadError {
    std::size_t position = 1;
    std::string message;
};

/// "column 4: message", as a command line shows a refusal.
std::string readErrorText(const ReadError& error);

/// A value read, or why not.
template <class T>
class ReadResult {
public:
    ReadResult(T value) : result_(std::move(value)) {}
    ReadResult(ReadError error) : result_(std::move(error)) {}

    bool ok() const { return result_.index() == 0; }
    explicit operator bool() const { return ok(); }
    /// The value; asking a refusal for it is a broken precondition.
    const T& value() const {
        require(ok(), "the text was refused");
        return std::get<0>(result_);
    }
    /// The refusal; asking a value for it is a broken precondition.
    const ReadError& error() const {
        require(!ok(), "the text was read");
        return std::get<1>(result_);
    }

private:
    std::variant<T, ReadError> result_;
};

/// Whichever form the text needs (see above).
using AnyEquation = std::variant<PolyEquation, Ext_polyEquation, Polynomial_Equation_XL>;

/// A flat equation; a group is refused (grouped equations are read by readExtEquation).
ReadResult<PolyEquation> readPolyEquation(std::string_view text);
/// An equation with at most one group per term (flat text too); a product
/// or power of groups is refused.
ReadResult<Ext_polyEquation> readExtEquation(std::string_view text);
/// Any equation, in the first form that holds it: flat, grouped, factored.
ReadResult<AnyEquation> readEquation(std::string_view text);
/// A whole text that is one factored polynomial, such as "2(x + 1)(x − 3)^2".
ReadResult<Polynomial_XL> readFactoredPolynomial(std::string_view text);

/// A factored polynomial and the byte offset at which it ends.
struct FactoredPolynomialRead {
    Polynomial_XL polynomial;
    /// Offset of the first character not read (blanks after it skipped):
    /// the text's size, or a relation, ")" or "/" for the caller to read.
    std::size_t end = 0;
    /// Each letter written with a power from 1 up, once, with the column of
    /// its first such use, in the order met: "2x + y^0 + x" has x at 2.
    std::vector<std::pair<std::string, std::size_t>> letters;
    /// The column of the first denominator 0 of a coefficient: "x/0" has it at 3.
    std::optional<std::size_t> zeroDenominator;
};

/// Reads one factored polynomial from byte offset `offset` on, and stops at
/// the first character that cannot continue it, so that readers of larger
/// forms can go on from `end`. A "/" ends the polynomial unless a whole
/// number follows it (a divisor of the term before): in "(x + 1)(x + 2)/((x + 1)(x + 3))"
/// the first read ends at the "/". Positions of refusals count from the
/// start of the whole text.
ReadResult<FactoredPolynomialRead> readFactoredPolynomialAt(std::string_view text, std::size_t offset);

/// Why nothing may follow a whole polynomial where readFactoredPolynomialAt
/// stopped, at byte `offset` of `text`, in readFactoredPolynomial's words:
/// "expected '+', '−' or the end, found the letter x", and `relationMessage`
/// for a relation.
ReadError refusalAfterPolynomial(std::string_view text, std::size_t offset, const char* relationMessage);

/// The 1-based character column of byte offset `offset` of `text`, for
/// messages of readers built on readFactoredPolynomialAt.
std::size_t columnOfOffset(std::string_view text, std::size_t offset);

}  // namespace tl
