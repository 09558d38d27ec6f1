// The job description window: the five check boxes of a job and its picture.
#pragma once

namespace jobs {

// Opens the window with its colours, font and check boxes, checks "Invoice" and draws its
// titles; sets its open flag.
void build_description_window();

}  // namespace jobs
