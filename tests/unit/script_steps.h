// The scripted user's steps ("click 109", "type 110 3", ...) written with the dialogs' resource
// ids, so that a test names the controls it acts on.
#pragma once

#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace scriptstep {

inline std::string click(int control) { return "click " + std::to_string(control); }

inline std::string type(int control, const std::string &text) {
    return "type " + std::to_string(control) + " " + text;
}

inline std::string pick(int control, const std::string &item) {
    return "pick " + std::to_string(control) + " " + item;
}

inline std::string spin(int control, const std::string &direction) {
    return "spin " + std::to_string(control) + " " + direction;
}

// Steps as one script, the way --do takes them.
inline std::string script(const std::vector<std::string> &steps) {
    std::string text;
    for (const auto &step : steps)
        text += (text.empty() ? "" : "; ") + step;
    return text;
}

} // namespace scriptstep
