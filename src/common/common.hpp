// Everything of the page format and the shared vocabulary in one include.
#pragma once

#include "common/box_items.hpp"
#include "common/drawing.hpp"
#include "common/enums.hpp"
#include "common/integers.hpp"
#include "common/items.hpp"
#include "common/layout.hpp"
#include "common/number_items.hpp"
#include "common/primes.hpp"
#include "common/records.hpp"
#include "common/recolor.hpp"
#include "common/tableau.hpp"
