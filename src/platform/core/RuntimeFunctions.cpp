#include <fw/RuntimeFunctions.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace fw {

std::int32_t RuntimeCvtReal64ToSInt32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

static std::uint8_t ClampPart(std::int32_t part)
{
    return static_cast<std::uint8_t>(part < 0 ? 0 : (part > 255 ? 255 : part));
}

Color RGB(std::int32_t red, std::int32_t green, std::int32_t blue)
{
    return { ClampPart(red), ClampPart(green), ClampPart(blue) };
}

std::string Str(double value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value > 0 ? "inf" : "-inf";
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string Str(std::int32_t value)
{
    return std::to_string(value);
}

static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The power of ten of a decimal number's leading non-zero digit, with the exponent saturated far
// beyond the Double range: tells an overflow from an underflow.
static std::int64_t DecimalOrder(std::string_view number)
{
    constexpr std::int64_t kSaturated = 1'000'000'000;
    std::size_t exponentAt = number.find_first_of("eE");
    std::string_view mantissa = number.substr(0, exponentAt);
    std::int64_t exponent = 0;
    if (exponentAt != std::string_view::npos) {
        std::size_t i = exponentAt + 1;
        bool negative = number[i] == '-';
        if (number[i] == '+' || number[i] == '-')
            ++i;
        for (; i < number.size(); ++i)
            exponent = std::min(exponent * 10 + (number[i] - '0'), kSaturated);
        if (negative)
            exponent = -exponent;
    }
    std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    std::size_t leading = mantissa.find_first_not_of("0.");
    if (leading == std::string_view::npos)
        return std::numeric_limits<std::int64_t>::min();
    std::int64_t order = leading < point ? std::int64_t(point - leading - 1) : -std::int64_t(leading - point);
    return order + exponent;
}

double Val(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::size_t numberStart = i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        std::size_t afterPoint = i + 1;
        std::size_t fractionDigits = 0;
        while (afterPoint + fractionDigits < text.size() && IsDigit(text[afterPoint + fractionDigits]))
            ++fractionDigits;
        if (digits + fractionDigits > 0) {
            i = afterPoint + fractionDigits;
            digits += fractionDigits;
        }
    }
    if (digits == 0)
        return 0;
    // An exponent counts only when at least one digit follows it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t exponent = i + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        if (exponent < text.size() && IsDigit(text[exponent])) {
            while (exponent < text.size() && IsDigit(text[exponent]))
                ++exponent;
            i = exponent;
        }
    }
    double magnitude = 0;
    auto [end, error] = std::from_chars(text.data() + numberStart, text.data() + i, magnitude, std::chars_format::general);
    if (error == std::errc::result_out_of_range)
        magnitude = DecimalOrder(text.substr(numberStart, i - numberStart)) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -magnitude : magnitude;
}

double Round(double value)
{
    return std::round(value);
}

double Pow(double base, double exponent) { return std::pow(base, exponent); }
double Sqrt(double value) { return std::sqrt(value); }
double Log(double value) { return std::log(value); }
double Sin(double radians) { return std::sin(radians); }
double Cos(double radians) { return std::cos(radians); }

std::string NthField(std::string_view text, std::string_view separator, std::int32_t index)
{
    if (index < 1)
        return {};
    if (separator.empty())
        return index == 1 ? std::string(text) : std::string();
    std::size_t fieldStart = 0;
    for (std::int32_t field = 1; field < index; ++field) {
        std::size_t next = text.find(separator, fieldStart);
        if (next == std::string_view::npos)
            return {};
        fieldStart = next + separator.size();
    }
    std::size_t fieldEnd = text.find(separator, fieldStart);
    return std::string(text.substr(fieldStart, fieldEnd == std::string_view::npos ? std::string_view::npos : fieldEnd - fieldStart));
}

std::int32_t RuntimeStringCompare(std::string_view first, std::string_view second)
{
    int order = first.compare(second);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

}
