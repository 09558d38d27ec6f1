// Locks that several desktops sharing one office folder respect: a lock file beside what it
// guards, made with an exclusive create (which network shares pass through where they pass no
// POSIX locks), naming who holds it and since when. A lock whose holder has ended on this
// machine, or that has shown no sign of life for a minute, is taken over.
#pragma once

#include <optional>
#include <string>

namespace common {

// Who holds a lock, as its lock file tells.
struct LockHolder {
    std::string user;
    std::string host;
    unsigned long process = 0;
    long long since = 0;      // seconds since 1970 (UTC) when the lock was taken
    long long refreshed = 0;  // its holder's last sign of life
    bool operator==(const LockHolder&) const = default;
};

// This machine's name as a file name can carry it, this user's name and this process.
std::string this_host();
std::string this_user();
unsigned long this_process();
// Whether a process of this machine is still running (a process not ours to judge counts).
bool process_running(unsigned long process);
// This process as the holder of a lock taken now.
LockHolder this_holder();
// Seconds since 1970 by the real clock: what lock files compare, between machines.
long long seconds_now();

// A lock left by a process of this machine that has ended, or with no sign of life for
// `stale_seconds`, guards nothing any more.
bool lock_is_stale(const LockHolder& holder, long long stale_seconds);

// What became of an attempt to take a lock.
struct LockAttempt {
    enum class Outcome { Taken, Held, Failed } outcome = Outcome::Failed;
    LockHolder holder;  // Taken: this process; Held: the other holder, as far as it is known
    int error = 0;      // Failed: why the lock file could not be made (errno)
};

// Takes the lock at `lock_path` within `wait_ms` milliseconds (0: one try).
LockAttempt take_lock(const std::string& lock_path, int wait_ms, long long stale_seconds = 60);
// Who holds the lock now; nothing when there is no lock file.
std::optional<LockHolder> lock_holder(const std::string& lock_path);
// Renews the holder's sign of life. False when the lock is no longer this holder's.
bool refresh_lock(const std::string& lock_path, const LockHolder& mine);
// Removes the lock file when it is this holder's; another's is left alone.
void release_lock(const std::string& lock_path, const LockHolder& mine);

// The local time of a lock's moment as the office writes it: "10:42 on 10-03-2026".
std::string lock_time_text(long long seconds);

// A lock held for the length of one operation: taken when made, released when it goes.
class HeldLock {
public:
    HeldLock(std::string lock_path, int wait_ms, long long stale_seconds = 60);
    ~HeldLock();
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;
    bool taken() const { return attempt_.outcome == LockAttempt::Outcome::Taken; }
    const LockAttempt& attempt() const { return attempt_; }

private:
    std::string path_;
    LockAttempt attempt_;
};

}  // namespace common
