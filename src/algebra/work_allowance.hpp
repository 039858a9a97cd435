// An amount of work that several computations of one task may do together,
// counted in whatever unit they take as their step. The tests that could run
// for hours on a large enough input (the common-factor test, the rational
// root search) each count their work against one, and refuse the input with
// a line of their own once it is spent, instead of running on.
#pragma once

#include <cstdint>

#include "base/errors.hpp"

namespace tl {

struct WorkAllowance {
    std::uint64_t left = 0;
    /// What the refusal says.
    const char* refusal = "too much work";

    /// Takes `work` off what is left; PreconditionError(refusal), with
    /// nothing taken, when less is left.
    void spend(std::uint64_t work) {
        if (work > left) throw PreconditionError(refusal);
        left -= work;
    }

    /// PreconditionError(refusal) when less than `work` is left, nothing
    /// taken: for work foreseen before it is done, which may pass 64 bits.
    void requireLeft(long double work) const {
        if (work > static_cast<long double>(left)) throw PreconditionError(refusal);
    }
};

}  // namespace tl
