#pragma once
// The DRU-70 commands of quorvane-cli: the event listing, the file's information and note, and
// the generated recording.
#include <cstdint>
#include <string>

#include "CommandLine.h"

namespace qv {
struct Dru70EventFilter;
}

namespace qv::cli {

// "activation,error,power,eoc": the event groups shown, the others switched off.
bool parseDru70Groups(const std::string &list, Dru70EventFilter &out);
void addDru70Command(Commands &commands);
// info and notes of a .dru file; text null reads the note.
int dru70Info(const std::string &path);
int dru70Notes(const std::string &path, const char *text, const std::string &home);
// The generated recording of events events written to out.
int generateDru70(std::uint32_t events, std::uint32_t seed, const std::string &out);

} // namespace qv::cli
