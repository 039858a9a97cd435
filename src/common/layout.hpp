// Layout constants, the font measures record of one typesetting call, the
// base text size by main-screen width, and superscript digits.
#pragma once

#include <string>
#include <string_view>

namespace tl {

/// Page layout constants of the step view.
namespace kLayOut {
inline constexpr double tableBandFraction = 0.85;
inline constexpr double commentBandFraction = 0.05;
inline constexpr double navigatorBandFraction = 0.1;
inline constexpr double bandGap = 5.0;
inline constexpr double tableShrinkFactor = 0.98;
inline constexpr double narrowScreenTextSize = 30;
inline constexpr double wideScreenTextSize = 32;
inline constexpr double narrowScreenMaxWidth = 428;
}  // namespace kLayOut

/// Proportions of the typesetter.
namespace kMetric {
inline constexpr double fractionSizeRatio = 0.75;
inline constexpr double exponentSizeRatio = 0.4666666666666667;  // 7/15
inline constexpr double barSpaceRatio = 0.125;
inline constexpr double minimumBarSpace = 5.0;
}  // namespace kMetric

/// The font measures of one typesetting call (points).
struct Metric {
    double size = 0;
    double wholeCapHeight = 0;
    double wholeHalfCapHeight = 0;
    double wholeAscender = 0;
    double wholeLineHeight = 0;
    double wholeXHeight = 0;
    double wholeHalfXHeight = 0;
    double fracCapHeight = 0;
    double fracAscender = 0;
    double fracHeight = 0;
    double fracPointSize = 0;
    double barSpace = 0;
    double halfBarSpace = 0;
    friend bool operator==(const Metric&, const Metric&) = default;
};

/// Memberwise, in field order.
Metric makeMetric(double size, double wholeCapHeight, double wholeHalfCapHeight, double wholeAscender,
                  double wholeLineHeight, double wholeXHeight, double wholeHalfXHeight, double fracCapHeight,
                  double fracAscender, double fracHeight, double fracPointSize, double barSpace,
                  double halfBarSpace);

/// The vertical room of a fraction bar at a font size: 0.125 × size, at least 5.
double barSpaceFor(double size);

/// The width of the main screen (ui::Screen::main()) in points: the window
/// hosts keep it at the window's width.
double mainScreenWidth();
/// Gives the main screen `width` (finite and positive), keeping its height.
void setMainScreenWidth(double width);

/// The base text size: 30 on a main screen at most 428 points wide, else 32.
double screenScaledFontSize();

/// "0".."9" give their superscript digit ("⁰" U+2070, "¹" U+00B9, "²" U+00B2,
/// "³" U+00B3, "⁴".."⁹" U+2074..U+2079); any other text gives "...".
std::string superscriptDigit(std::string_view digit);

}  // namespace tl
