#include "common/dump.hpp"

#include "base/errors.hpp"

namespace tl {

nlohmann::json tableToJson(const Engine_Table& table) {
    nlohmann::json rows = nlohmann::json::array();
    for (const Engine_Row& row : table) rows.push_back(row);
    return rows;
}

nlohmann::json stepToJson(const Engine_Step& step) {
    nlohmann::json tables = nlohmann::json::array();
    for (const Engine_Table& table : step) tables.push_back(tableToJson(table));
    return tables;
}

nlohmann::json tripleToJson(const StepTriple& triple) {
    nlohmann::json pages = nlohmann::json::array();
    for (const Engine_Step& step : triple.steps) pages.push_back(stepToJson(step));
    nlohmann::json comments = nlohmann::json::array();
    for (const auto& lines : triple.comments) comments.push_back(lines);
    return {{"pages", pages}, {"comments", comments}, {"parameters", triple.parameters}};
}

std::string dumpTable(const Engine_Table& table) { return tableToJson(table).dump(); }

std::string dumpTriple(const StepTriple& triple) { return tripleToJson(triple).dump(2); }

Engine_Table tableFromJson(const nlohmann::json& json) {
    require(json.is_array(), "a table is a list of rows");
    Engine_Table table;
    for (const auto& row : json) {
        require(row.is_array(), "a row is a list of strings");
        Engine_Row r;
        for (const auto& field : row) {
            require(field.is_string(), "a field is a string");
            r.push_back(field.get<std::string>());
        }
        table.push_back(std::move(r));
    }
    return table;
}

}  // namespace tl
