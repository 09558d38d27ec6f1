// Text and record files: what reaches the disk byte for byte, what reads back, and that a
// rewrite never loses the old file.
#include "common/files.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/services.h"
#include "common/testing/driver.h"
#include "scratch_folder.h"

namespace {

namespace fs = std::filesystem;
using common::FileKind;
using common::FileVar;

constexpr FileKind TEXT = FileKind::Text;
constexpr FileKind BINARY = FileKind::Binary;

using FilesTest = ScratchFolderTest;

using Names = std::vector<std::string>;

TEST_F(FilesTest, MixedLineOfNumbersAndTextRoundTrips) {
    FileVar file;
    ASSERT_EQ(common::open_file(file, TEXT, path("mixed.txt"), "W"), 0);
    EXPECT_EQ(common::write_value(file, TEXT, 120), 5);
    EXPECT_EQ(common::write_value(file, TEXT, 45L), 4);
    EXPECT_EQ(common::write_value(file, TEXT, "ToDo: "), 8);
    EXPECT_EQ(common::write_value(file, TEXT, 2.5), 6);
    ASSERT_EQ(common::close_file(file, TEXT), 0);
    EXPECT_FALSE(file.is_open());
    EXPECT_EQ(bytes_of("mixed.txt"), " 120  45 ToDo: \r\n 2.50 ");

    ASSERT_EQ(common::open_file(file, TEXT, path("mixed.txt"), "R"), 0);
    int first = 0;
    long second = 0;
    std::string text;
    double fraction = 0;
    EXPECT_EQ(common::read_value(file, TEXT, first), 0);
    EXPECT_EQ(common::read_value(file, TEXT, second), 0);
    EXPECT_EQ(common::read_value(file, TEXT, text), 0);
    EXPECT_EQ(common::read_value(file, TEXT, fraction), 0);
    EXPECT_EQ(first, 120);
    EXPECT_EQ(second, 45);
    EXPECT_EQ(text, "ToDo: ");
    EXPECT_DOUBLE_EQ(fraction, 2.5);
    EXPECT_TRUE(common::at_end(file, TEXT));
    EXPECT_EQ(common::read_value(file, TEXT, text), -1);
    EXPECT_EQ(text, "");
    EXPECT_EQ(common::read_value(file, TEXT, first), -1);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(common::close_file(file, TEXT), 0);
}

TEST_F(FilesTest, TextLinesEndAtCarriageReturnOnly) {
    // CR LF, a lone LF inside a line, an empty line, a lone CR, a last line without a line end.
    put("lines.txt", "one\r\ntwo\nstill two\r\n\r\nthree\rfour");
    FileVar file;
    ASSERT_EQ(common::open_file(file, TEXT, path("lines.txt"), "r"), 0);
    std::vector<std::string> lines;
    std::string line;
    while (common::read_value(file, TEXT, line) == 0) lines.push_back(line);
    EXPECT_EQ(lines, (Names{"one", "two\nstill two", "", "three", "four"}));
    EXPECT_EQ(line, "");
    common::close_file(file, TEXT);

    put("abc.txt", "abc");
    ASSERT_EQ(common::open_file(file, TEXT, path("abc.txt"), "R"), 0);
    EXPECT_FALSE(common::at_end(file, TEXT));
    EXPECT_EQ(common::read_value(file, TEXT, line), 0);
    EXPECT_EQ(line, "abc");
    EXPECT_EQ(common::read_value(file, TEXT, line), -1);
    common::close_file(file, TEXT);
}

TEST_F(FilesTest, OverlongLineKeepsItsFirst254CharactersAndSkipsTheRest) {
    put("long.txt", std::string(300, 'x') + "\r\nnext\r\n");
    FileVar file;
    ASSERT_EQ(common::open_file(file, TEXT, path("long.txt"), "R"), 0);
    std::string line;
    EXPECT_EQ(common::read_value(file, TEXT, line), 0);
    EXPECT_EQ(line, std::string(254, 'x'));
    EXPECT_EQ(common::read_value(file, TEXT, line), 0);
    EXPECT_EQ(line, "next");
}

TEST_F(FilesTest, NumbersSkipWhatIsNotANumberAndConsumeTheirEnd) {
    put("numbers.txt", " 12 34 ");
    FileVar file;
    ASSERT_EQ(common::open_file(file, TEXT, path("numbers.txt"), "R"), 0);
    int number = 7;
    EXPECT_EQ(common::read_value(file, TEXT, number), 0);
    EXPECT_EQ(number, 12);
    EXPECT_EQ(common::read_value(file, TEXT, number), 0);
    EXPECT_EQ(number, 34);
    EXPECT_EQ(common::read_value(file, TEXT, number), -1);
    EXPECT_EQ(number, 0);
    common::close_file(file, TEXT);

    // A point before the first digit is skipped; integers round to the nearest; the byte that
    // ends a number is consumed, so the following text starts after it.
    put("mixed.txt", "x.5 Price: -3.25;rest\r\n 2.5  -2.6 2.4 \r\n");
    ASSERT_EQ(common::open_file(file, TEXT, path("mixed.txt"), "R"), 0);
    double value = 0;
    std::string text;
    EXPECT_EQ(common::read_value(file, TEXT, value), 0);
    EXPECT_DOUBLE_EQ(value, 5);
    EXPECT_EQ(common::read_value(file, TEXT, value), 0);
    EXPECT_DOUBLE_EQ(value, -3.25);
    EXPECT_EQ(common::read_value(file, TEXT, text), 0);
    EXPECT_EQ(text, "rest");
    int rounded = 0;
    long rounded_long = 0;
    EXPECT_EQ(common::read_value(file, TEXT, rounded), 0);
    EXPECT_EQ(rounded, 3);
    EXPECT_EQ(common::read_value(file, TEXT, rounded_long), 0);
    EXPECT_EQ(rounded_long, -3);
    EXPECT_EQ(common::read_value(file, TEXT, rounded), 0);
    EXPECT_EQ(rounded, 2);
}

TEST_F(FilesTest, OverlongNumberRunReadsAsOneFiniteNumber) {
    put("digits.txt", std::string(60, '9') + " 5 ");
    FileVar file;
    ASSERT_EQ(common::open_file(file, TEXT, path("digits.txt"), "R"), 0);
    double big = 0;
    int clamped = 0;
    EXPECT_EQ(common::read_value(file, TEXT, big), 0);
    EXPECT_DOUBLE_EQ(big, 1e39);  // the first 39 digits
    EXPECT_EQ(common::read_value(file, TEXT, clamped), 0);
    EXPECT_EQ(clamped, 5);
}

TEST_F(FilesTest, ModesOnExistingAndMissingFiles) {
    FileVar file;
    EXPECT_EQ(common::open_file(file, TEXT, path("missing.txt"), "R"), 1);
    EXPECT_EQ(common::open_file(file, BINARY, path("missing.dat"), "R+"), 1);
    EXPECT_FALSE(file.is_open());

    put("old.txt", "old\r\n");
    EXPECT_EQ(common::open_file(file, TEXT, path("old.txt"), "R+"), 1);  // binary only
    EXPECT_EQ(common::open_file(file, TEXT, path("old.txt"), "X"), 1);
    EXPECT_EQ(common::open_file(file, TEXT, path("old.txt"), "RW"), 1);
    EXPECT_EQ(common::open_file(file, TEXT, path("old.txt"), ""), 1);

    ASSERT_EQ(common::open_file(file, TEXT, path("old.txt"), "a"), 0);
    EXPECT_EQ(common::file_position(file), 5);
    common::write_value(file, TEXT, "new");
    common::close_file(file, TEXT);
    EXPECT_EQ(bytes_of("old.txt"), "old\r\nnew\r\n");

    ASSERT_EQ(common::open_file(file, TEXT, path("created.txt"), "A"), 0);
    common::write_value(file, TEXT, 1);
    common::close_file(file, TEXT);
    EXPECT_EQ(bytes_of("created.txt"), " 1 ");

    ASSERT_EQ(common::open_file(file, TEXT, path("old.txt"), "w"), 0);
    EXPECT_TRUE(common::at_end(file, TEXT));  // emptied
    common::write_value(file, TEXT, "only");
    common::close_file(file, TEXT);
    EXPECT_EQ(bytes_of("old.txt"), "only\r\n");

    ASSERT_EQ(common::open_file(file, TEXT, path("fresh.txt"), "W"), 0);
    common::close_file(file, TEXT);
    EXPECT_TRUE(common::file_exists(path("fresh.txt")));
    EXPECT_EQ(bytes_of("fresh.txt"), "");
    EXPECT_EQ(listing(), (Names{"created.txt", "fresh.txt", "old.txt"}));
}

TEST_F(FilesTest, FailedOpenKeepsTheFileTheVariableHeld) {
    put("kept.txt", "kept\r\n");
    FileVar file;
    ASSERT_EQ(common::open_file(file, TEXT, path("kept.txt"), "R"), 0);
    EXPECT_EQ(common::open_file(file, TEXT, path("missing.txt"), "R"), 1);
    ASSERT_TRUE(file.is_open());
    std::string line;
    EXPECT_EQ(common::read_value(file, TEXT, line), 0);
    EXPECT_EQ(line, "kept");
}

TEST_F(FilesTest, RewriteReplacesTheOldFileOnlyWhenClosed) {
    put("job.txt", "old\r\n");
    FileVar file;
    ASSERT_EQ(common::open_file(file, TEXT, path("job.txt"), "W"), 0);
    common::write_value(file, TEXT, "new");
    EXPECT_EQ(bytes_of("job.txt"), "old\r\n");  // a reader still sees the whole old file
    EXPECT_EQ(common::close_file(file, TEXT), 0);
    EXPECT_EQ(bytes_of("job.txt"), "new\r\n");
    EXPECT_EQ(listing(), (Names{"job.txt"}));

    {
        FileVar forgotten;  // a file nobody closes is committed when its variable goes
        ASSERT_EQ(common::open_file(forgotten, TEXT, path("job.txt"), "W"), 0);
        common::write_value(forgotten, TEXT, "newer");
    }
    EXPECT_EQ(bytes_of("job.txt"), "newer\r\n");
    EXPECT_EQ(listing(), (Names{"job.txt"}));

    // Moving a variable moves the open file; the target is written once.
    FileVar first;
    ASSERT_EQ(common::open_file(first, TEXT, path("moved.txt"), "W"), 0);
    FileVar second = std::move(first);
    common::write_value(second, TEXT, "moved");
    EXPECT_EQ(common::close_file(first, TEXT), 0);
    EXPECT_EQ(common::close_file(second, TEXT), 0);
    EXPECT_EQ(bytes_of("moved.txt"), "moved\r\n");
}

TEST_F(FilesTest, FailedRewriteLeavesTheOldFileAndNoTemporaryFile) {
    // The target is a folder: the new file could never take its place, so it is refused at
    // once (and a copy onto it fails).
    fs::create_directory(path("folder"));
    put("folder/inside.txt", "inside");
    put("job.txt", "job");
    FileVar file;
    EXPECT_EQ(common::open_file(file, TEXT, path("folder"), "W"), 1);
    EXPECT_FALSE(common::file_copy(path("job.txt"), path("folder"), false));
    fs::remove(path("job.txt"));
    EXPECT_TRUE(fs::is_directory(path("folder")));
    EXPECT_EQ(bytes_of("folder/inside.txt"), "inside");
    EXPECT_EQ(listing(), (Names{"folder"}));

    // The folder goes away while the file is being written.
    fs::create_directory(path("gone"));
    ASSERT_EQ(common::open_file(file, TEXT, path("gone/job.txt"), "W"), 0);
    common::write_value(file, TEXT, "lost");
    fs::remove_all(path("gone"));
    EXPECT_EQ(common::close_file(file, TEXT), 1);
    EXPECT_FALSE(fs::exists(path("gone")));

    // A folder that never existed cannot be written into at all.
    EXPECT_EQ(common::open_file(file, TEXT, path("none/job.txt"), "W"), 1);
    EXPECT_EQ(common::open_file(file, TEXT, path("none/job.txt"), "A"), 1);
    EXPECT_EQ(listing(), (Names{"folder"}));
}

TEST_F(FilesTest, WriteThatNeverReachedTheDiskIsReportedWhenClosing) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no device that is always full";
    FileVar file;
    ASSERT_EQ(common::open_file(file, TEXT, "/dev/full", "A"), 0);
    common::write_value(file, TEXT, "lost line");
    EXPECT_EQ(common::close_file(file, TEXT), 1);

    // Also when the failure showed while the file was still in use (moving and reading write
    // out the buffer).
    ASSERT_EQ(common::open_file(file, TEXT, "/dev/full", "A"), 0);
    common::write_value(file, TEXT, "lost line");
    common::file_position(file, 0);
    EXPECT_EQ(common::close_file(file, TEXT), 1);
    ASSERT_EQ(common::open_file(file, TEXT, "/dev/full", "A"), 0);
    common::write_value(file, TEXT, "lost line");
    common::at_end(file, TEXT);
    EXPECT_EQ(common::close_file(file, TEXT), 1);
}

TEST_F(FilesTest, RewriteKeepsThePermissionsOfTheFileItReplaces) {
    put("settings.ini", "a\r\n");
    fs::permissions(path("settings.ini"), fs::perms::owner_read | fs::perms::owner_write);
    FileVar file;
    ASSERT_EQ(common::open_file(file, TEXT, path("settings.ini"), "W"), 0);
    common::write_value(file, TEXT, "b");
    ASSERT_EQ(common::close_file(file, TEXT), 0);
    EXPECT_EQ(fs::status(path("settings.ini")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

struct Entry {
    char text[8];
};

Entry entry(const char* text) {
    Entry e{};
    // Longer texts are cut to the field, leaving its zero byte.
    std::memcpy(e.text, text, std::min(std::strlen(text), sizeof e.text - 1));
    return e;
}

TEST_F(FilesTest, RecordsByNumber) {
    FileVar file;
    ASSERT_EQ(common::open_file(file, BINARY, path("todo.dat"), "W"), 0);
    for (const char* text : {"one", "two", "three"}) {
        Entry e = entry(text);
        EXPECT_EQ(common::write_bytes(file, &e, sizeof e), 8);
    }
    Entry e = entry("six");
    EXPECT_EQ(common::write_record(file, 6, &e, sizeof e), 8);  // extends the file
    EXPECT_EQ(common::write_record(file, 0, &e, sizeof e), 0);
    EXPECT_EQ(common::write_record(file, -1, &e, sizeof e), 0);
    ASSERT_EQ(common::close_file(file, BINARY), 0);
    EXPECT_EQ(fs::file_size(path("todo.dat")), 48u);

    ASSERT_EQ(common::open_file(file, BINARY, path("todo.dat"), "R+"), 0);
    Entry read = entry("untouched");
    EXPECT_EQ(common::read_record(file, 2, &read, sizeof read), 8);
    EXPECT_STREQ(read.text, "two");
    EXPECT_EQ(common::read_record(file, 6, &read, sizeof read), 8);
    EXPECT_STREQ(read.text, "six");
    EXPECT_EQ(common::read_record(file, 5, &read, sizeof read), 8);
    EXPECT_STREQ(read.text, "");  // the gap reads as zero bytes

    read = entry("kept");
    EXPECT_EQ(common::read_record(file, 7, &read, sizeof read), 0);
    EXPECT_EQ(common::read_record(file, 0, &read, sizeof read), 0);
    EXPECT_EQ(common::read_record(file, 1L << 60, &read, sizeof read), 0);
    EXPECT_STREQ(read.text, "kept");

    Entry changed = entry("TWO");
    EXPECT_EQ(common::write_record(file, 2, &changed, sizeof changed), 8);
    ASSERT_EQ(common::close_file(file, BINARY), 0);
    std::string bytes = bytes_of("todo.dat");
    EXPECT_EQ(bytes.size(), 48u);
    EXPECT_STREQ(bytes.data() + 8, "TWO");
    EXPECT_STREQ(bytes.data() + 16, "three");
}

TEST_F(FilesTest, ReadingThenWritingOnOneFileWritesWhereReadingStopped) {
    put("data.bin", "AAAABBBBCCCC");
    FileVar file;
    ASSERT_EQ(common::open_file(file, BINARY, path("data.bin"), "A"), 0);
    EXPECT_TRUE(common::at_end(file, BINARY));
    common::file_position(file, 0);
    EXPECT_FALSE(common::at_end(file, BINARY));
    char four[4];
    EXPECT_EQ(common::read_bytes(file, four, 4), 4);
    EXPECT_EQ(common::write_bytes(file, "xxxx", 4), 4);
    EXPECT_FALSE(common::at_end(file, BINARY));
    EXPECT_EQ(common::file_position(file), 8);
    EXPECT_EQ(common::read_bytes(file, four, 4), 4);
    EXPECT_EQ(std::string(four, 4), "CCCC");
    EXPECT_TRUE(common::at_end(file, BINARY));
    EXPECT_EQ(common::write_bytes(file, "DD", 2), 2);  // the end was reached; writing goes on
    EXPECT_TRUE(common::at_end(file, BINARY));
    common::file_position(file, 12);
    EXPECT_FALSE(common::at_end(file, BINARY));
    EXPECT_EQ(common::read_bytes(file, four, 4), 2);
    common::close_file(file, BINARY);
    EXPECT_EQ(bytes_of("data.bin"), "AAAAxxxxCCCCDD");
}

TEST_F(FilesTest, BinaryValuesKeepTheirBytes) {
    FileVar file;
    ASSERT_EQ(common::open_file(file, BINARY, path("values.bin"), "W"), 0);
    EXPECT_EQ(common::write_value(file, BINARY, 258), static_cast<int>(sizeof(int)));
    EXPECT_EQ(common::write_value(file, BINARY, 1.25), 8);
    EXPECT_EQ(common::write_value(file, BINARY, std::string(300, 'z')), 255);  // a text field
    common::close_file(file, BINARY);
    EXPECT_EQ(fs::file_size(path("values.bin")), sizeof(int) + 8 + 255);

    ASSERT_EQ(common::open_file(file, BINARY, path("values.bin"), "R"), 0);
    int whole = 0;
    double fraction = 0;
    std::string text;
    EXPECT_EQ(common::read_value(file, BINARY, whole), 0);
    EXPECT_EQ(common::read_value(file, BINARY, fraction), 0);
    EXPECT_EQ(common::read_value(file, BINARY, text), 0);
    EXPECT_EQ(whole, 258);
    EXPECT_EQ(fraction, 1.25);
    EXPECT_EQ(text, std::string(254, 'z'));
    EXPECT_EQ(common::read_value(file, BINARY, whole), -1);
}

TEST_F(FilesTest, NoFileMeansNothingHappens) {
    FileVar none;
    std::string text = "before";
    int number = 3;
    EXPECT_TRUE(common::at_end(none, TEXT));
    EXPECT_EQ(common::write_value(none, TEXT, "x"), 0);
    EXPECT_EQ(common::read_value(none, TEXT, text), -1);
    EXPECT_EQ(common::read_value(none, TEXT, number), -1);
    EXPECT_EQ(common::read_record(none, 1, &number, sizeof number), 0);
    EXPECT_EQ(common::write_record(none, 1, &number, sizeof number), 0);
    EXPECT_EQ(common::file_position(none), 0);
    EXPECT_EQ(common::close_file(none, TEXT), 0);
}

TEST_F(FilesTest, MisusedFileKindIsReportedAndDoesNothing) {
    common::testing::Driver driver;
    const auto wrong = static_cast<FileKind>(0);
    put("a.txt", "a\r\n");
    FileVar file;
    EXPECT_EQ(common::open_file(file, wrong, path("a.txt"), "R"), 1);
    EXPECT_FALSE(file.is_open());

    ASSERT_EQ(common::open_file(file, TEXT, path("a.txt"), "R"), 0);
    EXPECT_TRUE(common::at_end(file, wrong));
    common::close_file(file, wrong);
    EXPECT_TRUE(file.is_open());

    ASSERT_EQ(driver.messages().size(), 3u);
    EXPECT_EQ(driver.messages()[0].text, "Runtime error (OPENFILE): file variable expected");
    EXPECT_EQ(driver.messages()[1].text, "Runtime error (EOF): file variable expected");
    EXPECT_EQ(driver.messages()[2].text, "Runtime Error: Invalid file variable");
    for (const auto& message : driver.messages()) EXPECT_EQ(message.caption, "Error");
}

TEST_F(FilesTest, CopyDeleteRenameAndExists) {
    put("todo.dat", "database");
    put("todo.bak", "old backup");
    EXPECT_FALSE(common::file_copy(path("todo.dat"), path("todo.bak"), true));
    EXPECT_EQ(bytes_of("todo.bak"), "old backup");
    EXPECT_TRUE(common::file_copy(path("todo.dat"), path("todo.bak"), false));
    EXPECT_EQ(bytes_of("todo.bak"), "database");
    EXPECT_TRUE(common::file_copy(path("todo.dat"), path("new.bak"), true));
    EXPECT_FALSE(common::file_copy(path("missing.dat"), path("other.bak"), false));
    EXPECT_FALSE(common::file_copy(path("todo.dat"), path("todo.dat"), false));
    EXPECT_EQ(bytes_of("todo.dat"), "database");

    EXPECT_TRUE(common::file_rename(path("new.bak"), path("todo.bak")));  // replaces
    EXPECT_FALSE(common::file_exists(path("new.bak")));
    EXPECT_FALSE(common::file_rename(path("new.bak"), path("x.bak")));

    EXPECT_TRUE(common::file_delete(path("todo.bak")));
    EXPECT_FALSE(common::file_delete(path("todo.bak")));
    EXPECT_FALSE(common::file_exists(path("todo.bak")));
    EXPECT_TRUE(common::file_exists(path("todo.dat")));
    fs::create_directory(path("folder"));
    EXPECT_FALSE(common::file_delete(path("folder")));
    EXPECT_TRUE(fs::exists(path("folder")));
    EXPECT_EQ(listing(), (Names{"folder", "todo.dat"}));  // no copy left a temporary file
}

TEST_F(FilesTest, OfficePathsWorkWithEitherSeparator) {
    fs::create_directory(path("data"));
    FileVar file;
    ASSERT_EQ(common::open_file(file, TEXT, dir_ + "\\data\\\\Smith.kez", "W"), 0);
    common::write_value(file, TEXT, "Smith");
    ASSERT_EQ(common::close_file(file, TEXT), 0);
    EXPECT_EQ(bytes_of("data/Smith.kez"), "Smith\r\n");
    EXPECT_TRUE(common::file_exists(dir_ + "/data//Smith.kez"));

    EXPECT_EQ(common::native_path("data\\a.job"), "data/a.job");
    EXPECT_EQ(common::native_path("C:\\kez\\\\data\\/x.dat"), "C:/kez/data/x.dat");
    EXPECT_EQ(common::native_path("//tmp//a"), "/tmp/a");
    EXPECT_EQ(common::native_path("printdata\\htmlout.htm"), "printdata/htmlout.htm");
    EXPECT_EQ(common::native_path(""), "");

    EXPECT_EQ(common::base_name("data\\a.job"), "a");
    EXPECT_EQ(common::base_name("/home/kez/data/Mr Jones.kez"), "Mr Jones");
    EXPECT_EQ(common::base_name("x/y/z.tar.gz"), "z.tar");
    EXPECT_EQ(common::base_name("noext"), "noext");
    EXPECT_EQ(common::base_name("folder\\"), "");
}

TEST_F(FilesTest, OfficeTextInFileNamesReachesTheDiskAsUtf8) {
    // "£" is byte 163 in the office's texts.
    const std::string name = "Price \xA3list.dat";
    FileVar file;
    ASSERT_EQ(common::open_file(file, TEXT, path(name), "W"), 0);
    common::write_value(file, TEXT,
                        "\xA3"
                        "5");
    ASSERT_EQ(common::close_file(file, TEXT), 0);
    EXPECT_EQ(listing(), (Names{"Price \xC2\xA3list.dat"}));
    EXPECT_TRUE(common::file_exists(path(name)));
    EXPECT_EQ(bytes_of("Price \xC2\xA3list.dat"),
              "\xA3"
              "5\r\n");  // contents stay as bytes
}

}  // namespace
