// The job file as texts: the header lines, the invoice block, the invoice notes, the optional
// installation survey block and the process (done steps) block. The reader goes by the file's
// structure, so a word inside an item text or a customer's name never changes the job.
#include <string_view>

#include "common/files.h"
#include "common/services.h"
#include "common/text.h"
#include "invoice_calculation.h"
#include "job_file.h"
#include "record_file.h"

namespace jobs {

namespace {

const std::string kJobNumber = "Job Number:";
const std::string kJobType = "Job type, money out payment or money in invoice: ";
const std::string kCustomer = "Customer: ";
const std::string kNoCustomer = "Customer: NA:";  // written for a job without customer
const std::string kInvoiceStart = "Start of invoice data:";
const std::string kInvoiceEnd = "EndOID:";
const std::string kInvoiceNotes = "Invoice notes: ";
// The invoice's carriage and discount stand between the invoice block and the notes, in lines
// that hold none of the marks older readers look for anywhere in a line, so those readers pass
// over them.
const std::string kCarriage = "Carrage:";
const std::string kDiscount = "Discount:";
const std::string kSurveyStart = "Instalation data start:";
const std::string kSurveyLine = "data code:";
const std::string kSurveyEnd = "IDEnd:";
const std::string kProcessStart = "Process data:";
const std::string kProcessEnd = "EndOPD:";
// The fixed front of a survey line: "data code:", " 100", " value: ".
constexpr std::size_t kSurveyValueAt = 22;

const std::array<std::string, INVOICE_LINE_CELLS> kLabels = {
    " itum:", " each:", " units:", " alltotal:", " vat:", " fulltotal:", " notes:"};

bool starts_with(const std::string& line, std::string_view prefix) {
    return std::string_view(line).starts_with(prefix);
}

std::string trimmed(const std::string& text) {
    return common::trim_left(common::trim_right(text));
}

// A value that must stay on its own line: line breaks become blanks.
std::string one_line(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

// "Invoice notes:" with or without its blank, the rest of the line being the notes.
std::string after_prefix(const std::string& line, const std::string& prefix) {
    if (starts_with(line, prefix)) return line.substr(prefix.size());
    return line.substr(std::min(line.size(), prefix.size() - 1));
}

void add_survey_lines(const JobRecord& job, std::vector<std::string>& lines) {
    lines.push_back(kSurveyStart);
    for (int i = 0; i < SURVEY_FIELD_COUNT; ++i) {
        std::vector<std::string> field = text_lines(job.survey[i]);
        lines.push_back(kSurveyLine + common::number_text(100 + i) + " value: " + field[0]);
        for (std::size_t k = 1; k < field.size(); ++k) lines.push_back(field[k]);
    }
    lines.push_back(kSurveyEnd);
}

// Reading goes through the file's blocks in turn.
enum class Block { Header, Invoice, Survey, Process };

struct JobReader {
    JobRecord& job;
    Block block = Block::Header;
    int survey_field = -1;  // the field a survey continuation line belongs to
    std::array<std::vector<std::string>, SURVEY_FIELD_COUNT> survey_lines;

    // A line that opens another block ends an invoice block that lacks its end line.
    static bool opens_block(const std::string& line, const std::string& bare) {
        return bare == kSurveyStart || bare == kProcessStart || starts_with(line, kSurveyLine) ||
               starts_with(line, "Invoice notes:");
    }

    void header_line(const std::string& line, const std::string& bare) {
        if (bare == kInvoiceStart) {
            block = Block::Invoice;
        } else if (starts_with(line, kJobType)) {
            job.payment = trimmed(line.substr(kJobType.size())) == "PAYMENT";
            job.invoice = !job.payment;
        } else if (starts_with(line, "Customer:")) {
            // "NA:" in place of a name is the mark of a job without customer.
            std::string name = common::field_text(after_prefix(line, kCustomer));
            job.has_customer = trimmed(name) != "NA:";
            job.customer_name = job.has_customer ? name : "";
        } else if (starts_with(line, "Invoice notes:")) {
            job.invoice_notes = common::field_text(after_prefix(line, kInvoiceNotes));
            job.has_invoice_notes = true;
        } else if (starts_with(line, kCarriage)) {
            job.carriage = amount_text(read_stored_amount(line.substr(kCarriage.size())));
        } else if (starts_with(line, kDiscount)) {
            int rate = discount_rate(trimmed(line.substr(kDiscount.size())));
            job.discount = rate == 0 ? "0%" : std::to_string(rate) + "%";
        } else if (bare == kSurveyStart) {
            job.has_installation = true;
            block = Block::Survey;
        } else if (starts_with(line, kSurveyLine)) {
            job.has_installation = true;
            block = Block::Survey;
            survey_line(line, bare);
        } else if (bare == kProcessStart) {
            block = Block::Process;
        }
    }

    void invoice_line(const std::string& line, const std::string& bare) {
        if (bare == kInvoiceEnd) {
            block = Block::Header;
        } else if (opens_block(line, bare)) {
            block = Block::Header;
            header_line(line, bare);
        } else if (!trimmed(line).empty()) {
            job.invoice_lines.push_back(decode_invoice_line(line));
        }
    }

    void survey_line(const std::string& line, const std::string& bare) {
        if (bare == kSurveyEnd) {
            block = Block::Header;
        } else if (bare == kProcessStart) {
            block = Block::Process;
        } else if (starts_with(line, kSurveyLine)) {
            long code = common::text_integer(line.substr(kSurveyLine.size()));
            survey_field = code >= 100 && code < 100 + SURVEY_FIELD_COUNT ? int(code - 100) : -1;
            if (survey_field >= 0)
                survey_lines[survey_field] = {
                    line.size() > kSurveyValueAt ? line.substr(kSurveyValueAt) : ""};
        } else if (survey_field >= 0) {
            survey_lines[survey_field].push_back(line);
        }
    }

    void process_line(const std::string& line, const std::string& bare) {
        if (bare == kProcessEnd)
            block = Block::Header;
        else if (!line.empty())
            job.done_steps.push_back(common::field_text(line));
    }

    void read(const std::string& line) {
        std::string bare = common::trim_right(line);
        switch (block) {
            case Block::Header:
                header_line(line, bare);
                break;
            case Block::Invoice:
                invoice_line(line, bare);
                break;
            case Block::Survey:
                survey_line(line, bare);
                break;
            case Block::Process:
                process_line(line, bare);
                break;
        }
    }

    void finish() {
        for (int i = 0; i < SURVEY_FIELD_COUNT; ++i)
            if (!survey_lines[i].empty())
                job.survey[i] = common::field_text(join_lines(survey_lines[i]));
    }
};

}  // namespace

std::string encode_invoice_line(const InvoiceCells& cells) {
    std::string line;
    for (int k = 0; k < INVOICE_LINE_CELLS; ++k)
        line += kLabels[k] + " " + one_line(trimmed(cells[k]));
    return line;
}

InvoiceCells decode_invoice_line(const std::string& line) {
    InvoiceCells cells;
    // The line is written with a blank in front of its first label; a line trimmed by hand
    // still reads.
    const std::string text = " " + line;
    std::array<std::size_t, INVOICE_LINE_CELLS> at{}, after{};
    int found = 0;
    std::size_t from = 0;
    for (; found < INVOICE_LINE_CELLS; ++found) {
        std::size_t p = text.find(kLabels[found], from);
        if (p == std::string::npos) break;
        at[found] = p;
        after[found] = from = p + kLabels[found].size();
    }
    if (found == 0) {
        cells[0] = common::field_text(trimmed(line));
        return cells;
    }
    for (int k = 0; k < found; ++k) {
        std::size_t end = k + 1 < found ? at[k + 1] : text.size();
        cells[k] = common::field_text(trimmed(text.substr(after[k], end - after[k])));
    }
    return cells;
}

std::vector<std::string> job_file_lines(const JobRecord& job) {
    std::vector<std::string> lines;
    lines.push_back(kJobNumber + one_line(job.job_name));
    lines.push_back("Date: " + job.date + " Time: " + job.time);
    if (job.payment) lines.push_back(kJobType + "PAYMENT");
    if (job.invoice) lines.push_back(kJobType + "INVOICE");
    lines.push_back(job.has_customer ? kCustomer + one_line(job.customer_name) : kNoCustomer);
    lines.push_back(job.installation_locked ? "Instalation: LOCKED" : "Instalation: na");
    lines.push_back(kInvoiceStart);
    for (const InvoiceCells& cells : job.invoice_lines) lines.push_back(encode_invoice_line(cells));
    lines.push_back(kInvoiceEnd);
    if (job.carriage) lines.push_back(kCarriage + one_line(*job.carriage));
    if (job.discount) lines.push_back(kDiscount + " " + one_line(*job.discount));
    lines.push_back(kInvoiceNotes + one_line(job.invoice_notes));
    if (job.has_installation) add_survey_lines(job, lines);
    lines.push_back(kProcessStart);
    if (job.has_installation)
        for (const std::string& step : job.done_steps) lines.push_back(one_line(step));
    lines.push_back(kProcessEnd);
    return lines;
}

bool read_job_lines(const std::vector<std::string>& lines, JobRecord& job) {
    if (lines.empty() || !starts_with(lines[0], kJobNumber)) return false;
    job = JobRecord{};
    job.job_name = common::field_text(lines[0].substr(kJobNumber.size()));
    JobReader reader{job, Block::Header, -1, {}};
    for (std::size_t i = 1; i < lines.size(); ++i) reader.read(lines[i]);
    reader.finish();
    return true;
}

std::string job_name_from_path(const std::string& path) {
    return common::field_text(common::base_name(path));
}

std::string default_job_file(const std::string& job_name) {
    return common::program_folder() + "data\\" + job_name + ".job";
}

}  // namespace jobs
