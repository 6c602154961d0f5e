// The record form of a configuration file: lines of comma-separated items, each a quoted text,
// a whole number or a truth value, ended by CR LF. The writer builds the text of a file; the
// reader walks the items of a file's bytes one at a time, in order, whatever the lines.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace dunax::config_file {

// A configuration file could not be written or read; what() is the text shown to the user.
struct ConfigError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Texts in the program are UTF-8; in a file they are in the Windows-1252 code page (ASCII is
// the same in both). Windows1252FromUtf8 is false when s is not UTF-8 or holds a character
// the code page lacks.
bool Windows1252FromUtf8(std::string_view s, std::string& out);
std::string Utf8FromWindows1252(std::string_view s);

// Whether a text can travel as a quoted item and be read back the same: no double quote, no
// control character (a line end would split the record), nothing outside the code page.
bool FitsQuotedItem(std::string_view text);

class RecordWriter {
  public:
    // A quoted text; the caller has checked it with FitsQuotedItem.
    void addString(std::string_view text);
    void addInteger(std::int16_t v);
    void addBoolean(bool b);
    // Ends the record in hand with CR LF.
    void endRecord();

    const std::string& text() const { return out_; }

  private:
    void separate();
    std::string out_;
    bool inRecord_ = false;
};

class RecordReader {
  public:
    // A UTF-8 byte-order mark at the start of bytes is skipped: editors often put one there.
    explicit RecordReader(std::string bytes);

    // The next item as a text: the characters between the quotes of a quoted item, or an
    // unquoted item as written (blanks around it dropped).
    std::string readText();
    // The next item as a 16-bit whole number: an unquoted number, a fraction rounded half to
    // even.
    std::int16_t readInteger();
    // The next item as a text that holds a 16-bit whole number (quoted or not).
    std::int16_t readIntegerText();
    // The next item as #TRUE# or #FALSE#.
    bool readBoolean();

    // Fails unless the last item read ends its line and nothing but blank lines follows:
    // blanks, tabs and line ends, and a DOS end-of-file mark (Ctrl-Z) as the very last byte.
    // The failure names the line and item of the first item left over.
    void expectEnd();

    // Where the reader stands, for messages: "line 3, item 2".
    std::string position() const;

  private:
    struct Item {
        std::string text;  // raw bytes of the file
        bool quoted = false;
    };
    Item next();
    [[noreturn]] void fail(const std::string& what) const;
    static std::int16_t toInteger(const std::string& text, const RecordReader& where);

    std::string bytes_;
    std::size_t pos_ = 0;
    int line_ = 1;
    int item_ = 0;      // items read from the current line
    int itemLine_ = 1;  // line and item number of the last item read
    int itemNo_ = 0;
    bool afterComma_ = false;  // the last item read was followed by a comma
};

}  // namespace dunax::config_file
