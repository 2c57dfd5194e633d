#pragma once
// The protocol variants whose call control the notation tables decode, and the process-wide
// choice among them.
#include <string>
#include <string_view>

namespace qv {

class UserMessages;

struct ProtocolVariant {
    const char *displayName;
    const char *code; // names the variant's notation folder and, with "EN.LST", its List File
};

inline constexpr ProtocolVariant kProtocolVariants[] = {
    {"VN4", "VN4"},
    {"EDSS-1", "EDSS"},
    {"1TR6", "1TR6"},
    {"Q931", "Q931"},
    {"TPH1962/1856 (BRA)", "TPHBRA"},
    {"TPH1962/1856 (PRA)", "TPHPRA"},
    {"NTT", "NTT"},
    {"N-ISDN (BRA)", "NI2BRA"},
    {"N-ISDN (PRA)", "NI2PRA"},
    {"ATT (BRA)", "ATTBRA"},
    {"ATT (PRA)", "ATTPRA"},
    {"DMS-100/NTI (BRA)", "NTIBRA"},
    {"DMS-100/NTI (PRA)", "NTIPRA"},
    {"CORNET-T/CORNET-N", "CORN"},
    {"TN-1R6", "TR6P"},
    {"QSIG", "QSIG"},
    {"CORNET-NQ", "CORNNQ"},
};
inline constexpr int kProtocolVariantCount =
    static_cast<int>(sizeof kProtocolVariants / sizeof kProtocolVariants[0]);
// V5 has a folder of its own, outside the table.
inline constexpr const char *kV5Code = "V5";
inline constexpr const char *kMsgUnknownProtocol = "Unknown protocol!";

// Exact comparison; null when no variant has that name or code.
const ProtocolVariant *findVariantByName(std::string_view displayName);
const ProtocolVariant *findVariantByCode(std::string_view code);
std::string listFileName(std::string_view code);
// The variant's folder below the notation root, with a trailing "/".
std::string variantFolder(const std::string &notationRoot, std::string_view code);

struct ProtocolSelection {
    std::string displayName;
    std::string code;
    std::string folderPath;
    std::string listFile;
    bool v5Encapsulated = false;

    // Takes the variant of displayName; "Unknown protocol!" and no change when there is none.
    bool select(std::string_view name, const std::string &notationRoot, UserMessages &messages);
};

} // namespace qv
