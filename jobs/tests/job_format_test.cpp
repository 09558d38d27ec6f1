// The job file as texts: the lines written for a job and the job read back from lines.
#include <gtest/gtest.h>

#include "common/hooks.h"
#include "job_file.h"
#include "record_file.h"

namespace jobs {
namespace {

JobRecord known_job() {
    JobRecord job;
    job.job_name = "Smith roof";
    job.date = "09-12-2026";
    job.time = "13:05:09";
    job.has_customer = true;
    job.customer_name = "Jo Smith";
    job.installation_locked = true;
    job.invoice_lines = {{"Panel 100W", " 120", " 4", " 480", "south side", "", ""},
                         {"Inverter", " 350", " 1", " 350", "", "", ""}};
    job.invoice_notes = "Paid on delivery";
    job.has_installation = true;
    job.survey = {
        "Grid tied",          "4",     "24", "S", "35", "6mtr", "tile", "bad", "Ace", "open",
        "Scaffold\r\nneeded", "Survey"};
    job.done_steps = {"Survey", "Quote sent"};
    return job;
}

TEST(JobFormat, WithoutCustomerOrInstallationAndAsAPayment) {
    JobRecord job;
    job.job_name = "Stock";
    job.date = "01-01-2027";
    job.time = "00:00:00";
    job.payment = true;
    job.invoice = false;
    job.done_steps = {"not written without the survey"};
    std::vector<std::string> expected = {"Job Number:Stock",
                                         "Date: 01-01-2027 Time: 00:00:00",
                                         "Job type, money out payment or money in invoice: PAYMENT",
                                         "Customer: NA:",
                                         "Instalation: na",
                                         "Start of invoice data:",
                                         "EndOID:",
                                         "Invoice notes: ",
                                         "Process data:",
                                         "EndOPD:"};
    EXPECT_EQ(job_file_lines(job), expected);
}

TEST(JobFormat, ReadsBackWhatWasWrittenInTheSavedOrder) {
    JobRecord read;
    ASSERT_TRUE(read_job_lines(job_file_lines(known_job()), read));
    JobRecord job = known_job();
    EXPECT_EQ(read.job_name, job.job_name);
    EXPECT_FALSE(read.payment);
    EXPECT_TRUE(read.has_customer);
    EXPECT_EQ(read.customer_name, "Jo Smith");
    ASSERT_EQ(read.invoice_lines.size(), 2u);
    EXPECT_EQ(read.invoice_lines[0],
              (InvoiceCells{"Panel 100W", "120", "4", "480", "south side", "", ""}));
    EXPECT_EQ(read.invoice_lines[1][0], "Inverter");
    EXPECT_EQ(read.invoice_notes, "Paid on delivery");
    EXPECT_TRUE(read.has_invoice_notes);
    EXPECT_TRUE(read.has_installation);
    EXPECT_EQ(read.survey, job.survey);
    EXPECT_EQ(read.done_steps, job.done_steps);
}

TEST(JobFormat, KindAndCustomerComeFromTheirOwnLinesOnly) {
    JobRecord job = known_job();
    job.invoice_lines = {{"PAYMENT terminal", "1", "1", "1", "Customer: NA:", "", ""}};
    job.customer_name = "Anna: NA: Ltd";
    job.invoice_notes = "PAYMENT due";
    JobRecord read;
    ASSERT_TRUE(read_job_lines(job_file_lines(job), read));
    EXPECT_FALSE(read.payment);
    EXPECT_TRUE(read.has_customer);
    EXPECT_EQ(read.customer_name, "Anna: NA: Ltd");
    EXPECT_EQ(read.invoice_lines[0][0], "PAYMENT terminal");

    job.payment = true;
    job.invoice = false;
    job.has_customer = false;
    ASSERT_TRUE(read_job_lines(job_file_lines(job), read));
    EXPECT_TRUE(read.payment);
    EXPECT_FALSE(read.has_customer);
    EXPECT_EQ(read.customer_name, "");
}

TEST(JobFormat, OlderAndDamagedFilesReadAsFarAsTheyGo) {
    JobRecord read;
    // Cells with the blank the earlier reader left, a hand-trimmed line, no "EndOID:" before
    // the notes, a survey line without its start line, nothing after.
    ASSERT_TRUE(
        read_job_lines({"Job Number:old", "Customer: Bo", "Start of invoice data:",
                        " itum: A  each: 1  units: 2  alltotal: 2  vat: x  fulltotal:  "
                        "notes: ",
                        "itum: B each: 3", "", "Invoice notes: n", "data code: 104 value: 40"},
                       read));
    ASSERT_EQ(read.invoice_lines.size(), 2u);
    EXPECT_EQ(read.invoice_lines[0], (InvoiceCells{"A", "1", "2", "2", "x", "", ""}));
    EXPECT_EQ(read.invoice_lines[1], (InvoiceCells{"B", "3", "", "", "", "", ""}));
    EXPECT_EQ(read.invoice_notes, "n");
    EXPECT_TRUE(read.has_installation);
    EXPECT_EQ(read.survey[4], "40");
    EXPECT_EQ(read.survey[0], "");

    // Survey lines go by their codes; unknown codes and their further lines are skipped.
    ASSERT_TRUE(
        read_job_lines({"Job Number:x", "Instalation data start:", "data code: 111 value: Fit",
                        "data code: 999 value: ?", "junk", "data code: 100 value: Grid", "IDEnd:"},
                       read));
    EXPECT_EQ(read.survey[11], "Fit");
    EXPECT_EQ(read.survey[0], "Grid");
    EXPECT_FALSE(read.has_customer);  // no customer line at all: no customer to look for

    EXPECT_FALSE(read_job_lines({}, read));
    EXPECT_FALSE(read_job_lines({"\x7f"
                                 "ELF garbage",
                                 "Customer: x"},
                                read));
    ASSERT_TRUE(read_job_lines({"Job Number:"}, read));
    EXPECT_TRUE(read.invoice_lines.empty());
    EXPECT_FALSE(read.has_invoice_notes);
}

TEST(JobFormat, LongCellsAndNotesAreCutWhereTheyEnterAField) {
    JobRecord job = known_job();
    job.invoice_lines = {{std::string(300, 'i'), "1", "1", "1", std::string(300, 'n'), "", ""}};
    job.invoice_notes = std::string(300, 'v');
    std::vector<std::string> lines = job_file_lines(job);
    EXPECT_GT(lines[6].size(), 600u);  // the line is written whole
    JobRecord read;
    ASSERT_TRUE(read_job_lines(lines, read));
    EXPECT_EQ(read.invoice_lines[0][0], std::string(254, 'i'));
    EXPECT_EQ(read.invoice_lines[0][3], "1");
    EXPECT_EQ(read.invoice_lines[0][4], std::string(254, 'n'));
    EXPECT_EQ(read.invoice_notes, std::string(254, 'v'));
}

TEST(JobFormat, ValuesWithLineBreaksCannotBreakTheFile) {
    JobRecord job = known_job();
    job.invoice_lines = {{"two\r\nlines", "1", "1", "1", "EndOID:", "", ""}};
    job.invoice_notes = "a\nb";
    JobRecord read;
    ASSERT_TRUE(read_job_lines(job_file_lines(job), read));
    ASSERT_EQ(read.invoice_lines.size(), 1u);
    EXPECT_EQ(read.invoice_lines[0][0], "two  lines");
    EXPECT_EQ(read.invoice_lines[0][4], "EndOID:");
    EXPECT_EQ(read.invoice_notes, "a b");
    EXPECT_EQ(read.done_steps, job.done_steps);
}

TEST(JobFormat, JobNameIsTheFileBaseNameWhereverTheFileIs) {
    common::layer_hooks().program_folder = "/office/kez/";
    EXPECT_EQ(job_name_from_path("/office/kez/data\\Smith roof.job"), "Smith roof");
    EXPECT_EQ(job_name_from_path("/office/kez/data/Smith roof.job"), "Smith roof");
    EXPECT_EQ(job_name_from_path("/home/jo/old jobs/Lee.v2.job"), "Lee.v2");
    EXPECT_EQ(job_name_from_path("D:\\x.job"), "x");
    EXPECT_EQ(default_job_file("Lee"), "/office/kez/data\\Lee.job");
}

}  // namespace
}  // namespace jobs
