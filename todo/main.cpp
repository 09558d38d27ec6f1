// The to-do program: a prioritised reminder list with alarms.
#include "common/office_folder.h"
#include "common/window.h"
#include "startup.h"

int main(int argc, char** argv) {
    common::init_layer(argc, argv);
    if (!common::open_office_folder(argc, argv)) return 1;
    return todo::run_todo();
}
