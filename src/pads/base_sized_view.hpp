// Views whose texts take the base text size (30 or 32 points by the main
// screen's width): they size their texts when made and again, when laid out,
// whenever a change of the window's width has moved the base size.
#pragma once

#include "common/layout.hpp"

namespace tl {

template <class Base>
class BaseSizedView : public Base {
public:
    using Base::Base;

    void layoutSubviews() override {
        Base::layoutSubviews();
        const double base = screenScaledFontSize();
        if (base == sizedFor_) return;
        sizedFor_ = base;
        sizeTexts(base);
    }

protected:
    /// Gives every text of the view its font for the base text size `base`.
    virtual void sizeTexts(double base) = 0;
    /// The base size the texts have now; the derived constructor sizes them
    /// for it (calling sizeTexts) once its subviews exist.
    double textBase() const { return sizedFor_; }

private:
    double sizedFor_ = screenScaledFontSize();
};

}  // namespace tl
