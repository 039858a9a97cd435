#include "arithmetic/fill_order.hpp"

#include "base/errors.hpp"

namespace tl::detail {

FillOptions readFillOptions(const ModelFields& model) {
    const auto& first = at(model.options, 0);
    const auto& second = at(model.options, 1);
    return {at(first, 0), at(first, 1), at(second, 0), at(second, 1)};
}

std::vector<std::pair<std::size_t, std::size_t>> fillOrder(std::size_t rows, std::size_t columns,
                                                           const FillOptions& o) {
    std::vector<std::pair<std::size_t, std::size_t>> cells;
    cells.reserve(rows * columns);
    if (o.byRow()) {
        bool fromLeft = o.left();
        for (std::size_t p = 0; p < rows; ++p) {
            const std::size_t row = o.top() ? p : rows - 1 - p;
            const bool lineFromLeft = o.flyback() ? o.left() : fromLeft;
            for (std::size_t q = 0; q < columns; ++q)
                cells.emplace_back(row, lineFromLeft ? q : columns - 1 - q);
            if (o.snake()) fromLeft = !fromLeft;
        }
    } else {
        bool fromTop = o.top();
        for (std::size_t p = 0; p < columns; ++p) {
            const std::size_t column = o.left() ? p : columns - 1 - p;
            const bool lineFromTop = o.flyback() ? o.top() : fromTop;
            for (std::size_t q = 0; q < rows; ++q)
                cells.emplace_back(lineFromTop ? q : rows - 1 - q, column);
            if (o.snake()) fromTop = !fromTop;
        }
    }
    return cells;
}

std::string fillFromLine(std::size_t rows, std::size_t columns, const FillOptions& o) {
    if (columns == 1) return "fill from" + o.vertical;
    if (rows == 1) return "fill from" + o.horizontal;
    // " top " and " left " make "fill from top left ".
    return "fill from" + o.vertical + (o.horizontal.empty() ? "" : o.horizontal.substr(1));
}

std::string fillByLine(std::size_t rows, std::size_t columns, const FillOptions& o) {
    if (columns == 1 || rows == 1) return "a simple fill";
    return "fill by" + o.order;
}

std::string nextLineLine(const FillOptions& o) {
    return (o.flyback() ? "\U0001F985 back to next" : "\U0001F40D to next") + o.order;
}

}  // namespace tl::detail
