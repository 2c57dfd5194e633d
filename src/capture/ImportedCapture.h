#pragma once
// A capture of another tool (pcap, pcapng, I4B, EyeSDN) opened for viewing: imported into a
// read-only real-time capture in the system's temporary folder, which goes when the object goes.
#include <memory>
#include <string>

namespace qv {

class ImportedCapture {
public:
    // Imports in; null (with the reason in error) when it cannot be imported. No file is left
    // behind then.
    static std::unique_ptr<ImportedCapture> import(const std::string &in, std::string &error);
    ~ImportedCapture();
    ImportedCapture(const ImportedCapture &) = delete;
    ImportedCapture &operator=(const ImportedCapture &) = delete;

    // The real-time capture made of it.
    const std::string &path() const { return path_; }

private:
    explicit ImportedCapture(std::string path) : path_(std::move(path)) {}

    std::string path_;
};

} // namespace qv
