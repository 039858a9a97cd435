// The display table of an equation with parenthesised groups: each side's
// top-level group drawn term by term, a group term as its multiplier beside
// its group in parentheses (recursively), the sides joined by the relation.
#pragma once

#include <cstdint>
#include <vector>

#include "algebra/algebra_enums.hpp"
#include "algebra/tables.hpp"
#include "algebra/values.hpp"
#include "common/tableau.hpp"

namespace tl {

/// The table of group `k` of a side's `groups`. In the styles
/// rational_fraction and decimal a leading multiplier 1 shows its group
/// without parentheses, and a multiplier's denominator goes under the whole
/// product. Every monomial is drawn as monomialTable draws it.
Engine_Table extTermsTable(std::uint64_t k, Style style, const std::vector<std::vector<Term>>& groups);

/// Both top-level groups joined by the relation symbol in the relation
/// colour; the message "unexpected error" when a side has no group.
Engine_Table extEquationTable(Style style, const Ext_polyEquation& e);

}  // namespace tl
