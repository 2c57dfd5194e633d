#include "pdu/interface/ProtocolVariant.h"

#include "base/UserMessages.h"

namespace qv {

const ProtocolVariant *findVariantByName(std::string_view displayName) {
    for (const ProtocolVariant &v : kProtocolVariants)
        if (displayName == v.displayName)
            return &v;
    return nullptr;
}

const ProtocolVariant *findVariantByCode(std::string_view code) {
    for (const ProtocolVariant &v : kProtocolVariants)
        if (code == v.code)
            return &v;
    return nullptr;
}

std::string listFileName(std::string_view code) {
    return std::string(code) + "EN.LST";
}

std::string variantFolder(const std::string &notationRoot, std::string_view code) {
    std::string folder = notationRoot;
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    folder.append(code);
    folder += '/';
    return folder;
}

bool ProtocolSelection::select(std::string_view name, const std::string &notationRoot,
                               UserMessages &messages) {
    const ProtocolVariant *v = findVariantByName(name);
    if (!v) {
        messages.show(kMsgUnknownProtocol, kErrorMessageCaption, MessageIcon::Exclamation);
        return false;
    }
    displayName = v->displayName;
    code = v->code;
    folderPath = variantFolder(notationRoot, code);
    listFile = listFileName(code);
    return true;
}

} // namespace qv
