// The job manager's help dialog answered by the to-do program: the job manager's question file
// is the to-do program's message-input file and its answer file the to-do program's message
// file. Both programs run in this one process on one program folder, as the office installs
// them, and meet only through those two files.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/window.h"
#include "jobs/frame.h"
#include "jobs/help.h"
#include "jobs/reference_lists.h"
#include "jobs/state.h"
#include "jobs/tests/job_manager_fixture.h"
#include "todo/state.h"
#include "todo/tests/todo_fixture.h"

namespace {

std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// The to-do program's fixture gives the folders, the driver and the fixed clock (Tuesday
// 10 March 2026, 09:30); the job manager is started by hand on the same program folder.
class HelpExchange : public todo::testing::TodoFixture {
protected:
    void SetUp() override {
        jobs::testing::write_office_files(program_folder);
        write_file(in_program_folder("data/KezDatabaseINI.ini"),
                   crlf({"space:20", "carrage:0", "messagefile:" + question_path(),
                         "messageinput:" + answer_path(), "discountat:500"}));
        write_file(in_program_folder("todo.ini"),
                   crlf({"", "", " 0", " 0", in_program_folder("todo.dat"), " 0  0 ToDo: ", "yes",
                         "no", answer_path(), "no", question_path()}));
        const todo::Entry old_job{"Old job", " 2", "01-01-2026", "01-01-2026", "08:00", " 5"};
        write_file(in_program_folder("todo.dat"), database_bytes({old_job}, 1));

        jobs::start_up();
        jobs_started = true;
        start();
    }
    void TearDown() override {
        if (jobs_started) jobs::clean_up();
    }

    // The to-do program's side of the exchange, in its current folder.
    std::string question_path() const { return in_current_folder("ToDoInput.txt"); }
    std::string answer_path() const { return in_current_folder("ToDoMessage.txt"); }

    void todo_tick() { driver.fire_timer(todo::main_dialog, todo::REMINDER_TIMER); }
    void jobs_tick() { driver.fire_timer(jobs::main_frame, 1); }
    std::string answer_box() {
        return common::get_control_text(jobs::help_dialog, jobs::ID_HELP_ANSWER);
    }
    void ask(const std::string& question) {
        driver.type(jobs::help_dialog, jobs::ID_HELP_QUESTION, question);
        driver.click(jobs::help_dialog, jobs::ID_HELP_SEND);
    }
    // Shows the help dialog through the Help command and runs `while_up` while it is up; the
    // dialog is modal, so both programs' timers are fired from inside it.
    void with_help_dialog(const std::function<void()>& while_up) {
        driver.answer_dialog([&](common::Window& shown) {
            ASSERT_EQ(&shown, &jobs::help_dialog);
            while_up();
            driver.click(jobs::help_dialog, jobs::ID_HELP_CANCEL);
        });
        jobs::toggle_help();
    }

    bool jobs_started = false;
};

TEST_F(HelpExchange, QuestionBecomesAnEntryAndTheMessageLineComesBackAsTheAnswer) {
    ASSERT_EQ(jobs::settings.question_file, question_path());
    ASSERT_EQ(jobs::settings.answer_file, answer_path());
    ASSERT_EQ(todo::state.settings.message_input_path, question_path());
    ASSERT_EQ(todo::state.settings.message_file_path, answer_path());

    with_help_dialog([&] {
        ask("Is the Clark job paid?");
        EXPECT_EQ(read_file(question_path()), "*5820*Is the Clark job paid?\r\n");
        EXPECT_EQ(answer_box(), "q: Is the Clark job paid?");
        jobs_tick();  // the to-do program has not answered yet
        EXPECT_EQ(answer_box(), "q: Is the Clark job paid?");

        todo_tick();
        EXPECT_EQ(column(todo::ID_TEXT_COLUMN),
                  (std::vector<std::string>{"Old job", "*5820*Is the Clark job paid?"}));
        EXPECT_EQ(entries()[1].date, "10-03-2026");
        EXPECT_EQ(entries()[1].time, "09:30");
        EXPECT_FALSE(exists(question_path()));
        EXPECT_EQ(read_file(answer_path()), "ToDo:  Active Old reminders: 1. \r\n");

        jobs_tick();
        EXPECT_EQ(answer_box(), "ToDo:  Active Old reminders: 1. ");
        EXPECT_FALSE(exists(answer_path()));

        // The question is now an entry due this minute: its alarm is the next answer.
        todo_tick();
        EXPECT_EQ(read_file(answer_path()),
                  "ToDo:  << REMINDER ALARM >> *5820*Is the Clark job paid?  \r\n");
        jobs_tick();
        EXPECT_EQ(answer_box(), "ToDo:  << REMINDER ALARM >> *5820*Is the Clark job paid?  ");
        EXPECT_FALSE(exists(answer_path()));
        EXPECT_EQ(column(todo::ID_TEXT_COLUMN).size(), 2u);  // taken in once only
    });
    EXPECT_FALSE(jobs::state.help_dialog_open);
    EXPECT_TRUE(driver.unanswered_dialogs().empty());
}

// An answer that arrives while the help dialog is closed waits in its file, and the first
// tick after the dialog is opened again shows it; closed, the job manager does not poll.
TEST_F(HelpExchange, AnswerWaitsWhileTheHelpDialogIsClosed) {
    with_help_dialog([&] { ask("Order panels for Smith"); });
    todo_tick();
    EXPECT_EQ(column(todo::ID_TEXT_COLUMN).back(), "*5820*Order panels for Smith");
    jobs_tick();
    EXPECT_EQ(read_file(answer_path()), "ToDo:  Active Old reminders: 1. \r\n");

    with_help_dialog([&] {
        jobs_tick();
        EXPECT_EQ(answer_box(), "ToDo:  Active Old reminders: 1. ");
        EXPECT_FALSE(exists(answer_path()));
    });
}

}  // namespace
