#include "config_file/record_io.h"

#include <array>
#include <optional>

#include "core/text.h"

namespace dunax::config_file {

namespace {

// Code points of the bytes 0x80..0x9F of Windows-1252; 0 where the code page has none.
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    auto byte = [&out](char32_t b) {
        out.push_back(static_cast<char>(static_cast<unsigned char>(b)));
    };
    if (cp < 0x80) {
        byte(cp);
    } else if (cp < 0x800) {
        byte(0xC0 | (cp >> 6));
        byte(0x80 | (cp & 0x3F));
    } else {
        byte(0xE0 | (cp >> 12));
        byte(0x80 | ((cp >> 6) & 0x3F));
        byte(0x80 | (cp & 0x3F));
    }
}

// The next code point of UTF-8 text s at i; nullopt for a malformed sequence.
std::optional<char32_t> nextCodePoint(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i++]);
    if (b0 < 0x80) return b0;
    int extra = 0;
    char32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        cp = b0 & 0x07;
    } else {
        return std::nullopt;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size()) return std::nullopt;
        const auto b = static_cast<unsigned char>(s[i++]);
        if ((b & 0xC0) != 0x80) return std::nullopt;
        cp = (cp << 6) | (b & 0x3F);
    }
    return cp;
}

bool isControl(unsigned char c) {
    return (c < 0x20 && c != '\t') || c == 0x7F;
}

constexpr const char* kLeftOver =
    "Bad file format: the file holds more than the records of its model and network";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// An item's text as the messages quote it: at most 24 characters, control characters as "?".
std::string shown(const std::string& raw) {
    std::string s = Utf8FromWindows1252(raw.substr(0, 24));
    for (char& c : s) {
        if (isControl(static_cast<unsigned char>(c))) c = '?';
    }
    return raw.size() > 24 ? s + "..." : s;
}

}  // namespace

bool Windows1252FromUtf8(std::string_view s, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < s.size();) {
        const std::optional<char32_t> cp = nextCodePoint(s, i);
        if (!cp) return false;
        if (*cp < 0x80 || (*cp >= 0xA0 && *cp <= 0xFF)) {
            out.push_back(static_cast<char>(static_cast<unsigned char>(*cp)));
            continue;
        }
        bool found = false;
        for (std::size_t k = 0; k < kHighControls.size() && !found; ++k) {
            if (kHighControls[k] != 0 && kHighControls[k] == *cp) {
                out.push_back(static_cast<char>(0x80 + k));
                found = true;
            }
        }
        if (!found) return false;
    }
    return true;
}

std::string Utf8FromWindows1252(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char ch : s) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out.push_back(ch);
        } else if (b < 0xA0) {
            const char32_t cp = kHighControls[b - 0x80u];
            appendUtf8(out, cp != 0 ? cp : 0xFFFD);
        } else {
            appendUtf8(out, b);
        }
    }
    return out;
}

bool FitsQuotedItem(std::string_view text) {
    for (char c : text) {
        if (c == '"' || isControl(static_cast<unsigned char>(c))) return false;
    }
    std::string ansi;
    return Windows1252FromUtf8(text, ansi);
}

// --- Writer ---

void RecordWriter::separate() {
    if (inRecord_) out_ += ',';
    inRecord_ = true;
}

void RecordWriter::addString(std::string_view text) {
    separate();
    std::string ansi;
    Windows1252FromUtf8(text, ansi);
    out_ += '"';
    out_ += ansi;
    out_ += '"';
}

void RecordWriter::addInteger(std::int16_t v) {
    separate();
    out_ += std::to_string(v);
}

void RecordWriter::addBoolean(bool b) {
    separate();
    out_ += b ? "#TRUE#" : "#FALSE#";
}

void RecordWriter::endRecord() {
    out_ += "\r\n";
    inRecord_ = false;
}

// --- Reader ---

RecordReader::RecordReader(std::string bytes) : bytes_(std::move(bytes)) {
    if (bytes_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
}

void RecordReader::expectEnd() {
    const std::size_t size = bytes_.size();
    // A comma after the last item read: another item follows on its line, if only an empty one.
    if (afterComma_) {
        itemLine_ = line_;
        itemNo_ = item_ + 1;
        fail(kLeftOver);
    }
    int line = line_;
    for (std::size_t p = pos_; p < size;) {
        const char c = bytes_[p++];
        if (isBlank(c) || (c == '\x1A' && p == size)) continue;
        if (c == '\r' || c == '\n') {
            if (c == '\r' && p < size && bytes_[p] == '\n') ++p;
            ++line;
            continue;
        }
        itemLine_ = line;
        itemNo_ = 1;
        fail(kLeftOver);
    }
}

std::string RecordReader::position() const {
    return "line " + std::to_string(itemLine_) + ", item " + std::to_string(itemNo_);
}

void RecordReader::fail(const std::string& what) const {
    throw ConfigError(what + " (" + position() + ").");
}

RecordReader::Item RecordReader::next() {
    if (pos_ >= bytes_.size()) {
        itemLine_ = line_;
        itemNo_ = item_ + 1;
        fail("Input past end of file: the file ends before all of its settings were read");
    }
    while (pos_ < bytes_.size() && isBlank(bytes_[pos_])) ++pos_;
    itemLine_ = line_;
    itemNo_ = ++item_;
    afterComma_ = false;

    Item item;
    if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
        item.quoted = true;
        const std::size_t start = ++pos_;
        while (pos_ < bytes_.size() && bytes_[pos_] != '"') {
            if (bytes_[pos_] == '\r' || bytes_[pos_] == '\n') {
                fail("Bad file format: a quoted text runs past the end of its line");
            }
            ++pos_;
        }
        if (pos_ >= bytes_.size()) fail("Bad file format: a quoted text is not closed");
        item.text = bytes_.substr(start, pos_ - start);
        ++pos_;  // the closing quote
        while (pos_ < bytes_.size() && isBlank(bytes_[pos_])) ++pos_;
    } else {
        const std::size_t start = pos_;
        while (pos_ < bytes_.size() && bytes_[pos_] != ',' && bytes_[pos_] != '\r' &&
               bytes_[pos_] != '\n') {
            ++pos_;
        }
        std::size_t end = pos_;
        while (end > start && isBlank(bytes_[end - 1])) --end;
        item.text = bytes_.substr(start, end - start);
    }
    for (char c : item.text) {
        if (isControl(static_cast<unsigned char>(c))) {
            fail("Bad file format: the file holds characters that are not text");
        }
    }

    // The delimiter: a comma, a line end (CR LF, LF or CR) or the end of the file.
    if (pos_ < bytes_.size()) {
        const char c = bytes_[pos_];
        if (c == ',') {
            ++pos_;
            afterComma_ = true;
        } else if (c == '\r' || c == '\n') {
            ++pos_;
            if (c == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
            ++line_;
            item_ = 0;
        } else {
            fail("Bad file format: unexpected characters after a quoted text");
        }
    }
    return item;
}

std::int16_t RecordReader::toInteger(const std::string& text, const RecordReader& where) {
    const std::optional<double> v = core::ToDouble(text);
    if (!v) where.fail("Type mismatch: \"" + shown(text) + "\" is not a number");
    const std::optional<std::int16_t> n = core::RoundHalfEven16(*v);
    if (!n) where.fail("Overflow: " + shown(text) + " is outside -32768 to 32767");
    return *n;
}

std::string RecordReader::readText() {
    return Utf8FromWindows1252(next().text);
}

std::int16_t RecordReader::readInteger() {
    const Item item = next();
    if (item.quoted) fail("Type mismatch: a text stands where a number belongs");
    return toInteger(item.text, *this);
}

std::int16_t RecordReader::readIntegerText() {
    return toInteger(next().text, *this);
}

bool RecordReader::readBoolean() {
    const Item item = next();
    if (!item.quoted && item.text == "#TRUE#") return true;
    if (!item.quoted && item.text == "#FALSE#") return false;
    fail("Type mismatch: \"" + shown(item.text) + "\" is not #TRUE# or #FALSE#");
}

}  // namespace dunax::config_file
