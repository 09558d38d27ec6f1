// The job file (".job"): writer, reader, job name rule and the New, Open, Save and SaveAs
// commands of the main frame's tool bar.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace jobs {

// SaveJob, SaveJobAs: true when the job file was written.
bool SaveJob(const std::string& path);
void LoadJob(const std::string& path);
bool SaveJobAs(const std::string& path);
// Offers to save a job that has a file, or lines never saved. False when what was to follow
// must not happen: the save requester was cancelled or the save failed.
bool OfferSaveJob();
// The job's default job file, when it is the job's own or no file is there; otherwise the
// user is asked whether to replace it, and a No gives the empty text.
std::string job_file_to_replace(const std::string& job_name);

// The tool-bar sequences; the caller stops timer 1 before and restarts it after.
void NewJob();
void OpenJob();
void SaveCurrentJob();
void SaveJobAsCommand();

// ---- The job file (".job"), as texts ---------------------------------------------------------
// Seven cells of an invoice line: the list's columns 0 to 4 and two the list does not have.
inline constexpr int INVOICE_LINE_CELLS = 7;
using InvoiceCells = std::array<std::string, INVOICE_LINE_CELLS>;
// Survey fields 100 to 111 of the installation window.
inline constexpr int SURVEY_FIELD_COUNT = 12;
using SurveyFields = std::array<std::string, SURVEY_FIELD_COUNT>;

// Everything a job file holds, the way the job windows show it.
struct JobRecord {
    std::string job_name;
    std::string date;  // "dd-MM-yyyy" of saving (written only)
    std::string time;  // "hh:mm:ss" of saving (written only)
    bool payment = false;
    bool invoice = true;
    bool has_customer = false;
    std::string customer_name;
    bool installation_locked = false;         // the "Instalation" box (written only)
    std::vector<InvoiceCells> invoice_lines;  // top row first
    // Carriage (a number text) and discount ("10%", "15%" or "0%") of the invoice; a file
    // written before they were kept has neither.
    std::optional<std::string> carriage;
    std::optional<std::string> discount;
    std::string invoice_notes;
    bool has_invoice_notes = false;  // the file had its notes line (read only)
    bool has_installation = false;   // the survey block was written / found
    SurveyFields survey;
    std::vector<std::string> done_steps;  // "Jobs done", first row first
};

std::vector<std::string> job_file_lines(const JobRecord& job);
// False when the lines are not a job file at all (nothing to load); otherwise the record, with
// what a damaged file lacks left at its defaults.
bool read_job_lines(const std::vector<std::string>& lines, JobRecord& job);

// " itum: " c0 " each: " c1 ... " notes: " c6, each cell without surrounding blanks.
std::string encode_invoice_line(const InvoiceCells& cells);
InvoiceCells decode_invoice_line(const std::string& line);

// Asks for a job file to save to with the save requester; empty when cancelled.
std::string ask_save_path(const std::string& title);

// The job's name from its file's path: the file's base name.
std::string job_name_from_path(const std::string& path);
// The program folder, "data\", the job name and ".job".
std::string default_job_file(const std::string& job_name);

}  // namespace jobs
