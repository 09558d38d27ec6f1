// The office folder: which folder a run works in (build tree, portable folder, installed copy,
// --folder, KEZ_OFFICE_FOLDER), how a new one is made from the installed template without ever
// touching an office folder in use, and the program folder and current folder that result.
#include "common/office_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "common/hooks.h"
#include "common/services.h"
#include "common/testing/driver.h"
#include "office_folder_choice.h"

namespace fs = std::filesystem;
using namespace common::office;

namespace {

class OfficeFolder : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/kez-office-folder-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        root = name;
        before_ = fs::current_path();
        // The folders a user worked in are remembered in their configuration: never the real
        // user's.
        setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    }
    // A chosen office folder becomes the current folder, and the folder goes with the test.
    void TearDown() override {
        unsetenv("XDG_CONFIG_HOME");
        std::error_code ignored;
        fs::current_path(before_, ignored);
        fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ignored);
        for (const auto& entry : fs::recursive_directory_iterator(root, ignored))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(root, ignored);
    }
    static void write(const fs::path& path, const std::string& bytes) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // An install: the programs in <prefix>/bin, the office data in the template beside them.
    std::string install() {
        fs::create_directories(root / "prefix/bin");
        write(template_folder() / "data/KezDatabaseINI.ini", "space: 150\r\n");
        write(template_folder() / "data/John Smith.kez", "Name: John Smith\r\n");
        write(template_folder() / "weights.ini", " 0\r\n");
        fs::create_directories(template_folder() / "printdata");
        return (root / "prefix/bin/").string();
    }
    fs::path template_folder() const { return root / "prefix/share/kez-office/template"; }
    // The template as the package installs it: nothing in it writable.
    void make_template_read_only() {
        for (const auto& entry : fs::recursive_directory_iterator(template_folder()))
            fs::permissions(entry.path(), fs::perms::owner_write | fs::perms::group_write,
                            fs::perm_options::remove);
    }
    fs::path root;

private:
    fs::path before_;
};

TEST_F(OfficeFolder, BuildTreeAndPortableFolderKeepTheirOwnFolderUnlessOneIsChosen) {
    const std::string build_bin = (root / "build/bin/").string();
    fs::create_directories(build_bin);
    OfficeFolderChoice own = choose_office_folder("", "", build_bin, (root / "data").string());
    EXPECT_TRUE(own.folder.empty()) << "a build tree works beside its programs, as ever";
    EXPECT_TRUE(own.template_folder.empty());

    OfficeFolderChoice chosen =
        choose_office_folder((root / "server/office/").string(), "", build_bin, "");
    EXPECT_EQ(chosen.folder, (root / "server/office").string()) << "trailing separator dropped";

    // A relative folder is taken from where the program was started, before it moves there.
    const fs::path before = fs::current_path();
    fs::current_path(root);
    OfficeFolderChoice relative = choose_office_folder("shared/../office", "", build_bin, "");
    fs::current_path(before);
    EXPECT_EQ(relative.folder, (root / "office").string());
}

TEST_F(OfficeFolder, InstalledCopyUsesTheUsersDataFolderOrTheChosenOne) {
    const std::string bin = install();
    const std::string data_home = (root / "home/.local/share").string();
    OfficeFolderChoice own = choose_office_folder("", "", bin, data_home);
    EXPECT_EQ(own.folder, data_home + "/kez-office");
    EXPECT_EQ(fs::path(own.template_folder), fs::canonical(template_folder()));

    EXPECT_EQ(choose_office_folder("", "/srv/office", bin, data_home).folder, "/srv/office");
    EXPECT_EQ(choose_office_folder("/mnt/kez", "/srv/office", bin, data_home).folder, "/mnt/kez")
        << "the command line wins over the environment";
    EXPECT_EQ(choose_office_folder("/mnt/kez", "", bin, data_home).template_folder,
              own.template_folder)
        << "a chosen folder is filled from the same template";
}

TEST_F(OfficeFolder, FolderOptionIsReadInBothFormsAndNeedsAValue) {
    auto option = [](std::initializer_list<const char*> words) {
        std::vector<char*> argv;
        for (const char* word : words) argv.push_back(const_cast<char*>(word));
        return folder_option(static_cast<int>(argv.size()), argv.data());
    };
    EXPECT_EQ(option({"kez-jobs", "--folder", "/srv/office"}), "/srv/office");
    EXPECT_EQ(option({"kez-todo", "-platform", "xcb", "--folder=/srv/my office"}),
              "/srv/my office");
    EXPECT_EQ(option({"kez-jobs", "--folder"}), "");
    EXPECT_EQ(option({"kez-jobs"}), "");
    EXPECT_EQ(option({"--folder=/not/an/option/but/the/program/name"}), "");
}

TEST_F(OfficeFolder, NewFolderIsAWritableCopyOfTheReadOnlyTemplate) {
    install();
    make_template_read_only();
    const fs::path office = root / "home/.local/share/kez-office";
    EXPECT_EQ(prepare_office_folder(office.string(), template_folder().string()), "");

    EXPECT_EQ(read(office / "data/John Smith.kez"), "Name: John Smith\r\n");
    EXPECT_EQ(read(office / "weights.ini"), " 0\r\n");
    EXPECT_TRUE(fs::is_directory(office / "printdata")) << "empty folders are made too";
    for (const fs::path& file : {office / "data/KezDatabaseINI.ini", office / "weights.ini"}) {
        EXPECT_NE(fs::status(file).permissions() & fs::perms::owner_write, fs::perms::none)
            << file << " must be writable: the programs rewrite it";
    }
    EXPECT_NE(fs::status(office / "data").permissions() & fs::perms::owner_write, fs::perms::none);
    // Nothing half-made is left beside it, and the template is as it was.
    for (const auto& entry : fs::directory_iterator(office.parent_path()))
        EXPECT_EQ(entry.path().filename(), "kez-office");
    EXPECT_EQ(fs::status(template_folder() / "weights.ini").permissions() & fs::perms::owner_write,
              fs::perms::none);
}

TEST_F(OfficeFolder, FolderInUseIsNeverOverwrittenAndAnEmptyOneIsFilled) {
    install();
    const fs::path in_use = root / "in-use";
    write(in_use / "weights.ini", " 7\r\n");  // the office's own weights
    EXPECT_EQ(prepare_office_folder(in_use.string(), template_folder().string()), "");
    EXPECT_EQ(read(in_use / "weights.ini"), " 7\r\n");
    EXPECT_FALSE(fs::exists(in_use / "data"))
        << "files the office deleted on purpose must not come back";

    const fs::path empty_share = root / "server/office";
    fs::create_directories(empty_share);
    EXPECT_EQ(prepare_office_folder(empty_share.string(), template_folder().string()), "");
    EXPECT_EQ(read(empty_share / "data/KezDatabaseINI.ini"), "space: 150\r\n");
}

TEST_F(OfficeFolder, WithoutATemplateAChosenFolderIsMadeEmpty) {
    const fs::path chosen = root / "a/b/office";
    EXPECT_EQ(prepare_office_folder(chosen.string(), ""), "");
    EXPECT_TRUE(fs::is_directory(chosen));
    EXPECT_TRUE(fs::is_empty(chosen));
}

TEST_F(OfficeFolder, FolderThatCannotBeMadeIsReportedNotUsed) {
    install();
    write(root / "plain-file", "x");
    EXPECT_NE(prepare_office_folder((root / "plain-file").string(), template_folder().string()),
              "");
    EXPECT_NE(
        prepare_office_folder((root / "plain-file/office").string(), template_folder().string()),
        "");
    EXPECT_NE(prepare_office_folder((root / "plain-file/office").string(), ""), "");
}

// Through the layer, as the programs' main functions call it.
TEST_F(OfficeFolder, ChosenFolderBecomesTheProgramFolderAndTheCurrentFolder) {
    const fs::path office = root / "office";
    setenv("KEZ_OFFICE_FOLDER", office.c_str(), 1);
    char program[] = "kez-jobs";
    char* argv[] = {program, nullptr};
    EXPECT_TRUE(common::open_office_folder(1, argv));
    unsetenv("KEZ_OFFICE_FOLDER");
    EXPECT_EQ(common::program_folder(), office.string() + "/");
    EXPECT_EQ(fs::current_path(), office) << "files written to the current folder land there";
    // The test driver's own folder still wins, so tests keep their temporary folders.
    common::layer_hooks().program_folder = "/tmp/test-office/";
    EXPECT_EQ(common::program_folder(), "/tmp/test-office/");
    common::layer_hooks().program_folder.clear();
}

TEST_F(OfficeFolder, BuildTreeRunKeepsTheProgramsFolderAndCurrentFolder) {
    unsetenv("KEZ_OFFICE_FOLDER");
    const std::string before = common::program_folder();
    const fs::path current = fs::current_path();
    char program[] = "jobs";
    char* argv[] = {program, nullptr};
    EXPECT_TRUE(common::open_office_folder(1, argv));
    EXPECT_EQ(common::program_folder(), before);
    EXPECT_EQ(fs::current_path(), current);
}

TEST_F(OfficeFolder, UnusableFolderIsToldToTheUserAndTheProgramDoesNotStart) {
    write(root / "plain-file", "x");
    const std::string chosen = (root / "plain-file/office").string();
    common::testing::Driver driver;
    char program[] = "kez-todo";
    char option[] = "--folder";
    char* argv[] = {program, option, const_cast<char*>(chosen.c_str()), nullptr};
    EXPECT_FALSE(common::open_office_folder(3, argv));
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].caption, "Error...start...");
    EXPECT_EQ(driver.messages()[0].text, "Unable to open the office folder\r\n" + chosen +
                                             "\r\ncannot create " + chosen + ": Not a directory")
        << "the folder is named as the user gave it";
}

// A share that is not mounted looks like a missing or empty folder. Where this user has worked
// before, that is not taken for a new office unless the user asks for one.
TEST_F(OfficeFolder, AMissingOrEmptyFolderWorkedInBeforeIsNotStartedAsANewOffice) {
    const fs::path office = root / "server/office";
    const std::string folder = office.string();
    char program[] = "kez-todo";
    char option[] = "--folder";
    char* argv[] = {program, option, const_cast<char*>(folder.c_str()), nullptr};
    common::testing::Driver driver;
    EXPECT_TRUE(common::open_office_folder(3, argv)) << "the first time: a new office";
    EXPECT_TRUE(driver.messages().empty());
    write(office / "todo.dat", "the office's list");
    EXPECT_TRUE(common::open_office_folder(3, argv));
    EXPECT_TRUE(driver.messages().empty());

    fs::current_path(root);
    fs::remove_all(office);  // the share is not mounted: its mount point is not there
    driver.answer_message_box(common::IDNO);
    EXPECT_FALSE(common::open_office_folder(3, argv));
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].caption, "Error...start...");
    EXPECT_EQ(driver.messages()[0].text,
              "The office folder\r\n" + folder +
                  "\r\nis missing or empty, although you have worked in it before: the office "
                  "server may not be reachable.\r\n\r\nStart a new, empty office there?");
    EXPECT_FALSE(fs::exists(office)) << "nothing is made in its place";

    fs::create_directories(office);  // the mount point is there, the share is not
    driver.answer_message_box(common::IDNO);
    EXPECT_FALSE(common::open_office_folder(3, argv));
    EXPECT_EQ(driver.messages().size(), 2u);
    EXPECT_TRUE(fs::is_empty(office));

    driver.answer_message_box(common::IDYES);  // the user does want a new office there
    EXPECT_TRUE(common::open_office_folder(3, argv));
    EXPECT_EQ(fs::current_path(), office);
}

}  // namespace
