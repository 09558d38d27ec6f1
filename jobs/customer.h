// The customer window and the customer file (".kez").
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace jobs {

inline constexpr int ID_CUSTOMER_NAME = 102;

void OpenCustomerWindow();
void SaveCustomer();
void SaveCustomerChecked();
void ResetCustomer();
// True when the file was read.
bool LoadCustomer(const std::string& path);

// ---- The customer file (".kez"), as texts ---------------------------------------------------
// Eleven fields, ids 100 (date) to 110 (notes), each on its marker line; the lines of a
// multi-line field follow its marker line without a marker.
inline constexpr int ID_CUSTOMER_FIRST_FIELD = 100;
inline constexpr int CUSTOMER_FIELD_COUNT = 11;
using CustomerFields = std::array<std::string, CUSTOMER_FIELD_COUNT>;
// What a file gave: a field whose marker the file lacks stays empty (the window keeps it).
using CustomerFieldsRead = std::array<std::optional<std::string>, CUSTOMER_FIELD_COUNT>;

// The marker of field `index` (0 = id 100): "date:", "ref:", ... "notes:".
const std::string& customer_marker(int index);
std::vector<std::string> customer_file_lines(const CustomerFields& fields);
CustomerFieldsRead read_customer_lines(const std::vector<std::string>& lines);

// True when a customer's name can name a file in the data folder: not empty and free of
// folder separators and the characters the office's file system refuses.
bool usable_file_name(const std::string& name);
// The program folder, "\data\", the name and ".kez".
std::string customer_file_path(const std::string& name);

}  // namespace jobs
