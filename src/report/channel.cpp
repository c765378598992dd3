// Output channels: line assembly and the sinks behind them.
#include "report/channel.hpp"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace mervik {

Channel::~Channel() { close(); }

namespace {

// Output buffer of a file channel: large reports go out in few writes.
constexpr std::size_t kFileBufferBytes = std::size_t{1} << 16;

}  // namespace

bool Channel::openFile(const std::string& path) {
    close();
    nonFinite_ = 0;
    written_ = 0;
    extent_ = 0;
    // An existing file is written over in place. Its earlier content is cut off at once, so
    // that a run that never reaches its end (a killed process) leaves no tail of an earlier
    // run after its own lines. It is cut to one byte, not to none: a file truncated to zero
    // length is written out to the disk on closing by ext4 (auto_da_alloc), which was most of
    // the elapsed time of a short run. The first line written replaces that byte; on closing
    // the file is cut to the length written.
    file_ = std::fopen(path.c_str(), "r+b");
    if (file_ != nullptr) {
        if (std::fseek(file_, 0, SEEK_END) == 0) {
            const long length = std::ftell(file_);
            extent_ = length > 0 ? static_cast<std::size_t>(length) : 0;
        }
        if (extent_ > 1) {
            std::error_code ec;
            std::filesystem::resize_file(path, 1, ec);
            if (!ec) extent_ = 1;
        }
        if (std::fseek(file_, 0, SEEK_SET) != 0) {
            std::fclose(file_);
            file_ = nullptr;
        }
    }
    if (file_ == nullptr) {
        extent_ = 0;
        file_ = std::fopen(path.c_str(), "wb");
    }
    if (file_ == nullptr) return false;
    if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(kFileBufferBytes);
    std::setvbuf(file_, buffer_.get(), _IOFBF, kFileBufferBytes);
    path_ = path;
    sink_ = Sink::File;
    return true;
}

void Channel::openMemory() {
    close();
    nonFinite_ = 0;
    memory_.clear();
    sink_ = Sink::Memory;
}

void Channel::openStdErr() {
    close();
    sink_ = Sink::StdErr;
}

void Channel::close() {
    if (!line_.empty()) endLine();
    if (file_ != nullptr) {
        std::fclose(file_);
        // What an earlier content left beyond the end of this one is cut off.
        if (extent_ > written_) {
            std::error_code ec;
            std::filesystem::resize_file(path_, written_, ec);
        }
    }
    file_ = nullptr;
    written_ = extent_ = 0;
    if (sink_ != Sink::Memory) memory_.clear();
    sink_ = Sink::None;
    line_.clear();
    pos_ = 0;
}

void Channel::rewind() {
    nonFinite_ = 0;
    line_.clear();
    pos_ = 0;
    if (sink_ == Sink::Memory) memory_.clear();
    if (sink_ == Sink::File) {
        // What follows replaces all that was written; the rest is cut off on closing.
        extent_ = std::max(extent_, written_);
        written_ = 0;
        if (std::fseek(file_, 0, SEEK_SET) != 0) {
            std::fclose(file_);
            file_ = nullptr;
            sink_ = Sink::None;
        }
    }
}

void Channel::put(std::string_view text) {
    if (pos_ == line_.size()) {  // the common case: text added at the end of the line
        line_.append(text);
        pos_ += text.size();
        return;
    }
    if (pos_ > line_.size()) line_.append(pos_ - line_.size(), ' ');
    const std::size_t overlap = std::min(text.size(), line_.size() - pos_);
    line_.replace(pos_, overlap, text.substr(0, overlap));
    line_.append(text.substr(overlap));
    pos_ += text.size();
}

void Channel::endLine() {
    line_.push_back('\n');
    emit(line_);
    line_.clear();
    pos_ = 0;
}

void Channel::emit(std::string_view text) {
    switch (sink_) {
        case Sink::File: written_ += std::fwrite(text.data(), 1, text.size(), file_); break;
        case Sink::Memory: memory_.append(text); break;
        case Sink::StdErr: std::fwrite(text.data(), 1, text.size(), stderr); break;
        case Sink::None: break;
    }
}

}  // namespace mervik
