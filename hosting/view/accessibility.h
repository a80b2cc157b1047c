#pragma once

#include "host/widget_host.h"

#include <string>

namespace ruvo::view {

// What a screen reader is told a widget is.
enum class Role {
    Client,      // the control's own surface
    Grouping,    // a frame
    StaticText,  // a label
    ResultText,  // the EDD or the gestation at birth: read-only text that takes the focus
    RadioButton, // an option button, one of its frame's exclusive group
    ComboBox,    // a drop-down list
    PushButton,  // a command button
    Graphic,     // the picture
    None,        // a timer: not shown
};

Role accessibleRole(const Widget&);

// A widget as assistive technology presents it. The name stays the same while a prompt blinks
// the caption away, and follows the surface where it should (the date frame's title, the
// measurement chosen).
struct Accessible {
    Role role = Role::None;
    // "Date of Ultrasound scan, Month", "Biparietal diameter, mm", "Yes", "EDD".
    std::string name;
    // What explains the widget further: the question, for "Yes" and "No".
    std::string description;
    // The text a result shows, announced whenever it changes.
    std::string value;
    friend bool operator==(const Accessible&, const Accessible&) = default;
};

Accessible accessibleOf(const Widget&);

} // namespace ruvo::view
