// Job and customer files another desktop may have changed since this program read them. What
// this program last read or wrote of each file is noted; writing over a file that has changed
// since asks first, naming when it changed and, where the job's lock file tells, by whom.
#pragma once

#include <string>

namespace jobs {

// The file has just been read, or written, here.
void note_file_seen(const std::string& path);

// True when the file may be written over: it has not changed since it was read or written
// here (or never was, or is not there), or the user agreed. `lock_path` names the lock file
// that may tell who changed it ("" for none).
bool may_write_over(const std::string& path, const std::string& lock_path);

}  // namespace jobs
