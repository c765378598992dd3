// Findings on the input model as read: values that no pile, soil or load can have, which the
// engine refuses before its analysis (input errors 80 to 84), and values the engine accepts
// although a designer almost certainly did not mean them (a wall as thick as the pile, a unit
// weight no soil has, a label of OPTIONS on the wrong line, a file tag the reader cannot see).
// Each finding names the section, the input line and the value; the run's checks and the
// command line's input check are made from the same lists.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace mervik {

struct Run;

struct InputFinding {
    int error = 0;            // input error the engine ends the run with; 0 when it accepts the input
    std::string section;      // section of the input data file ("SECTIONS", "SOIL LAYERS", ...)
    int line = 0;             // line of the input data file; 0 when no line holds the item
    std::string problem;      // what was found, naming the item, its section and line, and the value
    std::string detail;       // what the value must be
};
using InputFindings = std::vector<InputFinding>;

// The values the analysis cannot take (input errors 80 to 84), in the order the engine checks
// them: sections, then (lateral analysis) layer depths, soil properties and load cases.
void findImpossibleInput(const Run& run, InputFindings& findings);

// Values that the engine accepts, or refuses only in its echo, but that no designer means:
// OPTIONS labels that belong to another line, pile dimensions of zero or less, walls at or
// above the radius, soil properties outside their published ranges, gaps between layers.
void findUnlikelyInput(const Run& run, InputFindings& findings);

// The OPTIONS labels alone (part of the findings above), for a file whose reading failed later.
void findOptionLabelProblems(const Run& run, InputFindings& findings);

// Where the file tag stands: a byte-order mark or other text before it, a tag in other letters,
// or no tag at all. The reader reads nothing of such a file. `tagLine` is set to the line that
// holds the tag (0 when there is none) and `tagEnd` to the offset just past that line.
void findFileTagProblems(std::string_view content, InputFindings& findings, int& tagLine, std::size_t& tagEnd);

// "pile section 2 (SECTIONS section, line 14)": the item, its section and, when known, its line.
std::string itemPlace(std::string_view item, std::string_view section, int line);
// A value as the user wrote it, to six significant digits ("-1", "15", "1E+308").
std::string valueText(double value);

}  // namespace mervik
