#include "drills/double_cards.hpp"

#include <array>

#include "drills/card_layout.hpp"
#include "drills/numbers.hpp"
#include "drills/pictures.hpp"

namespace tl::drills {

namespace {

using checked::i128;

const std::array<std::string, 8> kFaces = {"🌿", "☘️", "🍀", "🍂", "🍁", "🌾", "🍄", "🌵"};
constexpr double kBoxSide = 60.0;
constexpr double kBoxEdge = 4.0;

std::size_t faceIndex(std::int64_t n) {
    std::int64_t r = n % 8;
    return static_cast<std::size_t>(r < 0 ? r + 8 : r);
}

// The boxes taken off the top of the left tower to make the right one.
std::size_t boxesShort(DoublesKind kind) {
    switch (kind) {
        case DoublesKind::double_: return 0;
        case DoublesKind::doublePlusOne:
        case DoublesKind::doubleMinusOne: return 1;
        case DoublesKind::makeADouble: return 2;
    }
    return 0;
}

void drawCard(gfx::Context& ctx, DoublesKind kind, std::int64_t n, bool front, double width, double height) {
    // The towers are built box by box, so n is bounded like a code's.
    if (n < smallestN(kind) || n > kLargestN) return;
    const CardExtent extent = cardExtent(width, height);
    if (extent.isEmpty()) return;
    const PlacedCard placed(ctx, extent);
    const double A = extent.A, B = extent.B;
    const PictureScale fit = doublesPictureScale(n, 0.5, A, B);
    const double u = kBoxSide * fit.scale;

    const DoublesTexts texts = doublesTexts(kind, n);
    drawTitleAndEquation(ctx, extent, fit, front ? texts.frontTitle : texts.backTitle,
                         front ? texts.frontEquation : texts.backEquation,
                         !front && kind != DoublesKind::double_);
    // Nor does a box smaller than its outline, which would turn inside out.
    if (fit.scale <= 0 || u < kBoxEdge) return;

    tower left = makeTower();
    for (std::int64_t i = 0; i < n; ++i)
        left.bricks.push_back(makeBox(kBoxSide, kBoxEdge, i % 2 == 0 ? gfx::palette::white : gfx::palette::black,
                                      gfx::palette::lightGray, leftFace(n), ""));
    tower right = left;
    right.bricks.resize(right.bricks.size() - boxesShort(kind));
    for (box& b : right.bricks) {
        b.color = gfx::palette::lightGray;
        b.face = rightFace(n);
    }

    const double half = static_cast<double>(n) / 2;
    const double y0 = B / 2 + u * half;
    if (front) {
        drawTower(ctx, left.bricks, A / 2 - 2 * u, y0, fit.scale);
        drawTower(ctx, right.bricks, A / 2 + u, y0, fit.scale);
        return;
    }

    // The back: the towers close up to 2 points either side of the middle.
    const double leftX = A / 2 - u - 2, rightX = A / 2 + 2;
    const double liftedY = B / 2 - u * (half - 0.75);  // a quarter box above an (n − 1)-box tower
    // Draws the left tower without its top box, which it hands back.
    const auto leftWithoutTop = [&] {
        std::vector<box> top{left.bricks.back()};
        left.bricks.pop_back();
        drawTower(ctx, left.bricks, leftX, y0, fit.scale);
        return top;
    };
    switch (kind) {
        case DoublesKind::double_:
            drawTower(ctx, left.bricks, leftX, y0, fit.scale);
            drawTower(ctx, right.bricks, rightX, y0, fit.scale);
            break;
        case DoublesKind::doublePlusOne:
            drawTower(ctx, leftWithoutTop(), leftX, liftedY, fit.scale);
            drawTower(ctx, right.bricks, rightX, y0, fit.scale);
            break;
        case DoublesKind::doubleMinusOne: {
            box crossed = right.bricks.back();
            crossed.edgeColor = left.bricks.back().edgeColor;
            crossed.faceOver = "❌";
            drawTower(ctx, left.bricks, leftX, y0, fit.scale);
            drawTower(ctx, {crossed}, rightX, liftedY, fit.scale);
            drawTower(ctx, right.bricks, rightX, y0, fit.scale);
            break;
        }
        case DoublesKind::makeADouble: {
            const auto moved = leftWithoutTop();
            drawTower(ctx, right.bricks, rightX, y0, fit.scale);
            drawTower(ctx, moved, rightX, liftedY + u, fit.scale);  // a quarter box above the right tower
            break;
        }
    }
}

}  // namespace

std::int64_t smallestN(DoublesKind kind) {
    switch (kind) {
        case DoublesKind::double_: return 0;
        case DoublesKind::doublePlusOne: return 1;
        case DoublesKind::doubleMinusOne:
        case DoublesKind::makeADouble: return 2;
    }
    return 0;
}

std::optional<DoublesProblem> doublesProblem(std::int64_t doublesName) {
    if (doublesName < 0) return std::nullopt;
    const std::int64_t kind = doublesName / 16;
    const std::int64_t n = doublesName % 16;
    if (kind > 3) return std::nullopt;
    DoublesProblem problem{static_cast<DoublesKind>(kind), n};
    if (n < smallestN(problem.kind)) return std::nullopt;
    return problem;
}

DoublesTexts doublesTexts(DoublesKind kind, std::int64_t n) {
    const i128 v = n;
    const std::string N = decimal(v), N1 = decimal(v - 1), N2 = decimal(v - 2), twoN = decimal(2 * v),
                      twoN1 = decimal(2 * v - 1);
    switch (kind) {
        case DoublesKind::double_:
            return {"double", "double " + N, N + " + " + N, N + " + " + N + " = " + twoN};
        case DoublesKind::doublePlusOne:
            return {"double plus 1", "double " + N1 + " plus 1", N + " + " + N1,
                    N + " + " + N1 + " = " + N1 + " + 1 + " + N1 + " = " + twoN1};
        case DoublesKind::doubleMinusOne:
            return {"double minus 1", "double " + N + " minus 1", N + " + " + N1,
                    N + " + " + N1 + " = " + N + " + " + N + " \u2212 1 = " + twoN1};
        case DoublesKind::makeADouble:
            return {"make a double", N + " + " + N2 + " = double " + N1, N + " + " + N2,
                    N + " \u2212 1 + " + N2 + " + 1 = " + N1 + " + " + N1};
    }
    return {};
}

const std::string& leftFace(std::int64_t n) { return kFaces[faceIndex(n)]; }
const std::string& rightFace(std::int64_t n) { return kFaces[(faceIndex(n) + 1) % kFaces.size()]; }

void drawDouble(gfx::Context& ctx, std::int64_t n, bool front, double width, double height) {
    drawCard(ctx, DoublesKind::double_, n, front, width, height);
}
void drawDoublePlusOne(gfx::Context& ctx, std::int64_t n, bool front, double width, double height) {
    drawCard(ctx, DoublesKind::doublePlusOne, n, front, width, height);
}
void drawDoubleMinusOne(gfx::Context& ctx, std::int64_t n, bool front, double width, double height) {
    drawCard(ctx, DoublesKind::doubleMinusOne, n, front, width, height);
}
void drawMakeADouble(gfx::Context& ctx, std::int64_t n, bool front, double width, double height) {
    drawCard(ctx, DoublesKind::makeADouble, n, front, width, height);
}

void drawDoubles(gfx::Context& ctx, DoublesKind kind, std::int64_t n, bool front, double width, double height) {
    drawCard(ctx, kind, n, front, width, height);
}

}  // namespace tl::drills
