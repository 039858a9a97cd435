// The error model of the whole system.
//
// A broken precondition (a text that is no number, an index out of range, a
// colour name that is no colour, a malformed table) throws PreconditionError;
// a 64-bit overflow throws its subtype OverflowError. Nothing here aborts and
// nothing wraps around silently. The app catches these at its top level.
#pragma once

#include <concepts>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>

namespace tl {

class PreconditionError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class OverflowError : public PreconditionError {
public:
    using PreconditionError::PreconditionError;
};

/// Throws PreconditionError with `what` unless `condition` holds.
inline void require(bool condition, const char* what) {
    if (!condition) throw PreconditionError(what);
}
inline void require(bool condition, const std::string& what) {
    if (!condition) throw PreconditionError(what);
}

/// Bounds-checked element access: `at(list, i)` is list[i] or a PreconditionError.
template <class Container>
decltype(auto) at(Container&& c, std::size_t index) {
    if (index >= c.size())
        throw PreconditionError("index " + std::to_string(index) + " out of range (size " +
                                std::to_string(c.size()) + ")");
    return std::forward<Container>(c)[index];
}

/// As `at`, for a signed index of any width (negative indexes are out of range too).
template <class Container, std::signed_integral Index>
decltype(auto) at(Container&& c, Index index) {
    if (index < 0) throw PreconditionError("index " + std::to_string(index) + " out of range");
    return at(std::forward<Container>(c), static_cast<std::size_t>(index));
}

}  // namespace tl
