#include "common/resource_file.h"

std::string hostPath(const char* path) {
    std::string mapped(path);
#if !defined(_WIN32)
    for (char& c : mapped) {
        if (c == '\\') c = '/';
    }
#endif
    return mapped;
}

std::FILE* openResourceFile(const char* path) { return std::fopen(hostPath(path).c_str(), "rb"); }
