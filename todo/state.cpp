#include "state.h"

namespace todo {

common::Window main_dialog;
common::Window alarm_dialog;
common::Window weights_dialog;

common::Handler alarm_dialog_events;
common::Handler weights_dialog_events;

TodoState state;

}  // namespace todo
