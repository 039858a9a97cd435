#include "arithmetic/lattice_record.hpp"

#include "arithmetic/record_walk.hpp"
#include "base/errors.hpp"
#include "common/records.hpp"

namespace tl {

Engine_Table latticeMultiplyItem(const std::string& rows, const std::string& columns,
                                 const StringList& factors, const StringList& factorColors,
                                 const StringList& products, const StringList& productColors,
                                 const StringList& partials, const StringList& partialColors,
                                 const std::string& tag) {
    return plugInRecord("lattice_multiply", {rows, columns},
                        {listRow("lattice_multiply_factors", factors),
                         listRow("lattice_multiply_factor_colors", factorColors),
                         listRow("lattice_multiply_products", products),
                         listRow("lattice_multiply_product_colors", productColors),
                         listRow("lattice_multiply_partials", partials),
                         listRow("lattice_multiply_partial_colors", partialColors)},
                        tag);
}

void updateLatticeItem(Engine_Table& table, const StringList& partials,
                       const StringList& factorColors, const StringList& productColors,
                       const StringList& partialColors, const std::string& tag) {
    const auto found = detail::findPlugInRecord(table, "lattice_multiply", 8, tag);
    if (!found) return;
    const std::size_t i = *found;
    if (!partials.empty()) table.replace(i + 6, listRow("lattice_multiply_partials", partials));
    if (!factorColors.empty())
        table.replace(i + 3, listRow("lattice_multiply_factor_colors", factorColors));
    if (!productColors.empty())
        table.replace(i + 5, listRow("lattice_multiply_product_colors", productColors));
    if (!partialColors.empty())
        table.replace(i + 7, listRow("lattice_multiply_partial_colors", partialColors));
}

}  // namespace tl
