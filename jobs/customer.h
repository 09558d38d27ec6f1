// The customer window and the customer file (".kez").
#pragma once

#include <string>

namespace jobs {

inline constexpr int ID_CUSTOMER_NAME = 102;

void OpenCustomerWindow();
void SaveCustomer();
void SaveCustomerChecked();
void ResetCustomer();
void LoadCustomer(const std::string& path);

}  // namespace jobs
