// The step view: shows one page of a worked solution (comment band, tables,
// navigator) and pages with taps in the bottom band, wrapping at both ends.
// It keeps only the page index and the page count; everything else is asked
// of its data source and worked out again on every draw.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/tableau.hpp"
#include "engine/step_page.hpp"
#include "platform/gfx/color.hpp"
#include "platform/ui/view.hpp"

namespace tl {

/// Where the step view's pages come from. An absent answer means there is
/// nothing to show.
class UniversalEngineViewDataSource {
public:
    virtual ~UniversalEngineViewDataSource() = default;
    virtual std::optional<std::int64_t> numberOfSteps() = 0;
    virtual std::optional<Engine_Step> stepTables(std::int64_t step) = 0;
    virtual std::optional<std::vector<std::string>> stepComments(std::int64_t step) = 0;
    virtual std::optional<std::vector<std::string>> stepParameters() = 0;
};

class UniversalEngineView : public ui::View {
public:
    static constexpr double tiktok_lead = stepPageMargin::lead;
    static constexpr double tiktok_trail = stepPageMargin::trail;
    static constexpr double tiktok_top = stepPageMargin::top;
    static constexpr double tiktok_bottom = stepPageMargin::bottom;
    static constexpr gfx::Rgba tiktok_navigator_color = gfx::palette::black;

    explicit UniversalEngineView(gfx::Rect frame = {});

    UniversalEngineViewDataSource* dataSource = nullptr;  // not owned
    std::int64_t totalSteps = 0;  // copied from the data source on every complete draw
    std::int64_t step = 0;        // the page shown; moved only by taps

    void drawRect(gfx::Rect rect) override;
    void touchesBegan(const std::vector<ui::Touch>& touches) override;

    /// Draws the current page into the current context.
    void drawStep();
    /// Pages on a tap in the bottom band and asks for a redraw.
    void handleStepTouches(const std::vector<ui::Touch>& touches);
};

}  // namespace tl
