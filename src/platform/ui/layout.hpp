// Layout by equality constraints between anchors of views and layout guides.
//
// A constraint says  first = second × multiplier + constant  (or, without a
// second anchor, first = constant). Each is activated when it is made; the
// window's layout engine solves all active constraints of its view tree
// exactly, with intrinsic content sizes filling only what the constraints
// leave free. A constraint that contradicts those before it is reported once
// on standard error and dropped.
#pragma once

#include <memory>
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

class LayoutConstraint {
public:
    LayoutAnchor first;
    std::unique_ptr<LayoutAnchor> second;  // absent for a constant dimension
    double multiplier = 1;
    double constant = 0;
    bool active = true;
    std::string identifier;  // optional, for the report of a dropped constraint

    void setActive(bool value);
};

/// A rectangle that constraints can refer to (a view controller's safe area):
/// its owning view's bounds inset by `insets`.
class LayoutGuide {
public:
    struct Insets {
        double top = 0, left = 0, bottom = 0, right = 0;
    };
    explicit LayoutGuide(View* owner) : owner_(owner) {}
    View* owningView() const { return owner_; }
    Insets insets() const { return insets_; }
    void setInsets(Insets insets);

    LayoutAnchor leadingAnchor() { return {this, LayoutAttribute::leading}; }
    LayoutAnchor trailingAnchor() { return {this, LayoutAttribute::trailing}; }
    LayoutAnchor topAnchor() { return {this, LayoutAttribute::top}; }
    LayoutAnchor bottomAnchor() { return {this, LayoutAttribute::bottom}; }
    LayoutAnchor centerXAnchor() { return {this, LayoutAttribute::centerX}; }
    LayoutAnchor centerYAnchor() { return {this, LayoutAttribute::centerY}; }
    LayoutAnchor widthAnchor() { return {this, LayoutAttribute::width}; }
    LayoutAnchor heightAnchor() { return {this, LayoutAttribute::height}; }

private:
    View* owner_;
    Insets insets_;
};

}  // namespace ui
