#include "app/menu_vc.hpp"

#include "app/storyboard.hpp"
#include "base/errors.hpp"
#include "platform/gfx/font.hpp"

namespace tl {

Strategy_Menu_VC::Strategy_Menu_VC() : Strategy_Menu_VC(appMenu()) {}

Strategy_Menu_VC::Strategy_Menu_VC(std::vector<MenuSection> sections) : sections_(std::move(sections)) {}

int Strategy_Menu_VC::numberOfSections(ui::TableView&) { return static_cast<int>(sections_.size()); }

int Strategy_Menu_VC::numberOfRows(ui::TableView&, int section) {
    return static_cast<int>(at(sections_, section).rows.size());
}

std::optional<std::string> Strategy_Menu_VC::titleForHeader(ui::TableView&, int section) {
    return at(sections_, section).header;
}

double Strategy_Menu_VC::heightForRow(ui::TableView&, ui::IndexPath) { return kRowHeight; }

const MenuRow& Strategy_Menu_VC::row(ui::IndexPath path) const {
    return at(at(sections_, path.section).rows, path.row);
}

ui::TableViewCell* Strategy_Menu_VC::cellForRow(ui::TableView& table, ui::IndexPath path) {
    ui::TableViewCell* cell = table.dequeueReusableCell(kCellIdentifier, path);
    if (ui::Label* label = cell->textLabel()) {
        label->setText(row(path).text);
        label->setFont(gfx::Font::system(kCellFontSize));
    }
    return cell;
}

void Strategy_Menu_VC::didSelectRow(ui::TableView&, ui::IndexPath path) { performSegue(row(path).segue, this); }

}  // namespace tl
