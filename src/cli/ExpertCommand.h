#pragma once
// quorvane-cli expert: the layer-2 link analysis of a capture, one item a row, in frame order.
#include "CommandLine.h"

namespace qv::cli {

void addExpertCommand(Commands &commands);

} // namespace qv::cli
