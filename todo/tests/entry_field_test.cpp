// The entry field as the office types into it: it takes what a record keeps, 254 characters of
// Windows-1252, says on the message line what it refuses, and what it took comes back byte for
// byte from the database.
#include <gtest/gtest.h>

#include "common/window.h"
#include "state.h"
#include "todo_fixture.h"

namespace todo::testing {
namespace {

class EntryField : public TodoFixture {
protected:
    void SetUp() override {
        write_file(in_program_folder("todo.dat"), database_bytes({}, 0));
        start();
    }
    std::string stored_text() {
        std::string bytes = read_file(in_program_folder("todo.dat"));
        if (bytes.size() < 2 * RECORD_LENGTH) return "<no entry>";
        std::string field = bytes.substr(RECORD_LENGTH + TEXT_AT, TEXT_FIELD);
        return field.substr(0, field.find('\0'));
    }
};

const std::string HIGHEST = "\xA3\x80\xE9\xFF\x97\x8C\x9F\x99";  // £€éÿ—ŒŸ™

TEST_F(EntryField, TakesWhatARecordKeepsAndGivesItBackByteForByte) {
    std::string typed;
    while (typed.size() < 300) typed += HIGHEST + " call ";
    type(ID_ENTRY_EDIT, typed);
    const std::string kept = typed.substr(0, 254);
    EXPECT_EQ(text(ID_ENTRY_EDIT), kept);
    EXPECT_EQ(text(ID_MESSAGE_LINE),
              "a field holds at most 254 characters: the rest was not taken ...");
    click(ID_ADD);
    EXPECT_EQ(stored_text(), kept);
    start_again();
    ASSERT_EQ(entries().size(), 1u);
    EXPECT_EQ(entries()[0].text, kept);
}

TEST_F(EntryField, LettersTheRecordCannotHoldAreRefusedOnTheMessageLine) {
    driver.type_keys(dialog(), ID_ENTRY_EDIT, "Zadzwoń do Łukasza");
    EXPECT_EQ(text(ID_ENTRY_EDIT), "Zadzwo do ukasza");
    EXPECT_EQ(text(ID_MESSAGE_LINE),
              "that character cannot be kept in the office's files (Windows-1252), so it was "
              "not taken ...");
    driver.type_keys(dialog(), ID_ENTRY_EDIT, "Café — £5 €");
    click(ID_ADD);
    EXPECT_EQ(stored_text(),
              "Caf\xE9 \x97 \xA3"
              "5 \x80");
    start_again();
    EXPECT_EQ(entries()[0].text,
              "Caf\xE9 \x97 \xA3"
              "5 \x80");
}

}  // namespace
}  // namespace todo::testing
