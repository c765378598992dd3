// File channels: a file written over holds exactly the new content, whatever it held before
// and whatever the run discarded by a rewind.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "report/channel.hpp"
#include "report/layout.hpp"
#include "support/temp_run.hpp"

namespace mervik {
namespace {

using mervik::testing::TempDir;

std::string writtenOver(const TempDir& dir, const std::string& before, const std::function<void(Channel&)>& body) {
    if (!before.empty()) dir.write("file.out", before);
    Channel channel;
    EXPECT_TRUE(channel.openFile((dir / "file.out").string()));
    body(channel);
    channel.close();
    return dir.read("file.out");
}

TEST(FileChannel, WrittenOverHoldsOnlyTheNewContent) {
    const std::string longer(10000, 'x');
    struct Case {
        const char* label;
        std::string before;  // empty: no file yet
        std::function<void(Channel&)> body;
        std::string expected;
    };
    const Case cases[] = {
        {"new file", "", [](Channel& c) { writeTextLine(c, "one"); }, "one\n"},
        {"longer file before", longer, [](Channel& c) { writeTextLine(c, "one"); }, "one\n"},
        {"shorter file before", "ab\n", [](Channel& c) { writeTextLines(c, {"first", "second"}); }, "first\nsecond\n"},
        {"nothing written over a file", longer, [](Channel&) {}, ""},
        // The content before a rewind is longer than the content after it.
        {"rewound", "",
         [&](Channel& c) {
             writeTextLine(c, longer);
             c.rewind();
             writeTextLine(c, "after");
         },
         "after\n"},
        // A file longer still than anything this channel wrote stays cut to the new content.
        {"rewound over a longer file", longer + longer,
         [&](Channel& c) {
             writeTextLine(c, longer);
             c.rewind();
             writeTextLine(c, "after");
         },
         "after\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempDir dir;
        EXPECT_EQ(writtenOver(dir, c.before, c.body), c.expected);
    }
}

// A run that never closes its files (a killed process) must not leave the tail of an earlier
// run behind its own lines: the earlier content is gone as soon as the file is opened.
TEST(FileChannel, EarlierContentIsGoneOnOpening) {
    TempDir dir;
    dir.write("file.out", std::string(10000, 'x'));
    Channel channel;
    ASSERT_TRUE(channel.openFile((dir / "file.out").string()));
    EXPECT_LE(std::filesystem::file_size(dir / "file.out"), 1u);
    writeTextLine(channel, "one");
    channel.close();
    EXPECT_EQ(dir.read("file.out"), "one\n");
}

TEST(FileChannel, LargeContentArrivesWhole) {
    TempDir dir;
    std::string expected;
    const std::string text = writtenOver(dir, "", [&](Channel& c) {
        for (int k = 0; k < 20000; ++k) {
            Line(c).text("line ").i(k, 6).end();
            expected += "line " + std::string(6 - std::to_string(k).size(), ' ') + std::to_string(k) + "\n";
        }
    });
    EXPECT_EQ(text, expected);
}

}  // namespace
}  // namespace mervik
