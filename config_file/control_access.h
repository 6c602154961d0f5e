// Finding the controls that a configuration file's items belong to, with a clear failure when a
// window lacks one.
#pragma once

#include <string>

#include "config_file/layout.h"
#include "platform/control.h"

namespace dunax::config_file {

// "txtBias(1)" or "txtTimeout".
std::string FieldName(const std::string& control, int index);

// The control name(index) of window w, which must be of kind k; throws ConfigError naming the
// window and the control otherwise.
platform::Control& ControlOf(platform::Form& w, const std::string& control, int index,
                             platform::Kind k);
// The same for any kind of control.
platform::Control& AnyControlOf(platform::Form& w, const std::string& control, int index = -1);

// The kind of control a field's source is read from.
platform::Kind KindOf(Source s);

}  // namespace dunax::config_file
