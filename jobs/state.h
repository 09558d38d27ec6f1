// The job manager's program-wide state, shared by all its concerns. The job itself lives in
// the controls of the job windows and in the job file; these are the few values around it.
#pragma once

#include <string>

#include "common/window.h"

namespace jobs {

// ---- Windows, owned here for the whole run ---------------------------------------------------
extern common::Window main_frame;             // "Kez Systems LTD"
extern common::Window description_window;     // "Job discription": the five check boxes
extern common::Window components_window;      // invoice lines and money figures
extern common::Window customer_window;        // "Customer details"
extern common::Window installation_window;    // site survey and job progress
extern common::Window question_dialog;        // ask()
extern common::Window help_dialog;            // "Help"

// ---- Shared state ----------------------------------------------------------------------------
struct JobState {
    bool run = false;                     // the run loop goes on while set
    bool job_loaded = false;              // a job was opened from or saved to a job file
    std::string job_name;                 // base name of the current job file
    std::string job_file;                 // the file the job was opened from or saved to
    std::string unread_customer;          // a customer whose file could not be read
    std::string customer_name;            // copy of the customer window's name field
    int answer = 0;                       // last answer of ask(): 1 Yes, 0 No
    bool customer_window_open = false;
    bool installation_window_open = false;
    bool components_window_open = false;
    bool description_window_open = false;
    bool help_dialog_open = false;
    bool installation_allowed = true;     // enable state of "Instalation" while not a payment
    int invoice_line_count = 0;           // rows of the invoice list
    int current_picture = 0;              // image handle drawn in the job description window
    int tool_bar_strip = 0;               // "toolbar.bmp"
};
extern JobState state;

// Tool-bar command ids and their slots (0 = separator).
inline constexpr int CMD_NEW = 2;
inline constexpr int CMD_OPEN = 3;
inline constexpr int CMD_SAVE = 4;
inline constexpr int CMD_SAVE_AS = 5;
inline constexpr int CMD_PRINT = 6;
inline constexpr int CMD_HELP = 7;

// ---- Main frame controls ---------------------------------------------------------------------
inline constexpr int ID_TOOL_BAR = 98;
inline constexpr int ID_MESSAGE_FRAME = 20;
inline constexpr int ID_MESSAGE_FIELD = 21;
inline constexpr int ID_STATUS_BAR = 26;
inline constexpr int ID_EMPTY_FRAME = 27;

// ---- Job description window check boxes ------------------------------------------------------
inline constexpr int ID_ENQUIRY = 116;
inline constexpr int ID_PAYMENT = 118;
inline constexpr int ID_INVOICE = 120;
inline constexpr int ID_CUSTOMER = 122;
inline constexpr int ID_INSTALATION = 124;

// Shows a text in the main frame's status bar / message field.
void show_status(const std::string& text);
void show_message(const std::string& text);

}  // namespace jobs
