// Reader of the plot output file: a cursor over its lines that takes one expected record at a
// time, checks its comment and reads its fields by column.
#include "results/plot_file.hpp"

#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <initializer_list>
#include <sstream>

namespace mervik::results {

PlotFileError::PlotFileError(int line, const std::string& message) : std::runtime_error(message), line_(line) {}

namespace {

std::string_view trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const std::size_t last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Digits from position at (blanks before them skipped); -1 when there are none.
long long digitsAt(std::string_view s, std::size_t at) {
    while (at < s.size() && s[at] == ' ') ++at;
    if (at >= s.size() || !isDigit(s[at])) return -1;
    long long value = 0;
    for (; at < s.size() && isDigit(s[at]); ++at) {
        value = value * 10 + (s[at] - '0');
        if (value > 1000000000) return -1;
    }
    return value;
}

// One line of the file and the record its comment names.
struct Record {
    std::string_view text;
    int lineNumber = 0;
    int number = 0;           // record number of the comment
    std::size_t commentAt = 0;  // offset of "Line" in the text
    std::string_view comment() const { return text.substr(commentAt); }
};

// The record number of a line's comment ("Line 10(...": 10), with the offset of the comment;
// -1 when the line carries no record comment.
int recordNumberOf(std::string_view line, std::size_t& commentAt) {
    for (std::size_t at = line.find("Line "); at != std::string_view::npos; at = line.find("Line ", at + 1)) {
        const std::size_t digits = at + 5;
        if (digits < line.size() && isDigit(line[digits])) {
            commentAt = at;
            return static_cast<int>(digitsAt(line, digits));
        }
    }
    return -1;
}

class Cursor {
public:
    explicit Cursor(std::string_view text) {
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            std::string_view line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            lines_.push_back(line);
            start = end + 1;
        }
        // Blank lines at the very end carry nothing.
        while (!lines_.empty() && trimmed(lines_.back()).empty()) lines_.pop_back();
    }

    bool atEnd() const { return next_ >= lines_.size(); }
    int nextLineNumber() const { return static_cast<int>(next_) + 1; }

    // The record number of the next line: 0 at the end of the file, -1 for a line that is not
    // a record.
    int peek() const {
        if (atEnd()) return 0;
        std::size_t at = 0;
        return recordNumberOf(lines_[next_], at);
    }

    // Takes the next line as record `expected`, whose numeric fields end at column fieldsEnd;
    // `what` tells the reader of an error message which record was expected.
    Record take(int expected, int fieldsEnd, const std::string& what) {
        const std::string wanted = "record " + std::to_string(expected) + " (" + what + ")";
        if (atEnd()) {
            throw PlotFileError(nextLineNumber(), "line " + std::to_string(nextLineNumber()) + ": the file ends where " +
                                                      wanted + " is expected");
        }
        Record r;
        r.text = lines_[next_];
        r.lineNumber = nextLineNumber();
        const std::string at = "line " + std::to_string(r.lineNumber) + ": ";
        r.number = recordNumberOf(r.text, r.commentAt);
        if (r.number < 0) {
            // A short line of nothing but numeric characters is a record cut short.
            if (static_cast<int>(r.text.size()) < fieldsEnd &&
                r.text.find_first_not_of(" 0123456789.+-E") == std::string_view::npos) {
                throw PlotFileError(r.lineNumber, at + "the line is truncated (" + std::to_string(r.text.size()) +
                                                      " characters) where " + wanted + " is expected");
            }
            throw PlotFileError(r.lineNumber, at + "not a plot record (no \"Line n\" comment) where " + wanted +
                                                  " is expected");
        }
        if (r.number != expected) {
            throw PlotFileError(r.lineNumber, at + wanted + " expected, found record " + std::to_string(r.number));
        }
        if (static_cast<int>(r.commentAt) < fieldsEnd) {
            throw PlotFileError(r.lineNumber, at + "the fields of " + wanted + " end at column " +
                                                  std::to_string(fieldsEnd) + " but its comment starts at column " +
                                                  std::to_string(r.commentAt + 1) + " (a field is missing or cut)");
        }
        ++next_;
        return r;
    }

    std::string lineText(int lineNumber) const { return std::string(lines_[static_cast<std::size_t>(lineNumber - 1)]); }

private:
    std::vector<std::string_view> lines_;
    std::size_t next_ = 0;
};

[[noreturn]] void fail(const Record& r, const std::string& message) {
    throw PlotFileError(r.lineNumber, "line " + std::to_string(r.lineNumber) + ": " + message);
}

std::string columns(int column, int width) {
    return "columns " + std::to_string(column) + "-" + std::to_string(column + width - 1);
}

// An I field at 1-based column `column`.
int integerField(const Record& r, int column, int width, const char* name) {
    const std::string_view field = trimmed(r.text.substr(static_cast<std::size_t>(column - 1), static_cast<std::size_t>(width)));
    int value = 0;
    const char* end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, value);
    if (field.empty() || ec != std::errc() || ptr != end) {
        fail(r, columns(column, width) + " (" + name + " of record " + std::to_string(r.number) + "): \"" +
                    std::string(field) + "\" is not an integer");
    }
    return value;
}

// A count field: an integer that is not negative.
int countField(const Record& r, int column, int width, const char* name) {
    const int value = integerField(r, column, width, name);
    if (value < 0) fail(r, std::string(name) + " of record " + std::to_string(r.number) + " is negative (" + std::to_string(value) + ")");
    return value;
}

// An ES15.7 field at 1-based column `column`.
double realField(const Record& r, int column, const char* name) {
    constexpr int width = 15;
    const std::string_view field = trimmed(r.text.substr(static_cast<std::size_t>(column - 1), width));
    double value = 0;
    if (!parseFortranReal(field, value)) {
        fail(r, columns(column, width) + " (" + name + " of record " + std::to_string(r.number) + "): \"" +
                    std::string(field) + "\" is not a finite number");
    }
    return value;
}

// Consecutive ES15.7 fields from column 1: each target with its name.
struct RealTarget {
    double* value;
    const char* name;
};
void realFields(const Record& r, std::initializer_list<RealTarget> targets) {
    int column = 1;
    for (const RealTarget& t : targets) {
        *t.value = realField(r, column, t.name);
        column += 15;
    }
}

// The integer written after `key` in the comment; -1 when the key is missing.
long long commentInteger(const Record& r, std::string_view key) {
    const std::string_view c = r.comment();
    const std::size_t at = c.find(key);
    return at == std::string_view::npos ? -1 : digitsAt(c, at + key.size());
}

// The integer the comment ends with ("... for load case 12": 12); -1 when it ends otherwise.
long long trailingInteger(const Record& r) {
    const std::string_view c = trimmed(r.comment());
    std::size_t start = c.size();
    while (start > 0 && isDigit(c[start - 1])) --start;
    return start == c.size() ? -1 : digitsAt(c, start);
}

RelationKind relationKindOf(std::string_view comment) {
    if (comment.find("input M-EI") != std::string_view::npos) return RelationKind::InputMEI;
    if (comment.find("linear EI") != std::string_view::npos) return RelationKind::Elastic;
    if (comment.find("elastic-plastic") != std::string_view::npos) return RelationKind::ElasticPlastic;
    return RelationKind::SectionAnalysis;
}

void readRelations(Cursor& in, PlotRecords& out) {
    while (in.peek() == 4) {
        const Record r4 = in.take(4, 45, "moment-curvature relation");
        MomentCurvatureRelation rel;
        const int points = countField(r4, 1, 5, "number of points");
        rel.thrust = realField(r4, 16, "axial thrust");
        rel.nominalMoment = realField(r4, 31, "nominal moment capacity");
        rel.kind = relationKindOf(r4.comment());
        const long long named = commentInteger(r4, "Section ");
        int section = named > 0 ? static_cast<int>(named) : 0;
        int thrustNumber = 0;
        for (int k = 1; k <= points; ++k) {
            const Record r5 = in.take(5, 45, "point " + std::to_string(k) + " of " + std::to_string(points) +
                                                 " of the moment-curvature relation of line " +
                                                 std::to_string(r4.lineNumber));
            MomentCurvaturePoint p;
            realFields(r5, {{&p.moment, "moment"}, {&p.EI, "EI"}, {&p.curvature, "curvature"}});
            const long long s = commentInteger(r5, "Sect#=");
            const long long t = commentInteger(r5, "AxLd#=");
            const long long n = commentInteger(r5, "CurvPnt#=");
            if (s <= 0 || t <= 0 || n <= 0) fail(r5, "record 5 without its Sect#=, AxLd#= and CurvPnt#= numbers");
            if (n != k) fail(r5, "point " + std::to_string(k) + " expected, found CurvPnt#=" + std::to_string(n));
            if (section == 0) section = static_cast<int>(s);
            if (thrustNumber == 0) thrustNumber = static_cast<int>(t);
            if (s != section || t != thrustNumber) {
                fail(r5, "section " + std::to_string(section) + ", thrust " + std::to_string(thrustNumber) +
                             " expected, found Sect#=" + std::to_string(s) + ", AxLd#=" + std::to_string(t));
            }
            rel.points.push_back(p);
        }
        // A relation without points and without a section number belongs to the section before.
        if (section == 0) section = out.sections.empty() ? 1 : out.sections.back().section;
        if (section > out.sectionCount) {
            fail(r4, "section " + std::to_string(section) + " of a file of " + std::to_string(out.sectionCount) +
                         " sections");
        }
        if (out.sections.empty() || out.sections.back().section != section) {
            if (!out.sections.empty() && out.sections.back().section > section) {
                fail(r4, "section " + std::to_string(section) + " after section " +
                             std::to_string(out.sections.back().section));
            }
            out.sections.push_back(SectionRelations{section, {}});
        }
        rel.section = section;
        rel.thrustNumber = thrustNumber > 0 ? thrustNumber : static_cast<int>(out.sections.back().relations.size()) + 1;
        out.sections.back().relations.push_back(std::move(rel));
    }
}

void readPyCurves(Cursor& in, PlotRecords& out) {
    const Record r6 = in.take(6, 5, "number of p-y curves");
    const int curves = countField(r6, 1, 5, "number of p-y curves");
    for (int c = 1; c <= curves; ++c) {
        const Record r7 = in.take(7, 20, "p-y curve " + std::to_string(c) + " of " + std::to_string(curves));
        PyCurveRecords curve;
        curve.depth = realField(r7, 1, "depth");
        const int points = countField(r7, 16, 5, "number of points");
        const std::string_view comment = r7.comment();
        const std::size_t model = comment.find("depth in ");
        if (model == std::string_view::npos) {
            curve.aboveGround = true;
        } else {
            const std::size_t from = model + 9;
            const std::size_t to = comment.find(", no. ", from);
            curve.model = std::string(trimmed(comment.substr(from, to == std::string_view::npos ? std::string_view::npos : to - from)));
            const long long number = trailingInteger(r7);
            curve.number = number > 0 ? static_cast<int>(number) : c;
        }
        for (int k = 1; k <= points; ++k) {
            const Record r8 = in.take(8, 30, "point " + std::to_string(k) + " of " + std::to_string(points) +
                                                 " of the p-y curve of line " + std::to_string(r7.lineNumber));
            PyPoint p;
            realFields(r8, {{&p.y, "y"}, {&p.p, "p"}});
            const long long n = commentInteger(r8, "Line 8(");
            if (n != k) fail(r8, "point " + std::to_string(k) + " expected, found point " + std::to_string(n));
            curve.points.push_back(p);
        }
        out.pyCurves.push_back(std::move(curve));
    }
}

void readLoadCases(Cursor& in, PlotRecords& out) {
    const Record r9 = in.take(9, 15, "numbers of load cases and nodes");
    out.loadCaseCount = countField(r9, 1, 5, "number of load cases");
    out.nodeCount = countField(r9, 6, 5, "number of nodes");
    const int units = integerField(r9, 11, 5, "IUNITS");
    if (units != out.IUNITS) {
        fail(r9, "IUNITS " + std::to_string(units) + " differs from IUNITS " + std::to_string(out.IUNITS) + " of record 1");
    }
    const std::string cases = std::to_string(out.loadCaseCount);
    const std::string nodes = std::to_string(out.nodeCount);
    for (int j = 1; j <= out.loadCaseCount; ++j) {
        LoadCaseRecords lc;
        lc.number = j;
        const std::string ofCase = " of load case " + std::to_string(j) + " of " + cases;
        for (int k = 1; k <= out.nodeCount; ++k) {
            const Record r10 = in.take(10, 90, "node " + std::to_string(k) + " of " + nodes + ofCase);
            NodeRow row;
            realFields(r10, {{&row.x, "depth x"},
                             {&row.y, "deflection y"},
                             {&row.M, "moment M"},
                             {&row.V, "shear V"},
                             {&row.p, "soil reaction p"},
                             {&row.EI, "EI"}});
            const long long n = commentInteger(r10, "Line 10(");
            if (n != k) fail(r10, "node " + std::to_string(k) + ofCase + " expected, found node " + std::to_string(n));
            lc.nodes.push_back(row);
        }
        const Record r11 = in.take(11, 5, "pile-length series" + ofCase);
        const int points = countField(r11, 1, 5, "number of points");
        const long long number = trailingInteger(r11);
        if (number != j) fail(r11, "load case " + std::to_string(j) + " expected, found load case " + std::to_string(number));
        lc.lrfd = r11.comment().find("LRFD") != std::string_view::npos;
        for (int k = 1; k <= points; ++k) {
            const Record r12 = in.take(12, 60, "point " + std::to_string(k) + " of " + std::to_string(points) +
                                                   " of the pile-length series" + ofCase);
            LengthPoint p;
            realFields(r12, {{&p.pileLength, "pile length"},
                             {&p.yTop, "pile-head deflection"},
                             {&p.maxMoment, "maximum moment"},
                             {&p.maxShear, "maximum shear"}});
            lc.lengthSeries.push_back(p);
        }
        out.loadCases.push_back(std::move(lc));
    }
    for (int j = 1; j <= out.loadCaseCount; ++j) {
        const Record r13 = in.take(13, 75, "summary of load case " + std::to_string(j) + " of " + cases);
        SummaryRow s;
        realFields(r13, {{&s.topShear, "pile-head shear"},
                         {&s.yTop, "pile-head deflection"},
                         {&s.maxMoment, "maximum moment"},
                         {&s.maxShear, "maximum shear"},
                         {&s.rotation, "pile-head rotation"}});
        out.summary.push_back(s);
    }
    while (!in.atEnd()) {
        const Record r14 = in.take(14, 120, "pile-head stiffness row " + std::to_string(out.stiffness.size() + 1) +
                                                " or the end of the file");
        StiffnessRow s;
        realFields(r14, {{&s.V, "V"},
                         {&s.M, "M"},
                         {&s.K22, "K22"},
                         {&s.K23, "K23"},
                         {&s.K32, "K32"},
                         {&s.K33, "K33"},
                         {&s.yTop, "ytop"},
                         {&s.theta, "theta"}});
        out.stiffness.push_back(s);
    }
}

}  // namespace

bool parseFortranReal(std::string_view field, double& value) {
    field = trimmed(field);
    // Mantissa: sign, digits, point, digits.
    std::size_t at = 0;
    std::string normal;
    if (at < field.size() && (field[at] == '+' || field[at] == '-')) normal += field[at++];
    std::size_t digits = 0;
    while (at < field.size() && isDigit(field[at])) normal += field[at++], ++digits;
    if (at < field.size() && field[at] == '.') {
        normal += field[at++];
        while (at < field.size() && isDigit(field[at])) normal += field[at++], ++digits;
    }
    if (digits == 0) return false;
    // Exponent: E, e, D or d with an optional sign, or a sign alone (three-digit exponents).
    if (at < field.size()) {
        const char c = field[at];
        if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
            ++at;
        } else if (c != '+' && c != '-') {
            return false;
        }
        normal += 'e';
        if (at < field.size() && (field[at] == '+' || field[at] == '-')) normal += field[at++];
        const std::size_t first = at;
        while (at < field.size() && isDigit(field[at])) normal += field[at++];
        if (at == first || at != field.size()) return false;
    }
    const char* begin = normal.data();
    if (*begin == '+') ++begin;
    const char* end = normal.data() + normal.size();
    double parsed = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, parsed);
    // Values too small for a double read as zero; too large ones are not finite.
    if (ec == std::errc::result_out_of_range) {
        const std::size_t e = normal.find('e');
        if (e == std::string::npos || normal.find('-', e) == std::string::npos) return false;
        parsed = normal[0] == '-' ? -0.0 : 0.0;
    } else if (ec != std::errc() || ptr != end || !std::isfinite(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

PlotRecords parsePlotRecords(std::string_view text) {
    Cursor in(text);
    PlotRecords out;
    const Record r1 = in.take(1, 20, "run header");
    out.analysisType = integerField(r1, 1, 5, "analysis type");
    out.IUNITS = integerField(r1, 6, 5, "IUNITS");
    out.KYL = integerField(r1, 11, 5, "KYL");
    out.stiffnessOption = integerField(r1, 16, 5, "stiffness option");
    if (out.IUNITS < 1 || out.IUNITS > 3) fail(r1, "IUNITS " + std::to_string(out.IUNITS) + " is not 1, 2 or 3");

    const Record r2 = in.take(2, 5, "number of sections");
    out.sectionCount = countField(r2, 1, 5, "number of sections");
    if (out.sectionCount > 0) {
        const Record r3 = in.take(3, 5, "number of axial thrusts");
        out.thrustCount = countField(r3, 1, 5, "number of axial thrusts");
        readRelations(in, out);
    }
    // A capacity-and-stiffness run ends after the relations.
    if (in.atEnd() && out.analysisType != 3) return out;
    out.lateral = true;
    readPyCurves(in, out);
    readLoadCases(in, out);
    return out;
}

PlotRecords readPlotFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw PlotFileError(0, path.string() + ": cannot be opened");
    std::ostringstream text;
    text << file.rdbuf();
    try {
        return parsePlotRecords(text.str());
    } catch (const PlotFileError& e) {
        throw PlotFileError(e.line(), path.string() + ", " + e.what());
    }
}

}  // namespace mervik::results
