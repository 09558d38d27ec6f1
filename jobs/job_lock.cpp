#include "job_lock.h"

#include <chrono>
#include <optional>

#include "changed_on_disk.h"
#include "common/file_lock.h"
#include "common/files.h"
#include "common/services.h"
#include "common/text.h"
#include "common/window.h"

namespace jobs {

namespace {

// How often the tick renews the lock of the job on screen, and how long a lock that nobody
// renews stands: a desktop that crashed keeps nobody out for longer than that.
constexpr auto RENEW_EVERY = std::chrono::seconds(20);
constexpr long long SILENT_FOR = 60;

enum class Access { Own, ReadOnly, Anyway };

struct JobHold {
    std::string path;
    Access access = Access::Own;
    std::optional<common::LockHolder> lock;  // the lock file this program made
};

JobHold shown;                 // the job on screen
std::optional<JobHold> asked;  // a job being opened
std::chrono::steady_clock::time_point last_renewed;

bool same_file(const std::string& one, const std::string& other) {
    return common::native_path(one) == common::native_path(other);
}

void release(JobHold& hold) {
    if (hold.lock) common::release_lock(job_lock_path(hold.path), *hold.lock);
    hold.lock.reset();
}

std::string who_and_since(const common::LockHolder& holder) {
    if (holder.host.empty()) return "another desktop";
    return holder.user + " on " + holder.host + " since " + common::lock_time_text(holder.since);
}

// The question with three answers: its own small dialog, the buttons saying what they do.
constexpr int ID_TEXT = 1;
constexpr int ID_READ_ONLY = 2;
constexpr int ID_ANYWAY = 3;
constexpr int ID_CANCEL = 4;
common::Window open_question;
int open_answer = ID_CANCEL;

int handle_open_question(common::Window& dialog) {
    const common::Event& e = common::event();
    if (e.event_class == common::EV_DIALOG_INIT) common::centre_window(dialog);
    if (e.event_class == common::EV_CONTROL && e.control_id >= ID_READ_ONLY &&
        e.control_id <= ID_CANCEL) {
        open_answer = e.control_id;
        common::close_dialog(dialog, 0);
    }
    if (e.event_class == common::EV_CLOSE) {
        open_answer = ID_CANCEL;
        common::close_dialog(dialog, 1);
    }
    return 0;
}

std::optional<Access> ask_how_to_open(const std::string& path, const common::LockHolder& holder) {
    common::declare_dialog(open_question, 0, 0, 380, 120, 0x80C80080, nullptr,
                           "The Job is open on another desktop...", handle_open_question);
    const std::string text = "The job " + common::base_name(path) +
                             " is open: " + who_and_since(holder) +
                             ". Open it read-only, or open it anyway and change it there too?";
    common::add_control(open_question, common::KIND_STATIC, common::field_text(text), 10, 10, 360,
                        50, 0x50000000, ID_TEXT);
    common::add_control(open_question, common::KIND_BUTTON, "Read only", 20, 75, 100, 22,
                        0x50010000, ID_READ_ONLY);
    common::add_control(open_question, common::KIND_BUTTON, "Open anyway", 135, 75, 100, 22,
                        0x50010000, ID_ANYWAY);
    common::add_control(open_question, common::KIND_BUTTON, "Cancel", 250, 75, 100, 22, 0x50010000,
                        ID_CANCEL);
    open_answer = ID_CANCEL;
    common::show_dialog_modal(open_question);
    if (open_answer == ID_READ_ONLY) return Access::ReadOnly;
    if (open_answer == ID_ANYWAY) return Access::Anyway;
    return std::nullopt;
}

// Another desktop's lock on a job file, when there is one that still stands.
std::optional<common::LockHolder> other_holder(const std::string& path) {
    const std::optional<common::LockHolder> holder = common::lock_holder(job_lock_path(path));
    if (!holder) return std::nullopt;
    if (holder->host == common::this_host() && holder->process == common::this_process())
        return std::nullopt;
    if (!holder->host.empty() && common::lock_is_stale(*holder, SILENT_FOR)) return std::nullopt;
    return holder;
}

bool agree(const std::string& question) {
    return common::message_box(nullptr, question, "The Job is open on another desktop...",
                               common::MB_YESNO | common::MB_ICONQUESTION) == common::IDYES;
}

}  // namespace

std::string job_lock_path(const std::string& job_file) {
    return job_file + ".lock";
}

bool claim_job(const std::string& path) {
    asked.reset();
    if (same_file(path, shown.path) && shown.access == Access::Own) return true;
    const common::LockAttempt attempt = common::take_lock(job_lock_path(path), 0, SILENT_FOR);
    JobHold hold{path, Access::Own, std::nullopt};
    const bool ours = attempt.holder.host == common::this_host() &&
                      attempt.holder.process == common::this_process();
    if (attempt.outcome == common::LockAttempt::Outcome::Taken ||
        (attempt.outcome == common::LockAttempt::Outcome::Held && ours)) {
        hold.lock = attempt.holder;
    } else if (attempt.outcome == common::LockAttempt::Outcome::Held) {
        const std::optional<Access> access = ask_how_to_open(path, attempt.holder);
        if (!access) return false;
        hold.access = *access;
    }
    // A folder where no lock file can be made: the job opens as it always did.
    asked = hold;
    return true;
}

void settle_job_claim(const std::string& path, bool opened) {
    if (!asked || !same_file(asked->path, path)) return;
    JobHold claim = *asked;
    asked.reset();
    if (!opened) {
        release(claim);
        return;
    }
    release(shown);
    shown = claim;
    last_renewed = std::chrono::steady_clock::now();
    note_file_seen(path);
}

void let_go_of_job() {
    release(shown);
    shown = JobHold{};
}

void keep_job_lock_alive() {
    if (!shown.lock) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - last_renewed < RENEW_EVERY) return;
    last_renewed = now;
    // Taken over while this desktop was silent (asleep, say): the job is then open elsewhere too.
    if (!common::refresh_lock(job_lock_path(shown.path), *shown.lock)) {
        shown.lock.reset();
        shown.access = Access::Anyway;
    }
}

bool may_save_job_to(const std::string& path) {
    if (same_file(path, shown.path) && shown.access == Access::ReadOnly) {
        const std::optional<common::LockHolder> holder = other_holder(path);
        const std::string who = holder ? who_and_since(*holder) : "another desktop";
        if (!agree("The job " + common::base_name(path) + " was opened read-only: it is open on " +
                   who + ".\r\n\r\nSave over it all the same?"))
            return false;
    } else if (!same_file(path, shown.path)) {
        if (const std::optional<common::LockHolder> holder = other_holder(path)) {
            if (!agree("The job " + common::base_name(path) + " is open: " +
                       who_and_since(*holder) + ".\r\n\r\nSave over it all the same?"))
                return false;
        }
    }
    return may_write_over(path, job_lock_path(path));
}

void job_saved_to(const std::string& path) {
    note_file_seen(path);
    if (same_file(path, shown.path)) return;
    release(shown);
    shown = JobHold{path, Access::Anyway, std::nullopt};
    const common::LockAttempt attempt = common::take_lock(job_lock_path(path), 0, SILENT_FOR);
    if (attempt.outcome != common::LockAttempt::Outcome::Held) shown.access = Access::Own;
    if (attempt.outcome == common::LockAttempt::Outcome::Taken) shown.lock = attempt.holder;
    last_renewed = std::chrono::steady_clock::now();
}

bool job_is_read_only() {
    return shown.access == Access::ReadOnly;
}

}  // namespace jobs
