#include "arithmetic/grid_record.hpp"

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

Engine_Table gridMultiplyItem(const std::string& rows, const std::string& columns,
                              const StringList& factors, const StringList& factorColors,
                              const StringList& partials, const StringList& partialColors,
                              const std::string& tag) {
    return {
        {"start", "1"},
        {"plug_in", "grid_multiply", "7"},
        {"grid_multiply", rows, columns},
        keyed("grid_multiply_factors", factors),
        keyed("grid_multiply_factor_colors", factorColors),
        keyed("grid_multiply_partials", partials),
        keyed("grid_multiply_partial_colors", partialColors),
        {"grid_multiply_tag", tag},
    };
}

void updateGridItem(Engine_Table& table, const StringList& factorColors,
                    const StringList& partialColors, const std::string& tag) {
    const auto found = detail::findPlugInRecord(table, "grid_multiply", 6, tag);
    if (!found) return;
    const std::size_t i = *found;
    if (!factorColors.empty())
        at(table, i + 3) = keyed("grid_multiply_factor_colors", factorColors);
    if (!partialColors.empty())
        at(table, i + 5) = keyed("grid_multiply_partial_colors", partialColors);
}

}  // namespace tl
