#include "platform/gfx/text.hpp"

#include <algorithm>

#include "platform/gfx/context.hpp"

namespace gfx {

namespace {

template <class F>
void forEachLine(std::string_view text, F&& f) {
    std::size_t start = 0;
    while (true) {
        std::size_t end = text.find('\n', start);
        f(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
}

}  // namespace

Size measureText(std::string_view text, const Font& font) {
    if (!(font.pointSize() > 0)) return {0, 0};  // a NaN size too
    double widest = 0;
    int lines = 0;
    forEachLine(text, [&](std::string_view line) {
        widest = std::max(widest, font.face().unitAdvance(line));
        ++lines;
    });
    return {widest * font.pointSize(), lines * font.lineHeight()};
}

void drawText(std::string_view text, Point topLeft, const TextAttributes& attributes) {
    Context* context = currentContext();
    const Font& font = attributes.font;
    if (!context || !(font.pointSize() > 0)) return;
    if (!attributes.background.isClear()) {
        Size box = measureText(text, font);
        context->save();
        context->setFillColor(attributes.background);
        context->fillRect({topLeft.x, topLeft.y, box.width, box.height});
        context->restore();
    }
    double baseline = topLeft.y + font.ascender();
    forEachLine(text, [&](std::string_view line) {
        if (!line.empty()) context->showText(line, {topLeft.x, baseline}, font, attributes.foreground);
        baseline += font.lineHeight();
    });
}

}  // namespace gfx
