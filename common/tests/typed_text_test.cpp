// What the edit fields take as the office types and pastes: no more than the 254 characters
// the files keep, no character Windows-1252 cannot hold, and a word on the notice each time
// something is refused.
#include <gtest/gtest.h>

#include "common/services.h"
#include "common/testing/driver.h"
#include "common/window.h"

using namespace common;

namespace {

class TypedText : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(
            open_window(window, 10, 10, 500, 300, 0, nullptr, "Fields", [](Window&) { return 0; }),
            1);
        add_control(window, KIND_EDIT, "", 5, 5, 300, 20, 0x50800080, LINE);
        add_control(window, KIND_EDIT, "", 5, 30, 300, 80, ES_MULTILINE, LINES);
        add_control(window, KIND_COMBO_BOX, "", 5, 120, 300, 100, 0x50A00602, DROP_DOWN);
        set_refused_input_notice([this](const std::string& why) { notices.push_back(why); });
    }
    void TearDown() override { set_refused_input_notice(nullptr); }
    static constexpr int LINE = 1, LINES = 2, DROP_DOWN = 3;
    common::testing::Driver driver;
    Window window;
    std::vector<std::string> notices;
};

const std::string TOO_LONG = "a field holds at most 254 characters: the rest was not taken ...";
const std::string NOT_KEPT =
    "that character cannot be kept in the office's files (Windows-1252), so it was not taken ...";

TEST_F(TypedText, FieldsStopAtTheLengthTheFilesKeep) {
    for (int id : {LINE, DROP_DOWN}) {
        notices.clear();
        driver.type(window, id, std::string(300, 'x'));
        EXPECT_EQ(get_control_text(window, id), std::string(254, 'x')) << id;
        ASSERT_FALSE(notices.empty()) << id;
        EXPECT_EQ(notices.back(), TOO_LONG);
    }
    // A line break is kept as CR LF, two of the 254.
    notices.clear();
    driver.type(window, LINES, std::string(250, 'a') + "\r\nbcdef");
    EXPECT_EQ(get_control_text(window, LINES), std::string(250, 'a') + "\r\nbc");
    ASSERT_FALSE(notices.empty());
    EXPECT_EQ(notices.back(), TOO_LONG);
    // Exactly 254 is taken without a word.
    notices.clear();
    driver.type(window, LINE, std::string(254, 'y'));
    driver.type(window, LINES, std::string(126, 'z') + "\r\n" + std::string(126, 'z'));
    EXPECT_EQ(get_control_text(window, LINE), std::string(254, 'y'));
    EXPECT_EQ(get_control_text(window, LINES).size(), 254u);
    EXPECT_TRUE(notices.empty());
}

TEST_F(TypedText, LettersTheFilesCannotHoldAreRefused) {
    for (int id : {LINE, LINES, DROP_DOWN}) {
        notices.clear();
        driver.type_keys(window, id, "Zadzwoń do Łukasza");
        EXPECT_EQ(get_control_text(window, id), "Zadzwo do ukasza") << id;
        EXPECT_EQ(notices, (std::vector<std::string>{NOT_KEPT, NOT_KEPT})) << id;
        // The highest letters Windows-1252 holds go in and come out as its bytes.
        notices.clear();
        driver.type_keys(window, id, "£ € é ÿ — Œ ™");
        EXPECT_EQ(get_control_text(window, id), "\xA3 \x80 \xE9 \xFF \x97 \x8C \x99") << id;
        EXPECT_TRUE(notices.empty()) << id;
        driver.type_keys(window, id, "emoji 😀 and 中文");
        EXPECT_EQ(get_control_text(window, id), "emoji  and ") << id;
    }
}

TEST_F(TypedText, PastedTextIsTakenWholeOrRefusedWhole) {
    for (int id : {LINE, LINES, DROP_DOWN}) {
        set_control_text(window, id, "Call ");
        notices.clear();
        driver.paste(window, id, "Łukasz");
        EXPECT_EQ(get_control_text(window, id), "Call ") << id;
        EXPECT_EQ(notices, std::vector<std::string>{NOT_KEPT}) << id;
        driver.paste(window, id, "Jos\xC3\xA9");  // é
        EXPECT_EQ(get_control_text(window, id), "Call Jos\xE9") << id;
        notices.clear();
        driver.paste(window, id, std::string(400, 'p'));
        EXPECT_EQ(get_control_text(window, id), "Call Jos\xE9" + std::string(245, 'p')) << id;
        EXPECT_EQ(notices, std::vector<std::string>{TOO_LONG}) << id;
    }
}

TEST_F(TypedText, WhatTheProgramSetsIsNeverRefused) {
    set_control_text(window, LINE,
                     "\xA3"
                     "1,234.50 \x80 caf\xE9");
    set_control_text(window, LINES, "line one\r\nline two");
    EXPECT_EQ(get_control_text(window, LINE),
              "\xA3"
              "1,234.50 \x80 caf\xE9");
    EXPECT_EQ(get_control_text(window, LINES), "line one\r\nline two");
    EXPECT_TRUE(notices.empty());
    // Without a notice a field refuses just the same, silently.
    set_refused_input_notice(nullptr);
    driver.type(window, LINE, std::string(260, 'q'));
    EXPECT_EQ(get_control_text(window, LINE).size(), 254u);
}

}  // namespace

namespace {

// A job named in Polish was saved as "???.job", and a second such name overwrote the first.
TEST(FileNames, ANameTheFilesCannotHoldIsRefusedAndAskedForAgain) {
    common::testing::Driver driver;
    driver.answer_file_requester("/office/data/\xC5\x81\xC3\xB3\x64\xC5\xBA.job");  // Łódź
    driver.answer_file_requester("");
    EXPECT_EQ(file_requester("Save Job File", nullptr, 0, "Kez Job Files (*.job)|*.job", "job", 0,
                             "/office/data"),
              "");
    EXPECT_EQ(driver.requesters().size(), 2u);
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].caption, "Message...file name...");
    EXPECT_EQ(driver.messages()[0].text,
              "The name \"?\xF3"
              "d?.job\" holds letters the office's files cannot keep (only "
              "Windows-1252 letters). Please choose another name.");

    // Letters Windows-1252 holds come back as its bytes.
    driver.answer_file_requester("/office/data/Caf\xC3\xA9 \xE2\x82\xAC.job");  // Café €
    EXPECT_EQ(file_requester("Save Job File", nullptr, 0, "Kez Job Files (*.job)|*.job", "job", 0,
                             "/office/data"),
              "/office/data/Caf\xE9 \x80.job");
    EXPECT_EQ(driver.messages().size(), 1u);
}

}  // namespace
