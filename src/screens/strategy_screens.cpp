#include "screens/strategy_screens.hpp"

#include <functional>

#include "base/errors.hpp"
#include "platform/ui/storyboard.hpp"

namespace tl {

namespace {

using Maker = std::function<std::unique_ptr<StrategyScreenBase>(const StrategyScreenValues&)>;

template <class Screen>
Maker maker() {
    return [](const StrategyScreenValues& values) { return std::make_unique<Screen>(values); };
}

struct Entry {
    StrategyScreenValues values;
    Maker make;
};

const std::vector<std::string> kBothNumbers = {"enter both numbers", "\U0001F914 for steps"};
const std::vector<std::string> kStartAndFill = {"enter both numbers,", "start point and fill strategy",
                                                "\U0001F914 for steps"};
const PadTables kTwoFields = {{{"0", "0"}}};
const PadTables kLeftOrRight = {{{" left to right ", " right to left "}}};
const PadTables kStartAndFillOptions = {{{" top ", " bottom "}, {" left ", " right "}},
                                        {{" row ", " column "}, {" flyback ", " snake "}}};

Entry entry(std::string className, std::vector<std::string> info, PadTables inputs, PadTables options,
            std::int64_t maximumDigits, Maker make) {
    std::string segue = className.substr(0, className.size() - 3) + "_Segue";
    return {{std::move(className), std::move(segue), std::move(info), std::move(inputs), std::move(options),
             maximumDigits, false},
            std::move(make)};
}

const std::vector<Entry>& entries() {
    static const std::vector<Entry> table = {
        entry("Add_Column_VC", kBothNumbers, kTwoFields, {}, 4, maker<Add_Column_VC>()),
        entry("Add_Trade_VC", kBothNumbers, kTwoFields, {}, 4, maker<Add_Trade_VC>()),
        entry("Add_Partial_VC", kBothNumbers, kTwoFields, kLeftOrRight, 4, maker<Add_Partial_VC>()),
        entry("Subtract_Trade_VC", kBothNumbers, kTwoFields, {}, 4, maker<Subtract_Trade_VC>()),
        entry("Subtract_Trade_First_VC", kBothNumbers, kTwoFields, {}, 4, maker<Subtract_Trade_First_VC>()),
        entry("Subtract_Partial_VC", kBothNumbers, kTwoFields, kLeftOrRight, 4, maker<Subtract_Partial_VC>()),
        entry("Subtract_Count_VC", kBothNumbers, kTwoFields, {{{" count up ", " count down "}}}, 4,
              maker<Subtract_Count_VC>()),
        entry("Multiply_Standard_VC", kBothNumbers, kTwoFields, {}, 3, maker<Multiply_Standard_VC>()),
        entry("Multiply_Partial_VC", kBothNumbers, kTwoFields, kLeftOrRight, 3, maker<Multiply_Partial_VC>()),
        entry("Multiply_Lattice_VC", kStartAndFill, kTwoFields, kStartAndFillOptions, 4,
              maker<Multiply_Lattice_VC>()),
        entry("Multiply_Grid_VC", kStartAndFill, kTwoFields, kStartAndFillOptions, 4, maker<Multiply_Grid_VC>()),
        entry("Divide_Standard_VC", kBothNumbers, kTwoFields, {}, 4, maker<Divide_Standard_VC>()),
        entry("Divide_Partial_VC", kBothNumbers, kTwoFields, {}, 4, maker<Divide_Partial_VC>()),
        entry("Partition_VC", {"enter number", "\U0001F914 for steps"}, {{{"0"}}}, {}, 5, maker<Partition_VC>()),
    };
    return table;
}

const Entry& find(std::string_view className) {
    for (const Entry& e : entries())
        if (e.values.className == className) return e;
    throw PreconditionError("no strategy screen " + std::string(className));
}

}  // namespace

const std::vector<StrategyScreenValues>& strategyScreenValues() {
    static const std::vector<StrategyScreenValues> values = [] {
        std::vector<StrategyScreenValues> list;
        for (const Entry& e : entries()) list.push_back(e.values);
        return list;
    }();
    return values;
}

std::unique_ptr<StrategyScreenBase> makeStrategyScreen(std::string_view className) {
    const Entry& e = find(className);
    return e.make(e.values);
}

void registerStrategyScreens() {
    for (const Entry& e : entries()) {
        const Entry* found = &e;
        ui::ClassRegistry::addViewController(e.values.className, [found] { return found->make(found->values); });
    }
}

}  // namespace tl
