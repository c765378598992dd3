// The library as a host uses it: loaded at run time, MGO looked up by name and called in the
// working directory where NAMES.DAT is.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>

#include "support/temp_run.hpp"

namespace mervik {
namespace {

using testing::TempDir;

// Changes the working directory for the life of the object.
class InDirectory {
public:
    explicit InDirectory(const std::filesystem::path& dir) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~InDirectory() { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_;
};

class SharedLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        handle = dlopen(MERVIK_SHARED_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << dlerror();
    }
    void TearDown() override {
        if (handle != nullptr) dlclose(handle);
    }
    void* handle = nullptr;
};

TEST_F(SharedLibrary, HostCallsMGOInItsWorkingDirectory) {
    using Entry = std::int32_t (*)(std::int32_t);
    auto mgo = reinterpret_cast<Entry>(dlsym(handle, "MGO"));
    ASSERT_NE(mgo, nullptr);

    TempDir dir;
    dir.write("NAMES.DAT", "case.lp6\ncase.out\ncase.plt\ncase.msg\n");
    dir.write("M_vs_EI_report_names.txt", "");
    dir.write("case.lp6", testing::fixture("minimal_ei_only.lp6"));
    {
        InDirectory in(dir.path());
        EXPECT_EQ(mgo(0), 0);
    }
    EXPECT_NE(dir.read("case.out").find("The analysis ended normally. "), std::string::npos);
    EXPECT_NE(dir.read("case.msg").find("The analysis ended normally. "), std::string::npos);
    EXPECT_FALSE(dir.exists("M_vs_EI_report_names.txt"));

    // A second call is a new run: the 0-byte input now fails on its own.
    dir.write("case.lp6", "");
    dir.write("M_vs_EI_report_names.txt", "");
    InDirectory in(dir.path());
    EXPECT_EQ(mgo(7), 125);
}

TEST_F(SharedLibrary, OnlyTheEntryPointsAreExported) {
    EXPECT_NE(dlsym(handle, "mervik_run_files"), nullptr);
    // Engine internals stay hidden behind the C entry points.
    EXPECT_EQ(dlsym(handle, "_ZN6mervik12resultCodeERKNS_3RunE"), nullptr);
}

TEST_F(SharedLibrary, RunFilesEntryTakesThePathsDirectly) {
    using Entry = std::int32_t (*)(const char*, const char*, const char*, const char*);
    auto runFiles = reinterpret_cast<Entry>(dlsym(handle, "mervik_run_files"));
    ASSERT_NE(runFiles, nullptr);
    TempDir dir;
    dir.write("a.lp6", testing::fixture("minimal_ei_only.lp6"));
    const std::string in = (dir / "a.lp6").string(), out = (dir / "a.out").string(), plt = (dir / "a.plt").string(),
                      msg = (dir / "a.msg").string();
    EXPECT_EQ(runFiles(in.c_str(), out.c_str(), plt.c_str(), msg.c_str()), 0);
    EXPECT_NE(dir.read("a.out").find("Name of input data file:       a.lp6\n"), std::string::npos);
    // An empty name is refused like an empty line of NAMES.DAT.
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(runFiles(in.c_str(), "", plt.c_str(), msg.c_str()), 217);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("Output filename information is corrupted."),
              std::string::npos);
    EXPECT_EQ(runFiles(nullptr, out.c_str(), plt.c_str(), msg.c_str()), 217);
}

}  // namespace
}  // namespace mervik
