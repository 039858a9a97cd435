// Buttons of the system type: a title centred in the bounds, a background
// colour, a dimmed title while pressed, and target-action on touch-up-inside.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/label.hpp"
#include "platform/ui/view.hpp"

namespace ui {

class Button : public View {
public:
    /// Space around the title in the intrinsic size, on each side.
    static constexpr double kHorizontalPadding = 8;
    static constexpr double kVerticalPadding = 6;

    explicit Button(gfx::Rect frame = {});

    /// The title for the normal state (the only state titles are set for).
    void setTitle(std::string title);
    const std::string& title() const { return title_; }
    /// The title shown now: the normal title in every state.
    const std::string& currentTitle() const { return title_; }
    void setTitleColor(gfx::Rgba colour);
    gfx::Rgba titleColor() const { return label_.textColor(); }

    /// The label that draws the title: set its font, or let it shrink the
    /// title to fit (setAdjustsFontSizeToFitWidth). Its text follows the title.
    Label* titleLabel() { return &label_; }
    const Label* titleLabel() const { return &label_; }

    /// Pressed: a touch went down inside and is still inside.
    bool isHighlighted() const { return highlighted_; }

    /// Sends `action` on touch-up-inside: to `target`, or, when it is null,
    /// along the responder chain starting at this button. A target destroyed
    /// before the button is no longer sent anything.
    void addTarget(Responder* target, std::string action);
    /// Sends the touch-up-inside actions as a tap does. The button may be
    /// destroyed by an action; the later actions are then not sent.
    void sendActions();

    gfx::Size intrinsicContentSize() const override;
    void drawRect(gfx::Rect rect) override;

    void touchesBegan(const std::vector<Touch>& touches) override;
    void touchesMoved(const std::vector<Touch>& touches) override;
    void touchesEnded(const std::vector<Touch>& touches) override;
    void touchesCancelled(const std::vector<Touch>& touches) override;

private:
    struct Target {
        bool chain;              // no target: along the responder chain
        ResponderHandle target;  // else this one, while it exists
        std::string action;
    };
    bool inside(const std::vector<Touch>& touches) const;
    void setHighlighted(bool value);

    std::string title_;
    Label label_;
    std::vector<Target> targets_;
    bool tracking_ = false;
    bool highlighted_ = false;
};

}  // namespace ui
