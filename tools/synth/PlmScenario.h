#pragma once
// The PLM-45 scenario of the synthesiser: a project of measured lines that passes through every
// display rule (values not measured, negative supply voltages, high-impedance terminators,
// each code of the coded fields), and the reply the tester gives when asked for it.
#include <cstdint>
#include <string>

#include "plm/PlmProject.h"

namespace qv::synth {

inline constexpr const char *kPlmScenario = "plm";

// lines = 0 takes the scenario's own size (40 lines).
PlmProject plmScenario(int project, std::uint32_t lines, std::uint32_t seed);
// The tester's answer to "csv": its echo, the marker line, the lines with their own numbers
// in field 1, and the prompt.
std::string plmReply(const PlmProject &project);
bool writePlmFile(const std::string &path, const PlmProject &project, std::string &error);

} // namespace qv::synth
