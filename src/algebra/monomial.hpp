// One polynomial term c·v^e of the algebra engine, with the colour of its
// variable (the coefficient carries its own colours).
#pragma once

#include <cstdint>
#include <string>

#include "algebra/rational.hpp"
#include "common/enums.hpp"

namespace tl {

struct Monomial {
    Rational coefficient{};
    std::uint64_t exponent = 0;  // 0: a constant
    std::string variable = "x";  // one character
    Color variable_color = Color::black;
};

Monomial makeMonomial(const Rational& coefficient, std::uint64_t exponent, std::string variable);
Monomial makeMonomialX(const Rational& coefficient, std::uint64_t exponent);
Monomial makeColoredMonomial(const Rational& coefficient, std::uint64_t exponent, std::string variable,
                             Color variable_color);

}  // namespace tl
