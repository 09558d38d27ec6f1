// The counters behind the test-only failure injection of the file layer.
#include "file_faults.h"

#include <cerrno>

namespace common {

namespace {

struct Fault {
    int countdown = 0;  // 0: not armed; otherwise steps until (and including) the failing one
    int error = 0;
    bool from_then_on = false;
    bool fired = false;
    int taken = 0;
    std::string only_file;
};

bool names_file(const std::string& path, const std::string& name) {
    if (name.empty()) return true;
    if (path.size() < name.size() ||
        path.compare(path.size() - name.size(), name.size(), name) != 0)
        return false;
    if (path.size() == name.size()) return true;
    const char before = path[path.size() - name.size() - 1];
    return before == '/' || before == '\\';
}

Fault faults[FILE_STEP_KINDS];
bool any_armed = false;

}  // namespace

bool file_step_fails(FileStep step, const std::string& path) {
    if (!any_armed) return false;
    Fault& fault = faults[static_cast<int>(step)];
    if (!names_file(path, fault.only_file)) return false;
    ++fault.taken;
    bool fails = false;
    if (fault.fired) {
        fails = fault.from_then_on;
    } else if (fault.countdown > 0 && --fault.countdown == 0) {
        fault.fired = true;
        fails = true;
    }
    if (fails) errno = fault.error;
    return fails;
}

void arm_file_fault(FileStep step, int nth, int error, bool from_then_on,
                    const std::string& only_file) {
    Fault& fault = faults[static_cast<int>(step)];
    fault.countdown = nth > 0 ? nth : 0;
    fault.error = error;
    fault.from_then_on = from_then_on;
    fault.fired = false;
    fault.only_file = only_file;
    any_armed = true;  // stays on, so the steps keep being counted
}

void disarm_file_faults() {
    for (Fault& fault : faults) fault = Fault{};
    any_armed = false;
}

int file_steps_taken(FileStep step) {
    return faults[static_cast<int>(step)].taken;
}

}  // namespace common
