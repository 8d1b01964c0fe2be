// A scratch working directory for loaders that read fixed relative paths such as res\fm.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// Makes a fresh temporary directory with an empty res/ inside and makes it the working
// directory; the destructor restores the previous working directory and removes the tree.
class ScratchWorkingDirectory {
public:
    ScratchWorkingDirectory();
    ~ScratchWorkingDirectory();
    ScratchWorkingDirectory(const ScratchWorkingDirectory&) = delete;
    ScratchWorkingDirectory& operator=(const ScratchWorkingDirectory&) = delete;

    // Writes bytes to a file under the directory, e.g. "res/fm".
    void write(const char* relativePath, const std::vector<std::uint8_t>& bytes) const;
    void remove(const char* relativePath) const;

private:
    std::filesystem::path previous_;
    std::filesystem::path root_;
};
