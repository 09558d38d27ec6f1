// Failure injection for tests: the file layer asks before each step of writing a file whether
// that step must fail, so a test can make the Nth creation, write, flush, sync, rename or deletion
// fail the way a full disk or a refusing folder would. Only the test driver arms it; in a normal
// run nothing is armed and every question costs one comparison.
#pragma once

#include <string>

namespace common {

enum class FileStep : int { Create, Write, Flush, Sync, Rename, Delete };
constexpr int FILE_STEP_KINDS = 6;

// True when this step on the file at `path` must fail now; errno then holds the error armed.
bool file_step_fails(FileStep step, const std::string& path);

// The nth step of this kind from now fails with `error` (and, with `from_then_on`, every later
// one too); with `only_file` set, only steps on files of that name count. nth 0 only counts.
void arm_file_fault(FileStep step, int nth, int error, bool from_then_on,
                    const std::string& only_file);
void disarm_file_faults();
// How many steps of this kind were taken since the faults were last disarmed.
int file_steps_taken(FileStep step);

}  // namespace common
