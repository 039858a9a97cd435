// Table views: rows in sections, with section headers, reusable cells,
// selection and vertical scrolling (drag, or the host's scroll wheel).
//
// The data source says how many sections and rows there are, the header
// titles and the cell of each row; the delegate gives row heights and hears
// of selections. Cells are registered by reuse identifier and handed out by
// dequeueReusableCell; the table owns them.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/label.hpp"
#include "platform/ui/view.hpp"

namespace ui {

class TableView;

struct IndexPath {
    int section = 0;
    int row = 0;
    friend bool operator==(const IndexPath&, const IndexPath&) = default;
};

/// A row of a table: a text label filling it, left aligned with a margin.
class TableViewCell : public View {
public:
    explicit TableViewCell(std::string reuseIdentifier = {});

    /// The cell's label (cells made by the table always have one).
    Label* textLabel() const { return textLabel_; }
    const std::string& reuseIdentifier() const { return identifier_; }

    bool isSelected() const { return selected_; }
    /// Shows or clears the selection highlight (a cleared one fades when animated).
    void setSelected(bool selected, bool animated = false);
    View* selectedBackgroundView() const { return highlight_; }

    void layoutSubviews() override;
    void drawRect(gfx::Rect rect) override;

private:
    friend class TableView;
    std::string identifier_;
    View* highlight_ = nullptr;  // the selection colour, faded in and out by alpha
    Label* textLabel_ = nullptr;
    bool selected_ = false;
};

class TableViewDataSource {
public:
    virtual ~TableViewDataSource() = default;
    virtual int numberOfSections(TableView& table) {
        (void)table;
        return 1;
    }
    virtual int numberOfRows(TableView& table, int section) = 0;
    virtual std::optional<std::string> titleForHeader(TableView& table, int section) {
        (void)table;
        (void)section;
        return std::nullopt;
    }
    /// Normally `table.dequeueReusableCell(identifier, path)` filled in.
    virtual TableViewCell* cellForRow(TableView& table, IndexPath path) = 0;
};

class TableViewDelegate {
public:
    virtual ~TableViewDelegate() = default;
    virtual double heightForRow(TableView& table, IndexPath path) {
        (void)table;
        (void)path;
        return 44;
    }
    virtual void didSelectRow(TableView& table, IndexPath path) {
        (void)table;
        (void)path;
    }
};

class TableView : public View {
public:
    explicit TableView(gfx::Rect frame = {});

    TableViewDataSource* dataSource() const { return dataSource_; }
    void setDataSource(TableViewDataSource* source);
    TableViewDelegate* delegate() const { return delegate_; }
    void setDelegate(TableViewDelegate* delegate);

    /// Cells of `identifier` are made by `make` (default: a plain TableViewCell).
    void registerCell(std::string identifier,
                      std::function<std::unique_ptr<TableViewCell>()> make = nullptr);
    /// A cell for `path`, reused or new; an unregistered identifier is a
    /// PreconditionError naming it. Only valid inside cellForRow.
    TableViewCell* dequeueReusableCell(std::string_view identifier, IndexPath path);

    /// Asks the data source and delegate again (done on the first layout).
    void reloadData();

    int numberOfSections() const { return static_cast<int>(sections_.size()); }
    int numberOfRows(int section) const;
    /// The cell shown for `path`, or nullptr.
    TableViewCell* cellForRow(IndexPath path) const;
    /// The row's rectangle in the table's content (unscrolled) coordinates.
    gfx::Rect rectForRow(IndexPath path) const;
    /// The row at a point in the table's own coordinates, if any.
    std::optional<IndexPath> indexPathForRow(gfx::Point point) const;

    std::optional<IndexPath> indexPathForSelectedRow() const { return selected_; }
    /// Selects and highlights a row without telling the delegate.
    void selectRow(IndexPath path);
    /// Clears the selection of `path` (an animated clear fades the highlight).
    void deselectRow(IndexPath path, bool animated);

    // Scrolling.
    double contentOffset() const { return offset_; }
    double contentHeight() const { return contentHeight_; }
    void setContentOffset(double offset);  // clamped to the scrollable range
    void scrollBy(double dy) { setContentOffset(offset_ + dy); }

    static constexpr double kHeaderHeight = 28;

    void layoutSubviews() override;
    void touchesBegan(const std::vector<Touch>& touches) override;
    void touchesMoved(const std::vector<Touch>& touches) override;
    void touchesEnded(const std::vector<Touch>& touches) override;
    void touchesCancelled(const std::vector<Touch>& touches) override;

private:
    struct Section {
        std::optional<std::string> title;
        double top = 0;  // header top in content coordinates
        std::vector<double> rowTops, rowHeights;
        std::vector<TableViewCell*> cells;
    };
    void placeContent();
    double maxOffset() const;
    void ensureLoaded();

    TableViewDataSource* dataSource_ = nullptr;
    TableViewDelegate* delegate_ = nullptr;
    std::map<std::string, std::function<std::unique_ptr<TableViewCell>()>, std::less<>> factories_;
    std::map<std::string, std::vector<std::unique_ptr<TableViewCell>>, std::less<>> pool_;
    std::vector<std::unique_ptr<TableViewCell>> dequeued_;  // handed out, not yet placed
    View* content_ = nullptr;  // holds headers and cells, moved by the offset
    std::vector<Section> sections_;
    std::optional<IndexPath> selected_;
    double offset_ = 0;
    double contentHeight_ = 0;
    bool loaded_ = false;
    bool reloading_ = false;
    // The touch being followed: where it began and whether it became a drag.
    gfx::Point touchStart_;
    double offsetAtStart_ = 0;
    bool tracking_ = false;
    bool dragging_ = false;
};

}  // namespace ui
