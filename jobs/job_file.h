// The job file (".job"): writer, reader, job name rule and the New, Open, Save and SaveAs
// commands of the main frame's tool bar.
#pragma once

#include <string>

namespace jobs {

void SaveJob(const std::string& path);
void LoadJob(const std::string& path);
void SaveJobAs(const std::string& path);
void OfferSaveJob();

// The tool-bar sequences; the caller stops timer 1 before and restarts it after.
void NewJob();
void OpenJob();
void SaveCurrentJob();
void SaveJobAsCommand();

}  // namespace jobs
