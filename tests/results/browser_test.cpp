// The figures of the demo in a real browser: headless Chromium loads index.html, whose script
// marks every figure it could not load in the body's attributes, and renders the page to a PNG
// that must show something. Skipped where Chromium (Debian's chromium package) is missing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <regex>
#include <sstream>
#include <string>

#include "results/command.hpp"
#include "support/temp_run.hpp"

namespace mervik {
namespace {

const char* const kChromium = "/usr/bin/chromium";
const char* const kPython = "/usr/bin/python3";

std::string chromium(const testing::TempDir& dir, const std::string& what, const std::string& page) {
    const std::string profile = (dir / "profile").string();
    return std::string("timeout 180 ") + kChromium +
           " --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking"
           " --disable-component-update --disable-sync --user-data-dir='" + profile + "' " + what + " 'file://" + page +
           "' 2>/dev/null";
}

// The attributes the page's script sets on the body once every image has loaded or failed.
struct ImageCount {
    int images = -1, broken = -1;
};

ImageCount loadedImages(const testing::TempDir& dir, const std::string& page) {
    const std::string dom = testing::runCommand(chromium(dir, "--dump-dom", page)).out;
    std::smatch m;
    ImageCount count;
    if (std::regex_search(dom, m, std::regex("<body data-images=\"(\\d+)\" data-broken-images=\"(\\d+)\"")))
        count = {std::stoi(m[1].str()), std::stoi(m[2].str())};
    return count;
}

TEST(Browser, DemoFiguresLoadAndThePageIsNotBlank) {
    if (access(kChromium, X_OK) != 0) GTEST_SKIP() << kChromium << " is missing (apt-get install chromium): page not rendered";
    testing::TempDir dir;
    const testing::CommandOutcome run = testing::runMervik(
        "run " MERVIK_EXAMPLES "/pipe_pile_clay_over_sand.lp6 --plots --out " + dir.path().string());
    ASSERT_EQ(run.status, 0) << run.out;
    const std::string page = (dir / "pipe_pile_clay_over_sand_figures" / "index.html").string();
    const std::string html = testing::readFile(page);
    int images = 0;
    for (std::size_t at = html.find("<img "); at != std::string::npos; at = html.find("<img ", at + 1)) ++images;
    // Two load cases, their overlay and one section.
    EXPECT_EQ(images, 4);

    const ImageCount loaded = loadedImages(dir, page);
    EXPECT_EQ(loaded.images, images);
    EXPECT_EQ(loaded.broken, 0);

    const std::string png = (dir / "page.png").string();
    testing::runCommand(chromium(dir, "--screenshot='" + png + "' --window-size=1200,3000", page));
    if (access(kPython, X_OK) != 0) GTEST_SKIP() << kPython << " is missing: the PNG is not checked";
    std::istringstream shown(testing::runCommand(std::string(kPython) + " " MERVIK_FIXTURES "/../results/png_check.py '" +
                                                 png + "'")
                                 .out);
    int width = 0, height = 0, colours = 0;
    double nonWhite = 0;
    shown >> width >> height >> colours >> nonWhite;
    EXPECT_EQ(width, 1200);
    EXPECT_EQ(height, 3000);
    // Curves in several colours, text and grid lines: far from one blank colour.
    EXPECT_GT(colours, 20);
    EXPECT_GT(nonWhite, 0.01);

    // The check sees a figure that is missing.
    std::filesystem::remove(dir / "pipe_pile_clay_over_sand_figures" / "case_2.svg");
    const ImageCount missing = loadedImages(dir, page);
    EXPECT_EQ(missing.images, images);
    EXPECT_EQ(missing.broken, 1);
}

}  // namespace
}  // namespace mervik
