// Pieces shared by the blocks of the input echo.
#pragma once
#include <initializer_list>
#include <string_view>

#include "engine/run.hpp"
#include "report/channel.hpp"
#include "report/layout.hpp"

namespace mervik {

// Block heading: blank lines, a rule of 80 dashes, the indented title, another rule and one
// blank line.
void writeEchoHeading(Channel& channel, int blankLinesBefore, int indent, std::string_view title);

// The text lines of a message; an empty text is an empty line.
void writeMessageLines(Channel& channel, std::initializer_list<std::string_view> lines);

// Writes the same message to the run-message file and then to the report.
template <class Body>
void writeToBothFiles(Run& run, Body body) {
    body(run.messages);
    body(run.report);
}

}  // namespace mervik
