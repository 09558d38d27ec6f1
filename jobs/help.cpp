// The help dialog: a question goes out as a one-line file, an answer comes back as another,
// picked up by the main frame's tick while the dialog is open. Whoever answers is outside this
// program; only the two files are shared.
#include "help.h"

#include <string>

#include "common/files.h"
#include "common/services.h"
#include "common/window.h"
#include "reference_lists.h"
#include "state.h"

namespace jobs {

namespace {

const std::string QUESTION_CODE = "*5820*";

// An answer file that could not be deleted would otherwise be shown again on every tick,
// wiping a new question's echo and taking the focus once a second. It is shown once; a
// changed answer in the same file is shown again.
struct StuckAnswer {
    bool stuck = false;
    std::string path;
    std::string text;
};
StuckAnswer stuck_answer;

// Writes the question file whole or not at all; false when it could not be written.
bool write_question_file(const std::string& path, const std::string& question) {
    if (path.empty()) return false;
    common::FileVar file;
    if (common::open_file(file, common::FileKind::Text, path, "W") != 0) return false;
    common::write_value(file, common::FileKind::Text, question_line(question));
    return common::close_file(file, common::FileKind::Text) == 0;
}

void send_question() {
    const std::string question = common::get_control_text(help_dialog, ID_HELP_QUESTION);
    if (!write_question_file(settings.question_file, question)) {
        // The question stays in its box, ready to be sent again.
        common::message_box(&help_dialog, "problem creating or sending MESSAGE file",
                            "error...CreateHtml...", 0);
        return;
    }
    common::set_control_text(help_dialog, ID_HELP_ANSWER, "q: " + question);
    common::set_control_text(help_dialog, ID_HELP_QUESTION, "");
}

void end_help_dialog(int result) {
    common::close_dialog(help_dialog, result);
    state.help_dialog_open = false;
}

int help_dialog_handler(common::Window&) {
    const common::Event& e = common::event();
    switch (e.event_class) {
        case common::EV_DIALOG_INIT:
            common::centre_window(help_dialog);
            common::set_focus(help_dialog, ID_HELP_QUESTION);
            state.help_dialog_open = true;
            break;
        case common::EV_CLOSE:
            end_help_dialog(1);
            break;
        case common::EV_CONTROL:
            if (e.control_id == ID_HELP_CANCEL) end_help_dialog(0);
            if (e.control_id == ID_HELP_SEND) send_question();
            break;
        default:
            break;
    }
    return 0;
}

}  // namespace

std::string question_line(const std::string& question) {
    std::string line = QUESTION_CODE + question;
    for (char& c : line) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return line;
}

bool read_answer_file(const std::string& path, std::string& answer) {
    common::FileVar file;
    if (common::open_file(file, common::FileKind::Text, path, "R") != 0) return false;
    answer.clear();
    common::read_value(file, common::FileKind::Text, answer);  // an empty file: empty answer
    common::close_file(file, common::FileKind::Text);
    return true;
}

void declare_help_dialog() {
    using namespace common;
    declare_dialog(help_dialog, 0, 0, 400, 180, 0x80CA0080, nullptr, "Help", help_dialog_handler);
    add_control(help_dialog, KIND_STATIC, "Type you question into bottom box then press SEND. ", 12,
                8, 287, 17, 0x5000010B, 2);
    add_control(help_dialog, KIND_STATIC, "The answer will appear in the top box", 14, 27, 360, 19,
                0x5000010B, 3);
    add_control(help_dialog, KIND_EDIT, "", 15, 113, 380, 23, 0x50800000, ID_HELP_QUESTION);
    add_control(help_dialog, KIND_EDIT, "", 15, 51, 380, 58, 0x50800004, ID_HELP_ANSWER);
    add_control(help_dialog, KIND_BUTTON, "Cancel", 17, 144, 70, 20, 0x50000000, ID_HELP_CANCEL);
    add_control(help_dialog, KIND_BUTTON, "Send", 101, 144, 70, 20, 0x50000000, ID_HELP_SEND);
}

void toggle_help() {
    if (state.help_dialog_open) {
        end_help_dialog(0);
        return;
    }
    state.help_dialog_open = true;
    // No owner: the main frame stays usable and its ticks go on from the dialog's loop.
    common::show_dialog_modal(help_dialog);
    // However the dialog ended, it is no longer up, so nothing more is polled for it.
    state.help_dialog_open = false;
}

void check_help_answer() {
    const std::string& path = settings.answer_file;
    if (path.empty()) return;
    std::string answer;
    if (!read_answer_file(path, answer)) {
        stuck_answer = {};  // no answer waiting (the normal case)
        return;
    }
    if (stuck_answer.stuck && stuck_answer.path == path && stuck_answer.text == answer) return;

    common::set_control_text(help_dialog, ID_HELP_ANSWER, answer);
    if (common::file_delete(path)) {
        stuck_answer = {};
    } else {
        stuck_answer = {true, path, answer};
        show_status("help answer file cannot be removed ...");
    }
    common::set_focus(help_dialog, ID_HELP_QUESTION);
}

}  // namespace jobs
