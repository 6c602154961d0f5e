#include "config_file/control_access.h"

#include "config_file/record_io.h"

namespace dunax::config_file {

namespace {

std::string kindWord(platform::Kind k) {
    switch (k) {
        case platform::Kind::TextBox:
            return "text box";
        case platform::Kind::ComboBox:
            return "list box";
        case platform::Kind::OptionButton:
            return "option button";
        default:
            return "control";
    }
}

[[noreturn]] void missing(const platform::Form& w, const std::string& what) {
    throw ConfigError("The window " + w.name() + " has no " + what +
                      ". This program cannot save or open the settings of this window.");
}

}  // namespace

std::string FieldName(const std::string& control, int index) {
    return index < 0 ? control : control + "(" + std::to_string(index) + ")";
}

platform::Control& ControlOf(platform::Form& w, const std::string& control, int index,
                             platform::Kind k) {
    platform::Control* c = w.find(control, index);
    if (!c || c->kind() != k) missing(w, kindWord(k) + " " + FieldName(control, index));
    return *c;
}

platform::Control& AnyControlOf(platform::Form& w, const std::string& control, int index) {
    platform::Control* c = w.find(control, index);
    if (!c) missing(w, "control " + FieldName(control, index));
    return *c;
}

platform::Kind KindOf(Source s) {
    switch (s) {
        case Source::ListIndex:
            return platform::Kind::ComboBox;
        case Source::OptionValue:
            return platform::Kind::OptionButton;
        default:
            return platform::Kind::TextBox;
    }
}

}  // namespace dunax::config_file
