// The step screen: the one view controller that shows every worked
// solution. A strategy screen hands it the pages, their comment lines and
// the solution's parameters before its view loads; from then on it only
// answers its view's questions.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/tableau.hpp"
#include "engine/universal_engine_view.hpp"
#include "platform/ui/view_controller.hpp"

namespace tl {

class UniversalEngineVC : public ui::ViewController, public UniversalEngineViewDataSource {
public:
    UniversalEngineVC();
    ~UniversalEngineVC() override;

    std::vector<Engine_Step> detailSteps;                  // the pages, in showing order
    std::vector<std::vector<std::string>> detailComments;  // per page, its comment lines
    std::vector<std::string> detailParameters;             // of the whole solution; nothing shows them

    /// The view that shows the pages (made with the screen, placed when the
    /// screen's view loads).
    UniversalEngineView* universalEngineView() const { return view_; }

    void viewDidLoad() override;

    std::optional<std::int64_t> numberOfSteps() override;
    /// Absent for a page the lists do not hold.
    std::optional<Engine_Step> stepTables(std::int64_t step) override;
    std::optional<std::vector<std::string>> stepComments(std::int64_t step) override;
    std::optional<std::vector<std::string>> stepParameters() override;

private:
    std::unique_ptr<UniversalEngineView> unplaced_;  // owned here until viewDidLoad places it
    UniversalEngineView* view_;
};

/// The border between the step view and the safe area, on every side.
inline constexpr double kStepViewInset = 5;

}  // namespace tl
