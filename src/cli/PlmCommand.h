#pragma once
// The PLM-45 commands of quorvane-cli: the lines of a project file and the generated project.
#include <string>
#include <vector>

namespace qv::cli {

// plm FILE [--format text|csv|json] [--columns default|all]: the project's lines in the
// columns the settings show (or all 26), as the project window shows them.
int plm(const std::vector<std::string> &args);

// generate --scenario plm [--lines N] [--project P] [--seed S] -o OUT.plm
int generatePlm(const std::vector<std::string> &args);

} // namespace qv::cli
