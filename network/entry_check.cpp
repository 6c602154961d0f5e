#include "network/entry_check.h"

#include "core/text.h"

namespace dunax::network {

std::optional<std::string> wholeNumberProblem(const std::string& text, long max,
                                              const std::string& enterNumber,
                                              const std::string& enterRange) {
    bool plain = !text.empty();
    for (char c : text) plain = plain && c >= '0' && c <= '9';
    if (plain) {
        const auto first = text.find_first_not_of('0');
        const std::string digits = first == std::string::npos ? "0" : text.substr(first);
        if (digits.size() > 9 || std::stol(digits) > max) return enterRange;
        return std::nullopt;
    }
    if (const auto v = core::ToDouble(text); v && (*v < 0.0 || *v > static_cast<double>(max))) {
        return enterRange;
    }
    return enterNumber;
}

}  // namespace dunax::network
