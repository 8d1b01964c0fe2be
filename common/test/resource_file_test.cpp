#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "common/resource_file.h"

namespace {

TEST(HostPath, MapsEveryBackslashToTheHostSeparator) {
    EXPECT_EQ(hostPath("res\\hd"), "res/hd");
    EXPECT_EQ(hostPath("a\\b\\c"), "a/b/c");
    EXPECT_EQ(hostPath("plain"), "plain");
    EXPECT_EQ(hostPath(""), "");
}

TEST(OpenResourceFile, OpensRegularFilesOnly) {
    char pattern[] = "/tmp/velmory-common-XXXXXX";
    const std::filesystem::path dir = mkdtemp(pattern);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    std::filesystem::create_directories("res/folder");
    std::FILE* out = std::fopen("res/file", "wb");
    ASSERT_NE(out, nullptr);
    std::fputs("bytes", out);
    std::fclose(out);

    std::FILE* file = openResourceFile("res\\file");
    EXPECT_NE(file, nullptr) << "a backslash path names the file";
    if (file != nullptr) std::fclose(file);
    EXPECT_EQ(openResourceFile("res\\folder"), nullptr) << "a directory is no resource";
    EXPECT_EQ(openResourceFile("res\\missing"), nullptr);

    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
}

}  // namespace
