// Rows and tables against plain vectors of strings under random edits: the
// packed row (inline and on the heap) and the shared table (copies, writes
// through kept references, appends, replacements and inserts).
#include <gtest/gtest.h>

#include <malloc.h>

#include <new>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "common/items.hpp"
#include "common/tableau.hpp"

using namespace tl;

namespace {

using Fields = std::vector<std::string>;

std::string randomText(std::mt19937& rng) {
    static const std::vector<std::string> texts{"", "x", "start", "signed_rational_color", "black",
                                                "9223372036854775808", "\u2212", std::string(70, 'a')};
    return texts[rng() % texts.size()];
}

/// `edit(i)` at a random index i of a model of `size` elements; nothing
/// when it is empty (no draw either).
template <class Edit>
void atRandomIndex(std::mt19937& rng, std::size_t size, Edit edit) {
    if (size > 0) edit(rng() % size);
}

void expectSame(const Engine_Row& row, const Fields& fields) {
    EXPECT_EQ(Fields(row.begin(), row.end()), fields);
    EXPECT_EQ(row, Engine_Row(fields));
}

}  // namespace

TEST(EngineRow, RandomEditsMatchAVectorOfStrings) {
    std::mt19937 rng(3);
    for (int round = 0; round < 400; ++round) {
        Engine_Row row;
        Fields model;
        for (int step = 0; step < 30; ++step) {
            const std::string text = randomText(rng);
            switch (rng() % 6) {
                case 0:
                    row.push_back(text);
                    model.push_back(text);
                    break;
                case 1:  // a field of the row itself, also when the row grows
                    atRandomIndex(rng, model.size(), [&](std::size_t i) {
                        row.push_back(row[i]);
                        model.push_back(model[i]);
                    });
                    break;
                case 2:
                    atRandomIndex(rng, model.size(), [&](std::size_t i) {
                        row.set(i, text);
                        model[i] = text;
                    });
                    break;
                case 3:
                    if (!model.empty()) {
                        row.pop_back();
                        model.pop_back();
                    }
                    break;
                case 4: {  // copies and moves keep the fields, and the source of a copy
                    Engine_Row copy = row;
                    expectSame(copy, model);
                    Engine_Row moved = std::move(copy);
                    row = moved;
                    break;
                }
                default:
                    row = Engine_Row(model);
            }
            expectSame(row, model);
        }
    }
    EXPECT_THROW(Engine_Row{"key"}.set(1, "x"), PreconditionError);
    EXPECT_THROW(Engine_Row{"key"}.at(1), PreconditionError);
    EXPECT_THROW(Engine_Table{}.replace(0, {}), PreconditionError);
    EXPECT_THROW(Engine_Row{}.pop_back(), PreconditionError);
    EXPECT_NE((Engine_Row{"ab", "c"}), (Engine_Row{"a", "bc"}));
}

TEST(EngineTable, CopiesShareRowsUntilOneChanges) {
    const Engine_Table original{{"start", "1"}, {"message", "hi"}};
    Engine_Table copy = original;
    copy.push_back({"extra"});
    copy.replace(1, {"message", "changed"});
    EXPECT_EQ(original, (Engine_Table{{"start", "1"}, {"message", "hi"}}));

    // A row reference handed out before a copy writes to its own table only.
    Engine_Table table = original;
    Engine_Row& row = table[1];
    const Engine_Table snapshot = table;
    row.set(1, "changed");
    EXPECT_EQ(table[1][1], "changed");
    EXPECT_EQ(snapshot[1][1], "hi");
    EXPECT_EQ(original[1][1], "hi");
}

TEST(EngineTable, InsertsItsOwnRowsAndTakesAPlaceInACopy) {
    Engine_Table table{{"a"}, {"b"}, {"c"}, {"d"}};
    table.insert(table.cbegin() + 1, table.cbegin(), table.cend());  // the rows move as they are read
    const Engine_Table doubled{{"a"}, {"a"}, {"b"}, {"c"}, {"d"}, {"b"}, {"c"}, {"d"}};
    EXPECT_EQ(table, doubled);
    const Engine_Table copy = table;  // shares the rows
    table.insert(copy.cbegin() + 2, copy.cend() - 1, copy.cend());
    EXPECT_EQ(table, (Engine_Table{{"a"}, {"a"}, {"d"}, {"b"}, {"c"}, {"d"}, {"b"}, {"c"}, {"d"}}));
    EXPECT_EQ(copy, doubled);
}

namespace {

/// A row that counts the rows alive and fails to copy once `copies` runs out.
struct CountedRow {
    static inline int alive = 0;
    static inline int copies = 0;
    CountedRow() { ++alive; }
    CountedRow(const CountedRow&) {
        if (copies-- == 0) throw std::bad_alloc();
        ++alive;
    }
    CountedRow(CountedRow&&) noexcept { ++alive; }
    CountedRow& operator=(const CountedRow&) = default;
    CountedRow& operator=(CountedRow&&) noexcept = default;
    ~CountedRow() { --alive; }
};

}  // namespace

TEST(EngineTable, ARowThatFailsToCopyLeavesNoRowsBehind) {
    CountedRow::copies = 2;
    EXPECT_THROW((SharedRows<CountedRow>{CountedRow{}, CountedRow{}, CountedRow{}}), std::bad_alloc);
    EXPECT_EQ(CountedRow::alive, 0);
}

TEST(EngineTable, RandomEditsMatchAVectorOfRows) {
    std::mt19937 rng(5);
    for (int round = 0; round < 200; ++round) {
        std::vector<Engine_Table> tables(3);
        std::vector<std::vector<Engine_Row>> models(3);
        for (int step = 0; step < 40; ++step) {
            const std::size_t a = rng() % 3, b = rng() % 3;
            Engine_Table& t = tables[a];
            auto& m = models[a];
            const Engine_Row row{randomText(rng), randomText(rng)};
            switch (rng() % 6) {
                case 0:
                    t.push_back(row);
                    m.push_back(row);
                    break;
                case 1:
                    tables[b] = tables[a];
                    models[b] = models[a];
                    break;
                case 2:
                    atRandomIndex(rng, m.size(), [&](std::size_t i) {
                        t[i] = row;  // through a mutable reference
                        m[i] = row;
                    });
                    break;
                case 3:
                    atRandomIndex(rng, m.size(), [&](std::size_t i) {
                        t.replace(i, row);
                        m[i] = row;
                    });
                    break;
                case 4: {
                    const std::size_t i = m.empty() ? 0 : rng() % (m.size() + 1);
                    t.insert(t.cbegin() + static_cast<std::ptrdiff_t>(i), &row, &row + 1);
                    m.insert(m.begin() + static_cast<std::ptrdiff_t>(i), row);
                    break;
                }
                default:
                    tables[b] = std::move(tables[a]);
                    models[b] = std::move(models[a]);
                    tables[a] = {};
                    models[a].clear();
            }
            for (std::size_t k = 0; k < 3; ++k)
                ASSERT_EQ(std::vector<Engine_Row>(tables[k].cbegin(), tables[k].cend()), models[k])
                    << round << " " << step;
        }
    }
}

namespace {

/// A random composition of items, built twice: nested (each builder gives a
/// table its parent takes) and written in order by one ItemWriter.
struct Composition {
    std::mt19937& rng;
    int depth = 0;

    std::pair<Engine_Table, ItemWriter::Item> build(ItemWriter& w) {
        ++depth;
        const unsigned kind = depth > 5 ? rng() % 3 : rng() % 6;
        std::pair<Engine_Table, ItemWriter::Item> result;
        const auto colour = static_cast<Color>(rng() % 3);
        if (kind == 0) {
            const std::string text = randomText(rng);
            result = {messageTable(text, colour), w.message(text, colour)};
        } else if (kind == 1) {
            const auto n = static_cast<std::int64_t>(rng()) - (1LL << 31);
            result = {integerItem(n, colour, "t"), w.integer(n, colour, "t")};
        } else if (kind == 2) {
            const bool negative = rng() % 2 == 0;
            const std::uint64_t n = rng(), d = std::uint64_t{rng()} << 32;
            result = {signedRationalItemFromParts(negative, n, d, colour, Color::red, colour, colour),
                      w.signedRational(negative, n, d, colour, Color::red, colour, colour)};
        } else if (kind == 3) {
            auto [table, item] = build(w);
            result = {unaryItem("()", std::move(table), colour), w.unary("()", item, colour)};
        } else {
            auto [first, left] = build(w);
            auto [second, right] = build(w);
            result = {joinItem("+", std::move(first), std::move(second), colour), w.join("+", left, right, colour)};
        }
        --depth;
        return result;
    }
};

}  // namespace

TEST(ItemWriter, WritesTheTablesOfNestedBuilders) {
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        ItemWriter w(1);
        auto [nested, root] = Composition{rng}.build(w);
        ASSERT_EQ(std::move(w).finish(root), nested) << round;
    }
}

// Each thread keeps some freed blocks for the next tables it makes; a thread
// that ends gives them back. (The sanitizer build's leak check sees any it
// does not; mallinfo2 sees them in the release build.)
TEST(EngineTable, AThreadThatEndsGivesBackTheBlocksItKept) {
    const auto keepBlocks = [] {
        std::vector<Engine_Table> tables;
        for (std::size_t rows = 4; rows <= 128; rows *= 2)
            for (int i = 0; i < 40; ++i) {
                Engine_Table table;
                table.reserve(rows);
                table.push_back(Engine_Row{"start", "1"});
                tables.push_back(std::move(table));
            }
    };
    const auto inUse = [] { return static_cast<long long>(mallinfo2().uordblks); };
    const long long before = inUse();
    for (int i = 0; i < 20; ++i) std::thread(keepBlocks).join();
    EXPECT_LT(inUse() - before, 1 << 20);
}
