// Readable JSON dumps of tables and step results, for tests and tools.
//
// A table is a list of rows (lists of strings); a triple is
// {"pages": [[table, ...], ...], "comments": [[line, ...], ...], "parameters": [...]}.
#pragma once

#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "common/tableau.hpp"

namespace tl {

nlohmann::json tableToJson(const Engine_Table& table);
nlohmann::json stepToJson(const Engine_Step& step);
nlohmann::json tripleToJson(const StepTriple& triple);

/// Compact JSON on one line ("[["start","1"],...]").
std::string dumpTable(const Engine_Table& table);
/// Indented JSON, two blanks per level.
std::string dumpTriple(const StepTriple& triple);
/// The same text written page by page, never held whole: pages share the
/// tables they repeat, their JSON does not.
void writeTriple(std::ostream& out, const StepTriple& triple);

/// The inverse of tableToJson (throws PreconditionError on another shape).
Engine_Table tableFromJson(const nlohmann::json& json);

}  // namespace tl
