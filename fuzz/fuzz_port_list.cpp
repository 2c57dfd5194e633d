// Builds a fake /sys and /dev tree from arbitrary bytes (files with any content, folders and
// symbolic links, loops and links out of the tree included) and lists its ports: the reader must
// neither fail nor hang, and what it lists must be sane.
#include "ScratchFolder.h"
#include "comm/PortList.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

// Paths from a small alphabet, so that inputs meet: the kernel's own names among them.
const char *const kNames[] = {
    "sys",    "class", "tty",      "ttyS0",     "ttyUSB0", "ttyACM0",      "tty1",   "device",
    "driver", "type",  "idVendor", "idProduct", "product", "manufacturer", "serial", "devices",
    "dev",    "by-id", "usb1",     "1-2",       "1-2:1.0", "..",           "port",   "ctrl"};
constexpr std::size_t kNameCount = std::size(kNames);

std::string pathFrom(const std::uint8_t *&at, const std::uint8_t *end, bool allowUp) {
    std::string path;
    const std::size_t parts = at < end ? (*at++ % 6) + 1 : 1;
    for (std::size_t i = 0; i < parts && at < end; ++i) {
        std::string name = kNames[*at++ % kNameCount];
        if (name == ".." && !allowUp)
            name = "up";
        path += (path.empty() ? "" : "/") + name;
    }
    return path.empty() ? "x" : path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const fs::path root = qv::fuzz::scratchFolder() / "ports";
    std::error_code ignored;
    fs::remove_all(root, ignored);
    fs::create_directories(root / "sys/class/tty", ignored);
    const std::uint8_t *at = data;
    const std::uint8_t *end = data + size;
    for (int entries = 0; at < end && entries < 48; ++entries) {
        const std::uint8_t kind = *at++ % 3;
        const fs::path path = root / pathFrom(at, end, false);
        fs::create_directories(path.parent_path(), ignored);
        if (kind == 0) {
            std::size_t length = 0;
            if (at < end) {
                const std::size_t wanted = *at++;
                length = std::min<std::size_t>(wanted, static_cast<std::size_t>(end - at));
            }
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char *>(at), static_cast<std::streamsize>(length));
            at += length;
        } else if (kind == 1) {
            fs::create_directories(path, ignored);
        } else {
            fs::create_symlink(pathFrom(at, end, true), path, ignored);
        }
    }
    const std::vector<qv::PortInfo> ports =
        qv::listPorts({(root / "sys").string(), (root / "dev").string(), false});
    for (std::size_t i = 0; i < ports.size(); ++i) {
        const qv::PortInfo &port = ports[i];
        if (port.device != "/dev/" + port.name || (i > 0 && ports[i - 1].name > port.name))
            std::abort();
        for (const std::string *text : {&port.driver, &port.vendorId, &port.productId,
                                        &port.manufacturer, &port.product, &port.serialNumber})
            for (const char c : *text)
                if (static_cast<unsigned char>(c) < 0x20 || text->size() > 256)
                    std::abort();
        if (port.description().empty())
            std::abort();
    }
    return 0;
}
