#include "strategies.hpp"

#include <string_view>

#include "arithmetic/arithmetic_model.hpp"

namespace tl::bench {

namespace {

using Options = std::vector<std::vector<std::string>>;

template <class Model>
StepTriple run(StepTriple (Model::*builder)() const, const std::string& a, const std::string& b,
               const Options& options) {
    Model model;
    model.inputs = {{{a, b}}};
    if (b.empty()) model.inputs = {{{a}}};
    model.options = options;
    return (model.*builder)();
}

std::size_t rows(const StepTriple& t) {
    std::size_t n = 0;
    for (const auto& page : t.steps)
        for (const auto& table : page) n += table.size();
    return n;
}

// Operands that stress every strategy at a digit count: all nines (carries
// everywhere), powers of ten and their neighbours (trades across zeros),
// and mixed digits.
std::vector<std::string> candidates(int digits) {
    const std::string nines(static_cast<std::size_t>(digits), '9');
    const std::string one = "1";
    std::vector<std::string> c{nines, one, "9", "2", "7"};
    if (digits >= 2) {
        std::string ten(static_cast<std::size_t>(digits), '0');
        ten.front() = '1';
        std::string tenOne = ten;
        tenOne.back() = '1';
        std::string mixed;
        for (int i = 0; i < digits; ++i) mixed += static_cast<char>('9' - (i * 2) % 9);
        std::string sevens(static_cast<std::size_t>(digits), '7');
        std::string nineZeros = ten;
        nineZeros.front() = '9';
        c.insert(c.end(), {ten, tenOne, mixed, sevens, nineZeros, nines.substr(1)});
    }
    return c;
}

template <class Model>
Strategy heaviest(std::string name, StepTriple (Model::*builder)() const, int digits, Options options,
                  bool oneNumber = false) {
    std::string bestA, bestB;
    std::size_t bestPages = 0, bestRows = 0;
    const auto list = candidates(digits);
    for (const auto& a : list)
        for (const auto& b : oneNumber ? std::vector<std::string>{""} : list) {
            const StepTriple t = run(builder, a, b, options);
            const std::size_t pages = t.steps.size(), r = rows(t);
            if (pages > bestPages || (pages == bestPages && r > bestRows)) {
                bestPages = pages;
                bestRows = r;
                bestA = a;
                bestB = b;
            }
        }
    Strategy s;
    s.name = std::move(name);
    s.entry = oneNumber ? bestA : bestA + "," + bestB;
    s.build = [=] { return run(builder, bestA, bestB, options); };
    return s;
}

}  // namespace

const std::vector<Strategy>& strategies() {
    using M = New_Arithmetic_Model;
    const Options ltr{{" left to right "}};
    const Options corner{{" top ", " left "}, {" row ", " snake "}};
    static const std::vector<Strategy> all = {
        heaviest("add_column", &M::addColumnSteps, 4, {}),
        heaviest("add_trade", &M::addTradeSteps, 4, {}),
        heaviest("add_partial", &M::addPartialSteps, 4, ltr),
        heaviest("subtract_trade", &M::subtractTradeSteps, 4, {}),
        heaviest("subtract_trade_first", &M::subtractTradeFirstSteps, 4, {}),
        heaviest("subtract_partial", &M::subtractPartialSteps, 4, ltr),
        heaviest("subtract_count", &M::subtractCountSteps, 4, {{" count up "}}),
        heaviest("multiply_standard", &M::multiplyStandardSteps, 3, {}),
        heaviest("multiply_partial", &M::multiplyPartialSteps, 3, ltr),
        heaviest("multiply_lattice", &Multiply_Lattice_Model::solve, 4, corner),
        heaviest("multiply_grid", &Multiply_Grid_Model::solve, 4, corner),
        heaviest("divide_standard", &M::divideStandardSteps, 4, {}),
        heaviest("divide_partial", &M::dividePartialSteps, 4, {}),
        heaviest("partition", &Partition_Model::solve, 5, {}, true),
    };
    return all;
}

}  // namespace tl::bench
