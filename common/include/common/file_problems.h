// Why a file could not be written, in words the office can act on: the folder cannot be
// reached, the file is read-only, the disk is full, or what the system said.
#pragma once

#include <string>

#include "common/file_lock.h"

namespace common {

// `error` is the errno the failing operation left (0 when unknown). The folder and the file are
// looked at again, so a share that went away is named as such whatever the error said.
std::string file_problem(const std::string& path, int error);

// Why a lock could not be had: who holds it and since when, or why no lock file could be made.
std::string lock_problem(const std::string& lock_path, const LockAttempt& attempt);

}  // namespace common
