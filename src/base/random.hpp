// The injectable random source: the drills and the random helpers draw from
// `randomSource()`, which tests replace with a scripted one.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <random>

namespace tl {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    /// Uniform integer in the closed range [lo, hi]; lo > hi is a PreconditionError.
    virtual std::int64_t uniformInRange(std::int64_t lo, std::int64_t hi) = 0;
    /// Uniform integer in [0, bound); bound must be positive.
    virtual std::uint64_t uniformBelow(std::uint64_t bound) = 0;
};

/// A Mersenne-Twister source, seeded from the system unless a seed is given.
class SystemRandom final : public RandomSource {
public:
    SystemRandom();
    explicit SystemRandom(std::uint64_t seed);
    std::int64_t uniformInRange(std::int64_t lo, std::int64_t hi) override;
    std::uint64_t uniformBelow(std::uint64_t bound) override;

private:
    std::mt19937_64 engine_;
};

/// Answers from a script of values, in order. `uniformInRange` returns the
/// next value (it must lie in the range); `uniformBelow` likewise. An empty
/// script is a PreconditionError.
class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<std::int64_t> values) : script_(values) {}
    void push(std::int64_t value) { script_.push_back(value); }
    std::size_t remaining() const { return script_.size(); }
    std::int64_t uniformInRange(std::int64_t lo, std::int64_t hi) override;
    std::uint64_t uniformBelow(std::uint64_t bound) override;

private:
    std::int64_t next();
    std::deque<std::int64_t> script_;
};

/// The process's random source (a SystemRandom unless replaced).
RandomSource& randomSource();

/// Replaces the process's random source for the lifetime of this object.
class ScopedRandomSource {
public:
    explicit ScopedRandomSource(RandomSource& source);
    ~ScopedRandomSource();
    ScopedRandomSource(const ScopedRandomSource&) = delete;
    ScopedRandomSource& operator=(const ScopedRandomSource&) = delete;

private:
    RandomSource* previous_;
};

}  // namespace tl
