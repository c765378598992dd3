// Output channels: line assembly and the sinks behind them.
#include "report/channel.hpp"

#include <algorithm>

namespace mervik {

Channel::~Channel() { close(); }

bool Channel::openFile(const std::string& path) {
    close();
    nonFinite_ = 0;
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ == nullptr) return false;
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
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
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
        // Reopening for writing truncates: what follows replaces all that was written.
        file_ = std::freopen(path_.c_str(), "wb", file_);
        if (file_ == nullptr) sink_ = Sink::None;
    }
}

void Channel::put(std::string_view text) {
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
        case Sink::File: std::fwrite(text.data(), 1, text.size(), file_); break;
        case Sink::Memory: memory_.append(text); break;
        case Sink::StdErr: std::fwrite(text.data(), 1, text.size(), stderr); break;
        case Sink::None: break;
    }
}

}  // namespace mervik
