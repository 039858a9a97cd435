// Plug-in nodes: strategy tableaux handed to their renderers (the record's
// flat rows reshaped into the lists, grids and cells the renderers take),
// and the prime factor tree, which is laid out here.
#include <algorithm>

#include "base/checked.hpp"
#include "base/errors.hpp"
#include "base/text.hpp"
#include "engine/plugins/renderers.hpp"
#include "engine/typesetter_frame.hpp"

namespace tl::typeset {

namespace {

using i64 = std::int64_t;

/// The record's header (its operator or label): field 1 of the row after the plug-in row.
std::string recordHeader(const Frame& f) { return std::string(f.field(1, 1)); }

/// A record row without its key.
StringList asList(const Engine_Row& row) {
    require(!row.empty(), "plug-in record row without a key");
    return StringList(row.begin() + 1, row.end());
}

/// `rows` lists of `columns` texts, filled row by row from field 1 on.
StringGrid asGrid(const Engine_Row& row, i64 rows, i64 columns) {
    require(rows >= 0 && columns >= 0, "plug-in grid with a negative row or column count");
    // Check the size before reserving, so a record claiming a huge grid is
    // refused instead of exhausting memory or looping over empty rows.
    require(checked::mul(rows, columns) < static_cast<i64>(row.size()) && (columns > 0 || rows <= 1),
            "plug-in grid larger than its record row");
    StringGrid grid;
    grid.reserve(static_cast<std::size_t>(rows));
    for (i64 i = 0; i < rows; ++i) {
        const auto first = row.begin() + checked::add(checked::mul(i, columns), 1);
        grid.emplace_back(first, first + columns);
    }
    return grid;
}

/// The cell of field j of a values row whose colour row holds the V
/// foregrounds first and then the V backgrounds.
StyledCell cellAt(const Engine_Row& values, const Engine_Row& colours, i64 j, i64 v) {
    return {std::string(at(values, j)), std::string(at(colours, j)), std::string(at(colours, checked::add(v, j)))};
}

CellList cellRange(const Engine_Row& values, const Engine_Row& colours, i64 first, i64 last, i64 v) {
    CellList cells;
    for (i64 j = first; j <= last; ++j) cells.push_back(cellAt(values, colours, j, v));
    return cells;
}

/// R rows of C cells; cell (i, j) takes field k = i·C + j + 1 shifted by the
/// given offsets in the values row and in the colour row.
CellGrid cellGrid(const Engine_Row& values, const Engine_Row& colours, i64 rows, i64 columns, i64 valueOffset,
                  i64 foregroundOffset, i64 backgroundOffset) {
    CellGrid grid;
    for (i64 i = 0; i < rows; ++i) {
        CellList line;
        for (i64 j = 0; j < columns; ++j) {
            i64 k = checked::add(checked::add(checked::mul(i, columns), j), 1);
            line.push_back({std::string(at(values, checked::add(valueOffset, k))),
                            std::string(at(colours, checked::add(foregroundOffset, k))),
                            std::string(at(colours, checked::add(backgroundOffset, k)))});
        }
        grid.push_back(std::move(line));
    }
    return grid;
}

struct LatticeSize {
    i64 rows, columns, s, p;
};

LatticeSize latticeSize(const Frame& f) {
    i64 rows = f.intField(1, 1);
    i64 columns = f.intField(1, 2);
    return {rows, columns, checked::add(rows, columns), checked::mul(rows, columns)};
}

// Prime tree: level k holds the pair of fields 2k + 1 and 2k + 2; each level
// is a line lower and half a cell further right than the one above.
struct PrimeTreeLayout {
    double cell, lineHeight, ascender, gap, shift;
};

PrimeTreeLayout primeTreeLayout(const Frame& f) {
    PrimeTreeLayout l{};
    l.cell = textWidth(f.field(1, 2), f.wholeAttributes);
    l.lineHeight = f.metric.wholeLineHeight;
    l.ascender = f.metric.wholeAscender;
    l.gap = 0.25 * l.lineHeight;
    l.shift = (l.cell + l.gap) / 2;
    return l;
}

NodeBox measurePrimeTree(const Frame& f) {
    PrimeTreeLayout l = primeTreeLayout(f);
    double n = static_cast<double>((static_cast<i64>(f.row(1).size()) - 1) / 2);
    return {l.cell * (0.5 * n + 1.5) + l.gap * (0.5 * n + 0.5), n * (l.lineHeight + l.gap), l.ascender};
}

void drawPrimeTree(const Frame& f, double x, double y) {
    PrimeTreeLayout l = primeTreeLayout(f);
    const Engine_Row& pairs = f.row(1);
    const Engine_Row& colours = f.row(2);
    i64 values = static_cast<i64>(pairs.size()) - 1;
    double cx = x;
    double cy = y - l.ascender;
    for (i64 k = 0; 2 * k < values; ++k) {
        std::string_view left = at(pairs, 2 * k + 1);
        gfx::Rgba leftColour = colourNamed(at(colours, 2 * k + 1));
        drawTextAt(left, cx + (l.cell - textWidth(left, f.wholeAttributes)) / 2, cy, f.wholeAttributes, leftColour);
        std::string_view right = at(pairs, 2 * k + 2);
        gfx::Rgba rightColour = colourNamed(at(colours, 2 * k + 2));
        drawTextAt(right, cx + l.cell + l.gap + (l.cell - textWidth(right, f.wholeAttributes)) / 2, cy,
                   f.wholeAttributes, rightColour);
        cx += l.shift;
        cy += l.lineHeight + l.gap;
    }
    if (!canStroke()) return;
    double bx = x + l.cell + l.gap + l.cell / 2;
    double by = y - l.ascender + l.lineHeight;
    double width = 0.67 * f.metric.halfBarSpace;
    for (i64 k = 0; 2 * k < values - 2; ++k) {
        strokeSegment(gfx::palette::black, bx, by, bx + l.shift, by + l.gap, width);
        strokeSegment(gfx::palette::black, bx, by, bx - l.shift, by + l.gap, width);
        bx += l.shift;
        by += l.lineHeight + l.gap;
    }
}

}  // namespace

NodeBox measurePlugInNode(const Frame& f) {
    const std::string_view kind = f.field(0, 1);
    if (kind == "lattice_multiply") {
        LatticeSize s = latticeSize(f);
        return measureLatticeMultiply(f.size, s.rows, s.columns);
    }
    if (kind == "grid_multiply") {
        LatticeSize s = latticeSize(f);
        const Engine_Row& factors = f.row(2);
        return measureGridMultiply(f.size, s.rows, s.columns, characterStringCount(at(factors, 1)),
                                   characterStringCount(at(factors, checked::add(s.columns, 1))));
    }
    if (kind == "tableau_op")
        return measureTableauOp(f.size, recordHeader(f), asList(f.row(4)), asList(f.row(5)));
    if (kind == "divide_partial_op")
        return measureDividePartialOp(f.size, recordHeader(f), asList(f.row(4)), asList(f.row(5)));
    if (kind == "divide_op") return measureDivideOp(f.size, recordHeader(f), asList(f.row(5)), asList(f.row(6)));
    if (kind == "add_column")
        return measureAddColumn(f.size, recordHeader(f), f.intField(1, 2), f.intField(1, 3), f.intField(1, 4));
    if (kind == "count_op") return measureCountOp(f.size, recordHeader(f), asList(f.row(4)), asList(f.row(5)));
    if (kind == "prime_tree") return measurePrimeTree(f);
    return {};
}

void drawPlugInNode(const Frame& f, double x, double y) {
    const std::string_view kind = f.field(0, 1);
    if (kind == "lattice_multiply") {
        LatticeSize s = latticeSize(f);
        require(s.rows >= 1 && s.columns >= 1, "lattice without rows or columns");
        const Engine_Row& factors = f.row(2);
        const Engine_Row& factorColours = f.row(3);
        const Engine_Row& products = f.row(4);
        const Engine_Row& productColours = f.row(5);
        const Engine_Row& partials = f.row(6);
        const Engine_Row& partialColours = f.row(7);
        CellList firstFactor = cellRange(factors, factorColours, 1, s.columns, s.s);
        CellList secondFactor = cellRange(factors, factorColours, s.columns + 1, s.s, s.s);
        CellList firstProduct = cellRange(products, productColours, 1, s.rows, s.s);
        CellList secondProduct = cellRange(products, productColours, s.rows + 1, s.s, s.s);
        CellGrid firstPartial = cellGrid(partials, partialColours, s.rows, s.columns, 0, 0, s.p);
        CellGrid secondPartial =
            cellGrid(partials, partialColours, s.rows, s.columns, s.p, checked::mul(2, s.p), checked::mul(3, s.p));
        drawLatticeMultiply(x, y, f.size, firstFactor, secondFactor, firstProduct, secondProduct, firstPartial,
                            secondPartial);
        return;
    }
    if (kind == "grid_multiply") {
        LatticeSize s = latticeSize(f);
        require(s.rows >= 1 && s.columns >= 1, "grid without rows or columns");
        const Engine_Row& factors = f.row(2);
        const Engine_Row& factorColours = f.row(3);
        CellList firstFactor = cellRange(factors, factorColours, 1, s.columns, s.s);
        CellList secondFactor = cellRange(factors, factorColours, s.columns + 1, s.s, s.s);
        CellGrid partials = cellGrid(f.row(4), f.row(5), s.rows, s.columns, 0, 0, s.p);
        drawGridMultiply(x, y, f.size, firstFactor, secondFactor, partials);
        return;
    }
    if (kind == "tableau_op") {
        StringList globals = asList(f.row(4));
        StringList locals = asList(f.row(5));
        i64 rows = f.intField(5, 1);
        i64 columns = f.intField(4, 2);
        StringGrid tableau = asGrid(f.row(2), rows, columns);
        StringGrid attributes = asGrid(f.row(3), rows, columns);
        drawTableauOp(x, y, f.size, recordHeader(f), tableau, attributes, globals, locals);
        return;
    }
    if (kind == "divide_partial_op") {
        drawDividePartialOp(x, y, f.size, recordHeader(f), asList(f.row(2)), asList(f.row(3)), asList(f.row(4)),
                            asList(f.row(5)));
        return;
    }
    if (kind == "divide_op") {
        drawDivideOp(x, y, f.size, recordHeader(f), asList(f.row(2)), asList(f.row(3)), asList(f.row(4)),
                     asList(f.row(5)), asList(f.row(6)));
        return;
    }
    if (kind == "add_column") {
        i64 option = f.intField(1, 2);
        i64 rows = f.intField(1, 3);
        i64 columns = f.intField(1, 4);
        StringGrid tableau = asGrid(f.row(2), rows, columns);
        StringGrid attributes = asGrid(f.row(3), rows, columns);
        drawAddColumn(x, y, f.size, recordHeader(f), option, rows, columns, tableau, attributes);
        return;
    }
    if (kind == "count_op") {
        drawCountOp(x, y, f.size, recordHeader(f), asList(f.row(2)), asList(f.row(3)), asList(f.row(4)),
                    asList(f.row(5)));
        return;
    }
    if (kind == "prime_tree") drawPrimeTree(f, x, y);
}

}  // namespace tl::typeset
