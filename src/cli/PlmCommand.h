#pragma once
// The PLM-45 commands of quorvane-cli: the lines of a project file and the generated project.
#include <cstdint>
#include <string>

#include "CommandLine.h"

namespace qv::cli {

void addPlmCommand(Commands &commands);
// The generated project P (0..99) of lines lines written to out.
int generatePlm(std::uint32_t lines, std::uint32_t project, std::uint32_t seed,
                const std::string &out);

} // namespace qv::cli
