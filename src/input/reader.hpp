// Reading the input data file: text lines and free-format reads, with orderly input errors for
// what the file format leaves open (end of file before END, an unreadable value, a count larger
// than its table).
//
// A free-format read takes a fixed list of values starting at the next line: values are
// separated by blanks or a comma; a read that needs more values goes on to the following lines
// (blank lines are skipped), values beyond the last one needed are ignored and the next read
// starts on a new line. Reals may carry a decimal point and an E or D exponent; integers have
// neither. A word ends at a blank, comma or slash unless quoted with apostrophes or quotation
// marks. A slash ends the read and leaves the remaining targets unchanged; two commas in a row
// leave their target unchanged; r*value supplies r equal values and r* leaves r targets
// unchanged.
#pragma once
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace mervik {

struct Run;

// Input errors of this engine for malformed files (outside the numbered catalogue of checks).
inline constexpr int kErrEndOfFile = 90;    // end of file before END, or in the middle of a section
inline constexpr int kErrBadValue = 91;     // a value that cannot be read as the number expected
inline constexpr int kErrCapacity = 92;     // a count larger than its table
inline constexpr int kErrUnknownModel = 93; // a soil layer with a p-y model code outside 1 to 17

inline constexpr std::size_t kTextLineLength = 256;

// One target of a free-format read.
struct FreeItem {
    enum class Kind { Integer, Real, Word };
    Kind kind;
    int* integer = nullptr;
    double* real = nullptr;
    std::string* word = nullptr;
    std::size_t length = 0;  // words: stored blank padded (or cut) to this length
};
inline FreeItem intItem(int& v) { return {FreeItem::Kind::Integer, &v, nullptr, nullptr, 0}; }
inline FreeItem realItem(double& v) { return {FreeItem::Kind::Real, nullptr, &v, nullptr, 0}; }
inline FreeItem wordItem(std::string& v, std::size_t length) {
    return {FreeItem::Kind::Word, nullptr, nullptr, &v, length};
}

// One free-format read into the targets. False when it failed: the input error (end of file, or
// an unreadable value) has been raised and the caller returns.
bool readFree(Run& run, std::initializer_list<FreeItem> items);
// A free-format read of one integer or one real (a line holding one value).
bool readInt(Run& run, int& value);
bool readReal(Run& run, double& value);

// The next line as text, cut at 256 characters (not padded). False at the end of the file: the
// end-of-file input error has been raised.
bool readTextLine(Run& run, std::string& line);

// A text line compared with a keyword: trailing blanks are ignored; leading blanks and letter
// case count.
bool sameText(std::string_view line, std::string_view keyword);

// Checks a count read from the file against the capacity of its table; raises the capacity
// input error (naming `what` and the section being read) and returns false when it is larger.
bool checkCapacity(Run& run, int count, int capacity, std::string_view what);

// Name of the section being read, for the messages of the errors above ("SOIL LAYERS", ...).
void setInputSection(Run& run, std::string_view section);

}  // namespace mervik
