// Claims on the message-input file. Several to-do programs may watch one message-input file (on
// a shared office folder, or two desktops of one person); a line dropped there must become an
// entry in exactly one of them. A program claims the file by renaming it to a name of its own,
// which only one rename can do, before reading it.
#pragma once

#include <string>

namespace todo {

// The name this process claims `path` under: "<path>.taking-<host>-<process>".
std::string claim_name(const std::string& path);

// A claim left by a program of this machine that ended before it had finished with the file
// (or by an earlier version, "<path>.taking", once it is a minute old), renamed to `claimed`.
// False when there is none or another program took it over first.
bool take_over_left_claim(const std::string& path, const std::string& claimed);

// Claims `path` itself. False when there is nothing to claim or another program was first; in
// `read_in_place` true when the file is there but may not be renamed (it is then read where it
// lies).
bool claim_input(const std::string& path, const std::string& claimed, bool& read_in_place);

}  // namespace todo
