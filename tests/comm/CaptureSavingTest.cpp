// The numbered names offered for a finished capture, and its move to the name chosen.
#include "comm/CaptureSaving.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace qv;

namespace {

void touch(const std::string &path, const std::string &text = "x") {
    std::ofstream(path, std::ios::binary) << text;
}

std::string contents(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

TEST(CaptureSaving, TheNextFreeNumberWithTwoThreeOrFourDigits) {
    test::TempDir dir;
    EXPECT_EQ(nextCaptureName(dir.path()), "r00.lvt");
    touch(dir.file("r00.lvt"));
    touch(dir.file("r02.lvt"));
    EXPECT_EQ(nextCaptureName(dir.path()), "r01.lvt");
    for (int n = 0; n < 100; ++n)
        touch(dir.file((n < 10 ? "r0" : "r") + std::to_string(n) + ".lvt"));
    EXPECT_EQ(nextCaptureName(dir.path()), "r100.lvt");
    for (int n = 100; n < 1000; ++n)
        touch(dir.file("r" + std::to_string(n) + ".lvt"));
    EXPECT_EQ(nextCaptureName(dir.path()), "r1000.lvt");
    for (int n = 1000; n < 10000; ++n)
        touch(dir.file("r" + std::to_string(n) + ".lvt"));
    EXPECT_EQ(nextCaptureName(dir.path()), "r10000.lvt");
}

TEST(CaptureSaving, TheCaptureMovesToTheNameChosen) {
    test::TempDir dir;
    touch(dir.file("rtcapt.lvt"), "frames");
    touch(dir.file("r05.lvt"), "older");
    std::string error;
    ASSERT_TRUE(saveCaptureAs(dir.file("rtcapt.lvt"), dir.file("r05.lvt"), error)) << error;
    EXPECT_EQ(contents(dir.file("r05.lvt")), "frames");
    EXPECT_FALSE(std::filesystem::exists(dir.file("rtcapt.lvt")));

    // A folder that cannot take it: the capture stays, nothing half-written is left.
    touch(dir.file("rtcapt.lvt"), "more frames");
    EXPECT_FALSE(saveCaptureAs(dir.file("rtcapt.lvt"), dir.file("no-such/r00.lvt"), error));
    EXPECT_NE(error.find("no-such/r00.lvt"), std::string::npos) << error;
    EXPECT_EQ(contents(dir.file("rtcapt.lvt")), "more frames");
}

// A capture written on another file system than the folder chosen is copied, then removed.
TEST(CaptureSaving, AcrossFileSystemsTheCaptureIsCopiedWhole) {
    const std::string shm = "/dev/shm/qv-capture-" + std::to_string(::getpid()) + ".lvt";
    std::ofstream probe(shm, std::ios::binary);
    if (!probe)
        GTEST_SKIP() << "no /dev/shm here";
    std::string frames(100000, '\0');
    for (std::size_t i = 0; i < frames.size(); ++i)
        frames[i] = static_cast<char>(i * 31);
    probe << frames;
    probe.close();
    test::TempDir dir;
    std::string error;
    ASSERT_TRUE(saveCaptureAs(shm, dir.file("r00.lvt"), error)) << error;
    EXPECT_EQ(contents(dir.file("r00.lvt")), frames);
    EXPECT_FALSE(std::filesystem::exists(shm));
    EXPECT_FALSE(std::filesystem::exists(dir.file("r00.lvt.part")));
}
