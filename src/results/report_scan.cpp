// Scan of the report lines that carry the iteration counts and the soil layering.
#include "results/report_scan.hpp"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace mervik::results {

namespace {

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

std::string_view withoutLeadingBlanks(std::string_view s) {
    const std::size_t first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : s.substr(first);
}

// The number after the "=" of a report line, with the unit word that follows it.
bool valueAfterEquals(std::string_view line, double& value, std::string& unit) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    const std::string rest(line.substr(eq + 1));
    char* end = nullptr;
    value = std::strtod(rest.c_str(), &end);
    if (end == rest.c_str()) return false;
    std::istringstream words(end);
    words >> unit;
    return true;
}

// Report depths are in feet in US customary units; computation depths in inches.
double toComputationDepth(double value, const std::string& unit) { return unit == "ft" ? value * 12.0 : value; }

}  // namespace

ReportFacts scanReport(std::string_view text) {
    ReportFacts facts;
    int summaryCase = 0;  // the load case whose output summary is being read
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::string_view body = withoutLeadingBlanks(line);
        double value = 0;
        std::string unit;

        if (startsWith(body, "- Maximum number of iterations allowed")) {
            if (valueAfterEquals(body, value, unit)) facts.maxIterations = static_cast<int>(value);
        } else if (startsWith(body, "Output Summary for Load Case No. ")) {
            summaryCase = std::atoi(std::string(body.substr(33)).c_str());
        } else if (summaryCase > 0 && startsWith(body, "Number of iterations")) {
            if (valueAfterEquals(body, value, unit)) {
                if (static_cast<int>(facts.iterations.size()) < summaryCase) facts.iterations.resize(summaryCase, 0);
                facts.iterations[summaryCase - 1] = static_cast<int>(value);
            }
            summaryCase = 0;
        } else if (startsWith(body, "Layer ") && body.find(" is ") != std::string_view::npos) {
            // "Layer 2 is sand, p-y criteria by Reese et al., 1974"
            ReportLayer layer;
            layer.number = std::atoi(std::string(body.substr(6)).c_str());
            const std::size_t is = body.find(" is ") + 4;
            const std::size_t comma = body.find(',', is);
            layer.name = std::string(body.substr(is, comma == std::string_view::npos ? std::string_view::npos : comma - is));
            if (layer.number == static_cast<int>(facts.layers.size()) + 1) facts.layers.push_back(layer);
        } else if (!facts.layers.empty() && startsWith(body, "Distance from top of pile to top of layer")) {
            if (valueAfterEquals(body, value, unit)) facts.layers.back().top = toComputationDepth(value, unit);
        } else if (!facts.layers.empty() && startsWith(body, "Distance from top of pile to bottom of layer")) {
            if (valueAfterEquals(body, value, unit)) facts.layers.back().bottom = toComputationDepth(value, unit);
        }
    }
    return facts;
}

ReportFacts scanReportFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {};
    std::ostringstream text;
    text << file.rdbuf();
    return scanReport(text.str());
}

}  // namespace mervik::results
