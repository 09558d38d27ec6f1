#include "message_files.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace todo {
namespace {

namespace fs = std::filesystem;

class MessageFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "todo-messages-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern + "/";
    }
    void TearDown() override { fs::remove_all(dir); }

    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir + name, std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) {
        std::ifstream in(dir + name, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    std::string dir;
};

TEST(MessageFileLayout, PrefixLineOrInputPathAndAlarm) {
    const std::string composed = message_file_line("ToDo: ", "Reminders today: 1. ");
    EXPECT_EQ(composed, "ToDo:  Reminders today: 1. ");
    EXPECT_EQ(message_file_lines("no", composed, "in.txt", "Ring Bob"),
              std::vector<std::string>{composed});
    const std::vector<std::string> tuned{"in.txt", "Ring Bob"};
    EXPECT_EQ(message_file_lines("yes", composed, "in.txt", "Ring Bob"), tuned);
    // Anything but "no" means the tuned layout, as a hand-edited settings file may say.
    EXPECT_EQ(message_file_lines("", composed, "in.txt", "Ring Bob"), tuned);
    EXPECT_EQ(message_file_line("ToDo: ", std::string(300, 'm')).size(), 254u);
}

TEST(MessageInputLayout, FirstLineIsTheEntry) {
    EXPECT_EQ(entry_text_of_input({"Ring Bob", "ignored"}), "Ring Bob");
    EXPECT_EQ(entry_text_of_input({}), "");
    EXPECT_EQ(entry_text_of_input({std::string(300, 'q')}).size(), 254u);
}

TEST_F(MessageFilesTest, MessageFileIsWrittenWholeWithLineEnds) {
    ASSERT_TRUE(write_message_file(dir + "ToDoMessage.txt", {"in.txt", "Ring Bob"}));
    EXPECT_EQ(read("ToDoMessage.txt"), "in.txt\r\nRing Bob\r\n");
    ASSERT_TRUE(write_message_file(dir + "ToDoMessage.txt", {"ToDo:  No Reminder today."}));
    EXPECT_EQ(read("ToDoMessage.txt"), "ToDo:  No Reminder today.\r\n");
    EXPECT_FALSE(write_message_file(dir + "no-such-folder/ToDoMessage.txt", {"x"}));
    EXPECT_EQ(fs::directory_iterator(dir)->path().filename(), "ToDoMessage.txt");
}

TEST_F(MessageFilesTest, InputIsClaimedReadAndDeleted) {
    const std::string path = dir + "question.txt";
    std::string text = "untouched";
    EXPECT_EQ(take_message_input(path, text), InputTaken::None);  // nothing waiting
    EXPECT_EQ(text, "untouched");

    write("question.txt", "Ring Bob\r\nsecond line\r\n");
    ASSERT_EQ(take_message_input(path, text), InputTaken::Claimed);
    EXPECT_EQ(text, "Ring Bob");
    EXPECT_FALSE(fs::exists(path));  // claimed before it was read
    // Another program drops its next line while the first is still being taken in.
    write("question.txt", "Order panels\r\n");
    finish_message_input(path, InputTaken::Claimed);
    EXPECT_FALSE(fs::exists(claimed_input_path(path)));
    ASSERT_TRUE(fs::exists(path));
    ASSERT_EQ(take_message_input(path, text), InputTaken::Claimed);
    EXPECT_EQ(text, "Order panels");
    finish_message_input(path, InputTaken::Claimed);
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(MessageFilesTest, ClaimedFileLeftBehindIsTakenFirst) {
    const std::string path = dir + "question.txt";
    write("question.txt.taking", "Left from before\r\n");
    // Claimed by an earlier version a while ago: not being read by anyone now.
    fs::last_write_time(dir + "question.txt.taking",
                        fs::file_time_type::clock::now() - std::chrono::minutes(5));
    write("question.txt", "Newer line");
    std::string text;
    ASSERT_EQ(take_message_input(path, text), InputTaken::Claimed);
    EXPECT_EQ(text, "Left from before");
    finish_message_input(path, InputTaken::Claimed);
    ASSERT_EQ(take_message_input(path, text), InputTaken::Claimed);
    EXPECT_EQ(text, "Newer line");  // a last line needs no line end
}

TEST_F(MessageFilesTest, EmptyFirstLineIsTakenAsEmptyText) {
    const std::string path = dir + "question.txt";
    write("question.txt", "\r\nsecond\r\n");
    std::string text = "x";
    ASSERT_EQ(take_message_input(path, text), InputTaken::Claimed);
    EXPECT_EQ(text, "");
    write("empty.txt", "");
    ASSERT_EQ(take_message_input(dir + "empty.txt", text), InputTaken::Claimed);
    EXPECT_EQ(text, "");
}

}  // namespace
}  // namespace todo
