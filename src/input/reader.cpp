// Reading the input data file: text lines, free-format reads and the orderly input errors for
// malformed files.
#include "input/reader.hpp"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "engine/errors.hpp"
#include "engine/run.hpp"
#include "input/item_lines.hpp"
#include "report/layout.hpp"

namespace mervik {

namespace {

// Writes an input error text to the message file and the report, then raises the error.
template <class Body>
void inputErrorBoth(Run& run, int n, Body body) {
    for (Channel* channel : {&run.messages, &run.report}) {
        writeBlankLines(*channel, 1);
        writeInputErrorHeading(*channel, n);
        writeBlankLines(*channel, 1);
        body(*channel);
        writeBlankLines(*channel, 1);
    }
    raiseInputError(run, n);
}

void endOfFileError(Run& run) {
    inputErrorBoth(run, kErrEndOfFile, [&](Channel& c) {
        if (run.input.section.empty()) {
            writeTextLine(c, "Problem:  The input data file ended before the line END was found.");
        } else {
            writeLayout(c, R"("Problem:  The input data file ended while the ",A," section was being read.")",
                        {run.input.section});
        }
        writeTextLine(c, "Solution:  Complete the input data and end the file with the line END.");
    });
}

void badValueError(Run& run, std::string_view expected, std::string_view value) {
    inputErrorBoth(run, kErrBadValue, [&](Channel& c) {
        writeLayout(c, R"("Problem:  The value """,A,""" cannot be read as ",A," in the ",A," section,")",
                    {value, expected, run.input.section.empty() ? std::string_view("input") : std::string_view(run.input.section)});
        writeLayout(c, R"("          line ",I0," of the input data file:")", {run.input.lineNumber});
        writeTextLine(c, run.input.lastLine);
        writeTextLine(c, "Solution:  Correct the value in the input data.");
    });
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// One value of a free-format record, as written.
struct Token {
    enum class Kind { Value, Null, Slash } kind = Kind::Value;
    std::string text;
    bool quoted = false;
};

// Scans free-format values out of the input, line after line, as a read needs them. A new
// scanner starts on the next line of the file.
class FreeScanner {
public:
    explicit FreeScanner(Run& run) : run_(run) {}

    // The next value, a null value or the slash; false at the end of the file.
    bool next(Token& token) {
        if (pendingRepeat_ > 0) {
            --pendingRepeat_;
            token = repeated_;
            return true;
        }
        for (;;) {
            if (!haveLine_ || pos_ >= line_.size()) {
                if (!run_.input.nextLine(line_)) return false;
                haveLine_ = true;
                pos_ = 0;
                continue;  // blank lines are skipped while values are needed
            }
            while (pos_ < line_.size() && isBlank(line_[pos_])) ++pos_;
            if (pos_ >= line_.size()) continue;
            const char c = line_[pos_];
            if (c == ',') {
                ++pos_;
                // A comma that follows a comma (or starts the read) stands for a null value.
                if (afterComma_) {
                    token = {Token::Kind::Null, {}, false};
                    return true;
                }
                afterComma_ = true;
                continue;
            }
            if (c == '/') {
                token = {Token::Kind::Slash, {}, false};
                return true;
            }
            afterComma_ = false;
            scanValue(token);
            return true;
        }
    }

private:
    void scanValue(Token& token) {
        std::string text;
        const char c = line_[pos_];
        if (c == '\'' || c == '"') {
            ++pos_;
            while (pos_ < line_.size()) {
                const char d = line_[pos_++];
                if (d == c) {
                    if (pos_ < line_.size() && line_[pos_] == c) {
                        text.push_back(c);
                        ++pos_;
                        continue;
                    }
                    break;
                }
                text.push_back(d);
            }
            token = {Token::Kind::Value, text, true};
            return;
        }
        while (pos_ < line_.size() && !isBlank(line_[pos_]) && line_[pos_] != ',' && line_[pos_] != '/')
            text.push_back(line_[pos_++]);
        // r*value supplies r equal values; r* leaves r targets unchanged.
        const std::size_t star = text.find('*');
        if (star != std::string::npos && star > 0 && allDigits(text.substr(0, star))) {
            const long repeat = std::strtol(text.substr(0, star).c_str(), nullptr, 10);
            const std::string rest = text.substr(star + 1);
            if (rest.empty()) {
                repeated_ = {Token::Kind::Null, {}, false};
            } else if (rest.size() >= 2 && (rest[0] == '\'' || rest[0] == '"') && rest.back() == rest[0]) {
                repeated_ = {Token::Kind::Value, rest.substr(1, rest.size() - 2), true};
            } else {
                repeated_ = {Token::Kind::Value, rest, false};
            }
            pendingRepeat_ = repeat > 0 ? repeat - 1 : 0;
            token = repeated_;
            return;
        }
        token = {Token::Kind::Value, text, false};
    }

    static bool allDigits(const std::string& s) {
        for (char ch : s)
            if (!std::isdigit(static_cast<unsigned char>(ch))) return false;
        return !s.empty();
    }

    Run& run_;
    std::string line_;
    std::size_t pos_ = 0;
    bool haveLine_ = false;
    bool afterComma_ = true;
    long pendingRepeat_ = 0;
    Token repeated_;
};

bool parseInteger(const std::string& text, int& value) {
    std::size_t k = 0;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
    if (k == text.size()) return false;
    for (std::size_t j = k; j < text.size(); ++j)
        if (!std::isdigit(static_cast<unsigned char>(text[j]))) return false;
    errno = 0;
    const long long v = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE || v > 2147483647LL || v < -2147483648LL) return false;
    value = static_cast<int>(v);
    return true;
}

// Reals: sign, digits with an optional decimal point, optional exponent written with E, D or Q
// (either case) or as a bare signed exponent ("1.5-3").
bool parseReal(const std::string& text, double& value) {
    std::string s;
    std::size_t k = 0;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) s.push_back(text[k++]);
    int digits = 0;
    bool point = false;
    for (; k < text.size(); ++k) {
        const char c = text[k];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            ++digits;
            s.push_back(c);
        } else if (c == '.' && !point) {
            point = true;
            s.push_back(c);
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    if (k < text.size()) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(text[k])));
        if (c == 'E' || c == 'D' || c == 'Q') ++k;
        else if (c != '+' && c != '-') return false;
        s.push_back('E');
        if (k < text.size() && (text[k] == '+' || text[k] == '-')) s.push_back(text[k++]);
        int expDigits = 0;
        for (; k < text.size() && std::isdigit(static_cast<unsigned char>(text[k])); ++k) {
            s.push_back(text[k]);
            ++expDigits;
        }
        if (expDigits == 0 || k != text.size()) return false;
    }
    const double v = std::strtod(s.c_str(), nullptr);
    if (!std::isfinite(v)) return false;
    value = v;
    return true;
}

}  // namespace

bool readFree(Run& run, std::initializer_list<FreeItem> items) {
    if (run.failed()) return false;
    FreeScanner scanner(run);
    Token token;
    for (const FreeItem& item : items) {
        if (!scanner.next(token)) {
            endOfFileError(run);
            return false;
        }
        if (token.kind == Token::Kind::Slash) return true;
        if (token.kind == Token::Kind::Null) continue;
        switch (item.kind) {
            case FreeItem::Kind::Integer:
                if (token.quoted || !parseInteger(token.text, *item.integer)) {
                    badValueError(run, "a whole number", token.text);
                    return false;
                }
                recordItemLine(run, item.integer);
                break;
            case FreeItem::Kind::Real:
                if (token.quoted || !parseReal(token.text, *item.real)) {
                    badValueError(run, "a number", token.text);
                    return false;
                }
                recordItemLine(run, item.real);
                break;
            case FreeItem::Kind::Word: {
                std::string w = token.text;
                w.resize(item.length, ' ');
                *item.word = w;
                recordItemLine(run, item.word);
                break;
            }
        }
    }
    return true;
}

bool readInt(Run& run, int& value) { return readFree(run, {intItem(value)}); }
bool readReal(Run& run, double& value) { return readFree(run, {realItem(value)}); }

bool readTextLine(Run& run, std::string& line) {
    if (run.failed()) return false;
    if (!run.input.nextLine(line)) {
        endOfFileError(run);
        return false;
    }
    if (line.size() > kTextLineLength) line.resize(kTextLineLength);
    return true;
}

bool sameText(std::string_view line, std::string_view keyword) {
    return withoutTrailingBlanks(line) == keyword;
}

bool checkCapacity(Run& run, int count, int capacity, std::string_view what) {
    if (count <= capacity) return true;
    inputErrorBoth(run, kErrCapacity, [&](Channel& c) {
        writeLayout(c, R"("Problem:  The number of ",A," given in the ",A," section is ",I0,",")",
                    {what, run.input.section.empty() ? std::string_view("input") : std::string_view(run.input.section), count});
        writeLayout(c, R"("          more than the ",I0," this program can hold (line ",I0," of the input data file).")",
                    {capacity, run.input.lineNumber});
        writeTextLine(c, "Solution:  Reduce the number in the input data.");
    });
    return false;
}

void setInputSection(Run& run, std::string_view section) { run.input.section = section; }

}  // namespace mervik
