// One row of a typeset table: a key and its fields, all texts.
//
// A row keeps its texts back to back in one buffer with the end of each
// field beside them. The rows of an item ("start", "message", "…_color",
// "…_tag", locators, numbers) fit the 64 bytes of the row itself, so building
// them allocates nothing; longer rows (a plug-in's lists) keep the same
// layout on the heap. Fields are read as string views and written whole with
// `set`.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/errors.hpp"

namespace tl {

class Engine_Row {
public:
    using value_type = std::string_view;
    using size_type = std::size_t;

    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        const_iterator() = default;
        const_iterator(const Engine_Row* row, std::size_t i) : row_(row), i_(i) {}
        const std::string_view operator*() const { return (*row_)[i_]; }
        const std::string_view operator[](difference_type n) const { return (*row_)[i_ + static_cast<std::size_t>(n)]; }
        const_iterator& operator++() { return ++i_, *this; }
        const_iterator operator++(int) { return {row_, i_++}; }
        const_iterator& operator--() { return --i_, *this; }
        const_iterator operator--(int) { return {row_, i_--}; }
        const_iterator& operator+=(difference_type n) { return i_ += static_cast<std::size_t>(n), *this; }
        const_iterator& operator-=(difference_type n) { return i_ -= static_cast<std::size_t>(n), *this; }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
        friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const_iterator a, const_iterator b) {
            return static_cast<difference_type>(a.i_) - static_cast<difference_type>(b.i_);
        }
        friend bool operator==(const_iterator a, const_iterator b) { return a.i_ == b.i_; }
        friend auto operator<=>(const_iterator a, const_iterator b) { return a.i_ <=> b.i_; }

    private:
        const Engine_Row* row_ = nullptr;
        std::size_t i_ = 0;
    };
    using iterator = const_iterator;

    Engine_Row() = default;
    Engine_Row(std::initializer_list<std::string_view> fields) { assign(fields.begin(), fields.end()); }
    Engine_Row(const std::vector<std::string>& fields) { assign(fields.data(), fields.data() + fields.size()); }

    Engine_Row(const Engine_Row& other) { copyFrom(other); }
    Engine_Row(Engine_Row&& other) noexcept { stealFrom(other); }
    Engine_Row& operator=(const Engine_Row& other) {
        if (this != &other) {
            Engine_Row copy(other);
            *this = std::move(copy);
        }
        return *this;
    }
    Engine_Row& operator=(Engine_Row&& other) noexcept {
        if (this != &other) {
            release();
            stealFrom(other);
        }
        return *this;
    }
    ~Engine_Row() { release(); }

    // ---- reading ---------------------------------------------------------
    size_type size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // (const, so that writing to a field, row[i] = …, does not compile: use set)
    const std::string_view operator[](size_type i) const {
        const std::size_t from = i == 0 ? 0 : end(i - 1);
        return {text() + from, end(i) - from};
    }
    const std::string_view at(size_type i) const {
        if (i >= size_) throw PreconditionError("no such field in a table row");
        return (*this)[i];
    }
    const std::string_view front() const { return (*this)[0]; }
    const std::string_view back() const { return (*this)[size_ - 1]; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size_}; }

    friend bool operator==(const Engine_Row& a, const Engine_Row& b) {
        if (a.size_ != b.size_ || a.bytes_ != b.bytes_) return false;
        for (std::size_t i = 0; i < a.size_; ++i)
            if (a.end(i) != b.end(i)) return false;
        return std::memcmp(a.text(), b.text(), a.bytes_) == 0;
    }

    // ---- writing ---------------------------------------------------------
    void push_back(std::string_view field) {
        if (fieldCapacity() <= size_ || byteCapacity() < bytes_ + field.size()) {
            // Growing moves the texts, so a field of this row is copied out first.
            const std::string own(field);
            reserveFor(size_ + 1, bytes_ + own.size());
            return push_back(own);
        }
        copyText(text() + bytes_, field);
        bytes_ += static_cast<std::uint32_t>(field.size());
        setEnd(size_++, bytes_);
    }
    /// The texts of `fields` after these.
    template <class Range>
    void append(const Range& fields) {
        for (const auto& field : fields) push_back(field);
    }
    /// Field `i` becomes `field`; the others stay.
    void set(size_type i, std::string_view field) {
        if (i >= size_) throw PreconditionError("no such field in a table row");
        Engine_Row row;
        row.reserveFor(size_, bytes_ - (*this)[i].size() + field.size());
        for (std::size_t j = 0; j < size_; ++j) row.push_back(j == i ? field : (*this)[j]);
        *this = std::move(row);
    }
    void pop_back() {
        require(size_ > 0, "no field to take from an empty table row");
        --size_;
        bytes_ = size_ == 0 ? 0 : static_cast<std::uint32_t>(end(size_ - 1));
    }

private:
    // Inline: the ends as bytes, then the texts. On the heap: a block of
    // [field capacity, byte capacity][field capacity × end][texts], the
    // capacities and ends as uint32.
    static constexpr std::size_t kInlineFields = 6;
    static constexpr std::size_t kInlineBytes = 42;
    static constexpr std::size_t kHeader = 8;

    std::uint32_t size_ = 0;   // fields
    std::uint32_t bytes_ = 0;  // of text
    char* heap_ = nullptr;     // null while the row fits inline
    // Copied whole, as a fixed size copies faster than the bytes in use; the
    // bytes past the fields are never written (unsigned char: copying them
    // is defined) nor read.
    struct Inline {
        std::uint8_t ends[kInlineFields];
        unsigned char text[kInlineBytes];
    } inline_;

    /// The field's bytes to `to`: the short texts of a row without a call
    /// to the library's memcpy (two overlapping words cover 4 to 16 bytes).
    static void copyText(char* to, std::string_view field) {
        const char* from = field.data();
        const std::size_t n = field.size();
        if (n > 16) {
            std::memcpy(to, from, n);
        } else if (n >= 8) {
            copyByTwoWords<std::uint64_t>(to, from, n);
        } else if (n >= 4) {
            copyByTwoWords<std::uint32_t>(to, from, n);
        } else if (n > 0) {
            to[0] = from[0];
            to[n / 2] = from[n / 2];
            to[n - 1] = from[n - 1];
        }
    }
    /// n bytes, sizeof(Word) ≤ n ≤ 2·sizeof(Word), as the first and the last word.
    template <class Word>
    static void copyByTwoWords(char* to, const char* from, std::size_t n) {
        Word head, tail;
        std::memcpy(&head, from, sizeof head);
        std::memcpy(&tail, from + n - sizeof tail, sizeof tail);
        std::memcpy(to, &head, sizeof head);
        std::memcpy(to + n - sizeof tail, &tail, sizeof tail);
    }
    static std::uint32_t load(const char* p) {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    static void store(char* p, std::size_t v) {
        const auto v32 = static_cast<std::uint32_t>(v);
        std::memcpy(p, &v32, 4);
    }
    std::size_t fieldCapacity() const { return heap_ ? load(heap_) : kInlineFields; }
    std::size_t byteCapacity() const { return heap_ ? load(heap_ + 4) : kInlineBytes; }
    std::size_t end(std::size_t i) const { return heap_ ? load(heap_ + kHeader + 4 * i) : inline_.ends[i]; }
    void setEnd(std::size_t i, std::size_t e) {
        if (heap_)
            store(heap_ + kHeader + 4 * i, e);
        else if (i < kInlineFields)  // always, inline; said for the compiler's bounds checks
            inline_.ends[i] = static_cast<std::uint8_t>(e);
    }
    const char* text() const {
        return heap_ ? heap_ + kHeader + 4 * fieldCapacity() : reinterpret_cast<const char*>(inline_.text);
    }
    char* text() { return heap_ ? heap_ + kHeader + 4 * fieldCapacity() : reinterpret_cast<char*>(inline_.text); }

    void reserveFor(std::size_t fields, std::size_t bytes) {
        const std::size_t oldFields = fieldCapacity(), oldBytes = byteCapacity();
        if (fields <= oldFields && bytes <= oldBytes) return;
        const std::size_t newFields = std::max({fields, 2 * oldFields, std::size_t{8}});
        const std::size_t newBytes = std::max({bytes, 2 * oldBytes, std::size_t{64}});
        if (newFields > UINT32_MAX / 4 || newBytes > UINT32_MAX / 2) throw PreconditionError("table row too long");
        char* block = new char[kHeader + 4 * newFields + newBytes];
        store(block, newFields);
        store(block + 4, newBytes);
        for (std::size_t i = 0; i < size_; ++i) store(block + kHeader + 4 * i, end(i));
        std::memcpy(block + kHeader + 4 * newFields, text(), bytes_);
        delete[] heap_;
        heap_ = block;
    }
    template <class Field>
    void assign(const Field* first, const Field* last) {
        std::size_t bytes = 0;
        for (const Field* f = first; f != last; ++f) bytes += std::string_view(*f).size();
        reserveFor(static_cast<std::size_t>(last - first), bytes);
        // The counts stay in locals: the texts are written through char
        // pointers, which could alias the members and force a reload each time.
        char* const to = text();
        std::size_t end = 0, count = 0;
        for (const Field* f = first; f != last; ++f) {
            const std::string_view field(*f);
            copyText(to + end, field);
            end += field.size();
            setEnd(count++, end);
        }
        size_ = static_cast<std::uint32_t>(count);
        bytes_ = static_cast<std::uint32_t>(end);
    }
    void copyFrom(const Engine_Row& other) {
        if (other.heap_) {
            reserveFor(other.size_, other.bytes_);
            for (std::size_t i = 0; i < other.size_; ++i) setEnd(i, other.end(i));
            std::memcpy(text(), other.text(), other.bytes_);
        } else {
            inline_ = other.inline_;
        }
        size_ = other.size_;
        bytes_ = other.bytes_;
    }
    void stealFrom(Engine_Row& other) noexcept {
        size_ = std::exchange(other.size_, 0);
        bytes_ = std::exchange(other.bytes_, 0);
        heap_ = std::exchange(other.heap_, nullptr);
        if (!heap_) inline_ = other.inline_;
    }
    void release() noexcept {
        delete[] heap_;
        heap_ = nullptr;
        size_ = bytes_ = 0;
    }
};

static_assert(sizeof(Engine_Row) == 64);

}  // namespace tl
