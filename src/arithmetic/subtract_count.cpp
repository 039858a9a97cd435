// Subtraction by counting, down from a to b or up from b to a. First count to
// the nearest ten, hundred and so on without passing the other number, then
// in whole multiples of each place value from the highest place down; every
// count ends on a multiple of a place value, and the counts add up to a − b.
#include "arithmetic/arithmetic_model.hpp"
#include "arithmetic/frame.hpp"
#include "base/checked.hpp"
#include "base/text.hpp"
#include "common/integers.hpp"
#include "common/items.hpp"
#include "common/records.hpp"

namespace tl {

using namespace frame;
using checked::i128;

StepTriple New_Arithmetic_Model::subtractCountSteps() const {
    const Operands ops = readOperands(*this);
    const i64 a = ops.a;
    const i64 b = ops.b;
    const i64 d = checked::sub(a, b);
    const std::string problem = problemText(ops, kMinusSign);
    const Engine_Table problemTable = messageTable(problem);
    Engine_Table answerTable = messageTable(answerText(problem, d), Color::black, "SOLUTION");

    Solution solution(problemTable);
    if (d == 0 || b == 0) return std::move(solution).shortCut(kSimpleCase, answerTable);
    if (d < 0) return std::move(solution).shortCut(kBeyondScope, answerTable);

    const bool up = optionIs(*this, " count up ");
    const i64 columns = i64(characterStrings(ops.aText).size());
    const StringList globals{up ? "COUNT UP" : "COUNT DOWN", decimal(columns),
                             decimal(i64(characterStrings(decimal(d)).size())), decimal(d)};
    const char* countComment = up ? "count up" : "count down";

    StringGrid steps{{up ? ops.bText : ops.aText, "?", "?"}};
    solution.page(kFirstStep, {problemTable, countOpTable("STEP", "\u2212", steps, globals, {"SHOW", "1"}),
                               messageTable(up ? "count up" : "count down"),
                               messageTable(up ? "from smaller to larger" : "from larger to smaller")});

    steps.clear();
    std::vector<i64> counts;
    i64 k = 1;
    i64 current = up ? b : a;

    auto countPage = [&](i64 count, const std::string& message) {
        const i64 next = up ? checked::add(current, count) : checked::sub(current, count);
        steps.push_back({decimal(current), decimal(count), decimal(next)});
        counts.push_back(count);
        current = next;
        solution.page(countComment, {problemTable,
                                     countOpTable("STEP", "\u2212", steps, globals, {"STEP", decimal(k)}),
                                     messageTable(message)});
        k = checked::add(k, 1);
    };

    // First phase: to the nearest ten, hundred ... as long as the other
    // number is not passed. Landing on a multiple of a higher place jumps the
    // aim straight there. The multiple aimed at is taken in 128 bits: near the
    // largest number it may lie past the 64-bit range, and then it does not fit.
    i64 p = 1;
    do {
        const i64 m = powerOfTen(p);
        const i64 r = checked::rem(current, m);
        const i64 count = up ? m - r : r;
        const i128 aim = up ? i128{current} + count : i128{current} - count;
        if (count > 0 && count < m && (up ? aim <= a : aim >= b)) {
            const i64 landed = checked::narrow(aim);
            for (i64 q = columns - 1; q >= p + 1; --q) {
                if (checked::rem(landed, powerOfTen(q)) == 0) {
                    p = q;
                    break;
                }
            }
            countPage(count, "to nearest " + placeValueName(p, false));
        }
        ++p;
    } while (p < columns);

    // Second phase: whole multiples of each place value, highest first; the
    // ones place always closes the gap. Rounding up works in 128 bits; the
    // count itself lies within a − b.
    const auto roundedUp = [](i64 n, i64 m) { return (i128{n} + m - 1) / m; };
    for (i64 i = 0; i < columns; ++i) {
        const i64 position = columns - 1 - i;
        const i64 m = powerOfTen(position);
        const i64 c = checked::narrow(up ? i128{a / m - current / m} * m
                                         : (roundedUp(current, m) - roundedUp(b, m)) * m);
        if (c != 0) countPage(c, (up ? "to highest " : "to lowest ") + placeValueName(position, false));
    }

    const i64 n = k - 1;
    const bool single = counts.size() < 2;
    StringList countUps;
    for (i64 c : counts) countUps.push_back(decimal(c));

    recolorMessageByTag(answerTable, Color::red, "SOLUTION");
    solution.page(single ? "a single count" : "add counts",
                  {answerTable, countOpTable("STEP", "\u2212", steps, globals,
                                             {single ? "COUNT SHORT" : "COUNT", decimal(n)}, countUps)});
    recolorMessageByTag(answerTable, Color::black, "SOLUTION");
    return std::move(solution).close({answerTable, countOpTable("STEP", "\u2212", steps, globals,
                                                                {single ? "SUMMARY SHORT" : "SUMMARY", decimal(n)},
                                                                countUps)});
}

}  // namespace tl
