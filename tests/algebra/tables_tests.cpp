#include <gtest/gtest.h>

#include "algebra/tables.hpp"
#include "base/errors.hpp"
#include "base/random.hpp"
#include "common/items.hpp"

using namespace tl;

namespace {

constexpr Style F = Style::fraction, RF = Style::rational_fraction, D = Style::decimal;

/// A table read from its root: a message as its text ('' when empty), an
/// integer as #n, a signed rational as <sign n/d>, a unary as [t], a join as
/// (a t b) with "🖇" as "·". A colour other than black follows the text it
/// colours as {colour}; a tag other than "anon" reads "!tag".
std::string read(const Engine_Table& t, std::size_t k) {
    const auto field = [&](std::size_t row, std::size_t i) { return std::string(t.at(row).at(i)); };
    const std::string kind = field(k, 0);
    const bool composite = kind == "join" || kind == "unary";
    const Engine_Row& colours = t.at(k + (composite ? 2 : 1));
    std::string colour = field(k + (composite ? 3 : 2), 1) == "anon" ? "" : "!tag";
    for (std::size_t c = 1; c < colours.size(); ++c)
        if (colours[c] != "black") colour.append("{").append(colours[c]).append("}");
    auto operand = [&](std::size_t i) { return read(t, std::stoul(field(k + 1, i))); };
    if (kind == "join")
        return "(" + operand(1) + " " + (field(k, 1) == juxtapositionJoinText ? "·" : field(k, 1)) + colour + " " +
               operand(2) + ")";
    if (kind == "unary") return "[" + operand(1) + "]" + colour;
    if (kind == "integer") return "#" + field(k, 1) + colour;
    if (kind == "signed_rational") return "<" + field(k, 1) + field(k, 2) + "/" + field(k, 3) + ">" + colour;
    return (field(k, 1).empty() ? "''" : field(k, 1)) + colour;
}
std::string read(const Engine_Table& t) {
    return t.empty() ? "<none>" : read(t, std::stoul(std::string(t.at(0).at(1))));
}

Monomial mono(std::int64_t n, std::int64_t d, std::uint64_t e, Color nc = Color::black) {
    return makeMonomialX(makeSingleColorRational(n, d, nc), e);
}
Term_XL plain(std::int64_t n, std::int64_t d, std::uint64_t e) { return makeTermXL(mono(n, d, e), {}); }
/// [x + 1], [x − 3] and a root group.
Polynomial_XL grouped(std::vector<Term_XL> root) {
    return makePolynomialXL({{plain(1, 1, 1), plain(1, 1, 0)}, {plain(1, 1, 1), plain(-3, 1, 0)}, std::move(root)});
}

}  // namespace

TEST(Tables, Numbers) {
    EXPECT_EQ(read(rationalTable(false, RF, 3, 1)), "3");
    EXPECT_EQ(read(rationalTable(true, RF, 3, 1, Color::red, Color::blue, Color::green)), "(3{red} /{green} 1{blue})");
    EXPECT_EQ(read(rationalTable(false, D, 1, 3)), "0.33333333");
    EXPECT_EQ(read(rationalTable(false, D, 2, 4)), "0.5");
    EXPECT_EQ(read(rationalTable(false, F, 3, -4, Color::red)), "<-3/4>{red}{red}");
    EXPECT_EQ(read(rationalTable(true, F, makeDefaultRational(-6, 1))), "<-6/1>");
    // A zero denominator draws, whatever the style: as its fraction, with its sign.
    EXPECT_EQ(read(rationalTable(false, D, 1, 0)) + read(rationalTable(false, D, -1, 0)), "<+1/0><-1/0>");
    EXPECT_EQ(read(rationalTable(false, D, 0, 0)), "<+0/0>");
    EXPECT_EQ(read(rationalTable(false, D, 0, -5)), "0");  // no negative zero
    EXPECT_EQ(read(rationalTable(false, F, -5, 0)) + read(rationalTable(false, RF, 5, 0)), "<-5/0>(5 / 0)");
}

TEST(Tables, Monomials) {
    const std::vector<std::tuple<Monomial, Style, std::string, std::string>> cases{
        {mono(1, 1, 1), F, "x", "x"},
        {mono(-1, 1, 2), F, "(- · x²)", "(- · x²)"},
        {mono(2, 3, 1), RF, "((2 · x) / 3)", "((2 · x) / 3)"},
        {mono(2, 3, 1), F, "(<+2/3> · x)", "(<+2/3> · x)"},
        {mono(-1, 1, 1), D, "(- · x)", "(- · x)"},
        {mono(1, 3, 10), D, "(0.33333333 · x...)", "(0.33333333 · x...)"},
        {mono(1, 1, 1), RF, "('' · x)", "x"},
        {mono(-1, 2, 3), RF, "((- · x³) / 2)", "(((- · x) · ³) / 2)"},
        {mono(-7, 2, 0), RF, "(-7 / 2)", "((- · 7) / 2)"},
        {mono(4, 2, 1), D, "(2 · x)", "(2 · x)"},
        {mono(3, 0, 1), D, "(<+3/0> · x)", "(<+3/0> · x)"},
    };
    for (const auto& [m, style, row, monomial] : cases) {
        EXPECT_EQ(read(numberRowParts(m, style)), row) << monomial;
        EXPECT_EQ(read(monomialTable(m, style)), monomial) << row;
    }
    // In rational_fraction style the line is made of pieces, and its bar takes the numerator colour.
    const Monomial red = makeColoredMonomial(makeThreeColorRational(-3, 4, Color::red, Color::blue, Color::green),
                                             2, "y", Color::gray);
    EXPECT_EQ(read(monomialTable(red, RF)), "((((-{red} · 3{red}) · y{gray}) · ²{gray}) /{red} 4{blue})");
}

TEST(Tables, Polynomials) {
    const std::vector<Monomial> p{mono(1, 1, 2), mono(-3, 1, 1, Color::red), mono(5, 1, 0)};
    EXPECT_EQ(read(polynomialTable(RF, p)), "((('' · x²) −{red} (3{red} · x)) + 5)");
    EXPECT_EQ(read(polynomialTable(D, {mono(3, 4, 1), mono(-1, 4, 0)})), "((0.75 · x) − 0.25)");
    EXPECT_EQ(read(polynomialTable(F, {})), "0");  // the empty sum

    PolyEquation e = makeColoredEquationXL(makePolynomial({mono(1, 2, 1)}), makePolynomial({mono(-1, 1, 0)}),
                                           Relation::less_than, Color::red);
    EXPECT_EQ(read(clearedEquationTable(F, makePolyEquationClear(6, e, Color::blue))),
              "((6{blue} · [(<+1/2> · x)]) < (6{blue} · [-1]))");
}

TEST(Tables, MostNegativeIntegerIsWrittenWhole) {
    const std::int64_t min = INT64_MIN;
    const std::string m = "9223372036854775808";
    EXPECT_EQ(read(polynomialTable(F, {mono(1, 1, 0), mono(min, 1, 1)})), "(1 − (" + m + " · x))");
    EXPECT_EQ(read(polynomialTable(F, {mono(1, 1, 0), mono(min, min, 0)})), "(1 − <-" + m + "/" + m + ">)");
    EXPECT_EQ(read(rationalTable(false, F, min, 3)), "<-" + m + "/3>");
    EXPECT_EQ(read(monomialTable(mono(min, 1, 1), RF)), "((- · " + m + ") · x)");
    EXPECT_EQ(read(polynomialTable(D, {mono(0, 1, 0), mono(min, 1, 0)})), "(0 − 9.223372e+18)");
    EXPECT_EQ(read(polynomialRow(RF, makePolynomialXL({{plain(1, 1, 0), plain(min, min, 2)}}))),
              "(1 − ((" + m + " · x²) / -" + m + "))");
}

TEST(Tables, GroupedPolynomials) {
    const Term_XL twice = makeTermXL(mono(2, 1, 0), {makeFactor(0, 1), makeFactor(1, 2)});
    EXPECT_EQ(read(polynomialRow(F, grouped({twice}))), "(2 · (('' · [(x + 1)]) · ([(x − 3)] ^ #2)))");
    // A unit coefficient before a single group drops the parentheses in rational_fraction style only.
    const Term_XL once = makeTermXL(mono(1, 1, 0), {makeFactor(0, 1)});
    EXPECT_EQ(read(polynomialRow(RF, grouped({once}))), "(('' · x) + 1)");
    EXPECT_EQ(read(polynomialRow(F, grouped({once}))), "('' · [(x + 1)])");
    const Term_XL half = makeTermXL(mono(-1, 2, 0, Color::red), {makeColoredFactor(1, 1, Color::blue, Color::blue)});
    EXPECT_EQ(read(polynomialRow(D, grouped({plain(3, 1, 1), half}))),
              "((3 · x) −{red} ((('' · x) − 3) /{red} 2{red}))");
    EXPECT_EQ(read(polynomialRow(D, grouped({half}))), "((-{red} · ('' · [(('' · x) − 3)]{blue})) /{red} 2{red})");
    // A unit over a negative denominator is written out in fraction style: its sign is not its numerator's.
    const Term_XL minusOne = makeTermXL(mono(2, -2, 0), {makeFactor(0, 1), makeFactor(1, 1)});
    EXPECT_EQ(read(polynomialRow(F, grouped({plain(5, 1, 0), minusOne}))),
              "(5 + (<-2/2> · (('' · [(x + 1)]) · [(x − 3)])))");
    EXPECT_EQ(read(polynomialRow(F, grouped({minusOne}))), "(<-2/2> · (('' · [(x + 1)]) · [(x − 3)]))");
    EXPECT_EQ(read(equationRow(RF, makeColoredEquationXL(grouped({plain(2, 3, 1)}), Polynomial_XL{},
                                                         Relation::equal_to, Color::red))),
              "unexpected error");
    EXPECT_EQ(read(polynomialRowParts(0, F, {{}})), "<none>");  // a group without terms has no rows
    // Broken references are refused, a cycle too (instead of recursing for ever).
    EXPECT_THROW(polynomialRow(F, makePolynomialXL({{once}})), PreconditionError);
    EXPECT_THROW(polynomialRow(F, makePolynomialXL({{makeTermXL(mono(1, 1, 0), {makeFactor(5, 1)})}})),
                 PreconditionError);
    // A long chain of unit groups draws once per group, not twice.
    std::vector<std::vector<Term_XL>> chain{{plain(1, 1, 1)}};
    for (std::uint64_t g = 0; g < 60; ++g) chain.push_back({makeTermXL(mono(1, 1, 0), {makeFactor(g, 1)})});
    EXPECT_EQ(read(polynomialRowParts(60, RF, chain)), "('' · x)");
}

TEST(Tables, PolynomialText) {
    using P = std::vector<TermTextPair>;
    EXPECT_EQ(polynomialText(P{{"1", "2"}, {"-3", "1"}, {"5", "0"}}, false), "x² - 3x + 5");
    EXPECT_EQ(polynomialText(P{{"0", "1"}, {"0", "0"}}, true), "0");
    EXPECT_EQ(polynomialText(P{{"0", "1"}, {"-1", "12"}, {"1", "0"}}, false), "0x - x... + 1");
    EXPECT_EQ(polynomialText(P{{"-1", "1"}, {"1/2", "1"}, {"-1", "0"}}, true), "-x + 1/2x - 1");
    EXPECT_EQ(polynomialText(P{}, false), "0");
}

TEST(Tables, EveryValueDrawsInEveryStyle) {
    SystemRandom random(104);
    const std::int64_t edges[] = {INT64_MIN, INT64_MIN + 1, -1, 0, 1, 2, INT64_MAX};
    auto pick = [&] {
        return random.uniformBelow(2) ? edges[random.uniformBelow(7)] : random.uniformInRange(-9, 9);
    };
    for (int i = 0; i < 300; ++i) {
        std::vector<Monomial> terms;
        for (int k = 0; k < 3; ++k) terms.push_back(mono(pick(), pick(), random.uniformBelow(12)));
        const Polynomial_XL p = grouped({makeTermXL(terms[1], {makeFactor(0, 3)}), plain(pick(), pick(), 0)});
        for (Style style : allCases<Style>()) {
            // No value is drawn as a number it is not: a value over 0 has none.
            for (const std::string& text : {read(polynomialTable(style, terms)), read(monomialTable(terms[0], style)),
                                            read(polynomialRow(style, p))})
                EXPECT_TRUE(text.find("inf") == std::string::npos && text.find("nan") == std::string::npos)
                    << i << ": " << text;
        }
        // Over 0, decimal style draws the fraction that fraction style draws.
        for (const Monomial& m : terms) {
            if (m.coefficient.denominator != 0) continue;
            EXPECT_EQ(numberRowParts(m, D), numberRowParts(m, F)) << i << ": " << read(numberRowParts(m, F));
        }
    }
}
