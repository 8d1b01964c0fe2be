#include "testing/resource_dir.h"

#include <cstdlib>
#include <fstream>
#include <string>

ScratchWorkingDirectory::ScratchWorkingDirectory() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmory-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    root_ = pattern;
    std::filesystem::create_directory(root_ / "res");
    std::filesystem::current_path(root_);
}

ScratchWorkingDirectory::~ScratchWorkingDirectory() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void ScratchWorkingDirectory::write(const char* relativePath, const std::vector<std::uint8_t>& bytes) const {
    std::ofstream file(root_ / relativePath, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void ScratchWorkingDirectory::remove(const char* relativePath) const { std::filesystem::remove(root_ / relativePath); }
