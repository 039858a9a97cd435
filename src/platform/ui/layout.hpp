// Layout by equality constraints between anchors of views and layout guides.
//
// A constraint says  first = second × multiplier + constant  (or, without a
// second anchor, first = constant). Each is activated when it is made; the
// window's layout engine solves all active constraints of its view tree
// exactly, with intrinsic content sizes filling only what the constraints
// leave free. A constraint that contradicts those before it is reported once
// on standard error and dropped.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {

class View;
class LayoutGuide;

enum class LayoutAttribute { leading, trailing, top, bottom, centerX, centerY, width, height };

class LayoutConstraint;

/// One edge, centre or dimension of a view or a layout guide.
struct LayoutAnchor {
    LayoutAnchor(View* v, LayoutAttribute a) : view(v), attribute(a) {}
    LayoutAnchor(LayoutGuide* g, LayoutAttribute a) : guide(g), attribute(a) {}

    View* view = nullptr;
    LayoutGuide* guide = nullptr;
    LayoutAttribute attribute;

    /// this = other + constant (made and activated).
    LayoutConstraint* constraintEqualTo(LayoutAnchor other, double constant = 0) const;
    /// this = other × multiplier + constant (dimensions only; made and activated).
    LayoutConstraint* constraintEqualTo(LayoutAnchor other, double multiplier, double constant) const;
    /// this = constant (dimensions only; made and activated).
    LayoutConstraint* constraintEqualToConstant(double constant) const;
};

/// The eight anchors of a view or a layout guide; `Owner` is the class that
/// derives from this.
template <class Owner>
class Anchors {
public:
    LayoutAnchor leadingAnchor() { return anchor(LayoutAttribute::leading); }
    LayoutAnchor trailingAnchor() { return anchor(LayoutAttribute::trailing); }
    LayoutAnchor topAnchor() { return anchor(LayoutAttribute::top); }
    LayoutAnchor bottomAnchor() { return anchor(LayoutAttribute::bottom); }
    LayoutAnchor centerXAnchor() { return anchor(LayoutAttribute::centerX); }
    LayoutAnchor centerYAnchor() { return anchor(LayoutAttribute::centerY); }
    LayoutAnchor widthAnchor() { return anchor(LayoutAttribute::width); }
    LayoutAnchor heightAnchor() { return anchor(LayoutAttribute::height); }

private:
    LayoutAnchor anchor(LayoutAttribute attribute) { return {static_cast<Owner*>(this), attribute}; }
};

/// Constraints belong to the process-wide set of constraints from the moment
/// they are made (LayoutAnchor::constraintEqualTo…). A constraint is deleted
/// when a view or guide it names is destroyed: do not keep its pointer past
/// the life of its views.
class LayoutConstraint {
public:
    LayoutConstraint(LayoutAnchor first, std::optional<LayoutAnchor> second, double multiplier,
                     double constant);
    LayoutConstraint(const LayoutConstraint&) = delete;
    LayoutConstraint& operator=(const LayoutConstraint&) = delete;

    LayoutAnchor first;
    std::unique_ptr<LayoutAnchor> second;  // absent for a constant dimension
    double multiplier = 1;
    double constant = 0;
    bool active = true;
    std::string identifier;  // optional, for the report of a dropped constraint

    void setActive(bool value);

    /// Order of making: earlier constraints win over later ones they contradict.
    std::uint64_t serial = 0;
    /// Set once the constraint has been reported as unsatisfiable.
    bool reported = false;
};

/// A rectangle that constraints can refer to (a view controller's safe area):
/// its owning view's bounds inset by `insets`.
class LayoutGuide : public Anchors<LayoutGuide> {
public:
    struct Insets {
        double top = 0, left = 0, bottom = 0, right = 0;
    };
    explicit LayoutGuide(View* owner);  // owner: not null
    ~LayoutGuide();  // drops the constraints that name this guide
    LayoutGuide(const LayoutGuide&) = delete;
    LayoutGuide& operator=(const LayoutGuide&) = delete;
    View* owningView() const { return owner_; }
    Insets insets() const { return insets_; }
    void setInsets(Insets insets);

private:
    View* owner_;
    Insets insets_;
};

/// Solves the active constraints of `root`'s subtree and sets the frames of
/// the views in it that do not translate their autoresizing mask, then calls
/// layoutSubviews on every view of the subtree, parents before children.
/// `root` itself keeps its frame; views outside the subtree that constraints
/// name count as fixed. Unknowns the constraints and intrinsic sizes leave
/// free keep their current values. The window calls this on start and on
/// every resize.
void layoutIfNeeded(View* root);

/// The number of constraints made and not yet deleted (for tests and tools).
std::size_t liveConstraintCount();

namespace detail {
/// Deletes every constraint that names `item` (a view, or a guide, or the
/// owner of a guide). Called by ~View and ~LayoutGuide.
void dropConstraintsOf(const void* item);
}  // namespace detail

}  // namespace ui
