// Partition of a number into its place values: 3052 partitions into
// 3000+50+2. The number stays text throughout (digits only); it is never parsed.
#include <string>
#include <vector>

#include "arithmetic/arithmetic_model.hpp"
#include "arithmetic/frame.hpp"
#include "base/errors.hpp"
#include "common/items.hpp"
#include "common/records.hpp"

namespace tl {

namespace {

/// The non-zero digits with their place values, highest first, joined by
/// "+"; the text itself when it has fewer than two such parts.
std::string placeValueParts(const std::string& text) {
    const StringList characters = characterStrings(text);
    std::vector<std::string> parts;  // lowest place first
    std::string zeros;
    for (auto c = characters.rbegin(); c != characters.rend(); ++c) {
        if (*c != "0") parts.push_back(*c + zeros);
        zeros += "0";
    }
    if (parts.size() < 2) return text;
    std::string joined;
    for (auto p = parts.rbegin(); p != parts.rend(); ++p)
        joined += (joined.empty() ? "" : "+") + *p;
    return joined;
}

}  // namespace

StepTriple Partition_Model::solve() const {
    const std::string& number = at(at(at(inputs, 0), 0), 0);
    require(frame::isDigitString(number), "partition operand is not a digit string: \"" + number + "\"");
    const std::string parts = placeValueParts(number);

    Engine_Step partition;
    if (parts == number) {
        partition.push_back(messageTable(number + " adores being itself"));
    } else {
        partition.push_back(messageTable(number + " partitions into :"));
        const Engine_Step blanks = blankTable(2);
        partition.insert(partition.end(), blanks.begin(), blanks.end());
        partition.push_back(messageTable(parts));
    }

    frame::Solution solution(messageTable(number));
    solution.page("partition", partition);
    return std::move(solution).close(partition);
}

}  // namespace tl
