#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "cli/output_file.h"

namespace {

namespace fs = std::filesystem;

struct OutputFile : ::testing::Test {
    fs::path dir;

    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              ("quillfen-output-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::set<std::string> entries() const {
        std::set<std::string> names;
        for (const fs::directory_entry& e : fs::directory_iterator(dir))
            names.insert(e.path().filename().string());
        return names;
    }
};

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(OutputFile, WritesANewFileAndReplacesAnOldOneWhole) {
    const fs::path target = dir / "frame.svg";
    std::string error;
    ASSERT_TRUE(writeFileReplacing(target.string(), "first", error)) << error;
    EXPECT_EQ(contentOf(target), "first");
    ASSERT_TRUE(writeFileReplacing(target.string(), "second", error)) << error;
    EXPECT_EQ(contentOf(target), "second");
    EXPECT_EQ(entries(), std::set<std::string>{"frame.svg"});  // no temporary left

    // Permissions of a plain create: 0666 less the umask, not mkstemp's 0600.
    const mode_t mask = ::umask(0022);
    ASSERT_TRUE(writeFileReplacing(target.string(), "third", error)) << error;
    ::umask(mask);
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write |
                                                    fs::perms::group_read | fs::perms::others_read);
}

TEST_F(OutputFile, ABadPathFailsAndLeavesNothingBehind) {
    std::string error;
    const fs::path missing = dir / "no-such-dir" / "frame.svg";
    EXPECT_FALSE(writeFileReplacing(missing.string(), "x", error));
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(missing));

    const fs::path directory = dir / "a-directory";
    fs::create_directory(directory);
    error.clear();
    EXPECT_FALSE(writeFileReplacing(directory.string(), "x", error));
    EXPECT_NE(error.find(directory.string()), std::string::npos) << error;
    EXPECT_TRUE(fs::is_directory(directory));
    EXPECT_TRUE(fs::is_empty(directory));
    EXPECT_EQ(entries(), std::set<std::string>{"a-directory"});  // the temporary is gone

    EXPECT_FALSE(writeFileReplacing("", "x", error));
}

}  // namespace
