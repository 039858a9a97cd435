// The random problems the drill menus hand to their flash cards.
#pragma once

#include <cstdint>
#include <string>

namespace tl::drills {

struct CountProblem {
    std::string name = "count on";  // "count on", "combine to ten" or "make a ten"
    std::int64_t first = 9;
    std::int64_t second = 3;
};

/// A counting problem for a menu row (0–3 one strategy each, 4 any of them),
/// drawn from tl::randomSource(). A row outside 0…4 is a PreconditionError.
CountProblem pickCountProblem(int row);

/// A doubles problem, 16 × kind + n, for a menu row (0–3 one kind each, 4
/// any of them). A row outside 0…4 is a PreconditionError.
std::int64_t pickDoublesProblem(int row);

}  // namespace tl::drills
