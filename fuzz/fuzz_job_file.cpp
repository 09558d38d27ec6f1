// Any bytes as a job file: the reader never crashes, keeps every cell within a field, and a job
// it read writes and reads back with the same invoice lines, kind, customer, carriage and
// discount.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "job_file.h"
#include "record_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    jobs::JobRecord job;
    if (!jobs::read_job_lines(jobs::split_record_lines(bytes), job)) return 0;
    for (const jobs::InvoiceCells& cells : job.invoice_lines)
        for (const std::string& cell : cells)
            if (cell.size() > 254) __builtin_trap();
    if (job.invoice_notes.size() > 254) __builtin_trap();

    jobs::JobRecord again;
    if (!jobs::read_job_lines(jobs::job_file_lines(job), again)) __builtin_trap();
    if (again.invoice_lines.size() != job.invoice_lines.size()) __builtin_trap();
    if (again.payment != job.payment || again.has_customer != job.has_customer) __builtin_trap();
    if (again.has_installation != job.has_installation) __builtin_trap();
    if (again.carriage != job.carriage || again.discount != job.discount) __builtin_trap();
    return 0;
}
