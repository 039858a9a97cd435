#include "arithmetic/lattice_record.hpp"

#include "arithmetic/record_walk.hpp"
#include "base/errors.hpp"

namespace tl {

namespace {

Engine_Row keyed(const std::string& key, const StringList& values) {
    Engine_Row row{key};
    row.insert(row.end(), values.begin(), values.end());
    return row;
}

}  // namespace

Engine_Table latticeMultiplyItem(const std::string& rows, const std::string& columns,
                                 const StringList& factors, const StringList& factorColors,
                                 const StringList& products, const StringList& productColors,
                                 const StringList& partials, const StringList& partialColors,
                                 const std::string& tag) {
    return {
        {"start", "1"},
        {"plug_in", "lattice_multiply", "9"},
        {"lattice_multiply", rows, columns},
        keyed("lattice_multiply_factors", factors),
        keyed("lattice_multiply_factor_colors", factorColors),
        keyed("lattice_multiply_products", products),
        keyed("lattice_multiply_product_colors", productColors),
        keyed("lattice_multiply_partials", partials),
        keyed("lattice_multiply_partial_colors", partialColors),
        {"lattice_multiply_tag", tag},
    };
}

void updateLatticeItem(Engine_Table& table, const StringList& partials,
                       const StringList& factorColors, const StringList& productColors,
                       const StringList& partialColors, const std::string& tag) {
    const auto found = detail::findPlugInRecord(table, "lattice_multiply", 8, tag);
    if (!found) return;
    const std::size_t i = *found;
    if (!partials.empty()) at(table, i + 6) = keyed("lattice_multiply_partials", partials);
    if (!factorColors.empty())
        at(table, i + 3) = keyed("lattice_multiply_factor_colors", factorColors);
    if (!productColors.empty())
        at(table, i + 5) = keyed("lattice_multiply_product_colors", productColors);
    if (!partialColors.empty())
        at(table, i + 7) = keyed("lattice_multiply_partial_colors", partialColors);
}

}  // namespace tl
