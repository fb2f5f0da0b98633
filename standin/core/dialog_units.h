// How the host shows a length of the settings dialog in the document's unit and reads it back;
// shared by both builds so that both write the same texts.
#pragma once

#include <cstdint>
#include <string>

namespace standin {

// Units: 1 ORVU, 2 inch, 3 cm, 4 point, 5 pica, 6 space, 7 mm; other codes are ORVU.
// The value in the unit, rounded half away from zero to at most four decimals, trailing zeros
// and a lone point trimmed ("12.5", "-0.0347", "0").
std::string formatUserValue(double orvu, int32_t unit);
// The text read as a decimal number in the unit, in ORVU; text that is not a number reads 0.
// Spaces around the number are allowed; so are a sign, a point and an exponent.
double parseUserValue(const std::string &text, int32_t unit);

} // namespace standin
