#include "common/primes.hpp"

#include "base/checked.hpp"
#include "base/errors.hpp"
#include "common/items.hpp"

namespace tl {

namespace {

/// Trial division; once p·p exceeds what is left, what is left is prime.
/// The result is the one that dividing by every p up to the largest prime
/// would give, without the cost of reaching a large prime by steps of 1.
Factorisation factorise(std::int64_t n) {
    Factorisation out;
    std::int64_t m = n;
    for (std::int64_t p = 2; m != 1; ++p) {
        if (static_cast<checked::i128>(p) * p > m) {
            out.push_back({m, 1});
            break;
        }
        if (m % p != 0) continue;
        std::int64_t e = 0;
        while (m % p == 0) m /= p, ++e;
        out.push_back({p, e});
    }
    return out;
}

}  // namespace

std::optional<Factorisation> primeFactorPairs(std::int64_t n) {
    if (n < 2) return std::nullopt;
    return factorise(n);
}

std::optional<PrimeFactorCounts> primeFactors(std::int64_t n, std::int64_t k) {
    require(k >= 1, "prime factor counts need k >= 1");
    if (n < 2) return std::nullopt;
    PrimeFactorCounts counts;
    counts.factors = factorise(n);
    for (const PrimePower& f : counts.factors) {
        ++counts.distinctPrimes;
        if (f.exponent >= k) ++counts.exponentsAtLeastK;
        if (f.exponent % k == 0) ++counts.exponentsDivisibleByK;
    }
    return counts;
}

std::vector<PrimeTreeEntry> primeTreePairs(std::int64_t n, const Factorisation& factors, bool alternate) {
    require(!factors.empty(), "prime tree without factors");
    std::vector<PrimeTreeEntry> tree{{{1, Color::clear}, {n, Color::black}}};
    std::int64_t m = n;
    bool flag = true;
    for (const PrimePower& f : factors) {
        const Color c = !alternate ? Color::black : (flag ? Color::red : Color::blue);
        for (std::int64_t i = 0; i < f.exponent; ++i) {
            require(f.prime != 0, "prime tree with a zero factor");
            m /= f.prime;
            tree.push_back({{f.prime, c}, {m, Color::black}});
        }
        flag = !flag;
    }
    // The last split leaves 1: show its prime as the right number above it instead.
    if (tree.size() >= 2) {
        tree[tree.size() - 2].right.color = tree.back().left.color;
        tree.pop_back();
    }
    return tree;
}

Engine_Table primeTreeItem(std::string_view tag, const std::vector<PrimeTreeEntry>& entries) {
    Engine_Row pairs{"prime_tree_pairs"};
    Engine_Row colours{"prime_tree_colors"};
    for (const PrimeTreeEntry& e : entries) {
        pairs.push_back(std::to_string(e.left.value));
        pairs.push_back(std::to_string(e.right.value));
        colours.push_back(colorName(e.left.color));
        colours.push_back(colorName(e.right.color));
    }
    return engineTable(engineRow("start", "1"), engineRow("plug_in", "prime_tree", "4"), std::move(pairs),
                       std::move(colours), engineRow("prime_tree_tag", tag));
}

Engine_Table factorProductItem(const std::vector<std::pair<PrimePower, Color>>& items) {
    require(!items.empty(), "factor product without factors");
    auto factor = [](const PrimePower& f, Color c) {
        Engine_Table base = integerItem(f.prime, c, defaultMessageTag);
        if (f.exponent == 1) return base;
        return joinItem("^", base, integerItem(f.exponent, c, defaultMessageTag), c, defaultMessageTag);
    };
    Engine_Table product = factor(items[0].first, items[0].second);
    for (std::size_t i = 1; i < items.size(); ++i)
        product = joinItem("\u2219", std::move(product), factor(items[i].first, items[i].second), Color::black,
                           defaultMessageTag);
    return product;
}

Engine_Table factorProductTable(const Factorisation& factors, Color colour) {
    std::vector<std::pair<PrimePower, Color>> items;
    for (const PrimePower& f : factors) items.emplace_back(f, colour);
    return factorProductItem(items);
}

Engine_Table alternatingFactorProductTable(const Factorisation& factors, Color first, Color second) {
    std::vector<std::pair<PrimePower, Color>> items;
    Color running = second;
    for (const PrimePower& f : factors) {
        running = running == first ? second : first;
        items.emplace_back(f, running);
    }
    return factorProductItem(items);
}

}  // namespace tl
