#include "algebra/monomial.hpp"

#include <utility>

namespace tl {

Monomial makeMonomial(const Rational& coefficient, std::uint64_t exponent, std::string variable) {
    return Monomial{coefficient, exponent, std::move(variable), Color::black};
}

Monomial makeMonomialX(const Rational& coefficient, std::uint64_t exponent) {
    return makeMonomial(coefficient, exponent, "x");
}

Monomial makeColoredMonomial(const Rational& coefficient, std::uint64_t exponent, std::string variable,
                             Color variable_color) {
    return Monomial{coefficient, exponent, std::move(variable), variable_color};
}

}  // namespace tl
