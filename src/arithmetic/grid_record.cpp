#include "arithmetic/grid_record.hpp"

#include "arithmetic/record_walk.hpp"
#include "base/errors.hpp"
#include "common/records.hpp"

namespace tl {

Engine_Table gridMultiplyItem(const std::string& rows, const std::string& columns,
                              const StringList& factors, const StringList& factorColors,
                              const StringList& partials, const StringList& partialColors,
                              const std::string& tag) {
    return plugInRecord("grid_multiply", {rows, columns},
                        {listRow("grid_multiply_factors", factors),
                         listRow("grid_multiply_factor_colors", factorColors),
                         listRow("grid_multiply_partials", partials),
                         listRow("grid_multiply_partial_colors", partialColors)},
                        tag);
}

void updateGridItem(Engine_Table& table, const StringList& factorColors,
                    const StringList& partialColors, const std::string& tag) {
    const auto found = detail::findPlugInRecord(table, "grid_multiply", 6, tag);
    if (!found) return;
    const std::size_t i = *found;
    if (!factorColors.empty())
        table.replace(i + 3, listRow("grid_multiply_factor_colors", factorColors));
    if (!partialColors.empty())
        table.replace(i + 5, listRow("grid_multiply_partial_colors", partialColors));
}

}  // namespace tl
