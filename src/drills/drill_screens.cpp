#include "drills/drill_screens.hpp"

#include "base/errors.hpp"
#include "drills/count_card.hpp"
#include "drills/double_cards.hpp"
#include "drills/problems.hpp"
#include "platform/gfx/font.hpp"
#include "platform/ui/animation.hpp"
#include "platform/ui/label.hpp"

namespace tl::drills {

// ---- Card views -------------------------------------------------------------

void CountCardView::drawRect(gfx::Rect) {
    gfx::Context* ctx = gfx::currentContext();
    if (!ctx) return;
    const gfx::Rect box = bounds();
    drawCountStrategy(*ctx, countsFirst, countsSecond, front_, countsName, box.width, box.height);
}

void DoubleCardView::drawRect(gfx::Rect) {
    gfx::Context* ctx = gfx::currentContext();
    if (!ctx) return;
    const auto problem = doublesProblem(doublesName);
    if (!problem) return;
    const gfx::Rect box = bounds();
    drawDoubles(*ctx, problem->kind, problem->n, front_, box.width, box.height);
}

// ---- Flash-card screens -----------------------------------------------------

void FlashCardScreen::touchesEnded(const std::vector<ui::Touch>&) {
    ui::animate(kFlipSeconds, [this] { flipCards(); });
}

void FlashCardScreen::flipCards() {
    // The alpha read is the one last set, so a touch during a fade turns back.
    for (const auto& sub : view()->subviews())
        if (sub->tag() != 0) sub->setAlpha(sub->alpha() != 0 ? 0.0 : 1.0);
}

void Count_VC::viewDidLoad() {
    FlashCardScreen::viewDidLoad();
    for (CountCardView* card : {static_cast<CountCardView*>(linkFirst), static_cast<CountCardView*>(linkFlip)}) {
        if (!card) continue;
        card->countsName = countsName;
        card->countsFirst = countsFirst;
        card->countsSecond = countsSecond;
    }
}

void Double_VC::viewDidLoad() {
    FlashCardScreen::viewDidLoad();
    if (linkFirst) linkFirst->doublesName = doublesName;
    if (linkFlip) linkFlip->doublesName = doublesName;
}

// ---- Menus ------------------------------------------------------------------

DrillMenu::DrillMenu(std::vector<std::string> sections, std::vector<std::string> picks, std::string segue)
    : sectionPick(std::move(sections)), pick_(std::move(picks)), segue_(std::move(segue)) {}

int DrillMenu::numberOfSections(ui::TableView&) { return 1; }

int DrillMenu::numberOfRows(ui::TableView&, int) { return 5; }

std::optional<std::string> DrillMenu::titleForHeader(ui::TableView&, int section) {
    return tl::at(sectionPick, static_cast<std::size_t>(section));
}

double DrillMenu::heightForRow(ui::TableView&, ui::IndexPath) { return kRowHeight; }

ui::TableViewCell* DrillMenu::cellForRow(ui::TableView& table, ui::IndexPath path) {
    ui::TableViewCell* cell = table.dequeueReusableCell(textCellIdentifier, path);
    if (ui::Label* label = cell->textLabel()) {
        label->setText(tl::at(pick_, static_cast<std::size_t>(path.row)));
        label->setFont(gfx::Font::monospacedDigit(kCellFontSize, gfx::weight::medium));
        // In a window narrower than a phone the long rows shrink: cut short,
        // "make a ten from nine" and "… eight" would read alike.
        label->setAdjustsFontSizeToFitWidth(true);
    }
    return cell;
}

void DrillMenu::didSelectRow(ui::TableView&, ui::IndexPath) { performSegue(segue_, this); }

std::optional<int> DrillMenu::selectedRow() const {
    if (!tableView) return std::nullopt;
    auto selected = tableView->indexPathForSelectedRow();
    if (!selected) return std::nullopt;
    return selected->row;
}

Count_Menu_VC::Count_Menu_VC()
    : DrillMenu({"count"},
                {"count on from largest", "combine to ten", "make a ten from nine", "make a ten from eight",
                 "all random"},
                "Count_Segue") {}

void Count_Menu_VC::prepareForSegue(ui::StoryboardSegue& segue, ui::Responder*) {
    if (segue.identifier != countsSegueIdentifier()) return;
    auto* destination = dynamic_cast<Count_VC*>(segue.destination);
    if (!destination) return;
    // Without a chosen row there is no problem to pick: the card keeps its own.
    const auto row = selectedRow();
    if (!row) return;
    CountProblem problem = pickCountProblem(*row);
    destination->countsName = problem.name;
    destination->countsFirst = problem.first;
    destination->countsSecond = problem.second;
}

Double_Menu_VC::Double_Menu_VC()
    : DrillMenu({"double"}, {"double", "double plus one", "double minus one", "make a double", "all random"},
                "Double_Segue") {}

void Double_Menu_VC::prepareForSegue(ui::StoryboardSegue& segue, ui::Responder*) {
    if (segue.identifier != doublesSegueIdentifier()) return;
    auto* destination = dynamic_cast<Double_VC*>(segue.destination);
    if (!destination) return;
    const auto row = selectedRow();
    if (!row) return;
    destination->doublesName = pickDoublesProblem(*row);
}

}  // namespace tl::drills
