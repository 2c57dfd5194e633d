#pragma once
// What kind of file the user opened, decided from its content. The type codes are the ones the
// testers' result identification uses: 1 to 5 and 9 name test results, 6 and 7 stored captures,
// 8 a file of no LVT kind, 10 a PLM-45 project (by its name alone), 11 a real-time capture and
// 12 a DRU-70 event file. Negative: the file could not be read.
#include <string>
#include <string_view>

namespace qv {

inline constexpr int kTypeServiceTest = 1;
inline constexpr int kTypeSupplementaryServiceTest = 2;
inline constexpr int kTypeBerTest = 3;
inline constexpr int kTypeX25DTest = 4;
inline constexpr int kTypeX25BTest = 5;
inline constexpr int kTypeStoredCapture = 6;
inline constexpr int kTypeStoredCaptureAlt = 7; // routed like 6; the scan itself answers 6
inline constexpr int kTypeNotLvt = 8;
inline constexpr int kTypeBChannelTest = 9;
inline constexpr int kTypePlm45Project = 10;
inline constexpr int kTypeRealTimeCapture = 11;
inline constexpr int kTypeDru70 = 12;
// Captures of other tools, imported into a real-time capture when opened: pcap or pcapng files,
// and I4B or EyeSDN traces.
inline constexpr int kTypePcapCapture = 13;
inline constexpr int kTypeTraceCapture = 14;
inline constexpr int kTypeUnreadable = -1;

inline constexpr const char *kMsgNotAnLvtFile = "This file is not an LVT file!";

// A file whose name holds ".plm" or ".PLM" is a project; nothing is read.
bool isPlm45ProjectName(const std::string &path);

// The type of the file at path.
//
// A stored file's first and last records carry the letter of a test result: "S", "A" and "C" in
// the first, "E", "D" and "B" in the last, at data byte 0, or 11 for an LVT-60 and 36 for a
// monitor whose identification has a hardware number. A capture's frames could hold those
// letters in the same place (0x42 is the address octet of an X.25 command on SAPI 16), so a
// file counts as a result only when its first record is longer than any capture record can be:
// the configuration record of a test always is.
int scanFileType(const std::string &path);

// What a type code stands for, as the command line names it; empty for a negative code.
std::string_view fileTypeText(int type);

} // namespace qv
