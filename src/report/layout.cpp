// Report lines in the layout notation: the Line builder and the layout interpreter.
#include "report/layout.hpp"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "report/numfmt.hpp"
#include "py/py_models.hpp"

namespace mervik {

// ---------------------------------------------------------------- Line builder

Line::Line(Channel& channel) : channel_(channel), start_(channel.position()) {}

Line& Line::text(std::string_view s) {
    channel_.put(s);
    return *this;
}
Line& Line::a(std::string_view s, int w) { return text(formatA(s, w)); }
Line& Line::i(long long value, int w, int m) { return text(formatI(value, w, m)); }
Line& Line::f(double value, int w, int d) {
    noteValue(value);
    return field([&](std::string& out) { appendFieldF(out, value, w, d); });
}
Line& Line::es(double value, int w, int d) {
    noteValue(value);
    return field([&](std::string& out) { appendFieldES(out, value, w, d); });
}
void Line::noteValue(double value) {
    if (!std::isfinite(value)) channel_.noteNonFinite();
}

Line& Line::x(int n) {
    if (n > 0) channel_.position() += static_cast<std::size_t>(n);
    return *this;
}

Line& Line::tab(int column) {
    channel_.position() = start_ + static_cast<std::size_t>(column > 1 ? column - 1 : 0);
    return *this;
}

Line& Line::slash() {
    channel_.endLine();
    start_ = 0;
    return *this;
}

Line& Line::real(double value, int W) {
    noteValue(value);
    return field([&](std::string& out) { appendAdaptiveReal(out, value, W); });
}

Line& Line::integer(long long value, int W) {
    if (W <= 0 || W > 16) W = 10;
    return i(value, W);
}

Line& Line::blanks(int n) {
    if (n > 0) channel_.put(std::string(static_cast<std::size_t>(n), ' '));
    return *this;
}

Line& Line::shortText(std::string_view s) { return a(s, 10); }
Line& Line::modelName(int code) { return text(modelLongName(code)); }

void Line::end() { channel_.endLine(); }
void Line::open() {}

// ---------------------------------------------------------------- layout interpreter

namespace {

struct Item {
    enum class Kind { Text, Slash, Dollar, X, T, I, F, ES, A, Group };
    Kind kind = Kind::Text;
    int repeat = 1;
    int w = -1;  // width; -1 where the descriptor has none (A)
    int d = 0;   // decimals, or the minimum digits of Iw.m
    std::string text;
    std::vector<Item> group;

    bool isData() const { return kind == Kind::I || kind == Kind::F || kind == Kind::ES || kind == Kind::A; }
};

class Parser {
public:
    explicit Parser(std::string_view s) : s_(s) {}

    bool parse(std::vector<Item>& out) {
        if (!list(out)) return false;
        skipBlanks();
        return p_ == s_.size();
    }

private:
    void skipBlanks() {
        while (p_ < s_.size() && s_[p_] == ' ') ++p_;
    }
    bool digits(int& value) {
        skipBlanks();
        const char* first = s_.data() + p_;
        const char* last = s_.data() + s_.size();
        auto [ptr, ec] = std::from_chars(first, last, value);
        if (ec != std::errc() || ptr == first) return false;
        p_ += static_cast<std::size_t>(ptr - first);
        return true;
    }
    bool peekDigit() {
        skipBlanks();
        return p_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[p_]));
    }

    // Items up to the end of the text or a closing parenthesis; commas are optional.
    bool list(std::vector<Item>& out) {
        for (;;) {
            skipBlanks();
            if (p_ >= s_.size() || s_[p_] == ')') return true;
            if (s_[p_] == ',') {
                ++p_;
                continue;
            }
            Item item;
            if (!one(item)) return false;
            out.push_back(std::move(item));
        }
    }

    bool one(Item& item) {
        int repeat = 1;
        if (peekDigit()) {
            if (!digits(repeat)) return false;
        }
        skipBlanks();
        if (p_ >= s_.size()) return false;
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(s_[p_])));
        item.repeat = repeat;
        if (c == '"' || c == '\'') return quoted(item);
        ++p_;
        switch (c) {
            case '/': item.kind = Item::Kind::Slash; return true;
            case '$': item.kind = Item::Kind::Dollar; return true;
            case 'X': item.kind = Item::Kind::X; item.w = repeat; item.repeat = 1; return true;
            case '(':
                item.kind = Item::Kind::Group;
                if (!list(item.group)) return false;
                if (p_ >= s_.size() || s_[p_] != ')') return false;
                ++p_;
                return true;
            case 'T': item.kind = Item::Kind::T; return digits(item.w);
            case 'I':
                item.kind = Item::Kind::I;
                if (!digits(item.w)) return false;
                return optionalDecimals(item, false);
            case 'F': item.kind = Item::Kind::F; return digits(item.w) && optionalDecimals(item, true);
            case 'E':
                if (p_ < s_.size() && std::toupper(static_cast<unsigned char>(s_[p_])) == 'S') ++p_;
                item.kind = Item::Kind::ES;
                return digits(item.w) && optionalDecimals(item, true);
            case 'A':
                item.kind = Item::Kind::A;
                if (peekDigit()) return digits(item.w);
                return true;
            default: return false;
        }
    }

    bool optionalDecimals(Item& item, bool required) {
        skipBlanks();
        if (p_ < s_.size() && s_[p_] == '.') {
            ++p_;
            return digits(item.d);
        }
        return !required;
    }

    bool quoted(Item& item) {
        const char quote = s_[p_++];
        item.kind = Item::Kind::Text;
        while (p_ < s_.size()) {
            const char c = s_[p_++];
            if (c == quote) {
                if (p_ < s_.size() && s_[p_] == quote) {
                    item.text.push_back(quote);
                    ++p_;
                    continue;
                }
                return true;
            }
            item.text.push_back(c);
        }
        return false;
    }

    std::string_view s_;
    std::size_t p_ = 0;
};

class Executor {
public:
    Executor(Channel& channel, std::initializer_list<LayoutValue> values)
        : line_(channel), next_(values.begin()), end_(values.end()) {}

    // Runs the layout; reuses it from its last top-level group while values remain.
    void run(const std::vector<Item>& items) {
        std::size_t reuseFrom = 0;
        for (std::size_t k = 0; k < items.size(); ++k)
            if (items[k].kind == Item::Kind::Group) reuseFrom = k;
        std::size_t from = 0;
        for (;;) {
            const auto before = next_;
            if (!sequence(items, from)) break;  // stopped at a data item without a value
            if (next_ == end_ || next_ == before) break;
            line_.slash();
            from = reuseFrom;
        }
        if (!leaveOpen_) line_.end();
    }

private:
    // Returns false when the values ran out at a data item.
    bool sequence(const std::vector<Item>& items, std::size_t from) {
        for (std::size_t k = from; k < items.size(); ++k) {
            const Item& item = items[k];
            for (int r = 0; r < item.repeat; ++r) {
                if (!single(item)) return false;
            }
        }
        return true;
    }

    bool single(const Item& item) {
        leaveOpen_ = false;
        switch (item.kind) {
            case Item::Kind::Text: line_.text(item.text); return true;
            case Item::Kind::Slash: line_.slash(); return true;
            case Item::Kind::Dollar: leaveOpen_ = true; return true;
            case Item::Kind::X: line_.x(item.w); return true;
            case Item::Kind::T: line_.tab(item.w); return true;
            case Item::Kind::Group: return sequence(item.group, 0);
            default: break;
        }
        if (next_ == end_) return false;
        const LayoutValue& v = *next_++;
        switch (item.kind) {
            case Item::Kind::I:
                line_.i(v.kind == LayoutValue::Kind::Real ? std::llround(v.real) : v.integer, item.w, item.d);
                break;
            case Item::Kind::F: line_.f(asReal(v), item.w, item.d); break;
            case Item::Kind::ES: line_.es(asReal(v), item.w, item.d); break;
            case Item::Kind::A:
                if (v.kind == LayoutValue::Kind::Text) line_.a(v.text, item.w);
                else line_.a(std::string(static_cast<std::size_t>(item.w < 0 ? 0 : item.w), '*'), item.w);
                break;
            default: break;
        }
        return true;
    }

    static double asReal(const LayoutValue& v) {
        return v.kind == LayoutValue::Kind::Integer ? static_cast<double>(v.integer) : v.real;
    }

    Line line_;
    const LayoutValue* next_;
    const LayoutValue* end_;
    bool leaveOpen_ = false;
};

}  // namespace

bool writeLayout(Channel& channel, std::string_view layout, std::initializer_list<LayoutValue> values) {
    std::vector<Item> items;
    if (!Parser(layout).parse(items)) return false;
    Executor(channel, values).run(items);
    return true;
}

void writeFreeForm(Channel& channel, std::initializer_list<LayoutValue> values) {
    Line line(channel);
    char buffer[40];
    for (const LayoutValue& v : values) {
        switch (v.kind) {
            case LayoutValue::Kind::Integer: line.blanks(1).i(v.integer, 0); break;
            case LayoutValue::Kind::Real:
                if (!std::isfinite(v.real)) channel.noteNonFinite();
                std::snprintf(buffer, sizeof buffer, "%.17G", v.real);
                line.blanks(1).text(buffer);
                break;
            case LayoutValue::Kind::Text: line.blanks(1).text(v.text); break;
        }
    }
    line.end();
}

void writeTextLine(Channel& channel, std::string_view text) { Line(channel).text(text).end(); }
void writeIndentedTextLine(Channel& channel, std::string_view text) { Line(channel).blanks(1).text(text).end(); }

void writeBlankLines(Channel& channel, int count) {
    for (int k = 0; k < count; ++k) channel.endLine();
}

void writeTextLines(Channel& channel, std::initializer_list<std::string_view> lines) {
    for (std::string_view text : lines) {
        if (text.empty()) {
            channel.endLine();
        } else {
            writeTextLine(channel, text);
        }
    }
}

std::string_view withoutTrailingBlanks(std::string_view s) {
    const std::size_t last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
}

std::string modelLongName(int code) {
    std::string text(34, ' ');
    const PyModelRow* row = pyModelRowOfCode(code);
    if (row != nullptr) text.replace(0, row->longName.size(), row->longName);
    return text;
}

}  // namespace mervik
