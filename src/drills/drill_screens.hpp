// The drill screens: the two menus that pick a random problem, the two
// flash-card screens that show it, and the card views of each face.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui/table_view_controller.hpp"
#include "platform/ui/view_controller.hpp"

namespace tl::drills {

// ---- Card views -------------------------------------------------------------

/// A face of a counting card: hands the problem to the counting renderer.
class CountCardView : public ui::View {
public:
    std::string countsName = "count on";
    std::int64_t countsFirst = 9;
    std::int64_t countsSecond = 3;

    bool isFront() const { return front_; }
    void drawRect(gfx::Rect rect) override;

protected:
    explicit CountCardView(bool front) : front_(front) {}

private:
    bool front_;
};

class Count_First : public CountCardView {
public:
    Count_First() : CountCardView(true) {}
};

class Count_Flip : public CountCardView {
public:
    Count_Flip() : CountCardView(false) {}
};

/// A face of a doubles card: decodes the problem and hands it to the
/// renderer of its kind; a code no card can show draws nothing.
class DoubleCardView : public ui::View {
public:
    std::int64_t doublesName = 1;

    bool isFront() const { return front_; }
    void drawRect(gfx::Rect rect) override;

protected:
    explicit DoubleCardView(bool front) : front_(front) {}

private:
    bool front_;
};

class Double_First : public DoubleCardView {
public:
    Double_First() : DoubleCardView(true) {}
};

class Double_Flip : public DoubleCardView {
public:
    Double_Flip() : DoubleCardView(false) {}
};

// ---- Flash-card screens -----------------------------------------------------

/// A screen with two faces of one card over the same area: the end of a
/// touch anywhere fades the shown face out and the hidden one in.
class FlashCardScreen : public ui::ViewController {
public:
    static constexpr double kFlipSeconds = 1.0;

    void touchesEnded(const std::vector<ui::Touch>& touches) override;
    /// Toggles every tagged subview of the root view between shown and
    /// hidden; untagged ones keep their alpha.
    void flipCards();
};

class Count_VC : public FlashCardScreen {
public:
    std::string countsName = "count on";
    std::int64_t countsFirst = 9;
    std::int64_t countsSecond = 3;
    Count_First* linkFirst = nullptr;  // outlets: the root view owns the cards
    Count_Flip* linkFlip = nullptr;

    void viewDidLoad() override;
};

class Double_VC : public FlashCardScreen {
public:
    std::int64_t doublesName = 1;
    Double_First* linkFirst = nullptr;
    Double_Flip* linkFlip = nullptr;

    void viewDidLoad() override;
};

// ---- Menus ------------------------------------------------------------------

/// A one-section table of five rows; choosing one performs the drill's segue.
class DrillMenu : public ui::TableViewController {
public:
    static constexpr double kRowHeight = 75.0;
    static constexpr double kCellFontSize = 30.0;

    const std::vector<std::string> sectionPick;
    const std::string textCellIdentifier = "TextCell";

    const std::vector<std::string>& pickList() const { return pick_; }
    const std::string& segueIdentifier() const { return segue_; }

    int numberOfSections(ui::TableView& table) override;
    int numberOfRows(ui::TableView& table, int section) override;
    std::optional<std::string> titleForHeader(ui::TableView& table, int section) override;
    double heightForRow(ui::TableView& table, ui::IndexPath path) override;
    ui::TableViewCell* cellForRow(ui::TableView& table, ui::IndexPath path) override;
    void didSelectRow(ui::TableView& table, ui::IndexPath path) override;

protected:
    DrillMenu(std::vector<std::string> sections, std::vector<std::string> picks, std::string segue);
    /// The selected row at the time of the segue, if any.
    std::optional<int> selectedRow() const;

private:
    std::vector<std::string> pick_;
    std::string segue_;
};

class Count_Menu_VC : public DrillMenu {
public:
    Count_Menu_VC();
    const std::vector<std::string>& countOnPick() const { return pickList(); }
    const std::string& countsSegueIdentifier() const { return segueIdentifier(); }
    void prepareForSegue(ui::StoryboardSegue& segue, ui::Responder* sender) override;
};

class Double_Menu_VC : public DrillMenu {
public:
    Double_Menu_VC();
    const std::vector<std::string>& doublesPick() const { return pickList(); }
    const std::string& doublesSegueIdentifier() const { return segueIdentifier(); }
    void prepareForSegue(ui::StoryboardSegue& segue, ui::Responder* sender) override;
};

}  // namespace tl::drills
