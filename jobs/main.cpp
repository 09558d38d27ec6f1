// The job manager: start the window layer, then the program.
#include "common/window.h"
#include "frame.h"

int main(int argc, char** argv) {
    common::init_layer(argc, argv);
    return jobs::run_job_manager();
}
