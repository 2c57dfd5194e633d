#pragma once
// Where a finished real-time capture goes: the numbered name offered for it, and the move of
// "rtcapt.lvt" to the name chosen.
#include <string>

namespace qv {

inline constexpr const char *kRealTimeCaptureName = "rtcapt.lvt";

// The first of r00.lvt .. r99.lvt, r100.lvt .. r999.lvt, r1000.lvt .. r9999.lvt that does not
// exist in folder; r10000.lvt when every one does.
std::string nextCaptureName(const std::string &folder);

// Moves the capture at from to to: renamed when both are on the same file system, else copied
// to a temporary name beside to and renamed over it, so that a failed copy leaves no half file
// and the capture where it was. An existing to is replaced. False with why in error.
bool saveCaptureAs(const std::string &from, const std::string &to, std::string &error);

} // namespace qv
