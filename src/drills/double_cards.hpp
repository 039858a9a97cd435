// The doubles flash cards: two towers of boxes side by side, each box with a
// plant on its face, the strategy's title above and the equation below.
// The back closes the towers up and lifts off, moves or crosses out a box.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/gfx/context.hpp"

namespace tl::drills {

enum class DoublesKind { double_, doublePlusOne, doubleMinusOne, makeADouble };

/// A doubles problem as the menus encode it: 16 × kind + n.
struct DoublesProblem {
    DoublesKind kind = DoublesKind::double_;
    std::int64_t n = 1;
};

/// The problem a code stands for, or none when no card can show it (a
/// negative code, a kind beyond the four, or n below what its card needs).
std::optional<DoublesProblem> doublesProblem(std::int64_t doublesName);

/// The smallest n each card can show (0 for "double", 1 for "double plus 1",
/// 2 for the other two).
std::int64_t smallestN(DoublesKind kind);
/// The largest n any card shows: the most a code's n can hold.
inline constexpr std::int64_t kLargestN = 15;

struct DoublesTexts {
    std::string frontTitle, backTitle, frontEquation, backEquation;
};
DoublesTexts doublesTexts(DoublesKind kind, std::int64_t n);

/// The face of the left tower's boxes, and of the right tower's.
const std::string& leftFace(std::int64_t n);
const std::string& rightFace(std::int64_t n);

// One side of a card for a view of `width` × `height`; an n below the
// card's smallest or above kLargestN draws nothing.
void drawDouble(gfx::Context& ctx, std::int64_t n, bool front, double width, double height);
void drawDoublePlusOne(gfx::Context& ctx, std::int64_t n, bool front, double width, double height);
void drawDoubleMinusOne(gfx::Context& ctx, std::int64_t n, bool front, double width, double height);
void drawMakeADouble(gfx::Context& ctx, std::int64_t n, bool front, double width, double height);

/// The card of `kind`.
void drawDoubles(gfx::Context& ctx, DoublesKind kind, std::int64_t n, bool front, double width, double height);

}  // namespace tl::drills
