// The to-do program: a prioritised reminder list with alarms.
#include "common/window.h"
#include "startup.h"

int main(int argc, char** argv) {
    common::init_layer(argc, argv);
    return todo::run_todo();
}
