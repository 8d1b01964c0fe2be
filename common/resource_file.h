// Opening the program's resource files. Resource paths are written with a backslash ("res\hd");
// this is the one place that maps it to the host's directory separator.
#pragma once

#include <cstdio>
#include <string>

// The path with every backslash replaced by the host's separator ('/' outside Windows).
std::string hostPath(const char* path);

// Opens the file at path (mapped by hostPath) for reading in binary mode; null when it cannot.
std::FILE* openResourceFile(const char* path);
