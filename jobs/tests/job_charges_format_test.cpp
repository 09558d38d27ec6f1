// The carriage and discount lines of a job file: read back by this program, and passed over by a
// reader of the format as it was before they were written, which finds its marks anywhere in a
// line, reads every line between "invoice data:" and "EndOID:" as an invoice line, the twelve
// lines after "Instalation data start:" as survey fields, and every later line as a done step.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "job_file.h"

namespace jobs {
namespace {

// What the earlier reader makes of a job file, in the terms it works in.
struct EarlierReading {
    bool payment = false;
    bool has_customer = true;
    std::string customer_line;
    bool installation = false;
    std::string invoice_notes;
    std::array<std::string, 12> survey;
    std::vector<std::string> later_lines;  // compared with the to-do steps
    std::vector<std::array<std::string, 7>> invoice_rows;
    bool operator==(const EarlierReading&) const = default;
};

bool holds(const std::string& line, const std::string& mark) {
    return line.find(mark) != std::string::npos;
}

std::string from(const std::string& line, std::size_t position, std::size_t count) {
    return position - 1 < line.size() ? line.substr(position - 1, count) : std::string();
}

std::array<std::string, 7> earlier_invoice_row(const std::string& line) {
    const char* labels[] = {
        "itum:", "each:", "units:", "alltotal:", "vat:", "fulltotal:", "notes:"};
    std::array<std::size_t, 7> at{};
    for (int k = 0; k < 7; ++k) at[k] = line.find(labels[k]) + 1;  // 0 when missing
    std::array<std::string, 7> cells;
    const std::size_t widths[] = {6, 6, 7, 10, 5, 11};
    for (int k = 0; k < 6; ++k)
        cells[k] = from(line, at[k] + widths[k], at[k + 1] - at[k] - widths[k]);
    cells[6] = line.size() > at[6] + 5 ? line.substr(at[6] + 5) : "";
    return cells;
}

EarlierReading read_as_before(const std::vector<std::string>& lines) {
    EarlierReading r;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (holds(line, "PAYMENT")) r.payment = true;
        if (holds(line, "Customer:")) {
            r.customer_line = line;
            if (holds(line, "NA:")) r.has_customer = false;
        }
        if (holds(line, "data code:")) r.installation = true;
        if (holds(line, "Invoice notes:")) r.invoice_notes = from(line, 16, std::string::npos);
    }
    std::size_t i = 0;
    while (i < lines.size() && lines[i] != "Instalation data start:") ++i;
    for (int field = 0; field < 12; ++field) {
        ++i;
        r.survey[field] = i < lines.size() ? from(lines[i], 23, std::string::npos) : "";
    }
    for (++i; i < lines.size(); ++i) r.later_lines.push_back(lines[i]);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (!holds(lines[k], "invoice data:")) continue;
        while (++k < lines.size() && lines[k] != "EndOID:")
            r.invoice_rows.push_back(earlier_invoice_row(lines[k]));
    }
    return r;
}

// An invoice with a customer, two lines, notes, a survey and two steps done, as a file holds it.
JobRecord priced_job() {
    const std::vector<std::string> file = {
        "Job Number:inv0101",
        "Date: 09-12-2026 Time: 13:05:09",
        "Job type, money out payment or money in invoice: INVOICE",
        "Customer: Jo Smith",
        "Instalation: na",
        "Start of invoice data:",
        " itum: Battery 100Ah each: 89.50 units: 30 alltotal: 2685 vat: garage wall fulltotal:  "
        "notes: ",
        " itum: Mounting kit each: \xA3"
        "45 units: 2 alltotal: 90 vat:  fulltotal:  notes: ",
        "EndOID:",
        "Invoice notes: Paid on delivery",
        "Instalation data start:",
        "data code: 100 value: Grid tied",
        "data code: 101 value: 4",
        "data code: 102 value: 24",
        "data code: 103 value: S",
        "data code: 104 value: 35",
        "data code: 105 value: 6mtr",
        "data code: 106 value: tile",
        "data code: 107 value: bad",
        "data code: 108 value: Ace",
        "data code: 109 value: open",
        "data code: 110 value: Scaffold",
        "data code: 111 value: Survey",
        "IDEnd:",
        "Process data:",
        "Survey",
        "Quote sent",
        "EndOPD:"};
    JobRecord job;
    EXPECT_TRUE(read_job_lines(file, job));
    job.date = "09-12-2026";
    job.time = "13:05:09";
    return job;
}

std::vector<std::string> without(std::vector<std::string> lines, const std::string& prefix) {
    std::erase_if(lines, [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    return lines;
}

TEST(JobCharges, WrittenAfterTheInvoiceBlock) {
    JobRecord job = priced_job();
    job.carriage = " 12.50";
    job.discount = "15%";
    std::vector<std::string> lines = job_file_lines(job);
    auto end = std::find(lines.begin(), lines.end(), "EndOID:");
    ASSERT_NE(end, lines.end());
    EXPECT_EQ(*(end + 1), "Carrage: 12.50");
    EXPECT_EQ(*(end + 2), "Discount: 15%");
    EXPECT_EQ(*(end + 3), "Invoice notes: Paid on delivery");
}

TEST(JobCharges, AnEarlierReaderPassesOverThem) {
    const std::vector<std::string> marks = {
        "PAYMENT",       "Customer:",      "NA:",
        "data code:",    "Invoice notes:", "Instalation data start:",
        "invoice data:", "EndOID:",        "itum:",
        "each:",         "units:",         "alltotal:",
        "vat:",          "fulltotal:",     "notes:"};
    for (const char* carriage : {" 0", " 12.50", " -5", " 99999999.99"})
        for (const char* discount : {"0%", "10%", "15%"}) {
            JobRecord job = priced_job();
            job.carriage = carriage;
            job.discount = discount;
            std::vector<std::string> lines = job_file_lines(job);
            for (const std::string& line : lines) {
                if (line.rfind("Carrage:", 0) != 0 && line.rfind("Discount:", 0) != 0) continue;
                for (const std::string& mark : marks) EXPECT_FALSE(holds(line, mark)) << line;
            }
            std::vector<std::string> earlier = without(without(lines, "Carrage:"), "Discount:");
            ASSERT_EQ(earlier.size() + 2, lines.size());
            EarlierReading r = read_as_before(lines);
            EXPECT_EQ(r, read_as_before(earlier));
            EXPECT_EQ(r.customer_line, "Customer: Jo Smith");
            EXPECT_EQ(r.invoice_notes, "Paid on delivery");
            EXPECT_EQ(r.survey[0], "Grid tied");
            EXPECT_EQ(r.survey[11], "Survey");
            EXPECT_EQ(r.later_lines, (std::vector<std::string>{"IDEnd:", "Process data:", "Survey",
                                                               "Quote sent", "EndOPD:"}));
            ASSERT_EQ(r.invoice_rows.size(), 2u);
            EXPECT_EQ(r.invoice_rows[0][0], "Battery 100Ah ");
            EXPECT_EQ(r.invoice_rows[0][3], "2685 ");
            EXPECT_EQ(r.invoice_rows[0][4], "garage wall ");
        }
}

TEST(JobCharges, ReadBackAndAbsentFromOlderFiles) {
    JobRecord job = priced_job();
    job.carriage = " 12.50";
    job.discount = "10%";
    JobRecord read;
    ASSERT_TRUE(read_job_lines(job_file_lines(job), read));
    EXPECT_EQ(read.carriage, " 12.50");
    EXPECT_EQ(read.discount, "10%");
    EXPECT_EQ(read.invoice_lines.size(), 2u);
    EXPECT_EQ(read.invoice_notes, "Paid on delivery");

    ASSERT_TRUE(read_job_lines(job_file_lines(priced_job()), read));
    EXPECT_FALSE(read.carriage.has_value());
    EXPECT_FALSE(read.discount.has_value());

    // Edited by hand: what is not one of the offered rates is no discount, and the carriage is
    // read as the cells are.
    ASSERT_TRUE(read_job_lines({"Job Number:x", "Start of invoice data:", "EndOID:",
                                "Carrage:\xA3"
                                "1,250",
                                "Discount: 20%"},
                               read));
    EXPECT_EQ(read.carriage, " 1250");
    EXPECT_EQ(read.discount, "0%");
    ASSERT_TRUE(read_job_lines({"Job Number:x", "Carrage: 7.5 pounds", "Discount:15%"}, read));
    EXPECT_EQ(read.carriage, " 7.50");
    EXPECT_EQ(read.discount, "15%");
}

}  // namespace
}  // namespace jobs
