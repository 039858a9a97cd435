#include "common/layout.hpp"

#include <algorithm>

#include "platform/ui/screen.hpp"

namespace tl {

Metric makeMetric(double size, double wholeCapHeight, double wholeHalfCapHeight, double wholeAscender,
                  double wholeLineHeight, double wholeXHeight, double wholeHalfXHeight, double fracCapHeight,
                  double fracAscender, double fracHeight, double fracPointSize, double barSpace,
                  double halfBarSpace) {
    return Metric{size,         wholeCapHeight, wholeHalfCapHeight, wholeAscender, wholeLineHeight,
                  wholeXHeight, wholeHalfXHeight, fracCapHeight,    fracAscender,  fracHeight,
                  fracPointSize, barSpace,      halfBarSpace};
}

double barSpaceFor(double size) { return std::max(kMetric::minimumBarSpace, kMetric::barSpaceRatio * size); }

double mainScreenWidth() { return ui::Screen::main().bounds().width; }

void setMainScreenWidth(double width) {
    ui::Screen& screen = ui::Screen::main();
    screen.setSize({width, screen.bounds().height});
}

double screenScaledFontSize() {
    return mainScreenWidth() <= kLayOut::narrowScreenMaxWidth ? kLayOut::narrowScreenTextSize
                                                               : kLayOut::wideScreenTextSize;
}

std::string superscriptDigit(std::string_view digit) {
    static const char* const superscripts[] = {"\u2070", "\u00B9", "\u00B2", "\u00B3", "\u2074",
                                               "\u2075", "\u2076", "\u2077", "\u2078", "\u2079"};
    if (digit.size() == 1 && digit[0] >= '0' && digit[0] <= '9') return superscripts[digit[0] - '0'];
    return "...";
}

}  // namespace tl
