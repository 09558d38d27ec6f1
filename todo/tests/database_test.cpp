// The database through the program: files laid out byte by byte load into the six columns, saves
// write the record table, and damaged files load what they hold, keep their original and save
// normally from then on.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "common/window.h"
#include "startup.h"
#include "state.h"
#include "todo_fixture.h"

namespace todo::testing {
namespace {

const std::vector<Entry> THREE = {
    {"Order panels from the wholesaler", " 2", "01-03-2026", "12-03-2026", "10:15", " 5"},
    {"Ring Mrs Baker about the roof", " 1", "02-03-2026", "--Tue", "14:00", " 1"},
    {"Invoice the Clark job", " 3", "03-03-2026", "08--Mar", "09:05", " 6"}};

// The zero-ended text at an offset of a record in the file.
std::string text_in(const std::string& file, int record, std::size_t at) {
    return std::string(file.c_str() + (record - 1) * 1036 + at);
}

long int_in(const std::string& file, int record, std::size_t at) {
    const auto* b = reinterpret_cast<const unsigned char*>(file.data() + (record - 1) * 1036 + at);
    return static_cast<std::int32_t>(b[0] | b[1] << 8 | b[2] << 16 | std::uint32_t(b[3]) << 24);
}

class Database : public TodoFixture {
protected:
    std::string path() { return in_program_folder("todo.dat"); }
    void start_with(const std::string& bytes) {
        write_file(path(), bytes);
        start();
    }
};

TEST_F(Database, FileLaidOutByHandLoadsIntoTheColumns) {
    start_with(database_bytes(THREE, 3) +
               database_bytes({{"left over", " 9", "", "", "", " 5"}}, 0).substr(1036));
    EXPECT_EQ(entries(), THREE) << "the record after the count is not an entry";
    EXPECT_EQ(state.entry_count, 3);
    EXPECT_EQ(text(ID_MESSAGE_LINE), "Number of entries in the list:  3");
    EXPECT_TRUE(shown("Error...LoadData...").empty());
}

TEST_F(Database, SaveWritesTheRecordTableAndPriorityOneComesBackAsTwo) {
    start_with(database_bytes(THREE, 3));
    choose_tool(CMD_FINNISHED);
    EXPECT_FALSE(state.run);
    const std::string file = read_file(path());
    ASSERT_EQ(file.size(), 4u * 1036);
    EXPECT_EQ(int_in(file, 1, 264), 3);
    for (int i = 0; i < 3; ++i) {
        const Entry& e = THREE[i];
        EXPECT_EQ(text_in(file, i + 2, 0), e.time);
        EXPECT_EQ(int_in(file, i + 2, 256), i == 1 ? 2 : std::stol(e.status));
        EXPECT_EQ(int_in(file, i + 2, 260), std::stol(e.priority));
        EXPECT_EQ(text_in(file, i + 2, 268), e.date);
        EXPECT_EQ(text_in(file, i + 2, 523), e.created);
        EXPECT_EQ(text_in(file, i + 2, 778), e.text);
    }
    start_again();
    EXPECT_EQ(column(ID_STATUS_COLUMN), (std::vector<std::string>{" 5", " 2", " 6"}));
}

TEST_F(Database, ShrinkingTheListKeepsTheFileLengthButNotTheEntries) {
    std::vector<Entry> ten;
    for (int i = 1; i <= 10; ++i) {
        ten.push_back({"job " + std::to_string(i), " " + std::to_string(i), "01-03-2026",
                       "12-03-2026", "10:00", " 6"});
    }
    start_with(database_bytes(ten, 10));
    for (int i = 0; i < 7; ++i) {
        select_row(ID_TEXT_COLUMN, 3);
        choose_tool(CMD_DELETE);
    }
    EXPECT_GE(read_file(path()).size(), 11u * 1036);
    start_again();
    EXPECT_EQ(column(ID_TEXT_COLUMN), (std::vector<std::string>{"job 1", "job 2", "job 3"}));
}

// Shapes of damaged files: what loads, where the original is kept, and that nothing typed
// afterwards is lost.
TEST_F(Database, DamagedFilesLoadWhatTheyHoldAndSaveNormallyAfterwards) {
    std::string no_zero_bytes = database_bytes(THREE, 1);
    no_zero_bytes.resize(2 * 1036);
    std::fill(no_zero_bytes.begin() + 1036, no_zero_bytes.begin() + 1036 + 256, 'A');
    std::fill(no_zero_bytes.begin() + 1036 + 268, no_zero_bytes.end(), 'B');
    struct Shape {
        std::string name;
        std::string bytes;
        std::vector<std::string> texts;
    };
    const std::vector<Shape> shapes = {
        {"cut header", std::string(500, 'x'), {}},
        {"count beyond the file",
         database_bytes(THREE, 5),
         {THREE[0].text, THREE[1].text, THREE[2].text}},
        {"cut last record",
         database_bytes(THREE, 3).substr(0, 3 * 1036 + 500),
         {THREE[0].text, THREE[1].text}},
        {"negative count", database_bytes(THREE, -3), {}},
        {"huge count",
         database_bytes(THREE, 0x7FFFFFFF),
         {THREE[0].text, THREE[1].text, THREE[2].text}},
    };
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.name);
        start_with(shape.bytes);
        EXPECT_EQ(column(ID_TEXT_COLUMN), shape.texts);
        EXPECT_EQ(state.entry_count, static_cast<int>(shape.texts.size()));
        ASSERT_EQ(shown("Error...LoadData...").size(), 1u);
        EXPECT_NE(shown("Error...LoadData...")[0].find("the original is kept in todo.bak"),
                  std::string::npos);
        EXPECT_EQ(read_file(in_current_folder("todo.bak")), shape.bytes);
        EXPECT_NE(shown("Error...LoadData...")[0].find("and in " + path() + ".damaged"),
                  std::string::npos);
        type(ID_ENTRY_EDIT, "new entry");
        click(ID_ADD);
        choose_tool(CMD_FINNISHED);
        EXPECT_TRUE(shown("Error...SaveData...").empty());
        driver.clear_records();
        start_again();
        std::vector<std::string> expected = shape.texts;
        expected.push_back("new entry");
        EXPECT_EQ(column(ID_TEXT_COLUMN), expected) << "what it held and what was added";
        EXPECT_TRUE(shown("Error...LoadData...").empty()) << "told once";
        EXPECT_EQ(read_file(path() + ".damaged"), shape.bytes)
            << "the original outlives the next start's backup";
        std::filesystem::remove(path() + ".damaged");
        end_cycle();
        fresh_state();
        driver.clear_records();
    }
    start_with(no_zero_bytes);
    ASSERT_EQ(entries().size(), 1u);
    EXPECT_EQ(entries()[0].time, std::string(254, 'A'));
    EXPECT_EQ(entries()[0].text, std::string(254, 'B'));
    EXPECT_TRUE(shown("Error...LoadData...").empty()) << "a whole record with long texts is fine";
}

// Where todo.bak cannot be written the damaged original is copied beside the database; where
// no copy can be made at all the user is told so, and the list still saves.
TEST_F(Database, DamagedOriginalIsKeptBesideTheDatabaseWhenTodoBakCannotBeWritten) {
    const std::string cut = database_bytes(THREE, 3).substr(0, 2 * 1036 + 10);
    driver.fail_file_step(common::testing::FileStep::Create, 1, EACCES);
    start_with(cut);
    EXPECT_EQ(shown("Error...start...").size(), 1u);
    ASSERT_EQ(shown("Error...LoadData...").size(), 1u);
    EXPECT_NE(shown("Error...LoadData...")[0].find("kept in " + path() + ".damaged"),
              std::string::npos);
    EXPECT_EQ(read_file(path() + ".damaged"), cut);
    end_cycle();
    fresh_state();
    driver.clear_records();

    std::filesystem::remove(path() + ".damaged");
    write_file(in_program_folder("todo.ini"), settings_for(path()));
    driver.fail_file_step(common::testing::FileStep::Create, 1, EACCES, true);
    start_with(cut);
    ASSERT_EQ(shown("Error...LoadData...").size(), 1u);
    EXPECT_NE(shown("Error...LoadData...")[0].find("no copy of the original could be made"),
              std::string::npos);
    type(ID_ENTRY_EDIT, "typed after");
    click(ID_ADD);
    EXPECT_TRUE(shown("Error...SaveData...").empty()) << "the folder's files are still writable";
    driver.stop_failing_files();
    start_again();
    EXPECT_EQ(column(ID_TEXT_COLUMN), (std::vector<std::string>{THREE[0].text, "typed after"}));
}

TEST_F(Database, EmptyFileIsANewDatabaseAndMissingRecordsNeverRepeat) {
    start_with("");
    EXPECT_TRUE(column(ID_TEXT_COLUMN).empty());
    EXPECT_TRUE(shown("Error...LoadData...").empty());
    type(ID_ENTRY_EDIT, "first");
    click(ID_ADD);
    EXPECT_EQ(read_file(path()).size(), 2u * 1036);
    end_cycle();

    // A second database announcing more entries than it holds, loaded after the first one.
    write_file(in_program_folder("short.dat"), database_bytes({THREE[2]}, 4));
    write_file(in_program_folder("todo.ini"), settings_for(in_program_folder("short.dat")));
    start();
    EXPECT_EQ(column(ID_TEXT_COLUMN), std::vector<std::string>{THREE[2].text});
}

TEST_F(Database, PrioritySortsTheWholeListStablyInOneCommand) {
    std::vector<Entry> list;
    for (int p : {12, 11, 10, 9, 8, 7, 3, 6, 5, 4, 3, 2, 1}) {
        list.push_back({"p" + std::to_string(p) + (list.size() == 6 ? "a" : ""),
                        " " + std::to_string(p), "", "", "", " 6"});
    }
    list.push_back({"not a number", "soon", "", "", "", " 6"});
    start_with(database_bytes(list, static_cast<int>(list.size())));
    choose_tool(CMD_PRIORITY);
    EXPECT_EQ(column(ID_TEXT_COLUMN),
              (std::vector<std::string>{"not a number", "p1", "p2", "p3a", "p3", "p4", "p5", "p6",
                                        "p7", "p8", "p9", "p10", "p11", "p12"}));
    EXPECT_EQ(column(ID_PRIORITY_COLUMN)[1], " 1");
    EXPECT_EQ(entries()[3], list[6]) << "rows move whole, in all six columns";
    EXPECT_TRUE(state.reselect);
    start_again();
    EXPECT_EQ(column(ID_TEXT_COLUMN)[2], "p2") << "the sorted list was saved";
}

// A list long enough to be written in several blocks, and a database over a megabyte, which a
// save sets on its way to the disk early and replaces by a second name: every record lands
// where it belongs, twice over, and nothing is left beside the database.
TEST_F(Database, LongListSavesWholeAcrossBlocksAndReplacesTheLongFile) {
    std::vector<Entry> list;
    for (int i = 0; i < 1100; ++i) {
        list.push_back({"call " + std::to_string(i), " " + std::to_string(1100 - i), "01-03-2026",
                        "12-03-2026", "10:00", " 6"});
    }
    start_with(database_bytes(list, static_cast<int>(list.size())));
    for (int save = 0; save < 2; ++save) {
        SCOPED_TRACE(save == 0 ? "sorted" : "sorted again");
        choose_tool(CMD_PRIORITY);
        const std::string file = read_file(path());
        ASSERT_EQ(file.size(), 1101u * 1036);
        EXPECT_EQ(int_in(file, 1, 264), 1100);
        EXPECT_EQ(text_in(file, 1, 778), "call 0") << "the header carries the last entry";
        for (int record : {2, 257, 258, 513, 1000, 1101}) {
            EXPECT_EQ(text_in(file, record, 778), "call " + std::to_string(1101 - record));
            EXPECT_EQ(int_in(file, record, 260), record - 1);
        }
    }
    // The replaced file's second name goes beside the save, a moment later.
    const std::filesystem::path folder = std::filesystem::path(path()).parent_path();
    const auto leftovers = [&] {
        int found = 0;
        for (const auto& item : std::filesystem::directory_iterator(folder))
            found += item.path().filename().string().find(".~") != std::string::npos;
        return found;
    };
    for (int wait = 0; wait < 100 && leftovers() > 0; ++wait) usleep(10000);
    EXPECT_EQ(leftovers(), 0);
    start_again();
    EXPECT_EQ(column(ID_TEXT_COLUMN).front(), "call 1099");
}

TEST_F(Database, SettingsAreWrittenWithEverySaveAndReadBack) {
    write_file(in_program_folder("todo.ini"),
               "C:\\run.exe\r\nbell.wav\r\n 1\r\n 0\r\n" + path() +
                   "\r\n 0  0 7 days: \r\nno\r\nyes\r\nmsg.txt\r\nyes\r\nin.txt\r\n");
    start();
    EXPECT_EQ(state.settings.message_prefix, "7 days: ");
    EXPECT_EQ(common::get_check(main_dialog, ID_FINE_TUNE_CHECK), 1);
    EXPECT_EQ(common::get_check(main_dialog, ID_MESSAGE_FILE_CHECK), 0);
    driver.check(main_dialog, ID_MESSAGE_FILE_CHECK, true);
    choose_tool(CMD_FINNISHED);
    const common::Rect where = common::get_rect(main_dialog);
    EXPECT_EQ(read_file(in_program_folder("todo.ini")),
              "C:\\run.exe\r\nbell.wav\r\n 1\r\n 0\r\n" + path() + "\r\n " +
                  std::to_string(where.left) + "  " + std::to_string(where.top) +
                  " 7 days: \r\nyes\r\nyes\r\nmsg.txt\r\nyes\r\nin.txt\r\n");
}

TEST_F(Database, ShortSettingsFileStillFindsTheDatabase) {
    write_file(in_program_folder("todo.ini"), "prog.exe\r\n");
    start();
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(state.settings.database_path, path());
    EXPECT_EQ(state.settings.program_path, "prog.exe");
    EXPECT_EQ(common::get_check(main_dialog, ID_MESSAGE_FILE_CHECK), 1);
    EXPECT_EQ(common::get_check(main_dialog, ID_SHOW_OUTPUT_CHECK), 0);
}

}  // namespace
}  // namespace todo::testing
