#include "base/random.hpp"

#include "base/errors.hpp"

namespace tl {

SystemRandom::SystemRandom() : engine_(std::random_device{}()) {}
SystemRandom::SystemRandom(std::uint64_t seed) : engine_(seed) {}

std::int64_t SystemRandom::uniformInRange(std::int64_t lo, std::int64_t hi) {
    require(lo <= hi, "empty random range");
    return std::uniform_int_distribution<std::int64_t>(lo, hi)(engine_);
}

std::uint64_t SystemRandom::uniformBelow(std::uint64_t bound) {
    require(bound > 0, "random bound must be positive");
    return std::uniform_int_distribution<std::uint64_t>(0, bound - 1)(engine_);
}

std::int64_t ScriptedRandom::next() {
    require(!script_.empty(), "scripted random source ran out of values");
    std::int64_t v = script_.front();
    script_.pop_front();
    return v;
}

std::int64_t ScriptedRandom::uniformInRange(std::int64_t lo, std::int64_t hi) {
    require(lo <= hi, "empty random range");
    std::int64_t v = next();
    require(v >= lo && v <= hi, "scripted random value outside the requested range");
    return v;
}

std::uint64_t ScriptedRandom::uniformBelow(std::uint64_t bound) {
    require(bound > 0, "random bound must be positive");
    std::int64_t v = next();
    require(v >= 0 && static_cast<std::uint64_t>(v) < bound, "scripted random value outside the requested range");
    return static_cast<std::uint64_t>(v);
}

namespace {
RandomSource* gSource = nullptr;
}

RandomSource& randomSource() {
    static SystemRandom system;
    return gSource ? *gSource : system;
}

ScopedRandomSource::ScopedRandomSource(RandomSource& source) : previous_(gSource) { gSource = &source; }
ScopedRandomSource::~ScopedRandomSource() { gSource = previous_; }

}  // namespace tl
