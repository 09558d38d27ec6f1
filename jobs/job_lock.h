// A job open on one desktop is announced on the others: while a job is on screen its job file
// has a lock file beside it ("<job file>.lock") naming who has it open and since when, renewed
// by the tick so that a desktop that crashed blocks nobody for more than a minute. Opening a job
// that another desktop has open asks whether to open it read-only, open it anyway, or not at
// all; a job opened read-only is not saved over its file without a question.
#pragma once

#include <string>

namespace jobs {

// The lock file beside a job file.
std::string job_lock_path(const std::string& job_file);

// Before the job file at `path` is opened. False when the user chose not to open it.
bool claim_job(const std::string& path);
// After the opening: the job at `path` is now the one on screen, or (not `opened`) the claim
// comes to nothing and the job on screen keeps its own.
void settle_job_claim(const std::string& path, bool opened);
// No job on screen any more (New, the end of the program).
void let_go_of_job();
// The tick: the lock of the job on screen shows its holder is still there.
void keep_job_lock_alive();

// Before the job is written to `path`: asks when the job was opened read-only, or when another
// desktop has that job file open, or when it changed on disk since it was read here. False
// when the user chose not to save.
bool may_save_job_to(const std::string& path);
// The job was written to `path`: it becomes the job's file, its lock with it.
void job_saved_to(const std::string& path);

// Whether the job on screen was opened read-only.
bool job_is_read_only();

}  // namespace jobs
