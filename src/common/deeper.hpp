// A walk over a tree that recurses near the top and keeps lists of its own
// further down counts how deep it has recursed with this.
#pragma once

namespace tl {

/// How many nodes deep such a walk recurses before it keeps lists of its own.
inline constexpr int kRecursionDepth = 16;

/// One level more of `depth` while it lives.
class Deeper {
public:
    explicit Deeper(int& depth) : depth_(depth) { ++depth_; }
    ~Deeper() { --depth_; }
    Deeper(const Deeper&) = delete;
    Deeper& operator=(const Deeper&) = delete;

private:
    int& depth_;
};

}  // namespace tl
