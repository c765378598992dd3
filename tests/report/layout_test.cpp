// Report lines in the layout notation: positioning, line ends, continuation, repeat groups and
// the reuse of a layout when values remain.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "report/channel.hpp"
#include "report/layout.hpp"

namespace mervik {
namespace {

std::string written(const std::function<void(Channel&)>& body) {
    Channel channel;
    channel.openMemory();
    body(channel);
    channel.close();
    return channel.memory();
}

TEST(LineBuilder, LabelLineTabsToColumn56) {
    const std::string out = written([](Channel& c) {
        Line(c).text("Soil Layer Number").tab(56).text("= ").i(3, 12).blanks(1).text("in ").end();
    });
    const std::string expected = "Soil Layer Number" + std::string(38, ' ') + "= " + std::string(11, ' ') + "3 in \n";
    EXPECT_EQ(out, expected);
}

TEST(LineBuilder, TabBackOverwrites) {
    const std::string out = written([](Channel& c) { Line(c).text("abcdefgh").tab(3).text("XY").end(); });
    EXPECT_EQ(out, "abXYefgh\n");
}

TEST(LineBuilder, BlanksSkippedByPositioningAloneAreNotWritten) {
    // Moving on without text after it does not lengthen the line.
    const std::string out = written([](Channel& c) { Line(c).text("ab").x(5).end(); });
    EXPECT_EQ(out, "ab\n");
}

TEST(LineBuilder, ContinuedWriteCountsTabsFromWhereItBegan) {
    const std::string out = written([](Channel& c) {
        Line(c).text("12345").open();
        Line(c).tab(3).text("x").end();
    });
    EXPECT_EQ(out, "12345  x\n");
}

TEST(LineBuilder, IntegerWriterWidthOutsideRangeIsTen) {
    const std::string out = written([](Channel& c) {
        Line(c).integer(42, 0).end();
        Line(c).integer(42, 17).end();
        Line(c).integer(42, 16).end();
    });
    EXPECT_EQ(out, "        42\n        42\n              42\n");
}

TEST(LineBuilder, ShortTextAndModelNameWidths) {
    const std::string out = written([](Channel& c) {
        Line(c).shortText("SoftClay    extra").modelName(6).text("|").end();
        Line(c).modelName(0).text("|").end();
    });
    EXPECT_EQ(out, "SoftClay  API Sand" + std::string(26, ' ') + "|\n" + std::string(34, ' ') + "|\n");
}

struct LayoutCase {
    const char* name;
    const char* layout;
    std::function<void(Channel&, const char*)> write;
    const char* expected;
};

TEST(LayoutInterpreter, Cases) {
    const LayoutCase cases[] = {
        {"heading block after an ended line", R"(//,"Title",/)",
         [](Channel& c, const char* l) { writeLayout(c, l); }, "\n\nTitle\n\n"},
        {"repeat group of a text", R"(5("-"),"|")", [](Channel& c, const char* l) { writeLayout(c, l); }, "-----|\n"},
        {"repeat count of a data item", "3I4",
         [](Channel& c, const char* l) { writeLayout(c, l, {1, 22, 333}); }, "   1  22 333\n"},
        {"texts up to the first item without a value", R"("a=",I2," b=",I2," c")",
         [](Channel& c, const char* l) { writeLayout(c, l, {1}); }, "a= 1 b=\n"},
        {"reuse from the beginning without groups", R"("v",I2)",
         [](Channel& c, const char* l) { writeLayout(c, l, {1, 2, 3}); }, "v 1\nv 2\nv 3\n"},
        {"reuse from the last top-level group", R"("head",2(I3))",
         [](Channel& c, const char* l) { writeLayout(c, l, {1, 2, 3, 4, 5}); }, "head  1  2\n  3  4\n  5\n"},
        {"dollar leaves the line open", R"("label = ",$)",
         [](Channel& c, const char* l) {
             writeLayout(c, l);
             writeLayout(c, "F8.3", {2.5});
         },
         "label =    2.500\n"},
        {"leading slash ends an open line only", R"(/,"x")",
         [](Channel& c, const char* l) {
             writeLayout(c, R"("a",$)");
             writeLayout(c, l);
         },
         "a\nx\n"},
        {"T after X, character items", R"(A,T6,A3,1X,A)",
         [](Channel& c, const char* l) { writeLayout(c, l, {"ab", "xyz12", "in "}); }, "ab   xyz in \n"},
        {"quoted apostrophes and commas", R"('it''s, ok',I0)",
         [](Channel& c, const char* l) { writeLayout(c, l, {7}); }, "it's, ok7\n"},
        {"scientific and fixed fields", "ES11.4,F8.2,I3.2",
         [](Channel& c, const char* l) { writeLayout(c, l, {12345600000.0, -1.125, 5}); },
         " 1.2346E+10   -1.13 05\n"},
        {"overflow gives asterisks", "I3,F5.1", [](Channel& c, const char* l) { writeLayout(c, l, {1000, 1234.5}); },
         "********\n"},
    };
    for (const LayoutCase& c : cases) {
        const std::string out = written([&](Channel& ch) { c.write(ch, c.layout); });
        EXPECT_EQ(out, c.expected) << c.name;
    }
}

TEST(LayoutInterpreter, RejectsMalformedLayoutsWithoutWriting) {
    for (const char* bad : {"I", "F8", "\"open", "2(I3", "Q5", "I5)"}) {
        const std::string out = written([&](Channel& c) { EXPECT_FALSE(writeLayout(c, bad, {1})) << bad; });
        EXPECT_EQ(out, "") << bad;
    }
}

TEST(LayoutInterpreter, LayoutWithoutDataItemsIsWrittenOnceWhateverTheValues) {
    const std::string out = written([](Channel& c) { writeLayout(c, R"("only text")", {1, 2}); });
    EXPECT_EQ(out, "only text\n");
}

TEST(TextLineWriters, PlainIndentedAndBlankLines) {
    const std::string out = written([](Channel& c) {
        writeTextLine(c, "first ");
        writeIndentedTextLine(c, "second");
        writeBlankLines(c, 2);
    });
    EXPECT_EQ(out, "first \n second\n\n\n");
}

TEST(Channel, RewindDiscardsWhatWasWritten) {
    Channel channel;
    channel.openMemory();
    writeTextLine(channel, "before");
    channel.rewind();
    writeTextLine(channel, "after");
    channel.close();
    EXPECT_EQ(channel.memory(), "after\n");
}

}  // namespace
}  // namespace mervik
