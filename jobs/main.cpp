// The job manager: start the window layer, then the program.
#include "common/office_folder.h"
#include "common/window.h"
#include "frame.h"

int main(int argc, char** argv) {
    common::init_layer(argc, argv);
    if (!common::open_office_folder(argc, argv)) return 1;
    return jobs::run_job_manager();
}
