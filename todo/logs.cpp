#include "logs.h"

#include "common/clock.h"
#include "common/files.h"
#include "common/services.h"
#include "common/text.h"
#include "common/window.h"
#include "entries.h"
#include "state.h"

namespace todo {

using common::FileKind;

std::string log_line(const std::string& created, const std::string& date, const std::string& today,
                     const std::string& text) {
    return created + " " + date + "  " + today + " " + text;
}

std::string added_note_line(const std::string& text, const std::string& created,
                            const std::string& priority, const std::string& date,
                            const std::string& time) {
    return common::field_text(text + " " + created + " " + priority + " " + date + " " + time +
                              " ");
}

void send_to_log() {
    state.current_row = common::list_get_selected(main_dialog, ID_TEXT_COLUMN);
    common::FileVar log;
    if (common::open_file(log, FileKind::Text, "ToDoLog.txt", "A") != 0) {
        common::message_box(&main_dialog, "Unable to write to log", "Error...sub SendToLog...", 0);
        return;
    }
    const Entry entry = entry_at(state.current_row);
    common::write_value(
        log, FileKind::Text,
        log_line(entry.created, entry.date, common::date_text("dd'-'MM'-'yyyy"), entry.text));
    // An entry whose line did not reach the log stays in the list: nothing is lost.
    if (common::close_file(log, FileKind::Text) != 0) {
        common::message_box(&main_dialog, "Unable to write to log", "Error...sub SendToLog...", 0);
        return;
    }

    if (state.entry_selected && state.current_row >= 0) {
        delete_entry(state.current_row);
        state.entry_selected = false;
        state.entry_count -= 1;
    } else {
        common::message_box(&main_dialog, "Problem deleting entry", "Error!", 0);
    }
}

void append_added_note(const std::string& line) {
    common::FileVar note;
    if (common::open_file(note, FileKind::Text, "AddFile.txt", "A") != 0) {
        common::message_box(nullptr, "Problem adding note to backup text file",
                            "error...AddToTxtFile...", 0);
        return;
    }
    common::write_value(note, FileKind::Text, line);
    if (common::close_file(note, FileKind::Text) != 0) {
        common::message_box(nullptr, "Problem adding note to backup text file",
                            "error...AddToTxtFile...", 0);
    }
}

}  // namespace todo
