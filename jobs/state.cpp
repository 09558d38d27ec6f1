// The job manager's program-wide state and the two lines of the main frame that every part
// of the program writes to.
#include "state.h"

#include "common/text.h"

namespace jobs {

common::Window main_frame;
common::Window description_window;
common::Window components_window;
common::Window customer_window;
common::Window installation_window;
common::Window question_dialog;
common::Window help_dialog;

JobState state;

void show_status(const std::string& text) {
    common::set_control_text(main_frame, ID_STATUS_BAR, common::field_text(text));
}

void show_message(const std::string& text) {
    common::set_control_text(main_frame, ID_MESSAGE_FIELD, common::field_text(text));
}

}  // namespace jobs
