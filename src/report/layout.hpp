// Report lines in the layout notation. A Line is one write: its items are appended from left
// to right, Tc counts from the column where the write began, and the write either ends its
// line (end) or leaves it open for the next write (open, the "$" of a layout).
//
//   Line(run.report).text("Soil Layer Number").tab(56).text("= ").i(layer, 12).end();
//
// writeLayout interprets a layout text such as  2/,"Title",T56,"= ",F12.3,/  with a list of
// values, repeat groups and the reuse of the layout when values remain included.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

#include "report/channel.hpp"

namespace mervik {

class Line {
public:
    explicit Line(Channel& channel);

    Line& text(std::string_view s);             // "text", and A (full width)
    Line& a(std::string_view s, int w);         // Aw
    Line& i(long long value, int w, int m = 0); // Iw, Iw.m; w = 0 is I0
    Line& f(double value, int w, int d);        // Fw.d
    Line& es(double value, int w, int d);       // ESw.d
    Line& x(int n);                             // nX: moves on n columns
    Line& tab(int column);                      // Tc
    Line& slash();                              // "/": ends the line, the write goes on
    Line& real(double value, int W);            // adaptive real writer
    Line& integer(long long value, int W);      // integer writer: W outside 1..16 is 10
    Line& blanks(int n);                        // blank writer: n blanks, none when n <= 0
    Line& shortText(std::string_view s);        // short text writer: A10
    Line& modelName(int code);                  // long p-y model name, A34
    void end();                                 // ends the line
    void open();                                // "$": the next write continues this line

private:
    void noteValue(double value);  // counts a value that is not finite
    // A field written by append(text): straight onto the end of the line when the write stands
    // there (the common case), else through put, which positions and overwrites.
    template <class Append>
    Line& field(Append append) {
        std::string& line = channel_.line();
        if (channel_.position() == line.size()) {
            append(line);
            channel_.position() = line.size();
        } else {
            std::string text;
            append(text);
            channel_.put(text);
        }
        return *this;
    }
    Channel& channel_;
    std::size_t start_;
};

// One value handed to a layout.
struct LayoutValue {
    enum class Kind { Integer, Real, Text };
    LayoutValue(int v) : kind(Kind::Integer), integer(v) {}
    LayoutValue(long v) : kind(Kind::Integer), integer(v) {}
    LayoutValue(long long v) : kind(Kind::Integer), integer(v) {}
    LayoutValue(double v) : kind(Kind::Real), real(v) {}
    LayoutValue(const char* v) : kind(Kind::Text), text(v) {}
    LayoutValue(std::string_view v) : kind(Kind::Text), text(v) {}
    LayoutValue(const std::string& v) : kind(Kind::Text), text(v) {}

    Kind kind;
    long long integer = 0;
    double real = 0.0;
    std::string_view text;
};

// Writes the values through a layout. Returns false (writing nothing) when the layout text
// cannot be parsed; layouts are literals of the program, so tests catch that.
bool writeLayout(Channel& channel, std::string_view layout, std::initializer_list<LayoutValue> values = {});

// Free-form line: the values in order, each preceded by a blank, reals in full precision.
void writeFreeForm(Channel& channel, std::initializer_list<LayoutValue> values);

// Text line writers: the text, then the line end; the indented one puts one blank first.
void writeTextLine(Channel& channel, std::string_view text);
void writeIndentedTextLine(Channel& channel, std::string_view text);
// Empty lines.
void writeBlankLines(Channel& channel, int count);
// A block of text lines, one line each; an empty text is an empty line.
void writeTextLines(Channel& channel, std::initializer_list<std::string_view> lines);

// A text (labels and names are held blank padded) without its trailing blanks.
std::string_view withoutTrailingBlanks(std::string_view s);

// Long p-y model names (34 characters, blank padded) by model code 1..17; other codes give
// 34 blanks.
std::string modelLongName(int code);

}  // namespace mervik
