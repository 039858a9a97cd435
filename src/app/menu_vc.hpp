// The first screen: a table of every strategy, grouped by operation under
// section headers, and the two drills. Choosing a row performs the row's
// segue; coming back shows the menu without the row chosen before.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/table_view_controller.hpp"

namespace tl {

struct MenuRow {
    std::string text;   // what the learner reads
    std::string segue;  // the segue the row performs
};

struct MenuSection {
    std::string header;
    std::vector<MenuRow> rows;
};

class Strategy_Menu_VC : public ui::TableViewController {
public:
    static constexpr double kRowHeight = 36;
    static constexpr double kCellFontSize = 20;
    static constexpr const char* kCellIdentifier = "TextCell";

    /// The app's menu (appMenu()).
    Strategy_Menu_VC();
    explicit Strategy_Menu_VC(std::vector<MenuSection> sections);

    const std::vector<MenuSection>& sections() const { return sections_; }

    int numberOfSections(ui::TableView& table) override;
    int numberOfRows(ui::TableView& table, int section) override;
    std::optional<std::string> titleForHeader(ui::TableView& table, int section) override;
    double heightForRow(ui::TableView& table, ui::IndexPath path) override;
    ui::TableViewCell* cellForRow(ui::TableView& table, ui::IndexPath path) override;
    void didSelectRow(ui::TableView& table, ui::IndexPath path) override;

private:
    const MenuRow& row(ui::IndexPath path) const;

    std::vector<MenuSection> sections_;
};

}  // namespace tl
