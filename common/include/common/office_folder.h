// The office folder: where the programs read and write the office's files.
#pragma once

namespace common {

// Settles the program folder for this run, before the program starts. Run from a build tree or a
// portable folder the program keeps working beside its own file. An installed copy, whose folder
// holds no data and is usually not writable, works in an office folder: "--folder DIR" or
// KEZ_OFFICE_FOLDER when given (a shared folder on the office server, say), otherwise
// "kez-office" under the user's data folder. A new or empty office folder is filled from the
// installed template, and the program is started from it, so the files it writes into its
// current folder land there too. Returns false, after telling the user, when the folder cannot
// be made ready.
//
// A folder that is missing, or empty although this user has worked in it before, may be a share
// that is not reachable: the user is told so, and the program starts on it only when the user
// asks for a new office there.
bool open_office_folder(int argc, char** argv);

// True when this run works in an office folder (an installed copy, --folder, KEZ_OFFICE_FOLDER),
// which several people may share; false for a build tree or a portable folder.
bool working_in_office_folder();

}  // namespace common
