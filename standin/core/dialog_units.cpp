#include "dialog_units.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace standin {

namespace {

constexpr double kOrvuPerInch = 288.0;
constexpr double kFourDecimals = 10000.0;
// Beyond this the scaled value no longer holds every integer exactly.
constexpr double kLargestExactScaled = 9007199254740992.0;

// A decimal number and nothing else but surrounding spaces: what strtod reads whole, without the
// letters of "inf", "nan" and hex that it would take too.
bool readDecimal(const std::string &text, double &value) {
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return false;
    const std::string number = text.substr(begin, text.find_last_not_of(" \t") + 1 - begin);
    if (number.find_first_not_of("0123456789+-.eE") != std::string::npos)
        return false;
    char *end = nullptr;
    value = std::strtod(number.c_str(), &end);
    return end == number.c_str() + number.size();
}

double orvuPerUnit(int32_t unit) {
    switch (unit) {
    case 2:
        return kOrvuPerInch;
    case 3:
        return kOrvuPerInch / 2.54;
    case 4:
        return 4.0;
    case 5:
        return 48.0;
    case 6:
        return 24.0;
    case 7:
        return kOrvuPerInch / 25.4;
    default:
        return 1.0;
    }
}

} // namespace

std::string formatUserValue(double orvu, int32_t unit) {
    const double scaled = std::round(orvu / orvuPerUnit(unit) * kFourDecimals);
    if (std::isnan(scaled))
        return "0";
    if (!(std::fabs(scaled) < kLargestExactScaled)) {
        // So large that no decimals are left to show.
        char whole[400];
        std::snprintf(whole, sizeof whole, "%.0f", orvu / orvuPerUnit(unit));
        return whole;
    }
    const long long tenThousandths = static_cast<long long>(scaled);
    if (tenThousandths == 0)
        return "0";
    const unsigned long long magnitude =
        static_cast<unsigned long long>(tenThousandths < 0 ? -tenThousandths : tenThousandths);
    std::string text = (tenThousandths < 0 ? "-" : "") + std::to_string(magnitude / 10000);
    std::string fraction = std::to_string(magnitude % 10000);
    fraction.insert(0, 4 - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty())
        text += "." + fraction;
    return text;
}

double parseUserValue(const std::string &text, int32_t unit) {
    double value = 0.0;
    if (!readDecimal(text, value) || !std::isfinite(value))
        return 0.0;
    return value * orvuPerUnit(unit);
}

} // namespace standin
