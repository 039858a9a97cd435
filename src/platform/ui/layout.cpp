#include "platform/ui/layout.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <unordered_map>

#include "base/errors.hpp"
#include "platform/ui/view.hpp"

namespace ui {

// ---------------------------------------------------------------------------
// The registry: every constraint made and not yet deleted, indexed by the
// views and guides it names (a guide's constraints also under the guide's
// owning view, since their value depends on it).

namespace {

struct Registry {
    std::unordered_map<const LayoutConstraint*, std::unique_ptr<LayoutConstraint>> all;
    std::unordered_map<const void*, std::vector<LayoutConstraint*>> byItem;
    std::uint64_t nextSerial = 1;
};

// Never destroyed: views that outlive static destruction still unregister.
Registry& registry() {
    static Registry* r = new Registry;
    return *r;
}

void itemsOf(const LayoutAnchor& a, std::vector<const void*>& out) {
    if (a.view) out.push_back(a.view);
    if (a.guide) {
        out.push_back(a.guide);
        out.push_back(a.guide->owningView());
    }
}

std::vector<const void*> itemsOf(const LayoutConstraint& c) {
    std::vector<const void*> items;
    itemsOf(c.first, items);
    if (c.second) itemsOf(*c.second, items);
    std::sort(items.begin(), items.end());
    items.erase(std::unique(items.begin(), items.end()), items.end());
    return items;
}

bool isDimension(LayoutAttribute a) { return a == LayoutAttribute::width || a == LayoutAttribute::height; }
bool isHorizontal(LayoutAttribute a) {
    return a == LayoutAttribute::leading || a == LayoutAttribute::trailing || a == LayoutAttribute::centerX ||
           a == LayoutAttribute::width;
}

LayoutConstraint* activate(LayoutAnchor first, std::optional<LayoutAnchor> second, double multiplier,
                           double constant) {
    tl::require(first.view || first.guide, "layout anchor without a view or guide");
    tl::require(!second || second->view || second->guide, "layout anchor without a view or guide");
    tl::require(std::isfinite(multiplier) && std::isfinite(constant), "layout constraint with a non-finite value");
    if (second) {
        if (isDimension(first.attribute) || isDimension(second->attribute))
            tl::require(isDimension(first.attribute) && isDimension(second->attribute),
                        "a dimension can only equal a dimension");
        else
            tl::require(isHorizontal(first.attribute) == isHorizontal(second->attribute),
                        "a position can only equal a position on the same axis");
        tl::require(multiplier == 1 || isDimension(first.attribute), "a multiplier needs dimensions");
    } else {
        tl::require(isDimension(first.attribute), "only a dimension can equal a constant");
    }
    auto owned = std::make_unique<LayoutConstraint>(first, second, multiplier, constant);
    LayoutConstraint* c = owned.get();
    Registry& r = registry();
    c->serial = r.nextSerial++;
    for (const void* item : itemsOf(*c)) r.byItem[item].push_back(c);
    r.all.emplace(c, std::move(owned));
    return c;
}

}  // namespace

LayoutConstraint::LayoutConstraint(LayoutAnchor f, std::optional<LayoutAnchor> s, double m, double k)
    : first(f), second(s ? std::make_unique<LayoutAnchor>(*s) : nullptr), multiplier(m), constant(k) {}

void LayoutConstraint::setActive(bool value) { active = value; }

LayoutConstraint* LayoutAnchor::constraintEqualTo(LayoutAnchor other, double constant) const {
    return activate(*this, other, 1, constant);
}

LayoutConstraint* LayoutAnchor::constraintEqualTo(LayoutAnchor other, double multiplier, double constant) const {
    return activate(*this, other, multiplier, constant);
}

LayoutConstraint* LayoutAnchor::constraintEqualToConstant(double constant) const {
    return activate(*this, std::nullopt, 1, constant);
}

// The guide's rectangle is read from its owner's frame whenever it is solved.
LayoutGuide::LayoutGuide(View* owner) : owner_(owner) { tl::require(owner != nullptr, "a layout guide needs a view"); }

LayoutGuide::~LayoutGuide() { detail::dropConstraintsOf(this); }

void LayoutGuide::setInsets(Insets insets) {
    insets_ = insets;
    owner_->setNeedsDisplay();
}

std::size_t liveConstraintCount() { return registry().all.size(); }

namespace detail {

void dropConstraintsOf(const void* item) {
    Registry& r = registry();
    auto found = r.byItem.find(item);
    if (found == r.byItem.end()) return;
    std::vector<LayoutConstraint*> doomed = std::move(found->second);
    r.byItem.erase(found);
    for (LayoutConstraint* c : doomed) {
        auto owned = r.all.find(c);
        if (owned == r.all.end()) continue;  // already gone through another item
        for (const void* other : itemsOf(*c)) {
            if (other == item) continue;
            auto list = r.byItem.find(other);
            if (list == r.byItem.end()) continue;
            std::erase(list->second, c);
            if (list->second.empty()) r.byItem.erase(list);
        }
        r.all.erase(owned);
    }
}

}  // namespace detail

// ---------------------------------------------------------------------------
// The solver: exact elimination over equalities, one at a time, keeping every
// accepted equation as a row "pivot = Σ coef × free + constant" in which only
// free (non-pivot) unknowns appear. A new equation is first rewritten in free
// unknowns: nothing left means it is redundant (constant 0) or contradicts
// what came before (any other constant).

namespace {

constexpr double kCoefEpsilon = 1e-9;
constexpr double kConflictTolerance = 1e-6;

struct Term {
    int var;
    double coef;
};

// A linear expression Σ coef × var + constant with sorted, distinct vars.
struct Linear {
    std::vector<Term> terms;
    double constant = 0;

    static Linear of(double k) { return Linear{{}, k}; }
    static Linear var(int v) { return Linear{{{v, 1.0}}, 0}; }

    // *this += factor × other
    void add(const Linear& other, double factor) {
        constant += factor * other.constant;
        if (other.terms.empty() || factor == 0) return;
        std::vector<Term> merged;
        merged.reserve(terms.size() + other.terms.size());
        auto a = terms.cbegin();
        auto b = other.terms.cbegin();
        while (a != terms.cend() || b != other.terms.cend()) {
            if (b == other.terms.cend() || (a != terms.cend() && a->var < b->var)) {
                merged.push_back(*a++);
            } else if (a == terms.cend() || b->var < a->var) {
                merged.push_back({b->var, b->coef * factor});
                ++b;
            } else {
                double c = a->coef + b->coef * factor;
                if (std::abs(c) > kCoefEpsilon) merged.push_back({a->var, c});
                ++a;
                ++b;
            }
        }
        terms = std::move(merged);
    }
};

class Solver {
public:
    enum class Outcome { added, redundant, conflict };

    explicit Solver(int vars) : rowOf_(vars, -1), occurs_(vars) {}

    Outcome add(const Linear& equation) {  // equation = 0
        Linear e = reduce(equation);
        if (e.terms.empty())
            return std::abs(e.constant) <= kConflictTolerance ? Outcome::redundant : Outcome::conflict;
        // Pivot on the largest coefficient, for accuracy.
        auto best = std::max_element(e.terms.begin(), e.terms.end(),
                                     [](const Term& x, const Term& y) { return std::abs(x.coef) < std::abs(y.coef); });
        int pivot = best->var;
        double a = best->coef;
        Linear row;
        row.constant = -e.constant / a;
        for (const Term& t : e.terms)
            if (t.var != pivot) row.terms.push_back({t.var, -t.coef / a});
        // Eliminate the pivot from every row that mentions it.
        std::vector<int> users = std::move(occurs_[pivot]);
        occurs_[pivot].clear();
        for (int r : users) {
            Linear& other = rows_[r];
            auto it = std::lower_bound(other.terms.begin(), other.terms.end(), pivot,
                                       [](const Term& t, int v) { return t.var < v; });
            if (it == other.terms.end() || it->var != pivot) continue;  // stale entry
            double b = it->coef;
            other.terms.erase(it);
            std::size_t before = other.terms.size();
            std::vector<int> had;
            had.reserve(before);
            for (const Term& t : other.terms) had.push_back(t.var);
            other.add(row, b);
            for (const Term& t : other.terms)
                if (!std::binary_search(had.begin(), had.end(), t.var)) occurs_[t.var].push_back(r);
        }
        int index = static_cast<int>(rows_.size());
        for (const Term& t : row.terms) occurs_[t.var].push_back(index);
        rows_.push_back(std::move(row));
        rowOf_[pivot] = index;
        return Outcome::added;
    }

    /// Whether `v` has a fixed value by now.
    bool determined(int v) const { return rowOf_[v] >= 0 && rows_[rowOf_[v]].terms.empty(); }
    /// The value of `v`: its row's constant, or `fallback` while free.
    double value(int v, double fallback) const { return determined(v) ? rows_[rowOf_[v]].constant : fallback; }

private:
    Linear reduce(const Linear& e) const {
        Linear out = Linear::of(e.constant);
        for (const Term& t : e.terms) {
            if (rowOf_[t.var] >= 0)
                out.add(rows_[rowOf_[t.var]], t.coef);
            else
                out.add(Linear::var(t.var), t.coef);
        }
        return out;
    }

    std::vector<int> rowOf_;
    std::vector<Linear> rows_;
    std::vector<std::vector<int>> occurs_;  // free var -> rows that may mention it
};

const char* attributeName(LayoutAttribute a) {
    switch (a) {
    case LayoutAttribute::leading: return "leading";
    case LayoutAttribute::trailing: return "trailing";
    case LayoutAttribute::top: return "top";
    case LayoutAttribute::bottom: return "bottom";
    case LayoutAttribute::centerX: return "centerX";
    case LayoutAttribute::centerY: return "centerY";
    case LayoutAttribute::width: return "width";
    case LayoutAttribute::height: return "height";
    }
    return "?";
}

std::string describe(const LayoutAnchor& a) {
    char buf[96];
    if (a.view)
        std::snprintf(buf, sizeof buf, "view %p (tag %d).%s", static_cast<const void*>(a.view), a.view->tag(),
                      attributeName(a.attribute));
    else
        std::snprintf(buf, sizeof buf, "guide %p.%s", static_cast<const void*>(a.guide), attributeName(a.attribute));
    return buf;
}

void report(LayoutConstraint& c) {
    if (c.reported) return;
    c.reported = true;
    std::string text = describe(c.first) + " = ";
    if (c.second) {
        text += describe(*c.second);
        if (c.multiplier != 1) text += " * " + std::to_string(c.multiplier);
        if (c.constant != 0) text += " + " + std::to_string(c.constant);
    } else {
        text += std::to_string(c.constant);
    }
    if (!c.identifier.empty()) text += " [" + c.identifier + "]";
    std::fprintf(stderr, "layout: unsatisfiable constraint dropped: %s\n", text.c_str());
}

// One layout pass over a subtree.
class Pass {
public:
    explicit Pass(View* root) : root_(root) {
        collect(root, true);
        rootOrigin_ = root->convertToWindow({0, 0});
    }

    void run() {
        Solver solver(static_cast<int>(unknown_.size()) * 4);
        // Required constraints, oldest first.
        for (LayoutConstraint* c : constraints()) {
            Linear e = anchorExpr(c->first);
            if (c->second)
                e.add(anchorExpr(*c->second), -c->multiplier);
            e.constant -= c->constant;
            if (solver.add(e) == Solver::Outcome::conflict) report(*c);
        }
        // Intrinsic sizes where the constraints leave a dimension open.
        for (std::size_t k = 0; k < unknown_.size(); ++k) {
            int w = static_cast<int>(k) * 4 + 2, h = w + 1;
            if (solver.determined(w) && solver.determined(h)) continue;
            // Negative means "none"; an infinite or NaN size (text in a broken font) is none either.
            gfx::Size size = unknown_[k]->intrinsicContentSize();
            auto usable = [](double v) { return std::isfinite(v) && v >= 0; };
            if (usable(size.width) && !solver.determined(w)) solver.add(minus(Linear::var(w), size.width));
            if (usable(size.height) && !solver.determined(h)) solver.add(minus(Linear::var(h), size.height));
        }
        // What is still open keeps its current value.
        for (std::size_t k = 0; k < unknown_.size(); ++k) {
            const View* v = unknown_[k];
            gfx::Point at = v->superview()->convertToWindow(v->frame().origin());
            double current[4] = {at.x, at.y, v->frame().width, v->frame().height};
            for (int i = 0; i < 4; ++i) {
                int var = static_cast<int>(k) * 4 + i;
                if (!solver.determined(var)) solver.add(minus(Linear::var(var), current[i]));
            }
        }
        // Frames, parents before children (collect() lists them in that order).
        std::unordered_map<const View*, gfx::Point> placed;
        placed[root_] = rootOrigin_;
        for (View* v : order_) {
            if (v == root_) continue;
            gfx::Point parent = placed.at(v->superview());
            auto found = index_.find(v);
            if (found == index_.end()) {
                placed[v] = {parent.x + v->frame().x, parent.y + v->frame().y};
                continue;
            }
            int base = found->second * 4;
            gfx::Rect f = v->frame();
            double x = solver.value(base, 0), y = solver.value(base + 1, 0);
            double w = solver.value(base + 2, f.width), h = solver.value(base + 3, f.height);
            placed[v] = {x, y};
            v->setFrame({x - parent.x, y - parent.y, w, h});
        }
    }

private:
    struct Box {
        Linear x, y, w, h;
    };

    static Linear minus(Linear e, double k) {
        e.constant -= k;
        return e;
    }

    void collect(View* v, bool isRoot) {
        order_.push_back(v);
        if (!isRoot && !v->translatesAutoresizingMaskIntoConstraints()) {
            index_.emplace(v, static_cast<int>(unknown_.size()));
            unknown_.push_back(v);
        }
        for (const auto& sub : v->subviews()) collect(sub.get(), false);
    }

    std::vector<LayoutConstraint*> constraints() const {
        Registry& r = registry();
        std::vector<LayoutConstraint*> out;
        for (const View* v : order_) {
            auto found = r.byItem.find(v);
            if (found == r.byItem.end()) continue;
            for (LayoutConstraint* c : found->second)
                if (c->active) out.push_back(c);
        }
        std::sort(out.begin(), out.end(),
                  [](const LayoutConstraint* a, const LayoutConstraint* b) { return a->serial < b->serial; });
        out.erase(std::unique(out.begin(), out.end()), out.end());
        return out;
    }

    // A view's box in window coordinates: unknowns for the views being laid
    // out, its frame on its superview's box for the other views of the
    // subtree, and fixed numbers for the root and anything outside.
    const Box& box(const View* v) {
        auto cached = boxes_.find(v);
        if (cached != boxes_.end()) return cached->second;
        Box b;
        auto found = index_.find(v);
        if (found != index_.end()) {
            int base = found->second * 4;
            b = {Linear::var(base), Linear::var(base + 1), Linear::var(base + 2), Linear::var(base + 3)};
        } else if (v != root_ && inSubtree(v)) {
            const Box& parent = box(v->superview());
            b.x = parent.x;
            b.x.constant += v->frame().x;
            b.y = parent.y;
            b.y.constant += v->frame().y;
            b.w = Linear::of(v->frame().width);
            b.h = Linear::of(v->frame().height);
        } else {
            gfx::Point at = v->convertToWindow({0, 0});
            b = {Linear::of(at.x), Linear::of(at.y), Linear::of(v->frame().width), Linear::of(v->frame().height)};
        }
        return boxes_.emplace(v, std::move(b)).first->second;
    }

    bool inSubtree(const View* v) const {
        for (; v; v = v->superview())
            if (v == root_) return true;
        return false;
    }

    Linear anchorExpr(const LayoutAnchor& a) {
        Box b;
        if (a.view) {
            b = box(a.view);
        } else {
            const LayoutGuide& g = *a.guide;
            LayoutGuide::Insets in = g.insets();
            b = box(g.owningView());
            b.x.constant += in.left;
            b.y.constant += in.top;
            b.w.constant -= in.left + in.right;
            b.h.constant -= in.top + in.bottom;
        }
        Linear e;
        switch (a.attribute) {
        case LayoutAttribute::leading: return b.x;
        case LayoutAttribute::top: return b.y;
        case LayoutAttribute::width: return b.w;
        case LayoutAttribute::height: return b.h;
        case LayoutAttribute::trailing: e = b.x; e.add(b.w, 1); return e;
        case LayoutAttribute::bottom: e = b.y; e.add(b.h, 1); return e;
        case LayoutAttribute::centerX: e = b.x; e.add(b.w, 0.5); return e;
        case LayoutAttribute::centerY: e = b.y; e.add(b.h, 0.5); return e;
        }
        return e;
    }

    View* root_;
    gfx::Point rootOrigin_;
    std::vector<View*> order_;    // the subtree, parents first
    std::vector<View*> unknown_;  // views whose frames are solved for
    std::unordered_map<const View*, int> index_;
    std::unordered_map<const View*, Box> boxes_;
};

void layoutPass(View* v) {
    v->layoutSubviews();
    // By index: layoutSubviews may add or remove subviews.
    for (std::size_t i = 0; i < v->subviews().size(); ++i) layoutPass(v->subviews()[i].get());
}

}  // namespace

void layoutIfNeeded(View* root) {
    tl::require(root != nullptr, "layoutIfNeeded: no view");
    Pass(root).run();
    layoutPass(root);
}

}  // namespace ui
