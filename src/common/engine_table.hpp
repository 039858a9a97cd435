// The rows of one typeset table, shared between copies until one changes.
//
// Every working page of a solution repeats the tables of the equations
// before it, so a solution holds the same table many times over. A copy of
// a table shares its rows with the original; the first change to either
// gives that one rows of its own. The rows and their count of owners lie in
// one block, so a table costs one allocation. The interface is a vector's
// (the part of it that tables need).
//
// A table that has handed out a mutable reference or iterator (operator[],
// begin(), end() on a non-const table) keeps its rows to itself
// from then on: its copies are deep, so a write through a reference kept
// across a copy changes that table alone, as with a vector. Appending,
// inserting and replacing hand out nothing and keep a table
// shareable.
#pragma once

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/errors.hpp"

namespace tl {

template <class Row>
class SharedRows {
public:
    using value_type = Row;
    using size_type = std::size_t;
    using reference = Row&;
    using const_reference = const Row&;
    using iterator = Row*;
    using const_iterator = const Row*;

    SharedRows() = default;
    // (Delegating: should a row fail to copy, the destructor frees the rest.)
    SharedRows(std::initializer_list<Row> rows) : SharedRows() {
        own(rows.size());
        for (const Row& row : rows) emplace_back(row);
    }

    SharedRows(const SharedRows& other) : block_(other.shareable()) {}
    SharedRows(SharedRows&& other) noexcept
        : block_(std::exchange(other.block_, nullptr)), leaked_(std::exchange(other.leaked_, false)) {}
    SharedRows& operator=(const SharedRows& other) {
        if (this != &other) {
            Block* shared = other.shareable();
            drop(block_);
            block_ = shared;
            leaked_ = false;
        }
        return *this;
    }
    SharedRows& operator=(SharedRows&& other) noexcept {
        if (this != &other) {
            drop(block_);
            block_ = std::exchange(other.block_, nullptr);
            leaked_ = std::exchange(other.leaked_, false);
        }
        return *this;
    }
    ~SharedRows() { drop(block_); }

    // ---- reading ---------------------------------------------------------
    size_type size() const { return block_ ? block_->size : 0; }
    bool empty() const { return size() == 0; }
    size_type capacity() const { return block_ ? block_->capacity : 0; }
    const Row& operator[](size_type i) const { return block_->rows()[i]; }
    const Row& at(size_type i) const {
        if (i >= size()) throw PreconditionError("no such row in a table");
        return (*this)[i];
    }
    const_iterator begin() const { return block_ ? block_->rows() : nullptr; }
    const_iterator end() const { return begin() + size(); }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }
    const Row& front() const { return *begin(); }
    const Row& back() const { return end()[-1]; }

    friend bool operator==(const SharedRows& a, const SharedRows& b) {
        return a.block_ == b.block_ || std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

    // ---- writing: the rows become this table's own -----------------------
    Row& operator[](size_type i) { return leak()[i]; }
    iterator begin() { return leak(); }
    iterator end() { return leak() + size(); }

    void push_back(const Row& row) { emplace_back(row); }
    void push_back(Row&& row) { emplace_back(std::move(row)); }
    template <class... Args>
    void emplace_back(Args&&... args) {
        if (hasRoom()) {
            new (block_->rows() + block_->size) Row(std::forward<Args>(args)...);
        } else {
            Row row(std::forward<Args>(args)...);  // first, as the arguments may be rows of this table
            own(size() + 1);
            new (block_->rows() + block_->size) Row(std::move(row));
        }
        ++block_->size;
    }
    /// Room for `n` rows (growing geometrically past the capacity).
    void reserve(size_type n) { own(std::max(n, size())); }
    /// Row `i` becomes `row`, without handing out a reference.
    void replace(size_type i, Row row) {
        if (i >= size()) throw PreconditionError("no such row in a table");
        own(size());
        block_->rows()[i] = std::move(row);
    }
    /// As a vector's; `at` may point into these rows or into a copy sharing them.
    template <std::input_iterator Iterator>
    void insert(const_iterator at, Iterator first, Iterator last) {
        const auto index = static_cast<size_type>(at - cbegin());
        std::vector<Row> rows(first, last);
        own(size() + rows.size());
        for (Row& row : rows) emplace_back(std::move(row));
        std::rotate(block_->rows() + index, block_->rows() + size() - rows.size(), block_->rows() + size());
    }

private:
    // A count of owners and the rows, in one allocation.
    struct Block {
        std::atomic<std::size_t> owners{1};
        std::size_t size = 0;
        std::size_t capacity = 0;
        Row* rows() { return std::launder(reinterpret_cast<Row*>(this + 1)); }
    };
    static_assert(sizeof(Block) % alignof(Row) == 0);

    Block* block_ = nullptr;  // null: no rows
    bool leaked_ = false;     // a mutable reference was handed out

    // Tables come and go by the hundred in one solution, most of a few rows
    // (an item is four), so each thread keeps some freed blocks of the
    // small capacities, 4, 8, … 128 rows, for the next tables to take.
    static constexpr size_type kSmallestPooled = 4;
    static constexpr int kPooledSizes = 6;
    static constexpr int kPooledPerSize = 32;
    struct Pool {
        void* blocks[kPooledSizes][kPooledPerSize];
        int count[kPooledSizes];
        // A thread that ends gives its kept blocks back; blocks freed after
        // that (by thread-locals destroyed later) are not kept.
        ~Pool() {
            poolClosed() = true;
            for (int k = 0; k < kPooledSizes; ++k)
                for (; count[k] > 0; --count[k]) ::operator delete(blocks[k][count[k] - 1]);
        }
    };
    static Pool& pool() {
        static thread_local Pool freed{};  // kept for the thread's life, at most some 520 KB
        return freed;
    }
    /// The thread's pool is gone. A plain flag, with no destructor, so that it
    /// can still be read while the thread's other locals are destroyed.
    static bool& poolClosed() {
        static thread_local bool closed = false;
        return closed;
    }
    /// The pool size for a block of `capacity` rows, or -1 when not pooled.
    static int pooledSize(size_type capacity) {
        const int k = std::countr_zero(capacity / kSmallestPooled);
        return capacity % kSmallestPooled == 0 && (capacity & (capacity - 1)) == 0 && k < kPooledSizes ? k : -1;
    }

    static Block* allocate(size_type capacity) {
        if (capacity <= kSmallestPooled << (kPooledSizes - 1))
            capacity = std::bit_ceil(std::max(capacity, kSmallestPooled));
        require(capacity <= (SIZE_MAX - sizeof(Block)) / sizeof(Row), "table too long");
        void* memory = nullptr;
        if (const int k = pooledSize(capacity); k >= 0 && !poolClosed() && pool().count[k] > 0)
            memory = pool().blocks[k][--pool().count[k]];
        else
            memory = ::operator new(sizeof(Block) + capacity * sizeof(Row));
        Block* block = new (memory) Block;
        block->capacity = capacity;
        return block;
    }
    static void destroy(Block* block) {
        for (size_type i = 0; i < block->size; ++i) block->rows()[i].~Row();
        const size_type capacity = block->capacity;
        block->~Block();
        if (const int k = pooledSize(capacity); k >= 0 && !poolClosed() && pool().count[k] < kPooledPerSize)
            pool().blocks[k][pool().count[k]++] = block;
        else
            ::operator delete(block);
    }
    static void drop(Block* block) {
        if (block && block->owners.fetch_sub(1, std::memory_order_acq_rel) == 1) destroy(block);
    }
    /// A block a copy may share: this one, or a copy of it once leaked.
    Block* shareable() const {
        if (!block_) return nullptr;
        if (leaked_) return copyOf(block_, block_->size);
        block_->owners.fetch_add(1, std::memory_order_relaxed);
        return block_;
    }
    static Block* copyOf(Block* from, size_type capacity) {
        Block* block = allocate(capacity);
        try {
            for (; block->size < from->size; ++block->size)
                new (block->rows() + block->size) Row(from->rows()[block->size]);
        } catch (...) {
            destroy(block);
            throw;
        }
        return block;
    }
    /// Whether a row can be added in place.
    bool hasRoom() const {
        return block_ && block_->size < block_->capacity && block_->owners.load(std::memory_order_acquire) == 1;
    }
    /// The block as this table's own, with room for at least `needed` rows
    /// (growing geometrically).
    void own(size_type needed) {
        static_assert(std::is_nothrow_move_constructible_v<Row>);
        if (block_ && block_->owners.load(std::memory_order_acquire) == 1 && needed <= block_->capacity) return;
        const size_type capacity = std::max(needed, block_ && needed > block_->capacity ? 2 * block_->capacity : 0);
        if (!block_) {
            block_ = allocate(std::max<size_type>(capacity, 1));
        } else if (block_->owners.load(std::memory_order_acquire) > 1) {
            Block* copy = copyOf(block_, std::max(capacity, block_->size));
            drop(block_);
            block_ = copy;
        } else {
            Block* moved = allocate(capacity);
            for (; moved->size < block_->size; ++moved->size)
                new (moved->rows() + moved->size) Row(std::move(block_->rows()[moved->size]));
            destroy(block_);
            block_ = moved;
        }
    }
    Row* leak() {
        own(size());
        leaked_ = true;
        return block_->rows();
    }
};

}  // namespace tl
