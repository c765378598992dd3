// The input data file held as text, read line by line. The whole file is read into memory at
// the start of a run; readers take lines from the cursor on.
#pragma once
#include <string>
#include <string_view>

namespace mervik {

struct InputText {
    std::string content;
    std::size_t cursor = 0;      // start of the next line not yet read
    int lineNumber = 0;          // number of the last line read (1 = first line of the file)
    std::string lastLine;        // the last line read, for error messages
    std::string section;         // name of the section being read, for error messages

    bool atEnd() const { return cursor >= content.size(); }
    // The next line without its line end (a trailing carriage return is dropped too); false at
    // the end of the file.
    bool nextLine(std::string& line);
};

// Free-format read of one word: blank lines are skipped; the word ends at a blank, comma or
// slash unless quoted; a longer word gives its first `length` characters, a shorter one is
// blank padded. The next read starts on the line after the word. False when the end of the
// file comes first. A null value (a leading comma or slash) leaves `word` unchanged.
bool readFreeWord(InputText& input, std::size_t length, std::string& word);

}  // namespace mervik
