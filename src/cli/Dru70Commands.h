#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace qv {
struct Dru70EventFilter;
}

namespace qv::cli {

// "activation,error,power,eoc": the event groups shown, the others switched off.
bool parseDru70Groups(const std::string &list, Dru70EventFilter &out);

// quorvane-cli dru FILE [--columns default|all] [--format text|csv|json] [--long]
//                       [--filter NAME] [--events GROUP,...] [--home DIR]
int dru70(const std::vector<std::string> &args);
// info and notes of a .dru file.
int dru70Info(const std::string &path);
int dru70Notes(const std::string &path, const char *text);
// generate --scenario dru70 [--frames N] [--seed S] -o OUT
int generateDru70(std::uint32_t events, std::uint32_t seed, const std::string &out);

} // namespace qv::cli
