#include "common/table_text.hpp"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "base/checked.hpp"
#include "base/errors.hpp"
#include "base/text.hpp"
#include "common/deeper.hpp"
#include "common/item_texts.hpp"
#include "common/layout.hpp"
#include "common/records.hpp"

namespace tl {

namespace {

using i64 = std::int64_t;
using Texts = std::vector<std::string>;

// How a reading binds, for the joins whose layout one line of text loses.
enum class Binding { atom, negative, product, power, fraction, sum };

struct Reading {
    std::string text;
    Binding binding = Binding::atom;
};

bool isOneOf(Binding b, std::initializer_list<Binding> set) { return std::find(set.begin(), set.end(), b) != set.end(); }

std::string parenthesised(const Reading& r, bool needed) { return needed ? "(" + r.text + ")" : r.text; }

Reading leaf(std::string text) {
    const bool negative = text.starts_with("-") || text.starts_with("\u2212");
    return {std::move(text), negative ? Binding::negative : Binding::atom};
}

// A cancelled number and the one written in its place.
std::string changed(const std::string& old, const std::string& now) { return "(" + old + "\u2192" + now + ")"; }

constexpr std::string_view kHidden = "_";

// Each character followed by the long stroke overlay: a crossed-out cell.
std::string struck(std::string_view text) {
    std::string out;
    for (const std::string& c : characterStrings(text)) out += c + "\u0336";
    return out;
}

bool isHiddenColour(std::string_view colour) { return colour == "clear" || colour == "invisible"; }

// The cells of a tableau: drawn when the code's first letter is "Y" and the
// cell is no empty place "Z"; crossed out when a three-letter code has "Y"
// in the middle.
std::string codedCell(const std::string& value, const std::string& code) {
    if (!code.starts_with("Y") || value == "Z") return std::string(kHidden);
    return code.size() == 3 && code[1] == 'Y' ? struck(value) : value;
}

// Rows of `columns` cells (one row when 0): blanks between cells, " | "
// between rows.
std::string gridText(const Texts& cells, std::size_t columns) {
    std::string text;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) text += columns > 0 && i % columns == 0 ? " | " : " ";
        text += cells[i];
    }
    return text;
}

std::string joined(const Texts& cells, std::size_t from, std::size_t to, std::string_view separator) {
    std::string text;
    for (std::size_t i = from; i < to; ++i) text += (i > from ? std::string(separator) : "") + at(cells, i);
    return text;
}

std::size_t count(const std::string& field) {
    const i64 n = parseInt(field);
    require(n >= 0, "a negative count in a table");
    return static_cast<std::size_t>(n);
}

class Reader {
public:
    explicit Reader(const Engine_Table& table) : table_(table) {}

    std::string text() const {
        const i64 root = parseInt(field(0, 1));
        require(root > 0 && root < static_cast<i64>(table_.size()), "a table's root row is out of range");
        return node(root).text;
    }

private:
    using Kind = Reading (Reader::*)(i64 row) const;
    using PlugIn = std::string (Reader::*)(i64 row) const;

    const Engine_Table& table_;
    // Near the top of a tree reading recurses; below kRecursionDepth nodes on
    // the way down it reads each node's tree with a list of its own, ahead of
    // the node, so that the stack it takes does not grow with the depth of the
    // tree (a long sum is a chain of joins as long).
    mutable int depth_ = 0;
    // The readings of nodes read ahead of their parents, by row, until a
    // parent takes them (none until reading goes deep).
    mutable std::vector<std::optional<Reading>> read_;

    // Appends the rows of the children that reading the node at `row` reads,
    // in the order node() reads them. Where the table is broken on the way
    // there are none: node() then reads them itself and fails where it would.
    void addChildren(i64 row, std::vector<i64>& rows) const {
        const std::size_t before = rows.size();
        const auto add = [&](i64 r, std::size_t f) {
            const std::optional<i64> c = tryParseInt(at(at(table_, r), f));
            if (!c || *c <= 0 || *c >= row) throw PreconditionError("a broken child");
            rows.push_back(*c);
        };
        try {
            const std::string_view kind = at(at(table_, row), 0);
            if (kind == "font" || kind == "unary") add(row + 1, 1);
            if (kind == "block") add(row, 1);
            if (kind == "join" && joinLayout(at(at(table_, row), 1)) != JoinLayout::none)
                for (std::size_t f : {1, 2})
                    if (at(at(table_, row + 1), f) != blankOperand) add(row + 1, f);
        } catch (const PreconditionError&) {
            rows.resize(before);
        }
    }

    // Reads every node below `root` ahead of its parent, with a list of its
    // own instead of the stack, so that reading a node finds its children read
    // and goes no deeper. The nodes are read in the order recursing reads them.
    void readBelow(i64 root) const {
        read_.resize(table_.size());
        std::vector<std::pair<i64, bool>> pending;  // a node, and whether its children are read
        std::vector<i64> rows;
        const auto pushChildren = [&](i64 row) {
            rows.clear();
            addChildren(row, rows);
            for (auto c = rows.rbegin(); c != rows.rend(); ++c) pending.emplace_back(*c, false);
        };
        pushChildren(root);
        while (!pending.empty()) {
            auto& [row, opened] = pending.back();
            if (!opened) {
                opened = true;
                pushChildren(row);  // `row` dangles from here on
                continue;
            }
            const i64 r = row;
            pending.pop_back();
            at(read_, r) = node(r);
        }
    }

    std::string field(i64 row, std::size_t f) const { return std::string(at(at(table_, row), f)); }
    // A row's values after its key.
    Texts values(i64 row) const {
        const Engine_Row& r = at(table_, row);
        return {r.begin() + 1, r.end()};
    }
    // values[i] where colours[offset + i] is no hidden colour, "_" elsewhere.
    Texts colouredCells(i64 valuesRow, i64 coloursRow, std::size_t offset = 0) const {
        Texts cells = values(valuesRow);
        const Texts colours = values(coloursRow);
        for (std::size_t i = 0; i < cells.size(); ++i)
            if (isHiddenColour(at(colours, offset + i))) cells[i] = std::string(kHidden);
        return cells;
    }

    // Whether every colour of a row (a leaf's colours, a join's or a unary's
    // colour) draws nothing.
    bool hidden(i64 coloursRow) const {
        const Texts colours = values(coloursRow);
        return !colours.empty() && std::all_of(colours.begin(), colours.end(), isHiddenColour);
    }

    Reading node(i64 row) const {
        // Leaves keep their colours in the row after them; a leaf drawn in
        // none but hidden colours reads as nothing.
        static constexpr struct {
            std::string_view name;
            Kind read;
            bool leaf;
        } kinds[] = {
            {"message", &Reader::plain, true},
            {"integer", &Reader::plain, true},
            {"whole", &Reader::plain, true},
            {"BLANK", &Reader::blank, false},
            {"signed_rational", &Reader::signedRational, true},
            {"rational", &Reader::fraction, true},
            {"fraction", &Reader::fraction, true},
            {"mixed_number", &Reader::mixedNumber, true},
            {"extended_fraction", &Reader::extendedFraction, true},
            {"fraction_cancel_numerator_and_denominator", &Reader::cancelBoth, true},
            {"fraction_cancel_numerator", &Reader::cancelNumerator, true},
            {"fraction_cancel_denominator", &Reader::cancelDenominator, true},
            {"font", &Reader::font, false},
            {"block", &Reader::block, false},
            {"unary", &Reader::unary, false},
            {"join", &Reader::join, false},
            {"box_grid", &Reader::boxGrid, false},
            {"box_table", &Reader::boxTable, false},
            {"plug_in", &Reader::plugIn, false},
        };
        const std::string& kind = field(row, 0);
        for (const auto& k : kinds)
            if (kind == k.name) return k.leaf && hidden(row + 1) ? Reading{} : (this->*k.read)(row);
        return {};
    }

    // The child whose row stands in a field. Children stand above their
    // parents, which also guarantees that reading ends.
    Reading child(i64 parent, i64 row, std::size_t f) const {
        const i64 c = parseInt(field(row, f));
        require(c > 0 && c < parent, "a table's child row does not stand above its parent");
        if (const auto slot = static_cast<std::size_t>(c); slot < read_.size() && read_[slot]) {
            Reading ahead = std::move(*read_[slot]);
            read_[slot].reset();
            return ahead;
        }
        if (depth_ >= kRecursionDepth) readBelow(c);
        const Deeper deeper(depth_);
        return node(c);
    }

    Reading plain(i64 r) const { return leaf(field(r, 1)); }
    Reading blank(i64) const { return {}; }
    Reading signedRational(i64 r) const {
        return {std::string(field(r, 1) == "-" ? "-" : "") + field(r, 2) + "/" + field(r, 3), Binding::fraction};
    }
    Reading fraction(i64 r) const { return {field(r, 1) + "/" + field(r, 2), Binding::fraction}; }
    Reading mixedNumber(i64 r) const {
        return {field(r, 1) + " " + field(r, 2) + "/" + field(r, 3), Binding::fraction};
    }
    Reading extendedFraction(i64 r) const {
        const std::string op = std::string(" ") + field(r, 1) + " ";
        return {std::string("(") + field(r, 2) + op + field(r, 4) + ")/(" + field(r, 3) + op + field(r, 5) + ")",
                Binding::fraction};
    }
    Reading cancelBoth(i64 r) const {
        return {changed(field(r, 1), field(r, 3)) + "/" + changed(field(r, 2), field(r, 4)), Binding::fraction};
    }
    Reading cancelNumerator(i64 r) const {
        return {changed(field(r, 1), field(r, 3)) + "/" + field(r, 2), Binding::fraction};
    }
    Reading cancelDenominator(i64 r) const {
        return {field(r, 1) + "/" + changed(field(r, 2), field(r, 3)), Binding::fraction};
    }

    Reading font(i64 r) const { return child(r, r + 1, 1); }
    Reading block(i64 r) const { return child(r, r, 1); }

    Reading unary(i64 r) const {
        const std::string& text = field(r, 1);
        Reading c = child(r, r + 1, 1);
        // The sign, brackets or prefix in a hidden colour are not seen.
        if (hidden(r + 2)) return c;
        switch (unaryGroup(text)) {
            case UnaryGroup::root: {
                const std::string index = text == rootSign ? "" : superscriptDigit(text.substr(rootSign.size()));
                return {index + std::string(rootSign) + parenthesised(c, c.binding != Binding::atom)};
            }
            case UnaryGroup::brackets:
                return {text.substr(0, 1) + c.text + text.substr(text.size() - 1)};
            case UnaryGroup::prefix:
                if (text.empty()) return c;
                return {text + c.text, text == "-" || text == "\u2212" ? Binding::negative : Binding::sum};
        }
        return c;
    }

    Reading operand(i64 r, std::size_t f) const {
        if (field(r + 1, f) == blankOperand) return {};
        return child(r, r + 1, f);
    }

    Reading join(i64 r) const {
        const std::string& text = field(r, 1);
        const JoinLayout layout = joinLayout(text);
        if (layout == JoinLayout::none) return {};
        Reading left = operand(r, 1), right = operand(r, 2);  // not const: moved from
        switch (layout) {
            case JoinLayout::juxtaposition: {
                if (left.text.empty()) return right;
                if (right.text.empty()) return left;
                // A fraction is parenthesised only where it touches its
                // neighbour: "(1/3)x", but "x = -1/5" as the page sets it.
                const bool touching = !left.text.ends_with(' ') && !right.text.starts_with(' ');
                return {parenthesised(left, touching && left.binding == Binding::fraction) +
                            parenthesised(right, touching && right.binding == Binding::fraction),
                        Binding::product};
            }
            case JoinLayout::op: {
                // An operator in a hidden colour leaves its room blank.
                const std::string shown = hidden(r + 2) ? "" : text;
                std::string s = std::move(left.text);
                const auto append = [&s](const std::string& part) {
                    if (part.empty()) return;
                    if (!s.empty()) s += ' ';
                    s += part;
                };
                append(shown);
                append(right.text);
                if (s.empty()) return {};
                return {std::move(s), Binding::sum};
            }
            case JoinLayout::power:
                return {parenthesised(left, left.binding != Binding::atom) + "^" +
                            parenthesised(right, right.binding != Binding::atom),
                        Binding::power};
            case JoinLayout::fraction:
                return {parenthesised(left, isOneOf(left.binding, {Binding::sum, Binding::fraction})) + "/" +
                            parenthesised(right,
                                          isOneOf(right.binding, {Binding::sum, Binding::product, Binding::fraction})),
                        Binding::fraction};
            case JoinLayout::none: break;
        }
        return {};
    }

    Reading boxGrid(i64 r) const { return {gridText(colouredCells(r + 1, r + 2), 3)}; }
    Reading boxTable(i64 r) const { return {gridText(colouredCells(r + 1, r + 2), count(field(r, 3)))}; }

    Reading plugIn(i64 r) const {
        static constexpr std::pair<std::string_view, PlugIn> plugIns[] = {
            {"add_column", &Reader::addColumn},     {"tableau_op", &Reader::tableauOp},
            {"count_op", &Reader::countOp},         {"divide_partial_op", &Reader::dividePartialOp},
            {"divide_op", &Reader::divideOp},       {"lattice_multiply", &Reader::lattice},
            {"grid_multiply", &Reader::gridMultiply}, {"prime_tree", &Reader::primeTree},
        };
        const std::string& kind = field(r, 1);
        for (const auto& [name, read] : plugIns)
            if (kind == name) return {(this->*read)(r)};
        return {};
    }

    // The tableaux with their cell codes: the header's operator, then the grid.
    Texts codedCells(i64 r) const {
        Texts cells = values(r + 2);
        const Texts codes = values(r + 3);
        for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = codedCell(cells[i], at(codes, i));
        return cells;
    }
    std::string addColumn(i64 r) const { return field(r + 1, 1) + ": " + gridText(codedCells(r), count(field(r + 1, 4))); }
    std::string tableauOp(i64 r) const {
        return field(r + 1, 1) + ": " + gridText(codedCells(r), count(field(r + 4, 2)));
    }
    // Counting as the chain reads down the page, after the sign drawn beside
    // its counts ("−" down, "+" up; not the header, which is "−" both ways):
    // where it starts, then each count and the number it reaches (which the
    // next step starts from, drawn in the same place); on the pages that add
    // the counts, the second strip as a sum of its own: "; +: 300 | 70 | 7 | 377".
    std::string countOp(i64 r) const {
        const Texts tableau = values(r + 2), counts = values(r + 3), globals = values(r + 4),
                    locals = values(r + 5);
        const std::size_t steps = count(at(locals, 1));
        Texts chain;
        for (std::size_t i = 0; i < steps; ++i) {
            if (i == 0) chain.push_back(at(tableau, 0));
            chain.push_back(at(tableau, 3 * i + 1));
            chain.push_back(at(tableau, 3 * i + 2));
        }
        std::string text = countOpSign(at(globals, 0)) + ": " + joined(chain, 0, chain.size(), " | ");
        const std::string& kind = at(locals, 0);
        if (kind == "COUNT" || kind == "SUMMARY") {
            Texts strip = counts;
            strip.push_back(at(globals, 3));
            text += "; +: " + joined(strip, 0, strip.size(), " | ");
        }
        return text;
    }
    // Partial quotients row by row as the page sets them: the quotient line
    // ("_" until it shows), divisor ")" dividend, then for each grab the
    // amount with its multiple and what is left, the sum of the multiples
    // beside the last left. A left the page does not show yet reads "_".
    std::string dividePartialOp(i64 r) const {
        const Texts tableau = values(r + 2), partials = values(r + 3), globals = values(r + 4),
                    locals = values(r + 5);
        const std::string &dividend = at(globals, 0), &divisor = at(globals, 1), &quotient = at(globals, 2),
                          &remainder = at(globals, 3), &type = at(locals, 0);
        const std::size_t grabs = count(at(locals, 1));
        const bool answered = type == "SOLUTION" || type == "SUMMARY";
        Texts rows{answered ? quotient + (remainder == "0" ? "" : " R " + remainder) : std::string(kHidden),
                   divisor + ")" + dividend};
        for (std::size_t i = 0; i < grabs; ++i) {
            const bool last = i + 1 == grabs;
            rows.push_back(at(tableau, 2 * i + 1) + " " + at(partials, i));
            std::string left = type == "CHOICE" && last ? std::string(kHidden) : at(tableau, 2 * i + 2);
            if (last && (type == "ADD" || answered)) left += " " + quotient;
            rows.push_back(std::move(left));
        }
        return field(r + 1, 1) + ": " + joined(rows, 0, rows.size(), " | ");
    }
    // The rows of the long division as laid out, cell by cell ("B", an empty
    // place, reads "_"), the divisor's columns parted from the dividend's by
    // the bracket: ")" on the dividend's row, a blank on the others. The
    // remainder follows the quotient once the page shows it.
    std::string divideOp(i64 r) const {
        const Texts tableau = values(r + 2), globals = values(r + 5), locals = values(r + 6);
        const std::size_t divisorColumns = characterStrings(at(globals, 1)).size();
        Texts rows;
        for (std::size_t i = 0; i < tableau.size(); ++i) {
            std::string row;
            const Texts cells = characterStrings(tableau[i]);
            for (std::size_t j = 0; j < cells.size(); ++j) {
                row += cells[j] == "B" ? std::string(kHidden) : cells[j];
                if (j + 1 == divisorColumns && j + 1 < cells.size()) row += i == 1 ? ")" : " ";
            }
            rows.push_back(std::move(row));
        }
        const std::string& remainder = at(globals, 3);
        const std::string& kind = at(locals, 0);
        if (!rows.empty() && remainder != "0" && (kind == "SOLUTION" || kind == "SUMMARY"))
            rows.front() += " R " + remainder;
        return field(r + 1, 1) + ": " + joined(rows, 0, rows.size(), " | ");
    }
    std::string lattice(i64 r) const {
        const std::size_t rows = count(field(r + 1, 1)), columns = count(field(r + 1, 2));
        const std::size_t cellCount = static_cast<std::size_t>(checked::mul(static_cast<i64>(rows), static_cast<i64>(columns)));
        const Texts factors = colouredCells(r + 2, r + 3), products = colouredCells(r + 4, r + 5);
        const Texts tens = colouredCells(r + 6, r + 7), ones = colouredCells(r + 6, r + 7, cellCount);
        Texts cells;
        for (std::size_t k = 0; k < cellCount; ++k) cells.push_back(at(tens, k) + at(ones, cellCount + k));
        return joined(factors, 0, columns, "") + " \u00D7 " + joined(factors, columns, columns + rows, "") + ": " +
               gridText(cells, columns) + " = " + joined(products, 0, products.size(), "");
    }
    std::string gridMultiply(i64 r) const {
        const std::size_t rows = count(field(r + 1, 1)), columns = count(field(r + 1, 2));
        const Texts parts = colouredCells(r + 2, r + 3);
        return joined(parts, 0, columns, " ") + " \u00D7 " + joined(parts, columns, columns + rows, " ") + ": " +
               gridText(colouredCells(r + 4, r + 5), columns);
    }
    std::string primeTree(i64 r) const { return gridText(colouredCells(r + 1, r + 2), 2); }
};

}  // namespace

std::string tableText(const Engine_Table& table) { return Reader(table).text(); }

}  // namespace tl
