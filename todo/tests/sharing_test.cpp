// Two desktops on one office folder. This program runs through its real dialog; the other
// desktop is a second view of the same database file, saved with the same code the program
// saves with. Every addition and deletion of both must end up in the file and on both screens.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/file_lock.h"
#include "common/hooks.h"
#include "database_file.h"
#include "message_files.h"
#include "shared_list.h"
#include "state.h"
#include "todo_fixture.h"

namespace todo::testing {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

Entry entry(const std::string& text, const std::string& priority) {
    return {text, priority, "09-03-2026", "12-03-2026", "10:00", " 6"};
}

const std::vector<Entry> THREE = {entry("Ring Bob", " 1"), entry("Order rails", " 2"),
                                  entry("Invoice Clark", " 3")};

Texts texts_of(const std::vector<Entry>& entries) {
    Texts out;
    for (const Entry& e : entries) out.push_back(e.text);
    return out;
}

// The other desktop: what its columns show, and its own view of the file.
struct OtherDesktop {
    SharedList list;
    std::vector<Entry> shown;
    void open(const std::string& path) {
        bool whole = true;
        ASSERT_TRUE(read_database_file(path, shown, whole));
        list.read(path, shown);
    }
    void save() {
        const SaveOutcome outcome = list.save(shown);
        ASSERT_TRUE(outcome.saved) << outcome.problem;
        shown = outcome.list.entries;
    }
    void remove(const std::string& text) {
        for (auto it = shown.begin(); it != shown.end(); ++it)
            if (it->text == text) {
                shown.erase(it);
                return;
            }
        FAIL() << text << " is not on the other screen";
    }
    Entry& find(const std::string& text) {
        for (Entry& e : shown)
            if (e.text == text) return e;
        throw std::runtime_error(text + " is not on the other screen");
    }
};

class Sharing : public TodoFixture {
protected:
    std::string database() { return in_program_folder("todo.dat"); }
    Texts in_file() {
        std::vector<Entry> entries;
        bool whole = true;
        read_database_file(database(), entries, whole);
        return texts_of(entries);
    }
    void add(const std::string& text) {
        type(ID_ENTRY_EDIT, text);
        click(ID_ADD);
    }
    void start_shared() {
        start_on(THREE);
        other.open(database());
    }
    OtherDesktop other;
};

TEST_F(Sharing, WhatBothDesktopsAddAndDeleteEndsUpOnBoth) {
    start_shared();
    other.shown.push_back(entry("Added there", " 4"));
    other.remove("Ring Bob");
    other.save();
    add("Added here");
    EXPECT_EQ(in_file(), (Texts{"Order rails", "Invoice Clark", "Added there", "Added here"}));
    EXPECT_EQ(column(ID_TEXT_COLUMN), in_file()) << "the save shows what it merged";
    select_row(ID_TEXT_COLUMN, 1);
    choose_tool(CMD_DELETE);
    other.remove("Order rails");
    other.save();
    EXPECT_EQ(in_file(), (Texts{"Added there", "Added here"})) << "no deleted entry comes back";
    tick();
    EXPECT_EQ(column(ID_TEXT_COLUMN), in_file());
    start_again();
    EXPECT_EQ(column(ID_TEXT_COLUMN), (Texts{"Added there", "Added here"}));
}

TEST_F(Sharing, TheTickShowsTheOtherDesktopsSaveAndLeavesTypingAndSelectionAlone) {
    start_shared();
    select_row(ID_TEXT_COLUMN, 1);  // Order rails
    type(ID_ENTRY_EDIT, "half typed");
    other.remove("Ring Bob");
    other.shown.push_back(entry("Added there", " 4"));
    other.save();
    tick();
    EXPECT_EQ(column(ID_TEXT_COLUMN), (Texts{"Order rails", "Invoice Clark", "Added there"}));
    EXPECT_EQ(text(ID_ENTRY_EDIT), "half typed");
    EXPECT_EQ(common::list_get_selected(dialog(), ID_TEXT_COLUMN), 0) << "still on Order rails";
    EXPECT_EQ(common::list_get_selected(dialog(), ID_PRIORITY_COLUMN), 0);
    EXPECT_EQ(state.current_row, 0);
    EXPECT_EQ(state.entry_count, 3);
    choose_tool(CMD_DELETE);  // the selection still means Order rails
    EXPECT_EQ(in_file(), (Texts{"Invoice Clark", "Added there"}));
}

TEST_F(Sharing, ChangesNotYetSavedHereSurviveTheOtherDesktopsSave) {
    start_shared();
    select_row(ID_PRIORITY_COLUMN, 2);
    click(ID_INCREASE_PRIORITY);  // Invoice Clark 3 -> 2, not saved yet
    other.find("Order rails").text = "Order rails and clamps";
    other.save();
    tick();
    EXPECT_EQ(column(ID_PRIORITY_COLUMN)[2], " 2") << "the change made here stays on screen";
    EXPECT_EQ(column(ID_TEXT_COLUMN)[1], "Order rails and clamps");
    choose_tool(CMD_FINNISHED);
    EXPECT_FALSE(state.run);
    other.open(database());
    EXPECT_EQ(other.find("Invoice Clark").priority, " 2");
    EXPECT_EQ(other.find("Order rails and clamps").priority, " 2");
}

TEST_F(Sharing, OneFieldChangedOnBothIsNamedAndTheVersionThatGaveWayIsLogged) {
    start_shared();
    select_row(ID_TEXT_COLUMN, 0);
    type(ID_ENTRY_EDIT, "Ring Bob about the roof");
    click(ID_CHANGE_SELECTED);
    other.find("Ring Bob").text = "Ring Bob on Friday";
    other.save();
    tick();
    EXPECT_EQ(column(ID_TEXT_COLUMN)[0], "Ring Bob on Friday") << "the version saved first";
    EXPECT_EQ(text(ID_MESSAGE_LINE),
              "Changed on another desktop as well: Ring Bob about the roof - the version of this "
              "desktop is in ToDoLog.txt");
    EXPECT_EQ(read_file(in_current_folder("ToDoLog.txt")),
              "09-03-2026 12-03-2026  10-03-2026 Ring Bob about the roof  (changed on two "
              "desktops: this version gave way)\r\n");
    tick();
    EXPECT_EQ(text(ID_MESSAGE_LINE).rfind("Changed on another desktop", 0), 0u)
        << "it stays a while, not just until the next tick";
}

TEST_F(Sharing, RefreshDuringAnOutageKeepsTheListAndNamesTheCause) {
    start_shared();
    add("Typed during the outage");
    const std::string folder = program_folder.substr(0, program_folder.size() - 1);
    fs::rename(folder, folder + ".away");
    add("Another one");
    choose_tool(CMD_REFRESH);
    EXPECT_TRUE(state.run) << "nothing is reloaded over a list that was not saved";
    EXPECT_FALSE(state.reload);
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(column(ID_TEXT_COLUMN), (Texts{"Ring Bob", "Order rails", "Invoice Clark",
                                             "Typed during the outage", "Another one"}));
    Texts problems;
    for (const std::string& text : shown("Error...SaveData..."))
        if (text.rfind("Problem saving data", 0) == 0) problems.push_back(text);
    ASSERT_EQ(problems.size(), 2u) << "the addition, and the refresh";
    EXPECT_EQ(problems.back(), "Problem saving data \r\n the folder " + folder +
                                   " cannot be reached \r\n the list stays as it is and is saved "
                                   "with the next save");
    choose_tool(CMD_FINNISHED);
    EXPECT_TRUE(state.run) << "the program does not end with entries that are not saved";
    fs::rename(folder + ".away", folder);
    choose_tool(CMD_FINNISHED);
    EXPECT_FALSE(state.run);
    EXPECT_EQ(in_file(), (Texts{"Ring Bob", "Order rails", "Invoice Clark",
                                "Typed during the outage", "Another one"}));
}

TEST_F(Sharing, AReloadThatCannotReachTheDatabaseShowsTheListSavedLast) {
    start_shared();
    add("Saved before the outage");
    choose_tool(CMD_REFRESH);
    ASSERT_TRUE(state.reload);
    const std::string folder = program_folder.substr(0, program_folder.size() - 1);
    fs::rename(folder, folder + ".away");
    driver.clear_records();
    ASSERT_TRUE(end_and_maybe_reload());
    EXPECT_EQ(exits, 0) << "the program goes on";
    EXPECT_EQ(column(ID_TEXT_COLUMN),
              (Texts{"Ring Bob", "Order rails", "Invoice Clark", "Saved before the outage"}));
    ASSERT_EQ(shown("Error...start...").size(), 1u);
    EXPECT_EQ(
        shown("Error...start...")[0].rfind("Cant reach the data base \r\n " + database() +
                                               " \r\n the folder " + folder + " cannot be reached",
                                           0),
        0u)
        << shown("Error...start...")[0];
    fs::rename(folder + ".away", folder);
    add("After the outage");
    EXPECT_EQ(in_file().back(), "After the outage");
    EXPECT_EQ(in_file().size(), 5u);
}

TEST_F(Sharing, ALockHeldByAnotherDesktopIsNamedAndALeftOneIsTakenOver) {
    start_shared();
    common::LockHolder bob{"bob", "desk2", 4242, common::seconds_now() - 30, common::seconds_now()};
    write_file(database_lock_path(database()),
               "kez-office lock\nuser: bob\nhost: desk2\nprocess: 4242\nsince: " +
                   std::to_string(bob.since) + "\nrefreshed: " + std::to_string(bob.refreshed) +
                   "\n");
    choose_tool(CMD_FINNISHED);
    EXPECT_TRUE(state.run);
    ASSERT_EQ(shown("Error...SaveData...").size(), 1u);
    EXPECT_EQ(shown("Error...SaveData...")[0],
              "Problem saving data \r\n it is locked by bob on desk2 since " +
                  common::lock_time_text(bob.since) +
                  " \r\n the list stays as it is and is saved with the next save");
    // A lock left by a program of this machine that has ended guards nothing.
    const pid_t ended = fork();
    if (ended == 0) _exit(0);
    waitpid(ended, nullptr, 0);
    write_file(database_lock_path(database()),
               "kez-office lock\nuser: me\nhost: " + common::this_host() +
                   "\nprocess: " + std::to_string(ended) +
                   "\nsince: 1\nrefreshed: " + std::to_string(common::seconds_now()) + "\n");
    add("Saved at once");
    EXPECT_EQ(in_file().back(), "Saved at once");
    EXPECT_FALSE(exists(database_lock_path(database()))) << "and let go of after the save";
}

// Several programs watching one message-input file, their ticks falling together: each line
// dropped there is taken by exactly one of them.
TEST_F(Sharing, AMessageInputFileIsTakenByExactlyOneProgram) {
    const std::string input = in_current_folder("question.txt");
    constexpr int PROGRAMS = 3;
    for (int round = 0; round < 20; ++round) {
        write_file(input, "Question " + std::to_string(round) + "\r\n");
        int go[2];
        ASSERT_EQ(pipe(go), 0);
        std::vector<pid_t> children;
        for (int p = 0; p < PROGRAMS; ++p) {
            const pid_t child = fork();
            if (child == 0) {
                char ready;
                close(go[1]);
                if (read(go[0], &ready, 1) != 0) _exit(3);
                std::string text;
                const InputTaken how = take_message_input(input, text);
                const bool took = how != InputTaken::None && !text.empty();
                if (took) finish_message_input(input, how);
                _exit(took ? 1 : 0);
            }
            children.push_back(child);
        }
        close(go[0]);
        close(go[1]);  // all start at once
        int takers = 0;
        for (pid_t child : children) {
            int status = 0;
            waitpid(child, &status, 0);
            takers += WIFEXITED(status) ? WEXITSTATUS(status) : 10;
        }
        EXPECT_EQ(takers, 1) << "round " << round;
    }
    EXPECT_TRUE(fs::is_empty(current_folder)) << "no claim left behind";
}

TEST_F(Sharing, AClaimLeftByAnEndedProgramIsTakenAndALivingOnesIsNot) {
    const std::string input = in_current_folder("question.txt");
    const pid_t ended = fork();
    if (ended == 0) _exit(0);
    waitpid(ended, nullptr, 0);
    const std::string lead = input + ".taking-" + common::this_host() + "-";
    write_file(lead + std::to_string(getppid()), "Being read there\r\n");
    write_file(lead + std::to_string(ended), "Left when it ended\r\n");
    std::string text;
    ASSERT_EQ(take_message_input(input, text), InputTaken::Claimed);
    EXPECT_EQ(text, "Left when it ended");
    finish_message_input(input, InputTaken::Claimed);
    EXPECT_EQ(take_message_input(input, text), InputTaken::None);
    EXPECT_TRUE(exists(lead + std::to_string(getppid())));
}

// An earlier version claimed under one name for every program: such a claim may be another
// desktop's, read this moment, and is left alone until it has lain there a minute.
TEST_F(Sharing, AnEarlierVersionsClaimIsLeftAloneWhileItMayBeRead) {
    const std::string input = in_current_folder("question.txt");
    write_file(input + ".taking", "Being read by an earlier version\r\n");
    std::string text;
    EXPECT_EQ(take_message_input(input, text), InputTaken::None) << text;
    EXPECT_TRUE(exists(input + ".taking"));
}

}  // namespace
}  // namespace todo::testing
