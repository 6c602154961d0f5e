// The record form of a configuration file: what the writer puts down and what the reader takes
// from any bytes, good or bad.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "config_file/record_io.h"

namespace dunax {
namespace {

using config_file::ConfigError;
using config_file::RecordReader;
using config_file::RecordWriter;

TEST(RecordWriter, WritesQuotedTextsNumbersAndTruthValuesWithCrLf) {
    RecordWriter w;
    w.addString("J6P-KW4");
    w.addInteger(0);
    w.addString("a, \"b");  // written as it stands
    w.addInteger(-32768);
    w.endRecord();
    w.addBoolean(true);
    w.addBoolean(false);
    w.endRecord();
    w.addString("");
    w.addString(
        "\xC2\xB0"
        "C \xE2\x82\xAC");  // degree sign, euro sign: one byte each on file
    w.endRecord();
    EXPECT_EQ(w.text(),
              "\"J6P-KW4\",0,\"a, \"b\",-32768\r\n#TRUE#,#FALSE#\r\n\"\",\"\xB0"
              "C \x80\"\r\n");
}

TEST(RecordWriter, TextsThatCannotTravelInQuotes) {
    EXPECT_TRUE(config_file::FitsQuotedItem("1,5 and blanks  "));
    EXPECT_TRUE(config_file::FitsQuotedItem("\xC2\xB0"));
    EXPECT_FALSE(config_file::FitsQuotedItem("a\"b"));
    EXPECT_FALSE(config_file::FitsQuotedItem("a\r\nb"));
    EXPECT_FALSE(config_file::FitsQuotedItem("\xE6\x97\xA5"));  // outside the code page
    EXPECT_FALSE(config_file::FitsQuotedItem("\xFF"));          // not UTF-8
}

TEST(RecordReader, ReadsItemsInSequenceWhateverTheLines) {
    RecordReader r(" \"a,b\" , 12,#TRUE#\r\n\"\"\n13.5,12.5\r-0.5,\"5\",\xB0\r\n");
    EXPECT_EQ(r.readText(), "a,b");
    EXPECT_EQ(r.readInteger(), 12);
    EXPECT_TRUE(r.readBoolean());
    EXPECT_EQ(r.readText(), "");
    EXPECT_EQ(r.readInteger(), 14);  // half to even
    EXPECT_EQ(r.readInteger(), 12);
    EXPECT_EQ(r.readInteger(), 0);
    EXPECT_EQ(r.readIntegerText(), 5);
    EXPECT_EQ(r.readText(), "\xC2\xB0");
    EXPECT_THROW(r.readText(), ConfigError);  // nothing follows the last line end
}

TEST(RecordReader, RefusesWhatAFileCannotHold) {
    struct Row {
        const char* name;
        std::string bytes;
        std::function<void(RecordReader&)> read;
        const char* message;
    };
    auto integer = [](RecordReader& r) { r.readInteger(); };
    auto text = [](RecordReader& r) { r.readText(); };
    auto truth = [](RecordReader& r) { r.readBoolean(); };
    const Row rows[] = {
        {"empty file", "", text, "Input past end of file"},
        {"letters for a number", "abc\r\n", integer, "Type mismatch"},
        {"quoted number", "\"5\"\r\n", integer, "Type mismatch"},
        {"empty item for a number", ",\r\n", integer, "Type mismatch"},
        {"above 16 bits", "32768\r\n", integer, "Overflow"},
        {"below 16 bits", "-32769\r\n", integer, "Overflow"},
        {"hexadecimal", "0x10\r\n", integer, "Type mismatch"},
        {"truth value in lower case", "#true#\r\n", truth, "Type mismatch"},
        {"number for a truth value", "1\r\n", truth, "Type mismatch"},
        {"quote not closed", "\"abc", text, "not closed"},
        {"quote runs over the line end", "\"ab\r\ncd\"\r\n", text, "past the end of its line"},
        {"characters after the quote", "\"ab\"cd,1\r\n", text, "after a quoted text"},
        {"NUL byte", std::string("\"a\0b\"\r\n", 7), text, "not text"},
        {"escape byte in a number", "1\x1b\r\n", integer, "not text"},
        {"byte-order mark and nothing else", "\xEF\xBB\xBF", text, "Input past end of file"},
        {"byte-order mark twice",
         "\xEF\xBB\xBF\xEF\xBB\xBF"
         "5\r\n",
         integer, "Type mismatch"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecordReader r(row.bytes);
        try {
            row.read(r);
            ADD_FAILURE() << "read without complaint";
        } catch (const ConfigError& e) {
            EXPECT_NE(std::string(e.what()).find(row.message), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("line 1, item 1"), std::string::npos) << e.what();
        }
    }
}

TEST(RecordReader, AByteOrderMarkBeforeTheFirstItemIsNotPartOfIt) {
    RecordReader r("\xEF\xBB\xBF\"J6P-KW4\",0\r\n");
    EXPECT_EQ(r.readText(), "J6P-KW4");
    EXPECT_EQ(r.readInteger(), 0);
    EXPECT_NO_THROW(r.expectEnd());
}

TEST(RecordReader, NamesTheLineAndItemOfAFailure) {
    RecordReader r("1,2\r\n3,x\r\n");
    for (int i = 0; i < 3; ++i) r.readInteger();
    try {
        r.readInteger();
        ADD_FAILURE();
    } catch (const ConfigError& e) {
        EXPECT_NE(std::string(e.what()).find("line 2, item 2"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace dunax
