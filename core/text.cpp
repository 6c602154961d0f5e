#include "core/text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

#include "platform/host.h"

namespace dunax::core {

namespace {

std::string afterFirst(std::string_view s, char sep) {
    const auto i = s.find(sep);
    if (i == std::string_view::npos) return std::string(s);
    return std::string(s.substr(i + 1));
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number text of s without its blanks and without a leading "+" (the form std::from_chars
// reads), or nullopt when s is not a number text.
std::optional<std::string_view> numberBody(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    const bool plus = !s.empty() && s.front() == '+';
    if (plus) s.remove_prefix(1);

    std::size_t i = 0;
    auto skipDigits = [&] {
        const std::size_t from = i;
        while (i < s.size() && isDigit(s[i])) ++i;
        return i - from;
    };
    if (!plus && i < s.size() && s[i] == '-') ++i;
    std::size_t mantissaDigits = skipDigits();
    if (i < s.size() && s[i] == '.') {
        ++i;
        mantissaDigits += skipDigits();
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (skipDigits() == 0) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    return s;
}

// For a number text whose value a double cannot hold: true when it is too large, false when
// it is too small. Decides by the decimal exponent of its first significant digit.
bool tooLarge(std::string_view body) {
    if (body.front() == '-') body.remove_prefix(1);
    const std::size_t point = std::min(body.find_first_of(".eE"), body.size());
    const std::size_t first = body.find_first_of("123456789");
    long magnitude = 0;
    if (first < point) {
        magnitude = static_cast<long>(point - first) - 1;  // "00120" -> 2
    } else {
        magnitude = -static_cast<long>(first - point);  // ".0012" -> -3
    }
    long exponent = 0;
    const std::size_t e = body.find_first_of("eE");
    if (e != std::string_view::npos) {
        std::size_t i = e + 1;
        const bool negative = body[i] == '-';
        if (body[i] == '+' || body[i] == '-') ++i;
        for (; i < body.size(); ++i) {
            if (exponent < 100000) exponent = exponent * 10 + (body[i] - '0');
        }
        if (negative) exponent = -exponent;
    }
    return magnitude + exponent > 0;
}

}  // namespace

std::string AfterHyphen(std::string_view s) {
    return afterFirst(s, '-');
}
std::string AfterX(std::string_view s) {
    return afterFirst(s, 'x');
}
std::string AfterColon(std::string_view s) {
    return afterFirst(s, ':');
}

std::string BeforeColon(std::string_view s) {
    const auto i = s.find(':');
    if (i == std::string_view::npos) return "";
    return std::string(s.substr(0, i));
}

std::string RemovePoint(std::string_view s) {
    std::string out(s);
    const auto i = out.find('.');
    if (i != std::string::npos) out.erase(i, 1);
    return out;
}

int HexDigitVal(std::string_view s) {
    if (s.size() == 1) {
        const char c = s[0];
        if (isDigit(c)) return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return 0;
    }
    if (s.size() == 2 && s[0] == '1' && s[1] >= '0' && s[1] <= '6') return 10 + (s[1] - '0');
    return 0;
}

void TellEnterNumber() {
    platform::host().messageBox("Please enter number.", platform::Icon::Information,
                                platform::Buttons::OK, "");
}

int CheckNumber(std::string_view v) {
    if (v.empty()) return 0;
    auto refuse = [] {
        TellEnterNumber();
        return 0;
    };
    for (std::size_t i = 0; i < 3 && i < v.size(); ++i) {
        if (v[i] == '+' || v[i] == '-' || v[i] == '.') return refuse();
    }
    const auto n = ToInt16(v);
    if (!n) return refuse();
    return *n;
}

void SplitIP(std::string_view s, std::string& part4, std::string& part3, std::string& part2,
             std::string& part1) {
    // Takes the text before the next "." off the rest; the whole rest when there is none.
    auto take = [&s] {
        const auto i = s.find('.');
        std::string part(s.substr(0, i));
        s = (i == std::string_view::npos) ? std::string_view{} : s.substr(i + 1);
        return part;
    };
    part1 = take();
    part2 = take();
    part3 = take();
    part4 = std::string(s);
}

bool IsNumeric(std::string_view s) {
    return ToDouble(s).has_value();
}

std::optional<double> ToDouble(std::string_view s) {
    const auto body = numberBody(s);
    if (!body) return std::nullopt;
    double value = 0.0;
    const char* end = body->data() + body->size();
    const auto [ptr, ec] = std::from_chars(body->data(), end, value);
    if (ec == std::errc::result_out_of_range) {
        if (tooLarge(*body)) return std::nullopt;
        return body->front() == '-' ? -0.0 : 0.0;
    }
    if (ec != std::errc{} || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<std::int16_t> RoundHalfEven16(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    const double below = std::floor(x);
    const double fraction = x - below;  // exact for every finite double
    double r = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) r = below + 1.0;
    if (r < -32768.0 || r > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(r);
}

std::optional<std::int16_t> ToInt16(std::string_view s) {
    const auto d = ToDouble(s);
    if (!d) return std::nullopt;
    return RoundHalfEven16(*d);
}

std::string ShortestDecimal(double x) {
    if (x == 0.0) return "0";  // also for -0.0
    std::array<char, 64> buf{};
    const double a = std::fabs(x);
    const auto r = (a >= 1e-5 && a < 1e15) ? std::to_chars(buf.data(), buf.data() + buf.size(), x,
                                                           std::chars_format::fixed)
                                           : std::to_chars(buf.data(), buf.data() + buf.size(), x);
    return std::string(buf.data(), r.ptr);
}

}  // namespace dunax::core
