// Why the host refuses an input file: what it prints is one line naming the file, the item and
// the problem.
#pragma once

#include <optional>
#include <string>

namespace standin {

struct InputError {
    std::string file;
    std::string item; // e.g. "systems[3].spaceAbove"; empty when the problem is the whole file
    std::string problem;

    std::string line() const {
        return item.empty() ? file + ": " + problem : file + ": " + item + ": " + problem;
    }
};

using InputResult = std::optional<InputError>; // nothing when the input was accepted

} // namespace standin
