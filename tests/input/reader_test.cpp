// Free-format reads and text lines of the input data file, and the orderly errors for a file
// that ends too soon, a value that is not a number and a count beyond its table.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/run.hpp"
#include "input/reader.hpp"
#include "support/memory_run.hpp"

namespace mervik {
namespace {

struct ReaderTest : testing::MemoryRunTest {
    void input(const std::string& text) { setInput(text); }
};

TEST_F(ReaderTest, ValuesSeparatedByBlanksOrCommasAndRunningOnToLaterLines) {
    input("  3, 2.5\n\n   \n-7.25E2 ,1.5D-3\n9 99\n");
    int a = 0;
    double b = 0, c = 0, d = 0;
    ASSERT_TRUE(readFree(*run, {intItem(a), realItem(b), realItem(c), realItem(d)}));
    EXPECT_EQ(a, 3);
    EXPECT_EQ(b, 2.5);
    EXPECT_EQ(c, -725.0);
    EXPECT_EQ(d, 1.5e-3);
    // The next read starts on a new line: what remained of the last line is not read.
    ASSERT_TRUE(readInt(*run, a));
    EXPECT_EQ(a, 9);
}

TEST_F(ReaderTest, ExtraValuesOnALineAreIgnored) {
    input("1 2 3\n4\n");
    int a = 0;
    ASSERT_TRUE(readInt(*run, a));
    ASSERT_TRUE(readInt(*run, a));
    EXPECT_EQ(a, 4);
}

TEST_F(ReaderTest, RealForms) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {{"12", 12.0}, {"+.5", 0.5}, {"5.", 5.0}, {"1e3", 1000.0}, {"2.5d-2", 0.025},
                          {"1.5-3", 1.5e-3}, {"-3.0E+01", -30.0}, {"7Q1", 70.0}};
    for (const Case& c : cases) {
        start();
        input(std::string(c.text) + "\n");
        double v = 0;
        ASSERT_TRUE(readReal(*run, v)) << c.text;
        EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
}

TEST_F(ReaderTest, WordsQuotedOrEndingAtSeparators) {
    input("MaxIter 100\n'a b,c' \"it\"\"s\"\nLabelLongerThanTheField/ 5\n");
    std::string w1, w2, w3;
    int n = 0;
    ASSERT_TRUE(readFree(*run, {wordItem(w1, 16), intItem(n)}));
    EXPECT_EQ(w1, "MaxIter         ");
    EXPECT_EQ(n, 100);
    ASSERT_TRUE(readFree(*run, {wordItem(w1, 5), wordItem(w2, 4)}));
    EXPECT_EQ(w1, "a b,c");
    EXPECT_EQ(w2, "it\"s");
    // The slash ends the read: the integer keeps its value.
    ASSERT_TRUE(readFree(*run, {wordItem(w3, 11), intItem(n)}));
    EXPECT_EQ(w3, "LabelLonger");
    EXPECT_EQ(n, 100);
}

TEST_F(ReaderTest, SlashNullValuesAndRepeatCounts) {
    input("1, ,3\n2*4.5 2* 6\n,8 /\n");
    int a = -1, b = -1, c = -1;
    ASSERT_TRUE(readFree(*run, {intItem(a), intItem(b), intItem(c)}));
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, -1);  // ", ," leaves its target unchanged
    EXPECT_EQ(c, 3);
    double x = 0, y = 0, z = -1, u = -1, v = 0;
    ASSERT_TRUE(readFree(*run, {realItem(x), realItem(y), realItem(z), realItem(u), realItem(v)}));
    EXPECT_EQ(x, 4.5);
    EXPECT_EQ(y, 4.5);
    EXPECT_EQ(z, -1.0);
    EXPECT_EQ(u, -1.0);
    EXPECT_EQ(v, 6.0);
    int p = -1, q = -1, r = -1;
    ASSERT_TRUE(readFree(*run, {intItem(p), intItem(q), intItem(r)}));
    EXPECT_EQ(p, -1);  // a leading comma is a null value
    EXPECT_EQ(q, 8);
    EXPECT_EQ(r, -1);
}

TEST_F(ReaderTest, UnreadableNumberIsAnOrderlyInputError) {
    struct Case {
        const char* text;
        bool integer;
    };
    for (const Case& c : {Case{"1.5", true}, Case{"12abc", true}, Case{"abc", false}, Case{"1.0E", false},
                          Case{"'7'", true}, Case{"99999999999", true}}) {
        start();
        input(std::string("first\n") + c.text + "\n");
        setInputSection(*run, "TIP SHEAR");
        std::string skip;
        ASSERT_TRUE(readTextLine(*run, skip));
        int i = 0;
        double x = 0;
        EXPECT_FALSE(c.integer ? readInt(*run, i) : readReal(*run, x)) << c.text;
        EXPECT_EQ(run->errorNumber, 191) << c.text;
        const std::string text = messages();
        EXPECT_NE(text.find("**** Input Data Error No. 91 ****"), std::string::npos) << text;
        EXPECT_NE(text.find("TIP SHEAR section"), std::string::npos) << text;
        EXPECT_NE(text.find("line 2 of the input data file:\n" + std::string(c.text) + "\n"), std::string::npos) << text;
        EXPECT_NE(report().find("Mervik ended prematurely due to input error number INP00091"), std::string::npos);
    }
}

TEST_F(ReaderTest, EndOfFileBeforeTheValuesIsAnOrderlyInputError) {
    input("1 2\n\n");
    setInputSection(*run, "SOIL LAYERS");
    int a = 0, b = 0, c = 0;
    EXPECT_FALSE(readFree(*run, {intItem(a), intItem(b), intItem(c)}));
    EXPECT_EQ(run->errorNumber, 190);
    EXPECT_NE(messages().find("The input data file ended while the SOIL LAYERS section was being read."),
              std::string::npos);
    // Once a run has failed nothing more is read.
    std::string line;
    EXPECT_FALSE(readTextLine(*run, line));
}

TEST_F(ReaderTest, TextLinesAreCutAt256AndKeywordsIgnoreTrailingBlanksOnly) {
    input(std::string(300, 'x') + "\r\nUnits SI   \n");
    std::string line;
    ASSERT_TRUE(readTextLine(*run, line));
    EXPECT_EQ(line.size(), 256u);
    ASSERT_TRUE(readTextLine(*run, line));
    EXPECT_TRUE(sameText(line, "Units SI"));
    EXPECT_FALSE(sameText(" Units SI", "Units SI"));
    EXPECT_FALSE(sameText("units SI", "Units SI"));
    EXPECT_FALSE(sameText("Units  SI", "Units SI"));
    EXPECT_FALSE(sameText("Units SI x", "Units SI"));
    EXPECT_FALSE(readTextLine(*run, line));
    EXPECT_EQ(run->errorNumber, 190);
}

TEST_F(ReaderTest, CountBeyondItsTableIsRefused) {
    setInputSection(*run, "TIP SHEAR");
    EXPECT_TRUE(checkCapacity(*run, 50, 50, "tip shear points"));
    EXPECT_FALSE(run->failed());
    EXPECT_FALSE(checkCapacity(*run, 51, 50, "tip shear points"));
    EXPECT_EQ(run->errorNumber, 192);
    EXPECT_NE(messages().find("Problem:  The number of tip shear points given in the TIP SHEAR section is 51,"),
              std::string::npos);
}

}  // namespace
}  // namespace mervik
