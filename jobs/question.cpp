// The Yes/No question dialog. Every way out other than "Yes" (the "No" button, the close box)
// answers No, so a caller never acts on the answer to an earlier question.
#include "common/text.h"
#include "frame.h"
#include "state.h"

namespace jobs {
namespace {

constexpr int ID_QUESTION = 1;
constexpr int ID_YES = 2;
constexpr int ID_NO = 3;
constexpr long QUESTION_STYLE = 0x80C80080;  // caption and system menu

int handle_question(common::Window& dialog) {
    const common::Event& e = common::event();
    switch (e.event_class) {
        case common::EV_DIALOG_INIT:
            common::centre_window(dialog);
            // The font of a declared control can only be set once the control exists.
            common::set_font(dialog, "CENTURY_GOTHIC", 16, 900, 0xFF0000, ID_YES);
            break;
        case common::EV_CONTROL:
            if (e.control_id == ID_YES || e.control_id == ID_NO) {
                state.answer = e.control_id == ID_YES ? 1 : 0;
                common::close_dialog(dialog, 0);
            }
            break;
        case common::EV_CLOSE:
            state.answer = 0;
            common::close_dialog(dialog, 1);
            break;
        default:
            break;
    }
    return 0;
}

}  // namespace

void ask(const std::string& caption, const std::string& question) {
    common::declare_dialog(question_dialog, 0, 0, 250, 100, QUESTION_STYLE, nullptr,
                           common::field_text(caption), handle_question);
    common::add_control(question_dialog, common::KIND_STATIC, common::field_text(question), 5, 15,
                        250, 20, 0x5000010B, ID_QUESTION);
    common::add_control(question_dialog, common::KIND_BUTTON, "Yes", 50, 45, 70, 20, 0x50000000,
                        ID_YES);
    common::add_control(question_dialog, common::KIND_BUTTON, "No", 125, 45, 70, 20, 0x50000000,
                        ID_NO);
    state.answer = 0;
    common::show_dialog_modal(question_dialog);
}

}  // namespace jobs
