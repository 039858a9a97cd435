// A stream buffer that counts what is written to it and keeps none of it:
// for outputs too large to hold. Shared by the tests and the benchmarks.
#pragma once

#include <cstddef>
#include <streambuf>

namespace tl::testing {

class CountingBuffer : public std::streambuf {
public:
    std::size_t count = 0;

protected:
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) ++count;
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        count += static_cast<std::size_t>(n);
        return n;
    }
};

}  // namespace tl::testing
