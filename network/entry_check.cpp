#include "network/entry_check.h"

#include "core/text.h"

namespace dunax::network {

std::string trimmed(const std::string& text) {
    const auto b = text.find_first_not_of(" \t");
    if (b == std::string::npos) return "";
    return text.substr(b, text.find_last_not_of(" \t") - b + 1);
}

std::optional<std::string> wholeNumberProblem(const std::string& entry, long max,
                                              const std::string& enterNumber,
                                              const std::string& enterRange) {
    const std::string text = trimmed(entry);
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
