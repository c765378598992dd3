// Lines of the engine's files as the command line reads them back.
#include "cli/cli.hpp"

#include <fstream>
#include <iterator>

namespace mervik::cli {

std::vector<std::string> textLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t stop = text.find('\n', start);
        if (stop == std::string::npos) stop = text.size();
        std::string line = text.substr(start, stop - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = stop + 1;
    }
    return lines;
}

std::vector<std::string> fileLines(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return textLines(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

std::vector<std::string> endOfRunLines(const std::vector<std::string>& messages) {
    std::vector<std::string> lines;
    for (const std::string& line : messages)
        if (line.rfind("The analysis ended", 0) == 0) lines.push_back(line);
    return lines;
}

namespace {

bool isErrorHeading(const std::string& line) {
    return line.find("Error No.") != std::string::npos || line.find("INPUT ERROR") != std::string::npos;
}

}  // namespace

std::vector<std::string> errorBlock(const std::vector<std::string>& lines) {
    std::size_t first = 0;
    while (first < lines.size() && !isErrorHeading(lines[first])) ++first;
    std::size_t last = lines.size();
    while (last > first && lines[last - 1].find_first_not_of(' ') == std::string::npos) --last;
    return {lines.begin() + static_cast<std::ptrdiff_t>(first), lines.begin() + static_cast<std::ptrdiff_t>(last)};
}

}  // namespace mervik::cli
