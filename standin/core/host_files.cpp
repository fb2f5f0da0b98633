#include "host_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <filesystem>
#include <io.h>
#endif

namespace standin {

namespace {

// File names are UTF-8 in both builds; Windows opens them by their UTF-16 form.
std::FILE *openFile(const std::string &path, bool writing) {
#ifdef _WIN32
    return _wfopen(std::filesystem::u8path(path).c_str(), writing ? L"wb" : L"rb");
#else
    return std::fopen(path.c_str(), writing ? "wb" : "rb");
#endif
}

} // namespace

FileRead readWholeFile(const std::string &path, std::string &contents, std::string &problem) {
    errno = 0;
    std::FILE *file = openFile(path, false);
    if (file == nullptr) {
        problem = std::string("cannot open: ") + std::strerror(errno);
        return errno == ENOENT ? FileRead::Missing : FileRead::Failed;
    }
    contents.clear();
    char chunk[65536];
    size_t count;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        contents.append(chunk, count);
    // A directory opens on some systems and only fails on reading.
    const bool failed = std::ferror(file) != 0;
    const int readErrno = errno;
    std::fclose(file);
    if (failed) {
        problem = std::string("cannot read: ") + std::strerror(readErrno);
        return FileRead::Failed;
    }
    return FileRead::Read;
}

bool writeWholeFile(const std::string &path, const std::string &contents, std::string &problem) {
    if (path == "-") {
#ifdef _WIN32
        // Reports must be byte-identical between the builds: no CR before each LF.
        _setmode(_fileno(stdout), _O_BINARY);
#endif
        const bool written =
            std::fwrite(contents.data(), 1, contents.size(), stdout) == contents.size() &&
            std::fflush(stdout) == 0;
        if (!written)
            problem = "cannot write to standard output";
        return written;
    }
    errno = 0;
    std::FILE *file = openFile(path, true);
    if (file == nullptr) {
        problem = std::string("cannot create: ") + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        problem = std::string("cannot write: ") + std::strerror(errno);
    return written && closed;
}

} // namespace standin
