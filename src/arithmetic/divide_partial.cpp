// Division by partial quotients: grab a convenient multiple of the divisor
// from what is left of the dividend, write the multiple beside it, repeat
// until the quotient is used up, then add the multiples. Each grab takes two
// pages: the facts that lead to the multiple, then its subtraction.
#include "arithmetic/arithmetic_model.hpp"
#include "arithmetic/division_frame.hpp"
#include "arithmetic/frame.hpp"
#include "base/checked.hpp"
#include "base/text.hpp"
#include "common/integers.hpp"
#include "common/items.hpp"
#include "common/records.hpp"

namespace tl {

namespace {

using checked::i128;
using frame::decimal;
using frame::i64;

constexpr char kSmile[] = "\U0001F642 ";  // 🙂 and a blank
constexpr char kFrown[] = "\U0001F641 ";  // 🙁 and a blank

}  // namespace

StepTriple New_Arithmetic_Model::dividePartialSteps() const {
    const detail::Division d = detail::readDivision(*this);
    frame::Solution solution(d.problem);
    if (auto done = detail::divisionShortCut(d, solution)) return std::move(*done);

    const i64 a = d.ops.a, b = d.ops.b;
    const std::string& bText = d.ops.bText;
    const StringList globals{d.ops.aText, bText, decimal(d.q), decimal(d.r)};
    StringList tableau{d.ops.aText}, partials;
    i64 count = 0;

    const auto record = [&](const std::string& tag, const std::string& stepType,
                            bool withPartials) {
        return dividePartialOpTable(tag, "\u00F7", tableau, globals, {stepType, decimal(count)},
                                    withPartials ? partials : StringList{});
    };
    const auto page = [&](const std::string& comment, Engine_Table rec,
                          const std::vector<std::string>& messages) {
        Engine_Step tables{d.problem, std::move(rec)};
        for (const auto& m : messages) tables.push_back(messageTable(m));
        solution.page(comment, std::move(tables));
    };
    // A fact may name a multiple past the quotient (b × 10 ... before
    // halving), so facts are worked in 128 bits.
    const auto times = [&](const std::string& left, i128 multiple) {
        return left + frame::kTimes + wideDecimal(multiple) + " = " + wideDecimal(b * multiple);
    };

    page(frame::kFirstStep, record("PROBLEM", "PROBLEM", false), {});
    const std::string question = "how many " + bText + "s?";
    std::vector<std::string> messages{decimal(a) + " to go", question};
    page("choose", record("CHOOSE", "CHOOSE", false), messages);

    // want ≥ 1 on entry (the short cut removed b ≥ a, and both are
    // non-negative), and every rule picks a multiple between 1 and want. The
    // power of ten just above want is 10^19 for a 19-digit quotient.
    i64 want = d.q, left = a;
    while (want != 0) {
        const i128 m = i128{powerOfTen(digitCount(want) - 1)} * 10;
        i64 multiple = 0;
        if (b == powerOfTen(digitCount(b) - 1)) {
            multiple = want;
            messages.push_back(kSmile + times(bText, multiple));
            messages.push_back("can grab " + decimal(multiple) + " of them");
        } else if (hasSingleNonZeroDigit(decimal(b))) {
            const i64 p = powerOfTen(digitCount(want) - 1);
            multiple = want / p * p;
            messages.push_back(kSmile + times(bText, multiple));
            messages.push_back("can grab " + decimal(multiple) + " of them");
            messages.push_back("math fact");
        } else if (want >= m / 2) {
            multiple = static_cast<i64>(m / 2);
            messages.push_back(kFrown + times(decimal(b), m));
            messages.push_back("smarter to halve");
            messages.push_back(kSmile + times(decimal(b), multiple));
            messages.push_back("can grab " + decimal(multiple) + " of them");
        } else if (want >= m / 5) {
            multiple = static_cast<i64>(m / 5);
            messages.push_back(kSmile + times(decimal(b), multiple / 2));
            messages.push_back("smarter to double");
            messages.push_back(kSmile + times(decimal(b), multiple));
            messages.push_back("can grab " + decimal(multiple) + " of them");
        } else {
            multiple = static_cast<i64>(m / 10);
            messages.push_back(kSmile + times(decimal(b), multiple));
            messages.push_back("can grab " + decimal(multiple) + " of them");
        }

        const i64 grabbed = checked::mul(b, multiple);
        ++count;
        want = checked::sub(want, multiple);
        tableau.push_back(decimal(grabbed));
        tableau.push_back(decimal(checked::sub(a, checked::mul(b, checked::sub(d.q, want)))));
        partials.push_back(decimal(multiple));
        page("smart choice", record("CHOICE", "CHOICE", true), messages);

        left = checked::sub(left, grabbed);
        messages = {"grab " + times(decimal(b), multiple), decimal(left) + " to go"};
        if (want == 0) {
            messages.push_back(left == 0 ? "divides evenly" : "remainder is " + decimal(d.r));
            page("grab and go", record("GRAB", "GRAB", true), messages);
        } else {
            messages.push_back(question);
            page("grab and choose", record("GRAB", "GRAB AND CHOOSE", true), messages);
        }
    }

    page("add partial quotients", record("ADD", "ADD", true), {});
    page("the solution", record("SOLUTION", "SOLUTION", true), {});
    return std::move(solution).close({d.problem, record("SUMMARY", "SUMMARY", true)});
}

}  // namespace tl
