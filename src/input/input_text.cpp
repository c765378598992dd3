// The input data file held as text.
#include "input/input_text.hpp"

namespace mervik {

bool InputText::nextLine(std::string& line) {
    if (atEnd()) return false;
    std::size_t stop = content.find('\n', cursor);
    if (stop == std::string::npos) stop = content.size();
    std::string_view text(content.data() + cursor, stop - cursor);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    line.assign(text);
    lastLine = line;
    ++lineNumber;
    cursor = stop + 1;
    return true;
}

bool readFreeWord(InputText& input, std::size_t length, std::string& word) {
    std::string line;
    for (;;) {
        if (!input.nextLine(line)) return false;
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos) continue;  // blank line: the read goes on
        const char c = line[first];
        if (c == ',' || c == '/') return true;      // null value: the word keeps its value
        std::string value;
        if (c == '\'' || c == '"') {
            for (std::size_t k = first + 1; k < line.size(); ++k) {
                if (line[k] == c) {
                    if (k + 1 < line.size() && line[k + 1] == c) {
                        value.push_back(c);
                        ++k;
                        continue;
                    }
                    break;
                }
                value.push_back(line[k]);
            }
        } else {
            const std::size_t stop = line.find_first_of(" \t,/", first);
            value = line.substr(first, stop == std::string::npos ? std::string::npos : stop - first);
        }
        value.resize(length, ' ');
        word = value;
        return true;
    }
}

}  // namespace mervik
