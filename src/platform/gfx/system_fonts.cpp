// The real faces. Fontconfig sees only the font files pinned below, so a text
// measures the same on every machine that has them: Inter for the system font
// (with tabular digits for the monospaced-digit font), DejaVu Sans Mono for the
// monospaced font, Cabin Sketch under the name "ChalkDuster", and DejaVu Sans
// and Noto Color Emoji behind all of them for symbols and emoji (and Noto
// Color Emoji first for every character asked for in emoji presentation).
//
// Advances are shaped by Pango (HarfBuzz) once, at the reference size, with
// metric hinting off and glyph positions unrounded, so they scale linearly to
// every size; each face keeps the advances of the lines it has measured.
// Vertical metrics come from the primary face's own tables.
#include "platform/gfx/system_fonts.hpp"

#include <fontconfig/fontconfig.h>
#include <harfbuzz/hb-ot.h>
#include <harfbuzz/hb.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <mutex>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "base/errors.hpp"
#include "platform/gfx/pango_fonts.hpp"

namespace gfx {

namespace {

constexpr const char* kInter = "/usr/share/fonts/opentype/inter/";
constexpr const char* kDejaVu = "/usr/share/fonts/truetype/dejavu/";

struct PinnedFile {
    const char* dir;
    const char* file;
    bool essential;  // without it we fall back to the machine's own fonts
};

constexpr std::array kPinnedFiles{
    PinnedFile{kInter, "Inter-Thin.otf", false},
    PinnedFile{kInter, "Inter-ExtraLight.otf", false},
    PinnedFile{kInter, "Inter-Light.otf", false},
    PinnedFile{kInter, "Inter-Regular.otf", true},
    PinnedFile{kInter, "Inter-Medium.otf", false},
    PinnedFile{kInter, "Inter-SemiBold.otf", false},
    PinnedFile{kInter, "Inter-Bold.otf", false},
    PinnedFile{kInter, "Inter-ExtraBold.otf", false},
    PinnedFile{kInter, "Inter-Black.otf", false},
    PinnedFile{kDejaVu, "DejaVuSansMono.ttf", true},
    PinnedFile{kDejaVu, "DejaVuSansMono-Bold.ttf", false},
    PinnedFile{kDejaVu, "DejaVuSans.ttf", false},
    PinnedFile{kDejaVu, "DejaVuSans-Bold.ttf", false},
    PinnedFile{"/usr/share/fonts/truetype/noto/", "NotoColorEmoji.ttf", false},
    PinnedFile{"/usr/share/fonts/truetype/cabinsketch/", "CabinSketch-Regular.ttf", false},
};

// Rules for the pinned fonts. Pango sets an emoji presentation sequence
// (a character with U+FE0F, a keycap, a flag, ...) in the generic family
// "emoji" rather than in the face's own families: the alias makes that the
// colour emoji face, as the machine's own configuration would. DejaVu Sans
// has black-and-white pictures for part of the emoji ranges, which Pango
// would prefer to the colour ones: the scan rule takes those ranges out of
// what DejaVu Sans is known to cover. Bitmap-only faces (the colour emoji)
// come in one fixed strike: the last pair scales them to the size asked
// for, as scalable faces are.
constexpr const char* kFontRules = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <alias binding="same">
    <family>emoji</family>
    <prefer><family>Noto Color Emoji</family></prefer>
  </alias>
  <match target="scan">
    <test name="family"><string>DejaVu Sans</string></test>
    <edit name="charset" mode="assign">
      <minus><name>charset</name><charset><range><int>0x1F000</int><int>0x1FAFF</int></range></charset></minus>
    </edit>
  </match>
  <match target="font">
    <test name="outline" compare="eq"><bool>false</bool></test>
    <edit name="bitmapscale" mode="assign">
      <divide><name target="pattern">pixelsize</name><name target="font">pixelsize</name></divide>
    </edit>
  </match>
  <match target="font">
    <test name="outline" compare="eq"><bool>false</bool></test>
    <edit name="matrix" mode="assign">
      <times><name>matrix</name><matrix><name>bitmapscale</name><double>0</double><double>0</double><name>bitmapscale</name></matrix></times>
    </edit>
    <edit name="size" mode="assign"><divide><name>size</name><name>bitmapscale</name></divide></edit>
  </match>
</fontconfig>
)";

constexpr const char* kSystemFamily = "Inter";
constexpr const char* kMonospacedFamily = "DejaVu Sans Mono";
// Behind every primary family, in this order: emoji in colour first, then
// the symbols and arrows the primary faces lack.
constexpr const char* kFallbackFamilies = "Noto Color Emoji,DejaVu Sans";

/// Names a caller may ask for, folded to lower case, and the family they get.
struct NamedFamily {
    const char* name;
    const char* family;
};
constexpr std::array kNamedFamilies{
    NamedFamily{"chalkduster", "Cabin Sketch"},
    NamedFamily{"cabin sketch", "Cabin Sketch"},
    NamedFamily{"inter", "Inter"},
    NamedFamily{"dejavu sans", "DejaVu Sans"},
    NamedFamily{"dejavu sans mono", "DejaVu Sans Mono"},
};

/// The continuous weight scale and the OpenType weight class of each named step.
struct WeightStep {
    double weight;
    int openType;
};
constexpr std::array kWeightSteps{
    WeightStep{weight::ultraLight, 100}, WeightStep{weight::thin, 200},   WeightStep{weight::light, 300},
    WeightStep{weight::regular, 400},    WeightStep{weight::medium, 500}, WeightStep{weight::semibold, 600},
    WeightStep{weight::bold, 700},       WeightStep{weight::heavy, 800},  WeightStep{weight::black, 900},
};

int openTypeWeight(double w) {
    if (std::isnan(w)) return 400;
    const WeightStep* best = &kWeightSteps[0];
    for (const auto& step : kWeightSteps)
        if (std::abs(step.weight - w) < std::abs(best->weight - w)) best = &step;
    return best->openType;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

/// Heterogeneous string keys, so cache look-ups take a string_view without copying.
struct StringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

/// A bounded map of line → unit advance: two generations, the older dropped
/// whole when the newer fills, so lines in use survive and memory stays bounded.
class AdvanceCache {
public:
    static constexpr std::size_t kGenerationSize = 8192;

    const double* find(std::string_view line) {
        if (auto it = current_.find(line); it != current_.end()) return &it->second;
        if (auto it = previous_.find(line); it != previous_.end()) return &insert(line, it->second);
        return nullptr;
    }

    const double& insert(std::string_view line, double advance) {
        if (current_.size() >= kGenerationSize) {
            previous_ = std::move(current_);
            current_.clear();
        }
        return current_.emplace(std::string(line), advance).first->second;
    }

private:
    using Map = std::unordered_map<std::string, double, StringHash, std::equal_to<>>;
    Map current_, previous_;
};

/// The fonts every face is set in: one fontconfig configuration, one Pango
/// font map and one measuring context for the whole process.
class FontLibrary {
public:
    static FontLibrary& instance() {
        // Never destroyed: faces handed out may outlive static destruction order.
        static FontLibrary* library = new FontLibrary();
        return *library;
    }

    std::mutex mutex;
    FcConfig* config = nullptr;
    PangoFontMap* map = nullptr;
    PangoContext* measuring = nullptr;

    /// The file fontconfig picks for a family and weight, and whether it
    /// really belongs to that family (else the family is not installed).
    struct Match {
        std::string file;
        int index = 0;
        bool familyFound = false;
    };
    Match match(const char* family, int openTypeWeight) {
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
        FcPatternAddDouble(pattern, FC_WEIGHT, FcWeightFromOpenTypeDouble(openTypeWeight));
        FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result;
        FcPattern* found = FcFontMatch(config, pattern, &result);
        FcPatternDestroy(pattern);
        Match m;
        if (!found) return m;
        FcChar8* file = nullptr;
        if (FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch) m.file = reinterpret_cast<char*>(file);
        FcPatternGetInteger(found, FC_INDEX, 0, &m.index);
        FcChar8* name = nullptr;
        for (int i = 0; FcPatternGetString(found, FC_FAMILY, i, &name) == FcResultMatch; ++i)
            if (lower(reinterpret_cast<char*>(name)) == lower(family)) m.familyFound = true;
        FcPatternDestroy(found);
        return m;
    }

private:
    FontLibrary() {
        config = FcConfigCreate();
        FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kFontRules), FcTrue);
        std::string missing;
        for (const auto& pinned : kPinnedFiles) {
            std::string path = std::string(pinned.dir) + pinned.file;
            if (access(path.c_str(), R_OK) == 0 &&
                FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(path.c_str())))
                continue;
            if (pinned.essential) missing += (missing.empty() ? "" : ", ") + path;
        }
        if (!missing.empty()) {
            std::fprintf(stderr, "tellurandi: font files missing (%s); using the machine's fonts, "
                                 "so text measures may differ from other machines\n", missing.c_str());
            FcConfigDestroy(config);
            config = FcInitLoadConfigAndFonts();
        }
        map = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
        tl::require(map != nullptr, "no FreeType font map");
        pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(map), config);
        measuring = pango_font_map_create_context(map);
        detail::configure(measuring);
    }
};

struct FaceChoice {
    std::string family;  // primary family
    int openType;        // weight class asked of fontconfig
    bool tabularDigits;

    friend bool operator<(const FaceChoice& a, const FaceChoice& b) {
        return std::tie(a.family, a.openType, a.tabularDigits) < std::tie(b.family, b.openType, b.tabularDigits);
    }
};

UnitMetrics readMetrics(const std::string& file, int index) {
    UnitMetrics m;
    hb_blob_t* blob = hb_blob_create_from_file_or_fail(file.c_str());
    if (!blob) return m;
    hb_face_t* face = hb_face_create(blob, static_cast<unsigned>(index));
    hb_font_t* font = hb_font_create(face);  // scaled in font units
    double upem = hb_face_get_upem(face);
    auto get = [&](hb_ot_metrics_tag_t tag) {
        hb_position_t v = 0;
        hb_ot_metrics_get_position_with_fallback(font, tag, &v);
        return v / upem;
    };
    m.ascender = get(HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER);
    m.descender = get(HB_OT_METRICS_TAG_HORIZONTAL_DESCENDER);
    m.capHeight = get(HB_OT_METRICS_TAG_CAP_HEIGHT);
    m.xHeight = get(HB_OT_METRICS_TAG_X_HEIGHT);
    m.lineHeight = m.ascender - m.descender + std::max(0.0, get(HB_OT_METRICS_TAG_HORIZONTAL_LINE_GAP));
    hb_font_destroy(font);
    hb_face_destroy(face);
    hb_blob_destroy(blob);
    return m;
}

/// One primary file with its fallbacks and features: what all faces that
/// resolve to it share, including the measured advances.
class Resolved {
public:
    static constexpr std::size_t kLongestCachedLine = 256;  // bytes

    Resolved(const FaceChoice& choice, const FontLibrary::Match& match) {
        metrics_ = readMetrics(match.file, match.index);
        description_ = pango_font_description_new();
        std::string families = choice.family + "," + kFallbackFamilies;
        pango_font_description_set_family(description_, families.c_str());
        pango_font_description_set_weight(description_, static_cast<PangoWeight>(choice.openType));
        pango_font_description_set_style(description_, PANGO_STYLE_NORMAL);
        pango_font_description_set_absolute_size(description_, detail::kReferenceSize * PANGO_SCALE);
        if (choice.tabularDigits) {
            attributes_ = pango_attr_list_new();
            pango_attr_list_insert(attributes_, pango_attr_font_features_new("tnum 1"));
            FontLibrary& library = FontLibrary::instance();
            std::lock_guard lock(library.mutex);
            setText(library, "0");
            digitWidth_ = detail::evenDigits(pango_layout_get_line(layout_, 0), "0", 0);
        }
    }
    ~Resolved() {
        if (layout_) g_object_unref(layout_);
        if (attributes_) pango_attr_list_unref(attributes_);
        pango_font_description_free(description_);
    }
    Resolved(const Resolved&) = delete;
    Resolved& operator=(const Resolved&) = delete;

    const UnitMetrics& metrics() const { return metrics_; }
    detail::PangoSpec spec() const { return {description_, attributes_, digitWidth_}; }

    double unitAdvance(std::string_view line) {
        if (line.empty()) return 0;
        FontLibrary& library = FontLibrary::instance();
        std::lock_guard lock(library.mutex);
        if (const double* cached = cache_.find(line)) return *cached;
        // Long texts are rare and would make the cache's memory unbounded: shape them each time.
        if (line.size() > kLongestCachedLine) return shape(library, line);
        return cache_.insert(line, shape(library, line));
    }

    bool hasGlyphs(std::string_view line) {
        FontLibrary& library = FontLibrary::instance();
        std::lock_guard lock(library.mutex);
        setText(library, line);
        PangoLayoutIter* iter = pango_layout_get_iter(layout_);
        bool all = true;
        do {
            PangoLayoutRun* run = pango_layout_iter_get_run_readonly(iter);
            for (int i = 0; run && i < run->glyphs->num_glyphs; ++i) {
                PangoGlyph glyph = run->glyphs->glyphs[i].glyph;
                if (glyph == 0 || (glyph & PANGO_GLYPH_UNKNOWN_FLAG)) all = false;
            }
        } while (pango_layout_iter_next_run(iter));
        pango_layout_iter_free(iter);
        return all;
    }

private:
    double shape(FontLibrary& library, std::string_view line) {
        setText(library, line);
        int width = detail::evenDigits(pango_layout_get_line(layout_, 0), pango_layout_get_text(layout_), digitWidth_);
        return width / (static_cast<double>(PANGO_SCALE) * detail::kReferenceSize);
    }

    void setText(FontLibrary& library, std::string_view line) {
        if (!layout_) layout_ = detail::newLayout(library.measuring, spec());
        detail::setLayoutText(layout_, line);
    }

    UnitMetrics metrics_;
    PangoFontDescription* description_ = nullptr;
    PangoAttrList* attributes_ = nullptr;
    int digitWidth_ = 0;
    PangoLayout* layout_ = nullptr;  // reused for every measure, under the library's lock
    AdvanceCache cache_;
};

class SystemFace final : public FontFace {
public:
    SystemFace(FontKind kind, double weight, std::string name, std::shared_ptr<Resolved> resolved)
        : kind_(kind), weight_(weight), name_(std::move(name)), resolved_(std::move(resolved)) {}
    FontKind kind() const override { return kind_; }
    double weight() const override { return weight_; }
    const std::string& name() const override { return name_; }
    const UnitMetrics& unitMetrics() const override { return resolved_->metrics(); }
    double unitAdvance(std::string_view line) const override { return resolved_->unitAdvance(line); }
    detail::PangoSpec spec() const { return resolved_->spec(); }
    bool hasGlyphs(std::string_view line) const { return resolved_->hasGlyphs(line); }

private:
    FontKind kind_;
    double weight_;
    std::string name_;
    std::shared_ptr<Resolved> resolved_;
};

class SystemFontProvider final : public FontProvider {
public:
    std::shared_ptr<const FontFace> face(FontKind kind, double weight, std::string_view name) override {
        std::string key = kind == FontKind::named ? lower(name) : std::string();
        if (kind == FontKind::named || std::isnan(weight)) weight = weight::regular;
        std::lock_guard lock(mutex_);
        auto faceKey = std::make_tuple(kind, weight, key);
        if (auto it = faces_.find(faceKey); it != faces_.end()) return it->second;

        FaceChoice choice{kSystemFamily, openTypeWeight(weight), kind == FontKind::monospacedDigit};
        std::string faceName = kSystemFamily;
        if (kind == FontKind::monospaced) {
            choice.family = kMonospacedFamily;
            faceName = kMonospacedFamily;
        } else if (kind == FontKind::named) {
            auto named = std::find_if(kNamedFamilies.begin(), kNamedFamilies.end(),
                                      [&](const NamedFamily& n) { return key == n.name; });
            if (named == kNamedFamilies.end()) return nullptr;
            choice.family = named->family;
            faceName = std::string(name);
        }

        std::shared_ptr<Resolved> resolved;
        if (auto it = resolved_.find(choice); it != resolved_.end()) {
            resolved = it->second;
        } else {
            FontLibrary& library = FontLibrary::instance();
            FontLibrary::Match match;
            {
                std::lock_guard libraryLock(library.mutex);
                match = library.match(choice.family.c_str(), choice.openType);
            }
            if (kind == FontKind::named && !match.familyFound) return nullptr;
            resolved = std::make_shared<Resolved>(choice, match);
            resolved_.emplace(choice, resolved);
        }
        auto face = std::make_shared<const SystemFace>(kind, weight, std::move(faceName), std::move(resolved));
        faces_.emplace(faceKey, face);
        return face;
    }

private:
    std::mutex mutex_;
    std::map<std::tuple<FontKind, double, std::string>, std::shared_ptr<const SystemFace>> faces_;
    std::map<FaceChoice, std::shared_ptr<Resolved>> resolved_;
};

}  // namespace

FontProvider& systemFontProvider() {
    static SystemFontProvider* provider = new SystemFontProvider();  // lives as long as the process
    return *provider;
}

namespace detail {

PangoFontMap* fontMap() { return FontLibrary::instance().map; }

void configure(PangoContext* context) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
    pango_context_set_round_glyph_positions(context, FALSE);
    pango_context_set_language(context, pango_language_from_string("en"));
    pango_context_set_base_dir(context, PANGO_DIRECTION_LTR);
    // Upright glyphs along the baseline whatever the rotation in force.
    pango_context_set_base_gravity(context, PANGO_GRAVITY_SOUTH);
}

PangoSpec pangoSpecFor(const FontFace& face) {
    if (auto* real = dynamic_cast<const SystemFace*>(&face)) return real->spec();
    auto& provider = systemFontProvider();
    auto substitute = provider.face(face.kind(), face.weight(), face.name());
    if (!substitute) substitute = provider.face(FontKind::system, face.weight(), {});
    // Faces are kept by the provider for the life of the process, so the description stays valid.
    return static_cast<const SystemFace&>(*substitute).spec();
}

PangoLayout* newLayout(PangoContext* context, const PangoSpec& spec) {
    PangoLayout* layout = pango_layout_new(context);
    pango_layout_set_font_description(layout, spec.description);
    pango_layout_set_attributes(layout, spec.attributes);
    pango_layout_set_single_paragraph_mode(layout, TRUE);
    return layout;
}

void setLayoutText(PangoLayout* layout, std::string_view line) {
    if (g_utf8_validate(line.data(), static_cast<gssize>(line.size()), nullptr)) {
        pango_layout_set_text(layout, line.data(), static_cast<int>(line.size()));
    } else {
        gchar* valid = g_utf8_make_valid(line.data(), static_cast<gssize>(line.size()));
        pango_layout_set_text(layout, valid, -1);
        g_free(valid);
    }
}

namespace {

/// Whether glyph `i` starts a cluster that is one byte of text long: the next
/// cluster (after it in left-to-right runs, before it in right-to-left ones)
/// starts one byte later, or the item ends there.
bool startsOneByteCluster(const PangoGlyphString* glyphs, int i, int itemLength) {
    const int start = glyphs->log_clusters[i];
    if (i > 0 && glyphs->log_clusters[i - 1] == start) return false;
    int next = itemLength;
    for (int j = i + 1; j < glyphs->num_glyphs; ++j)
        if (glyphs->log_clusters[j] != start) {
            if (glyphs->log_clusters[j] > start) next = std::min(next, glyphs->log_clusters[j]);
            break;
        }
    for (int j = i - 1; j >= 0; --j)
        if (glyphs->log_clusters[j] != start) {
            if (glyphs->log_clusters[j] > start) next = std::min(next, glyphs->log_clusters[j]);
            break;
        }
    return next == start + 1;
}

}  // namespace

int evenDigits(PangoLayoutLine* line, const char* text, int digitWidth) {
    int width = 0;
    for (GSList* r = line ? line->runs : nullptr; r; r = r->next) {
        auto* run = static_cast<PangoGlyphItem*>(r->data);
        PangoGlyphString* glyphs = run->glyphs;
        for (int i = 0; i < glyphs->num_glyphs; ++i) {
            char c = text[run->item->offset + glyphs->log_clusters[i]];
            // A digit that starts a longer cluster is part of a picture (the keycap "1️⃣"), not a figure.
            if (digitWidth > 0 && c >= '0' && c <= '9' && startsOneByteCluster(glyphs, i, run->item->length))
                glyphs->glyphs[i].geometry.width = digitWidth;
            width += glyphs->glyphs[i].geometry.width;
        }
    }
    return width;
}

bool hasGlyphs(const FontFace& face, std::string_view line) {
    auto* real = dynamic_cast<const SystemFace*>(&face);
    return real && real->hasGlyphs(line);
}

}  // namespace detail

}  // namespace gfx
