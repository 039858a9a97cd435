// One line of plain text for a table, read left to right as the step view
// draws it: for tests that check what a page shows, and for
// tellurandi-steps --text.
//
// - Numbers and messages as written (a message keeps its line breaks), minus
//   signs as drawn ("-" or "−"); a blank table is the empty text.
// - A fraction a/b, a mixed number "2 1/3", a power x^2, a root √m (³√m with
//   an index). Where one line loses the layout, parts are parenthesised:
//   "(x + 1)/2", "1/(2x)", "(1/3)x", "(2x)^2", "x^(n + 1)", "√(x + 1)".
// - An operator join with a blank on each side ("x + 1", "2x = 6"), a prefix
//   before its operand ("= 4"), brackets as drawn (none when invisible),
//   juxtaposition as the two texts side by side (a fraction parenthesised
//   only where it touches the other text: "(1/3)x", but "x = -1/5"); a join
//   or kind that draws nothing reads as nothing.
// - What the page draws in a hidden colour ("clear" or "invisible") is left
//   out: a leaf in none but hidden colours, an operator, a sign, brackets or
//   a prefix in one.
// - A cancelled part as (old→new): "(6→3)/(8→4)"; an extended fraction as
//   "(3 × 2)/(4 × 2)".
// - Grids as their rows joined by " | ", the cells of a row by blanks: a box
//   table "1 2 3 | 4 5 6"; a strategy tableau after its operator,
//   "+: _ 5 8 | _ 6 7 | 1 2 5", where a cell that is not drawn (an empty
//   place, a hidden or clear cell) reads "_" and a crossed-out cell carries
//   U+0336 after each character; a lattice "23 × 45: 08 12 | 10 15 = 1035",
//   a multiplication grid "20 3 × 40 5: 800 120 | 100 15", a prime tree
//   level by level, "_ 12 | 2 6 | 2 3".
// - The divisions row by row as drawn, the quotient line first ("_" while it
//   is hidden) and the bracket as ")" between divisor and dividend: long
//   division cell by cell, "÷: _ _176 R 2 | 7)1234 | _ _7__ | _ _53_ | …";
//   partial quotients with each amount beside its multiple and the sum of
//   the multiples beside the last left, "÷: 42 R 20 | 23)986 | 460 20 | 526
//   | … | 46 2 | 20 42". Counting as its chain reads down the page, after
//   the sign drawn beside its counts ("−" counting down, "+" counting up)
//   and, where the page adds the counts, the second strip as a sum of its
//   own: "−: 500 | 300 | 200 | 70 | 130 | 7 | 123; +: 300 | 70 | 7 | 377".
// - What a tableau draws in the page's hidden colour, or only later, is left
//   out; a sign the page draws beside several rows is written once, in
//   front. The divisions write "÷" instead of the "−" drawn before each
//   amount and the "+" beside the last multiple; the "+" that the written
//   layouts draw before the last partial row, on the pages that add the
//   partial results, is not written, nor are the slanted place values above
//   the columns.
#pragma once

#include <string>

#include "common/tableau.hpp"

namespace tl {

/// The table as one line of text (see above). A malformed table is a
/// PreconditionError.
std::string tableText(const Engine_Table& table);

}  // namespace tl
