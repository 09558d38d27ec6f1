// Any bytes as a head or foot piece of the invoice page: the piece splits into lines without
// a CR left in any, and the lines hold every byte of the piece but its line ends, in order.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "invoice_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = jobs::template_piece_lines(bytes);
    if (lines.empty()) std::abort();
    std::string kept;
    for (const std::string& line : lines) {
        if (line.find('\r') != std::string::npos) std::abort();
        kept += line;
    }
    std::string expected;  // the bytes without their line ends (CR LF or a lone CR)
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        if (bytes[at] != '\r') {
            expected += bytes[at];
        } else if (at + 1 < bytes.size() && bytes[at + 1] == '\n') {
            ++at;
        }
    }
    if (kept != expected) std::abort();
    return 0;
}
