// The help dialog: Send writes the question file whole as one line, the answer check shows the
// answer file's first line and deletes the file, and the Help command toggles the dialog while
// the main frame's ticks go on.
#include "help.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/files.h"
#include "common/hooks.h"
#include "common/testing/driver.h"
#include "common/window.h"
#include "job_manager_fixture.h"
#include "reference_lists.h"
#include "state.h"

namespace jobs {
namespace {

namespace fs = std::filesystem;

std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void write_bytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

using jobs::testing::set_immutable;

class HelpDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/help_test_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir = pattern;
        common::layer_hooks().program_folder = dir + "/";
        ASSERT_EQ(::chdir(dir.c_str()), 0);
        settings.question_file = dir + "/question.txt";
        settings.answer_file = dir + "/answer.txt";
        declare_help_dialog();
    }
    void TearDown() override {
        if (locked) set_immutable(locked_folder, false);
        ::chdir("/");
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }

    // Shows the help dialog through the Help command and runs `while_up` inside it, then ends
    // it with Cancel.
    void with_help_dialog(const std::function<void()>& while_up) {
        driver.answer_dialog([&](common::Window& shown) {
            EXPECT_EQ(&shown, &help_dialog);
            while_up();
            if (help_dialog.is_open()) driver.click(help_dialog, ID_HELP_CANCEL);
        });
        toggle_help();
    }

    void send(const std::string& question) {
        driver.type(help_dialog, ID_HELP_QUESTION, question);
        driver.click(help_dialog, ID_HELP_SEND);
    }

    std::string answer_box() { return common::get_control_text(help_dialog, ID_HELP_ANSWER); }
    std::string question_box() { return common::get_control_text(help_dialog, ID_HELP_QUESTION); }

    void lock_folder(const std::string& folder) {
        if (!set_immutable(folder, true)) GTEST_SKIP() << "cannot make a folder unchangeable here";
        locked = true;
        locked_folder = folder;
    }

    common::testing::Driver driver;
    std::string dir;
    bool locked = false;
    std::string locked_folder;
};

TEST(QuestionLine, CodeThenTheQuestionOnOneLine) {
    EXPECT_EQ(question_line("When is the scaffold up?"), "*5820*When is the scaffold up?");
    EXPECT_EQ(question_line(""), "*5820*");
    EXPECT_EQ(question_line("first\r\nsecond\rthird\n"), "*5820*first  second third ");
}

TEST_F(HelpDialogTest, SendWritesOneLineEchoesItAndASecondSendOverwrites) {
    with_help_dialog([&] {
        EXPECT_TRUE(state.help_dialog_open);
        EXPECT_EQ(common::get_window_title(help_dialog), "Help");
        send("When is the scaffold up?");
        EXPECT_EQ(read_bytes(settings.question_file), "*5820*When is the scaffold up?\r\n");
        EXPECT_EQ(answer_box(), "q: When is the scaffold up?");
        EXPECT_EQ(question_box(), "");

        send("Is the \xA3 price with VAT?");
        EXPECT_EQ(read_bytes(settings.question_file), "*5820*Is the \xA3 price with VAT?\r\n");
        EXPECT_EQ(answer_box(), "q: Is the \xA3 price with VAT?");

        send("");  // an empty question is sent like any other
        EXPECT_EQ(read_bytes(settings.question_file), "*5820*\r\n");
        EXPECT_EQ(answer_box(), "q: ");
    });
    EXPECT_FALSE(state.help_dialog_open);
    EXPECT_FALSE(help_dialog.is_open());
    EXPECT_TRUE(driver.messages().empty());
    // Only the question file itself is left: nothing half-written beside it.
    int files = 0;
    for (const auto& entry : fs::directory_iterator(dir)) files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1);
}

TEST_F(HelpDialogTest, SendWithoutAUsableQuestionFileReportsAndKeepsTheQuestion) {
    const std::vector<std::string> paths = {"", dir + "/no such folder/question.txt", dir};
    for (const std::string& path : paths) {
        settings.question_file = path;
        driver.clear_records();
        with_help_dialog([&] {
            common::set_control_text(help_dialog, ID_HELP_ANSWER, "earlier answer");
            send("Where is the van?");
            ASSERT_EQ(driver.messages().size(), 1u) << path;
            EXPECT_EQ(driver.messages()[0].text, "problem creating or sending MESSAGE file");
            EXPECT_EQ(driver.messages()[0].caption, "error...CreateHtml...");
            EXPECT_EQ(question_box(), "Where is the van?");
            EXPECT_EQ(answer_box(), "earlier answer");
            EXPECT_TRUE(help_dialog.is_open());
        });
    }
    EXPECT_FALSE(fs::exists(dir + "/no such folder"));
}

// In a folder that takes no new files (here not even from root) the question file is rewritten
// in place; a failed send is covered step by step by the save failure tests.
TEST_F(HelpDialogTest, ASendIntoAFolderThatTakesNoNewFilesRewritesTheQuestionInPlace) {
    with_help_dialog([&] {
        send("a much longer first question");
        lock_folder(dir);
        if (!locked) return;
        send("second question");
        EXPECT_EQ(read_bytes(settings.question_file), "*5820*second question\r\n");
        EXPECT_TRUE(driver.messages().empty());
        EXPECT_EQ(question_box(), "");
    });
}

TEST_F(HelpDialogTest, AnswerCheckShowsTheFirstLineAndDeletesTheFile) {
    with_help_dialog([&] {
        send("When?");
        check_help_answer();  // nothing has come yet: the echo stays
        EXPECT_EQ(answer_box(), "q: When?");

        write_bytes(settings.answer_file, "Tuesday at nine\r\nsecond line\r\nthird\r\n");
        check_help_answer();
        EXPECT_EQ(answer_box(), "Tuesday at nine");
        EXPECT_FALSE(fs::exists(settings.answer_file));
        check_help_answer();
        EXPECT_EQ(answer_box(), "Tuesday at nine");

        write_bytes(settings.answer_file, "Wednesday");  // no line end needed
        check_help_answer();
        EXPECT_EQ(answer_box(), "Wednesday");
        EXPECT_FALSE(fs::exists(settings.answer_file));

        write_bytes(settings.answer_file, "");  // an empty answer is an answer too
        check_help_answer();
        EXPECT_EQ(answer_box(), "");
        EXPECT_FALSE(fs::exists(settings.answer_file));
    });
    EXPECT_TRUE(driver.messages().empty());
}

TEST_F(HelpDialogTest, AnswerPathsAreTakenAsWrittenAndAnEmptyOneIsNeverPolled) {
    with_help_dialog([&] {
        // A relative path is relative to the current folder.
        settings.answer_file = "reply.txt";
        write_bytes(dir + "/reply.txt", "from the office\r\n");
        check_help_answer();
        EXPECT_EQ(answer_box(), "from the office");
        EXPECT_FALSE(fs::exists(dir + "/reply.txt"));

        // No answer path: no file is looked at, whatever lies in the current folder.
        settings.answer_file = "";
        write_bytes(dir + "/reply.txt", "not for us\r\n");
        write_bytes(dir + "/answer.txt", "not for us\r\n");
        check_help_answer();
        EXPECT_EQ(answer_box(), "from the office");
        EXPECT_TRUE(fs::exists(dir + "/reply.txt"));
        EXPECT_TRUE(fs::exists(dir + "/answer.txt"));
    });
    EXPECT_TRUE(driver.messages().empty());
}

TEST_F(HelpDialogTest, AnAnswerThatCannotBeDeletedIsShownOnceNotOnEveryTick) {
    const std::string folder = dir + "/answers";
    fs::create_directory(folder);
    settings.answer_file = folder + "/answer.txt";
    write_bytes(settings.answer_file, "Thursday\r\n");
    with_help_dialog([&] {
        lock_folder(folder);
        if (!locked) return;
        check_help_answer();
        EXPECT_EQ(answer_box(), "Thursday");
        EXPECT_TRUE(fs::exists(settings.answer_file));

        send("And the invoice?");  // the echo of a new question is not wiped by the old answer
        check_help_answer();
        check_help_answer();
        EXPECT_EQ(answer_box(), "q: And the invoice?");

        write_bytes(settings.answer_file, "Friday\r\n");  // a changed answer is shown
        check_help_answer();
        EXPECT_EQ(answer_box(), "Friday");
        EXPECT_TRUE(driver.messages().empty());
    });
}

TEST_F(HelpDialogTest, CancelAndTheCloseBoxEndTheDialogAndItsPolling) {
    driver.answer_dialog([&](common::Window&) {
        EXPECT_TRUE(state.help_dialog_open);
        driver.close_box(help_dialog);
    });
    toggle_help();
    EXPECT_FALSE(state.help_dialog_open);
    EXPECT_FALSE(help_dialog.is_open());

    with_help_dialog([&] { EXPECT_TRUE(state.help_dialog_open); });
    EXPECT_FALSE(state.help_dialog_open);

    // The dialog shows its own texts each time it comes up again.
    with_help_dialog([&] {
        EXPECT_EQ(question_box(), "");
        EXPECT_EQ(answer_box(), "");
        EXPECT_TRUE(has_control(help_dialog, 2));
        EXPECT_EQ(common::get_control_text(help_dialog, 2),
                  "Type you question into bottom box then press SEND. ");
        EXPECT_EQ(common::get_control_text(help_dialog, 3),
                  "The answer will appear in the top box");
        EXPECT_EQ(common::get_control_text(help_dialog, ID_HELP_SEND), "Send");
        EXPECT_EQ(common::get_control_text(help_dialog, ID_HELP_CANCEL), "Cancel");
    });
    EXPECT_TRUE(driver.unanswered_dialogs().empty());
}

// ---- The Help command of the running job manager --------------------------------------------

class HelpCommandTest : public testing::JobManagerTest {
protected:
    void help() { driver.choose_tool(main_frame, ID_TOOL_BAR, CMD_HELP); }
    std::string answer_box() { return common::get_control_text(help_dialog, ID_HELP_ANSWER); }
};

TEST_F(HelpCommandTest, TicksPickUpAnswersWhileTheDialogIsUpAndOnlyThen) {
    bool shown = false;
    driver.answer_dialog([&](common::Window&) {
        shown = true;
        EXPECT_TRUE(state.help_dialog_open);
        driver.type(help_dialog, ID_HELP_QUESTION, "When is the scaffold up?");
        driver.click(help_dialog, ID_HELP_SEND);
        EXPECT_EQ(read_file("help_question.txt"), "*5820*When is the scaffold up?\r\n");
        tick();  // no answer yet
        EXPECT_EQ(answer_box(), "q: When is the scaffold up?");
        write_file("help_answer.txt", "Tuesday at nine\r\nsecond line\r\n");
        tick();
        EXPECT_EQ(answer_box(), "Tuesday at nine");
        EXPECT_FALSE(file_exists("help_answer.txt"));
        EXPECT_EQ(common::timer_period(main_frame, 1), 1000);  // the ticks go on
        help();                                                // Help again closes the dialog
        EXPECT_FALSE(help_dialog.is_open());
    });
    help();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(state.help_dialog_open);

    // While the dialog is closed an answer waits in its file for the next opening.
    write_file("help_answer.txt", "Wednesday\r\n");
    tick();
    EXPECT_TRUE(file_exists("help_answer.txt"));
    driver.answer_dialog([&](common::Window&) {
        EXPECT_EQ(answer_box(), "");
        tick();
        EXPECT_EQ(answer_box(), "Wednesday");
        driver.click(help_dialog, ID_HELP_CANCEL);
    });
    help();
    EXPECT_FALSE(file_exists("help_answer.txt"));
    EXPECT_FALSE(state.help_dialog_open);
    EXPECT_TRUE(driver.messages().empty());
    EXPECT_TRUE(driver.unanswered_dialogs().empty());
}

TEST_F(HelpCommandTest, AnAnswerThatStaysIsShownOnceAndNamedInTheStatusBar) {
    write_file("answers/help_answer.txt", "Thursday\r\n");
    settings.answer_file = path_of("answers/help_answer.txt");
    if (!set_immutable(path_of("answers"), true)) GTEST_SKIP() << "cannot lock a folder here";
    driver.answer_dialog([&](common::Window&) {
        tick();
        EXPECT_EQ(answer_box(), "Thursday");
        EXPECT_EQ(common::get_control_text(main_frame, ID_STATUS_BAR),
                  "help answer file cannot be removed ...");
        common::set_control_text(help_dialog, ID_HELP_ANSWER, "q: next");
        tick();
        EXPECT_EQ(answer_box(), "q: next");
    });
    help();
    set_immutable(path_of("answers"), false);
    EXPECT_TRUE(driver.messages().empty());
}

// Settings that name neither help file.
class HelpWithoutFilesTest : public testing::JobManagerTest {
protected:
    void prepare_data() override {
        write_file("data/KezDatabaseINI.ini", "space:20\r\ncarrage:0\r\ndiscountat:500\r\n");
        ASSERT_EQ(::chdir(folder.c_str()), 0);
    }
    void TearDown() override {
        ::chdir("/");
        JobManagerTest::TearDown();
    }
};

TEST_F(HelpWithoutFilesTest, NoAnswerIsEverPickedUpAndEverySendIsReported) {
    write_file("help_answer.txt", "not for us\r\n");
    write_file("answer.txt", "not for us\r\n");
    driver.answer_dialog([&](common::Window&) {
        driver.type(help_dialog, ID_HELP_QUESTION, "Anyone there?");
        driver.click(help_dialog, ID_HELP_SEND);
        driver.click(help_dialog, ID_HELP_SEND);
        tick();
        tick();
        EXPECT_EQ(common::get_control_text(help_dialog, ID_HELP_QUESTION), "Anyone there?");
        EXPECT_EQ(common::get_control_text(help_dialog, ID_HELP_ANSWER), "");
        driver.click(help_dialog, ID_HELP_CANCEL);
    });
    driver.choose_tool(main_frame, ID_TOOL_BAR, CMD_HELP);
    ASSERT_EQ(driver.messages().size(), 2u);
    for (const auto& message : driver.messages()) {
        EXPECT_EQ(message.text, "problem creating or sending MESSAGE file");
        EXPECT_EQ(message.caption, "error...CreateHtml...");
    }
    EXPECT_TRUE(file_exists("help_answer.txt"));
    EXPECT_TRUE(file_exists("answer.txt"));
}

}  // namespace
}  // namespace jobs
