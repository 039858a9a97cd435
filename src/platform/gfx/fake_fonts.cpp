#include "platform/gfx/fake_fonts.hpp"

namespace gfx {

namespace {

class FakeFace final : public FontFace {
public:
    FakeFace(FontKind kind, double weight, std::string name) : kind_(kind), weight_(weight), name_(std::move(name)) {}
    FontKind kind() const override { return kind_; }
    double weight() const override { return weight_; }
    const std::string& name() const override { return name_; }
    const UnitMetrics& unitMetrics() const override { return kFakeMetrics; }
    double unitAdvance(std::string_view line) const override {
        std::size_t codePoints = 0;
        for (unsigned char c : line)
            if ((c & 0xC0) != 0x80) ++codePoints;
        return kFakeAdvance * static_cast<double>(codePoints);
    }

private:
    FontKind kind_;
    double weight_;
    std::string name_;
};

}  // namespace

std::shared_ptr<const FontFace> FakeFontProvider::face(FontKind kind, double weight, std::string_view name) {
    if (kind == FontKind::named && absent_.count(name)) return nullptr;
    return std::make_shared<FakeFace>(kind, weight, std::string(kind == FontKind::named ? name : "fake"));
}

}  // namespace gfx
