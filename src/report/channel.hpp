// Output channels: the report, plot and run-message files of a run. A channel holds the line
// being built (a write may leave it open for the next write) and sends finished lines to its
// file, to an in-memory buffer (tests), to the standard error stream (message texts written
// before the named files are open) or nowhere.
#pragma once
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace mervik {

class Channel {
public:
    enum class Sink { None, File, Memory, StdErr };

    Channel() = default;
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;
    ~Channel();

    // Creates or overwrites the file; false when it cannot be created (the channel is then
    // left unconnected). An existing file is written over in place and cut to the length
    // written when the channel is closed: truncating it on opening would free its blocks only
    // to allocate them again, and makes some file systems write it out on closing.
    bool openFile(const std::string& path);
    void openMemory();
    void openStdErr();
    void close();     // ends an open line, flushes and disconnects
    // Discards everything written so far and continues at the start of the file or buffer.
    void rewind();

    Sink sink() const { return sink_; }
    bool isOpen() const { return sink_ == Sink::File || sink_ == Sink::Memory; }
    // The whole content written (memory channels only; the open line is not included).
    const std::string& memory() const { return memory_; }

    // Line being built, and the position where the next character goes (0-based). A position
    // beyond the end of the line means positioning without text yet: the gap is filled with
    // blanks only when text follows.
    std::string& line() { return line_; }
    std::size_t& position() { return pos_; }
    // Puts text at the current position, overwriting or extending the line.
    void put(std::string_view text);
    void endLine();

    // Real values written that are not finite (Not-a-Number or infinite), since the channel was
    // opened or rewound: a run must not end normally with such a result in its files.
    void noteNonFinite() { ++nonFinite_; }
    std::size_t nonFiniteValues() const { return nonFinite_; }

private:
    void emit(std::string_view text);

    Sink sink_ = Sink::None;
    std::FILE* file_ = nullptr;
    std::unique_ptr<char[]> buffer_;  // output buffer of the file
    std::size_t written_ = 0;         // bytes written to the file since it was opened or rewound
    std::size_t extent_ = 0;          // length the file had, or reached before a rewind
    std::string path_;
    std::string memory_;
    std::string line_;
    std::size_t pos_ = 0;
    std::size_t nonFinite_ = 0;
};

}  // namespace mervik
