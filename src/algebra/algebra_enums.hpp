// The enumerations of the algebra engine. Most have raw values that are also
// the texts the solvers show or take as options: a linear solution's result
// line is the raw value of its Status, and a solver's option texts are the
// raw values of Style, Method, Technique and Quadratic_method.
//
// rawValue(e) gives a case's raw value; fromRawValue<E>(raw) gives the case
// whose raw value is exactly `raw`, or nothing.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

namespace tl {

enum class Var { x, y, z };
enum class Method { standard, smart };
/// How the solvers' tables show numbers: a fraction before the variable
/// (¹∕₃ x), the variable in the numerator (ˣ∕₃), or decimals.
enum class Style { fraction, rational_fraction, decimal };
enum class Technique { balance, transpose };
/// The outcome of a linear solution.
enum class Status { unique, infinite, none };
enum class Quadratic_status { rational_repeated, rational_distinct, irrational_repeated, irrational_distinct, none };
enum class Quadratic_method { factor, formula, complete_the_square };
/// The degree class of a polynomial; `error` for anything but degrees 0 to 3.
enum class Category { constant, linear, quadratic, cubic, error };

enum class Transpose_x_state { exclude, include, include_as_advisory };
enum class Step_exclusions { none, reduce, clear, reduce_and_clear };
enum class Quadratic_Category { monomial_a, binomial_ab, binomial_ac, trinomial };
enum class Quadratic_Factorabilty { does_not_factor, factors_but_not_over_rationals, factors };
enum class Linear_Category { monomial, binomial };

namespace detail {

template <class E, class Raw, std::size_t N>
using RawTable = std::array<std::pair<E, Raw>, N>;

template <class E>
struct RawValues;

template <>
struct RawValues<Var> {
    static constexpr RawTable<Var, std::string_view, 3> table{{{Var::x, "x"}, {Var::y, "y"}, {Var::z, "z"}}};
};
template <>
struct RawValues<Method> {
    static constexpr RawTable<Method, std::string_view, 2> table{
        {{Method::standard, "standard"}, {Method::smart, "smart"}}};
};
template <>
struct RawValues<Style> {
    // U+00B9 U+2215 U+2083, and U+02E3 U+2215 U+2083.
    static constexpr RawTable<Style, std::string_view, 3> table{{{Style::fraction, "show as \u00B9\u2215\u2083 x"},
                                                                 {Style::rational_fraction, "show as \u02E3\u2215\u2083"},
                                                                 {Style::decimal, "show as decimal"}}};
};
template <>
struct RawValues<Technique> {
    static constexpr RawTable<Technique, std::string_view, 2> table{
        {{Technique::balance, "balance"}, {Technique::transpose, "transpose"}}};
};
template <>
struct RawValues<Status> {
    static constexpr RawTable<Status, std::string_view, 3> table{
        {{Status::unique, "valid solution"},
         {Status::infinite, "TRUE, solution is all values of variable"},
         {Status::none, "FALSE, no solution"}}};
};
template <>
struct RawValues<Quadratic_status> {
    static constexpr RawTable<Quadratic_status, std::string_view, 5> table{
        {{Quadratic_status::rational_repeated, "repeated rational solution"},
         {Quadratic_status::rational_distinct, "distinct rational solutions"},
         {Quadratic_status::irrational_repeated, "repeated irrational solution"},
         {Quadratic_status::irrational_distinct, "distinct irrational solutions"},
         {Quadratic_status::none, "no solution"}}};
};
template <>
struct RawValues<Quadratic_method> {
    static constexpr RawTable<Quadratic_method, std::string_view, 3> table{
        {{Quadratic_method::factor, "factor"},
         {Quadratic_method::formula, "formula"},
         {Quadratic_method::complete_the_square, "complete the square"}}};
};
template <>
struct RawValues<Category> {
    static constexpr RawTable<Category, std::int64_t, 5> table{{{Category::constant, 0},
                                                                {Category::linear, 1},
                                                                {Category::quadratic, 2},
                                                                {Category::cubic, 3},
                                                                {Category::error, -1}}};
};

}  // namespace detail

/// The enumerations that have raw values.
template <class E>
concept HasRawValue = requires { detail::RawValues<E>::table; };

template <HasRawValue E>
constexpr auto rawValue(E e) {
    for (const auto& [value, raw] : detail::RawValues<E>::table)
        if (value == e) return raw;
    return detail::RawValues<E>::table.front().second;  // unreachable for a valid case
}

template <HasRawValue E>
constexpr std::optional<E> fromRawValue(decltype(rawValue(E{})) raw) {
    for (const auto& [value, r] : detail::RawValues<E>::table)
        if (r == raw) return value;
    return std::nullopt;
}

/// Every case of an enumeration with raw values, in case order.
template <HasRawValue E>
constexpr auto allCases() {
    std::array<E, detail::RawValues<E>::table.size()> cases{};
    for (std::size_t i = 0; i < cases.size(); ++i) cases[i] = detail::RawValues<E>::table[i].first;
    return cases;
}

}  // namespace tl
