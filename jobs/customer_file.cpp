// The customer file: one marker line per field, in a fixed order. Multi-line fields (the
// telephone numbers onwards) carry their further lines as lines of their own right after the
// marker line, so a customer's address and notes come back exactly as they were typed.
#include <string_view>

#include "common/services.h"
#include "common/text.h"
#include "customer.h"
#include "record_file.h"

namespace jobs {

namespace {

const std::array<std::string, CUSTOMER_FIELD_COUNT> kMarkers = {
    "date:",  "ref:",     "name:",     "landline:", "mobile:", "email:",
    "other:", "address:", "postcode:", "map:",      "notes:"};

// Date, reference and name are single-line edits; the rest take several lines.
constexpr int kFirstMultiLineField = 3;

// The field whose marker begins the line, if that field has not been read yet. A line that
// repeats an earlier field's marker belongs to the field being read (an address line may well
// begin with "name:").
int marker_field(const std::string& line, const std::array<bool, CUSTOMER_FIELD_COUNT>& seen) {
    for (int i = 0; i < CUSTOMER_FIELD_COUNT; ++i)
        if (!seen[i] && std::string_view(line).starts_with(kMarkers[i])) return i;
    return -1;
}

}  // namespace

const std::string& customer_marker(int index) {
    return kMarkers.at(index);
}

std::vector<std::string> customer_file_lines(const CustomerFields& fields) {
    std::vector<std::string> lines;
    for (int i = 0; i < CUSTOMER_FIELD_COUNT; ++i) {
        std::vector<std::string> field = text_lines(fields[i]);
        lines.push_back(kMarkers[i] + field[0]);
        if (i < kFirstMultiLineField) continue;
        for (std::size_t k = 1; k < field.size(); ++k) lines.push_back(field[k]);
    }
    return lines;
}

CustomerFieldsRead read_customer_lines(const std::vector<std::string>& lines) {
    std::array<std::vector<std::string>, CUSTOMER_FIELD_COUNT> field_lines;
    std::array<bool, CUSTOMER_FIELD_COUNT> seen{};
    int current = -1;
    for (const std::string& line : lines) {
        int field = marker_field(line, seen);
        if (field >= 0) {
            seen[field] = true;
            current = field;
            field_lines[field].push_back(line.substr(kMarkers[field].size()));
        } else if (current >= kFirstMultiLineField) {
            field_lines[current].push_back(line);
        }
    }
    CustomerFieldsRead read;
    for (int i = 0; i < CUSTOMER_FIELD_COUNT; ++i) {
        if (!seen[i]) continue;
        // Files written before multi-line fields were kept whole end a note with an empty line.
        std::vector<std::string>& field = field_lines[i];
        while (field.size() > 1 && field.back().empty()) field.pop_back();
        read[i] = common::field_text(join_lines(field));
    }
    return read;
}

bool usable_file_name(const std::string& name) {
    if (name.empty()) return false;
    for (unsigned char c : name)
        if (c < 32 ||
            std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos)
            return false;
    return name != "." && name != "..";
}

std::string customer_file_path(const std::string& name) {
    return common::program_folder() + "\\data\\" + name + ".kez";
}

}  // namespace jobs
