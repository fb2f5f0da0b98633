// Whole files read and written as bytes, the same way in both builds.
#pragma once

#include <string>

namespace standin {

enum class FileRead { Read, Missing, Failed };

// Paths are UTF-8. On failure `problem` says why (e.g. "cannot open: Permission denied").
FileRead readWholeFile(const std::string &path, std::string &contents, std::string &problem);
// "-" writes to standard output. No line-end translation on any platform.
bool writeWholeFile(const std::string &path, const std::string &contents, std::string &problem);

} // namespace standin
