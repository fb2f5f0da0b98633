#include "input_error.h"

namespace standin {

std::string InputError::line() const {
    if (item.empty())
        return file + ": " + problem;
    return file + ": " + item + ": " + problem;
}

} // namespace standin
