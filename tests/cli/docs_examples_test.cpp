// The examples of the input reference and of the README are files that the command line
// checks and runs: a block marked "<!-- example: FILE -->" (", result N" when the reference
// documents an error) is the file or a run of its lines, so the reference cannot drift from
// the reader.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/cli_run.hpp"

namespace mervik {
namespace {

namespace fs = std::filesystem;
using testing::CliOutcome;
using testing::contains;
using testing::runCli;

const fs::path kRoot = fs::path(MERVIK_DOCS).parent_path();

struct Example {
    std::string file;  // relative to the repository
    int result = 0;    // the documented result; 0: a run that ends normally (or with warnings)
    std::vector<std::string> block;
};

std::vector<Example> examplesOf(const fs::path& document) {
    const std::vector<std::string> text = testing::lines(testing::readFile(document));
    const std::regex marker(R"(^<!-- example: ([^ ,]+)(, result (\d+))? -->$)");
    std::vector<Example> examples;
    for (std::size_t k = 0; k < text.size(); ++k) {
        std::smatch m;
        if (!std::regex_match(text[k], m, marker)) continue;
        Example e{m[1].str(), m[3].matched ? std::stoi(m[3].str()) : 0, {}};
        EXPECT_TRUE(k + 1 < text.size() && text[k + 1] == "```") << document << ": no block after " << text[k];
        for (std::size_t j = k + 2; j < text.size() && text[j] != "```"; ++j) e.block.push_back(text[j]);
        examples.push_back(e);
    }
    return examples;
}

bool isRunOfLines(const std::vector<std::string>& block, const std::vector<std::string>& file) {
    if (block.empty() || block.size() > file.size()) return false;
    for (std::size_t start = 0; start + block.size() <= file.size(); ++start) {
        bool same = true;
        for (std::size_t k = 0; k < block.size() && same; ++k) same = file[start + k] == block[k];
        if (same) return true;
    }
    return false;
}

TEST(ReferenceExamples, EveryExampleIsAFileThatIsCheckedAndRun) {
    std::map<std::string, int> files;
    for (const fs::path& document : {kRoot / "docs" / "input.md", kRoot / "README.md"}) {
        for (const Example& e : examplesOf(document)) {
            SCOPED_TRACE(document.filename().string() + ": " + e.file);
            const std::vector<std::string> lines = testing::lines(testing::readFile(kRoot / e.file));
            EXPECT_TRUE(isRunOfLines(e.block, lines)) << "the block is not a run of the file's lines";
            files[e.file] = e.result;
        }
    }
    // Every file of docs/examples is shown in the reference, and all 17 soil models are.
    for (const auto& entry : fs::directory_iterator(kRoot / "docs" / "examples"))
        EXPECT_TRUE(files.count("docs/examples/" + entry.path().filename().string())) << entry.path();
    std::set<std::string> soils;
    for (const auto& [file, result] : files)
        if (file.rfind("docs/examples/soil_", 0) == 0) soils.insert(file);
    EXPECT_EQ(soils.size(), 17u);

    for (const auto& [file, result] : files) {
        SCOPED_TRACE(file);
        const std::string path = (kRoot / file).string();
        const CliOutcome checked = runCli("check " + path);
        const testing::TempDir out;
        const CliOutcome ran = runCli("run " + path + " --out " + out.path().string());
        const std::string last = testing::lastLine(ran.out);
        if (result == 0) {
            EXPECT_EQ(checked.out, path + ": no findings\n");
            ASSERT_EQ(last.rfind("MGO returned ", 0), 0u);
            EXPECT_LE(std::stoi(last.substr(13)), 0);
        } else {
            EXPECT_EQ(last, "MGO returned " + std::to_string(result));
            // A documented input error is a finding of the check as well; result 99 (massive
            // rock) is the analysis's, which the check does not make.
            if (result > 100 && result < 200)
                EXPECT_TRUE(contains(checked.out, "input error " + std::to_string(result - 100))) << checked.out;
            else
                EXPECT_EQ(checked.out, path + ": no findings\n");
        }
    }
}

}  // namespace
}  // namespace mervik
