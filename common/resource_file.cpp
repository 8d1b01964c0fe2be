#include "common/resource_file.h"

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

std::string hostPath(const char* path) {
    std::string mapped(path);
#if !defined(_WIN32)
    for (char& c : mapped) {
        if (c == '\\') c = '/';
    }
#endif
    return mapped;
}

std::FILE* openResourceFile(const char* path) {
    std::FILE* file = std::fopen(hostPath(path).c_str(), "rb");
#if !defined(_WIN32)
    // A directory opens for reading here too, and its "length" from seeking to the end is
    // meaningless (LONG_MAX on some file systems): only a regular file is a resource.
    struct stat info {};
    if (file != nullptr && (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode))) {
        std::fclose(file);
        return nullptr;
    }
#endif
    return file;
}
