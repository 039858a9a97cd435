#include "platform/ui/table_view.hpp"

#include <algorithm>
#include <cmath>

#include "base/errors.hpp"
#include "platform/ui/animation.hpp"

namespace ui {

namespace {

constexpr gfx::Rgba kSelectionColour{0.82, 0.82, 0.84, 1};
constexpr gfx::Rgba kHeaderColour{0.95, 0.95, 0.97, 1};
constexpr gfx::Rgba kSeparatorColour{0.78, 0.78, 0.8, 1};
constexpr double kTextInset = 16;
constexpr double kDragThreshold = 8;
constexpr double kDeselectSeconds = 0.3;

// A section's header band: its title, small and grey, at the left.
class HeaderView : public View {
public:
    explicit HeaderView(const std::string& title) {
        setBackgroundColor(kHeaderColour);
        label_ = add(std::make_unique<Label>());
        label_->setText(title);
        label_->setFont(gfx::Font::system(15, gfx::weight::semibold));
        label_->setTextColor({0.43, 0.43, 0.45, 1});
    }
    void layoutSubviews() override {
        gfx::Rect b = bounds();
        label_->setFrame({kTextInset, 0, std::max(0.0, b.width - 2 * kTextInset), b.height});
    }

private:
    Label* label_;
};

}  // namespace

// ---- cell

TableViewCell::TableViewCell(std::string reuseIdentifier) : identifier_(std::move(reuseIdentifier)) {
    setBackgroundColor(gfx::palette::white);
    highlight_ = add(std::make_unique<View>());
    highlight_->setBackgroundColor(kSelectionColour);
    highlight_->setAlpha(0);
    highlight_->setUserInteractionEnabled(false);
    textLabel_ = add(std::make_unique<Label>());
    textLabel_->setFont(gfx::Font::system(17));
}

void TableViewCell::setSelected(bool selected, bool animated) {
    selected_ = selected;
    if (animated && !selected)
        animate(kDeselectSeconds, [this] { highlight_->setAlpha(0); });
    else
        highlight_->setAlpha(selected ? 1 : 0);
}

void TableViewCell::layoutSubviews() {
    gfx::Rect b = bounds();
    highlight_->setFrame(b);
    textLabel_->setFrame({kTextInset, 0, std::max(0.0, b.width - 2 * kTextInset), b.height});
}

void TableViewCell::drawRect(gfx::Rect) {
    // The separator under the row, indented like the text.
    gfx::Context* context = gfx::currentContext();
    if (!context) return;
    gfx::Rect b = bounds();
    context->save();
    context->setFillColor(kSeparatorColour);
    context->fillRect({kTextInset, b.height - 0.5, std::max(0.0, b.width - kTextInset), 0.5});
    context->restore();
}

// ---- table

TableView::TableView(gfx::Rect frame) : View(frame) {
    setBackgroundColor(gfx::palette::white);
    content_ = add(std::make_unique<View>());
}

void TableView::setDataSource(TableViewDataSource* source) {
    dataSource_ = source;
    loaded_ = false;
    setNeedsDisplay();
}

void TableView::setDelegate(TableViewDelegate* delegate) {
    delegate_ = delegate;
    loaded_ = false;
    setNeedsDisplay();
}

void TableView::registerCell(std::string identifier, std::function<std::unique_ptr<TableViewCell>()> make) {
    tl::require(!identifier.empty(), "a cell identifier must not be empty");
    if (!make) make = [identifier] { return std::make_unique<TableViewCell>(identifier); };
    factories_[std::move(identifier)] = std::move(make);
}

TableViewCell* TableView::dequeueReusableCell(std::string_view identifier, IndexPath path) {
    (void)path;
    tl::require(reloading_, "dequeueReusableCell called outside cellForRow");
    auto factory = factories_.find(identifier);
    tl::require(factory != factories_.end(),
                "no cell registered for identifier \"" + std::string(identifier) + "\"");
    std::unique_ptr<TableViewCell> cell;
    auto& spare = pool_[std::string(identifier)];
    if (!spare.empty()) {
        cell = std::move(spare.back());
        spare.pop_back();
    } else {
        cell = factory->second();
        tl::require(cell != nullptr, "the cell factory of \"" + std::string(identifier) + "\" made nothing");
        cell->identifier_ = std::string(identifier);
    }
    cell->setSelected(false);
    dequeued_.push_back(std::move(cell));
    return dequeued_.back().get();
}

void TableView::reloadData() {
    // Every cell and header leaves the content: cells to the reuse pool.
    while (!content_->subviews().empty()) {
        std::unique_ptr<View> view = content_->subviews().back()->removeFromSuperview();
        if (auto* cell = dynamic_cast<TableViewCell*>(view.get())) {
            view.release();
            pool_[cell->identifier_].push_back(std::unique_ptr<TableViewCell>(cell));
        }
    }
    sections_.clear();
    loaded_ = true;
    if (!dataSource_) {
        placeContent();
        return;
    }
    reloading_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{reloading_};

    double y = 0;
    int sectionCount = dataSource_->numberOfSections(*this);
    tl::require(sectionCount >= 0, "a table cannot have a negative number of sections");
    for (int s = 0; s < sectionCount; ++s) {
        Section section;
        section.title = dataSource_->titleForHeader(*this, s);
        section.top = y;
        if (section.title) {
            View* header = content_->addSubview(std::make_unique<HeaderView>(*section.title));
            header->setFrame({0, y, bounds().width, kHeaderHeight});
            y += kHeaderHeight;
        }
        int rows = dataSource_->numberOfRows(*this, s);
        tl::require(rows >= 0, "a section cannot have a negative number of rows");
        for (int r = 0; r < rows; ++r) {
            IndexPath path{s, r};
            double height = delegate_ ? delegate_->heightForRow(*this, path) : 44;
            tl::require(std::isfinite(height) && height >= 0, "a row height must be finite and not negative");
            TableViewCell* cell = dataSource_->cellForRow(*this, path);
            auto it = std::find_if(dequeued_.begin(), dequeued_.end(),
                                   [cell](const auto& p) { return p.get() == cell; });
            tl::require(cell != nullptr && it != dequeued_.end(),
                        "cellForRow must return a cell from dequeueReusableCell");
            std::unique_ptr<TableViewCell> owned = std::move(*it);
            dequeued_.erase(it);
            content_->addSubview(std::move(owned))->setFrame({0, y, bounds().width, height});
            cell->setSelected(selected_ == path);
            section.rowTops.push_back(y);
            section.rowHeights.push_back(height);
            section.cells.push_back(cell);
            y += height;
        }
        sections_.push_back(std::move(section));
    }
    // Cells handed out but not returned go back to the pool.
    for (auto& cell : dequeued_) pool_[cell->identifier_].push_back(std::move(cell));
    dequeued_.clear();
    contentHeight_ = y;
    if (selected_ && !cellForRow(*selected_)) selected_.reset();
    placeContent();
}

void TableView::ensureLoaded() {
    if (!loaded_) reloadData();
}

double TableView::maxOffset() const { return std::max(0.0, contentHeight_ - bounds().height); }

// Headers and cells keep their places in the content and take the table's width.
void TableView::placeContent() {
    double width = bounds().width;
    offset_ = std::clamp(offset_, 0.0, maxOffset());
    content_->setFrame({0, -offset_, width, contentHeight_});
    for (const auto& view : content_->subviews()) {
        gfx::Rect f = view->frame();
        view->setFrame({0, f.y, width, f.height});
        view->layoutSubviews();
    }
}

int TableView::numberOfRows(int section) const {
    return static_cast<int>(tl::at(sections_, section).cells.size());
}

TableViewCell* TableView::cellForRow(IndexPath path) const {
    if (path.section < 0 || path.section >= numberOfSections()) return nullptr;
    const Section& s = sections_[static_cast<std::size_t>(path.section)];
    if (path.row < 0 || path.row >= static_cast<int>(s.cells.size())) return nullptr;
    return s.cells[static_cast<std::size_t>(path.row)];
}

gfx::Rect TableView::rectForRow(IndexPath path) const {
    const Section& s = tl::at(sections_, path.section);
    return {0, tl::at(s.rowTops, path.row), bounds().width, tl::at(s.rowHeights, path.row)};
}

std::optional<IndexPath> TableView::indexPathForRow(gfx::Point point) const {
    if (point.x < 0 || point.x >= bounds().width) return std::nullopt;
    double y = point.y + offset_;
    for (std::size_t s = 0; s < sections_.size(); ++s)
        for (std::size_t r = 0; r < sections_[s].cells.size(); ++r) {
            double top = sections_[s].rowTops[r];
            if (y >= top && y < top + sections_[s].rowHeights[r])
                return IndexPath{static_cast<int>(s), static_cast<int>(r)};
        }
    return std::nullopt;
}

void TableView::selectRow(IndexPath path) {
    ensureLoaded();
    TableViewCell* cell = cellForRow(path);
    tl::require(cell != nullptr, "selectRow: no such row");
    if (selected_ && *selected_ != path)
        if (TableViewCell* old = cellForRow(*selected_)) old->setSelected(false);
    selected_ = path;
    cell->setSelected(true);
}

void TableView::deselectRow(IndexPath path, bool animated) {
    if (selected_ != path) return;
    selected_.reset();
    if (TableViewCell* cell = cellForRow(path)) cell->setSelected(false, animated);
}

void TableView::setContentOffset(double offset) {
    if (!std::isfinite(offset)) return;
    offset = std::clamp(offset, 0.0, maxOffset());
    if (offset == offset_) return;
    offset_ = offset;
    content_->setFrame({0, -offset_, bounds().width, contentHeight_});
}

void TableView::layoutSubviews() {
    ensureLoaded();
    placeContent();
}

void TableView::touchesBegan(const std::vector<Touch>& touches) {
    if (touches.empty()) return;
    touchStart_ = touches.front().locationIn(this);
    offsetAtStart_ = offset_;
    tracking_ = true;
    dragging_ = false;
}

void TableView::touchesMoved(const std::vector<Touch>& touches) {
    if (!tracking_ || touches.empty()) return;
    gfx::Point p = touches.front().locationIn(this);
    // The content moves with the finger, so the point is read against the
    // offset at the start: locations are in the table's (unmoving) coordinates.
    double dy = p.y - touchStart_.y;
    if (!dragging_ && std::abs(dy) < kDragThreshold) return;
    dragging_ = true;
    setContentOffset(offsetAtStart_ - dy);
}

void TableView::touchesEnded(const std::vector<Touch>& touches) {
    touchesMoved(touches);  // where the touch ends counts as its last move
    bool tap = tracking_ && !dragging_ && !touches.empty();
    tracking_ = dragging_ = false;
    if (!tap) return;
    std::optional<IndexPath> path = indexPathForRow(touches.front().locationIn(this));
    if (!path) return;
    selectRow(*path);
    if (delegate_) delegate_->didSelectRow(*this, *path);
}

void TableView::touchesCancelled(const std::vector<Touch>&) { tracking_ = dragging_ = false; }

}  // namespace ui
