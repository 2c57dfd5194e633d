#include "comm/PortList.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace fs = std::filesystem;

namespace {

// Attributes are short; anything longer is not what the kernel writes.
constexpr std::size_t kAttributeLength = 256;
// How far up from a tty its USB device may sit (interface, then device).
constexpr int kUsbSearchDepth = 4;

// An attribute file's first line, trimmed, control characters dropped; empty when unreadable.
std::string attribute(const fs::path &file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {};
    std::string text(kAttributeLength, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    text = text.substr(0, text.find('\n'));
    std::string clean;
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)
            clean += c;
    const std::size_t first = clean.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return clean.substr(first, clean.find_last_not_of(' ') - first + 1);
}

bool present(const fs::path &path) {
    std::error_code error;
    return fs::exists(path, error);
}

// Terminals that are not serial ports: consoles, virtual terminals, pseudo-terminals.
// The driver of a port's device. Recent kernels put the port and its controller of the serial
// core between the tty and the hardware ("port", "ctrl"): the hardware's driver is above them.
std::string driverOf(const fs::path &device) {
    std::error_code error;
    fs::path at = fs::canonical(device, error);
    if (error)
        return {};
    for (int depth = 0; depth < kUsbSearchDepth && !at.empty(); ++depth) {
        std::error_code linkError;
        const std::string name = fs::read_symlink(at / "driver", linkError).filename().string();
        if (!linkError && name != "port" && name != "ctrl")
            return name;
        if (at == at.parent_path())
            break;
        at = at.parent_path();
    }
    return {};
}

bool isVirtual(const std::string &name) {
    if (name == "console" || name == "tty" || name == "ptmx")
        return true;
    if (name.rfind("tty", 0) == 0 && name.size() > 3 &&
        std::isdigit(static_cast<unsigned char>(name[3])))
        return true; // tty0, tty1 ...: virtual consoles
    return name.rfind("pty", 0) == 0 || name.rfind("ttyp", 0) == 0 || name.rfind("pts", 0) == 0;
}

void readUsb(const fs::path &device, const fs::path &sysRoot, PortInfo &info) {
    std::error_code error;
    fs::path at = fs::canonical(device, error);
    if (error)
        return;
    const fs::path root = fs::weakly_canonical(sysRoot, error);
    for (int depth = 0; depth < kUsbSearchDepth && !at.empty(); ++depth) {
        if (present(at / "idVendor")) {
            info.vendorId = attribute(at / "idVendor");
            info.productId = attribute(at / "idProduct");
            info.manufacturer = attribute(at / "manufacturer");
            info.product = attribute(at / "product");
            info.serialNumber = attribute(at / "serial");
            return;
        }
        if (at == root || at == at.parent_path())
            return;
        at = at.parent_path();
    }
}

// /dev/serial/by-id names, by the device they point to.
std::vector<std::pair<std::string, std::string>> byIdNames(const fs::path &devRoot) {
    std::vector<std::pair<std::string, std::string>> names;
    std::error_code error;
    const fs::path folder = devRoot / "serial" / "by-id";
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path target = fs::read_symlink(it->path(), error);
        if (error) {
            error.clear();
            continue;
        }
        names.emplace_back(target.filename().string(),
                           (fs::path("/dev/serial/by-id") / it->path().filename()).string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

std::string PortInfo::description() const {
    std::string text;
    if (!manufacturer.empty())
        text = manufacturer;
    if (!product.empty())
        text += (text.empty() ? "" : " ") + product;
    if (!vendorId.empty()) {
        std::string ids = vendorId + ":" + productId;
        if (!serialNumber.empty())
            ids += ", serial " + serialNumber;
        text += (text.empty() ? "USB device (" : " (") + ids + ")";
    }
    if (text.empty())
        text = driver.empty() ? "serial port" : "serial port (" + driver + ")";
    return text;
}

std::vector<PortInfo> listPorts(const PortListRoots &roots) {
    std::vector<PortInfo> ports;
    const fs::path sysRoot(roots.sys);
    const fs::path classTty = sysRoot / "class" / "tty";
    const auto byId = byIdNames(roots.dev);
    std::error_code error;
    for (fs::directory_iterator it(classTty, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (isVirtual(name))
            continue;
        const fs::path device = it->path() / "device";
        if (!present(device))
            continue; // a terminal with no hardware behind it
        PortInfo info;
        info.name = name;
        info.device = (fs::path("/dev") / name).string();
        info.driver = driverOf(device);
        // Built-in ports are listed four at a time whether a UART answers or not: type 0 is
        // none. Other drivers do not say.
        const std::string type = attribute(it->path() / "type");
        if (name.rfind("ttyS", 0) == 0 && (type.empty() || type == "0"))
            continue;
        readUsb(device, sysRoot, info);
        for (const auto &[target, link] : byId)
            if (target == name) {
                info.byId = link;
                break;
            }
        if (roots.checkAccess) {
            info.advice = accessAdvice(info.device);
            info.accessible = info.advice.empty();
        } else {
            info.accessible = true;
        }
        ports.push_back(std::move(info));
    }
    std::sort(ports.begin(), ports.end(),
              [](const PortInfo &a, const PortInfo &b) { return a.name < b.name; });
    return ports;
}

std::string accessAdviceFor(const std::string &path, const std::string &groupName,
                            std::uint32_t mode, bool listedInGroup) {
    constexpr std::uint32_t kReadWrite = 06;
    if (!groupName.empty() && ((mode >> 3) & kReadWrite) == kReadWrite) {
        if (listedInGroup)
            return path + " belongs to group " + groupName +
                   "; your user is in it now, log out and in again for that to take effect";
        return path + " belongs to group " + groupName + "; add your user to it and log in again";
    }
    return path + " cannot be opened by your user (mode " + std::to_string((mode >> 6) & 7) +
           std::to_string((mode >> 3) & 7) + std::to_string(mode & 7) +
           "); ask the administrator of this machine for access";
}

std::string accessAdvice(const std::string &path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return {};
    if (access(path.c_str(), R_OK | W_OK) == 0)
        return {};
    std::string groupName;
    bool listed = false;
    if (const group *g = getgrgid(info.st_gid); g != nullptr && g->gr_name != nullptr) {
        groupName = g->gr_name;
        const passwd *user = getpwuid(geteuid());
        for (char **member = g->gr_mem; user != nullptr && member != nullptr && *member != nullptr;
             ++member)
            listed = listed || std::string_view(*member) == user->pw_name;
    }
    return accessAdviceFor(path, groupName, info.st_mode & 0777, listed);
}

} // namespace qv
