// Writing notes into the three kinds of capture file: a write that fails at any byte leaves the
// file exactly as it was, and no write ever changes a record.
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>

#include "base/ByteOrder.h"
#include "capture/CaptureTestSupport.h"
#include "capture/Dru70Decode.h"
#include "capture/Dru70Writer.h"

namespace qv::test {
namespace {

const std::string kOriginal = "ORIGINAL NOTE kept by the user";

// While it lives, no file of this process grows beyond limit bytes: a write past it fails with
// EFBIG at that very byte, the way a full file system fails it.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t limit) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = saved_;
        lower.rlim_cur = static_cast<rlim_t>(limit);
        ::setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit saved_{};
    void (*previous_)(int) = SIG_DFL;
};

// One kind of file: how to write it with the original note, and how to set and read notes.
struct Kind {
    const char *name;
    std::function<std::string(const TempDir &)> make;
    // Sets the text; answers success and the error given on failure.
    std::function<bool(const std::string &path, const std::string &text, int &error)> set;
    std::function<std::string(const std::string &path)> read;
};

bool setCapture(const std::string &path, const std::string &text, int &error) {
    OpenedCapture f(path);
    const bool ok = f.reader->setNotes(text);
    error = f.reader->writeError();
    return ok;
}

std::string readCapture(const std::string &path) {
    return OpenedCapture(path).reader->notes(false);
}

std::string writeDru(const std::string &path, std::uint32_t events, const std::string &note) {
    Dru70FileDescription d;
    d.serialNumber = "D7001";
    d.groupSize = 4;
    Dru70FileWriter w;
    w.create(path, d);
    for (std::uint32_t n = 0; n < events; ++n)
        w.append({static_cast<std::uint8_t>(1 + n % 32), 0, 3, 0, 1773307800 + n});
    w.close(note);
    return path;
}

std::vector<Kind> kinds() {
    return {
        {"stored",
         [](const TempDir &dir) {
             StoredFileDescription d = lvt30Description();
             d.notes = kOriginal;
             return writeStored(dir.file("s.lvt"), 300, d);
         },
         setCapture, readCapture},
        {"real-time",
         [](const TempDir &dir) { return writeRealTime(dir.file("r.lvt"), 1300, kOriginal); },
         setCapture, readCapture},
        {"real-time without notes",
         [](const TempDir &dir) { return writeRealTime(dir.file("n.lvt"), 1300); }, setCapture,
         readCapture},
        {"DRU-70", [](const TempDir &dir) { return writeDru(dir.file("d.dru"), 11, kOriginal); },
         [](const std::string &path, const std::string &text, int &error) {
             RecordingUserMessages messages;
             CDru70Decode reader(messages, path);
             reader.Position(0);
             const bool ok = reader.WriteNote(text);
             error = reader.WriteError();
             return ok;
         },
         [](const std::string &path) {
             RecordingUserMessages messages;
             CDru70Decode reader(messages, path);
             reader.Position(0);
             return reader.ReadNote(false);
         }},
    };
}

TEST(NotesWriteTest, AFailureAtAnyByteLeavesTheFileAsItWas) {
    const std::string longer(2000, 'n');
    for (const Kind &kind : kinds()) {
        TempDir dir;
        const std::string path = kind.make(dir);
        const std::string expectedBefore = kind.read(path);
        const std::vector<std::uint8_t> before = readFile(path);

        // Where the new note would end: learnt from a copy.
        const std::string copy = dir.file("copy");
        writeFile(copy, before);
        int error = 0;
        ASSERT_TRUE(kind.set(copy, longer, error)) << kind.name;
        const std::uint64_t after = readFile(copy).size();
        ASSERT_GT(after, before.size()) << kind.name;

        for (std::uint64_t limit : {std::uint64_t(before.size()), before.size() + 1,
                                    before.size() + 13, (before.size() + after) / 2, after - 1}) {
            bool ok = true;
            {
                FileSizeLimit full(limit);
                ok = kind.set(path, longer, error);
            }
            EXPECT_FALSE(ok) << kind.name << " at " << limit;
            EXPECT_EQ(error, EFBIG) << kind.name << " at " << limit;
            EXPECT_EQ(readFile(path), before) << kind.name << " at " << limit;
            EXPECT_EQ(kind.read(path), expectedBefore) << kind.name;
        }
        ASSERT_TRUE(kind.set(path, longer, error)) << kind.name;
        EXPECT_EQ(kind.read(path), longer) << kind.name;
        EXPECT_EQ(readFile(path).size(), after) << kind.name;
    }
}

TEST(NotesWriteTest, TheFileKeepsItsModeAndLinks) {
    for (const Kind &kind : kinds()) {
        TempDir dir;
        const std::string path = kind.make(dir);
        const std::string link = dir.file("link");
        ASSERT_EQ(::link(path.c_str(), link.c_str()), 0);
        ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
        struct stat before {};
        ::stat(path.c_str(), &before);
        int error = 0;
        ASSERT_TRUE(kind.set(path, std::string(1500, 'm'), error)) << kind.name;
        struct stat after {};
        ::stat(path.c_str(), &after);
        EXPECT_EQ(after.st_ino, before.st_ino) << kind.name;
        EXPECT_EQ(after.st_nlink, 2u) << kind.name;
        EXPECT_EQ(after.st_mode & 07777, 0640u) << kind.name;
        EXPECT_EQ(kind.read(link), std::string(1500, 'm')) << kind.name;
    }
}

// Every record of the capture, as read.
std::vector<LvtRecord> recordsOf(const std::string &path) {
    OpenedCapture f(path);
    std::vector<LvtRecord> records;
    for (std::uint32_t n = 0; n < f.reader->recordCount(); ++n) {
        EXPECT_EQ(f.reader->goTo(n), kGoToOk) << n;
        records.push_back(f.reader->recordBuffer());
    }
    return records;
}

bool sameRecords(const std::vector<LvtRecord> &a, const std::vector<LvtRecord> &b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].dataLength != b[i].dataLength || a[i].data != b[i].data ||
            a[i].timeLow != b[i].timeLow || a[i].timeHigh != b[i].timeHigh)
            return false;
    return true;
}

// A real-time capture of 1500 records interrupted during its second group: that group's size is
// not written yet, and nothing follows its records.
std::vector<std::uint8_t> interruptedCapture(const TempDir &dir) {
    std::vector<std::uint8_t> bytes = readFile(writeRealTime(dir.file("full.lvt"), 1500));
    const std::size_t second = 202 + 8 + readU32(bytes.data() + 206);
    writeU32(bytes.data() + second + 4, 0);
    bytes.resize(bytes.size() - 8);
    return bytes;
}

TEST(NotesWriteTest, AnInterruptedCaptureKeepsItsLastRecordAndGainsNone) {
    TempDir dir;
    const std::vector<std::uint8_t> open = interruptedCapture(dir);
    const std::string path = dir.file("rt.lvt");
    writeFile(path, open);
    const std::vector<LvtRecord> whole = recordsOf(path);
    ASSERT_EQ(whole.size(), 1500u) << "the record that ends the file is a record";
    {
        OpenedCapture f(path);
        ASSERT_EQ(f.reader->goTo(1499), kGoToOk);
        expectRecord(*f.reader, 1499);
    }

    // The last record cut short: the notes go behind it and the capture still ends before it.
    std::vector<std::uint8_t> torn(open.begin(), open.end() - 7);
    writeFile(path, torn);
    const std::vector<LvtRecord> before = recordsOf(path);
    ASSERT_EQ(before.size(), 1499u);
    EXPECT_TRUE(OpenedCapture(path).messages.entries().empty())
        << "a record cut short is no damage";
    int error = 0;
    for (const std::string &text : {std::string("SAFETY first"), std::string(900, 's')}) {
        ASSERT_TRUE(setCapture(path, text, error));
        EXPECT_EQ(readCapture(path), text);
        EXPECT_TRUE(sameRecords(recordsOf(path), before)) << text.size();
    }
}

TEST(NotesWriteTest, ANotesOffsetIntoTheRecordsHidesNoneAndASetChangesNone) {
    TempDir dir;
    const std::string path = dir.file("rt.lvt");
    std::vector<std::uint8_t> bytes = interruptedCapture(dir);
    writeU32(bytes.data() + 26 + 168, 400); // a damaged offset: inside the first records
    writeFile(path, bytes);
    const std::vector<LvtRecord> before = recordsOf(path);
    ASSERT_EQ(before.size(), 1500u);
    int error = 0;
    ASSERT_TRUE(setCapture(path, "after the records", error));
    EXPECT_EQ(readCapture(path), "after the records");
    EXPECT_TRUE(sameRecords(recordsOf(path), before));
}

// The file offset of record n of a real-time capture with the standard information block and
// groups of 1000.
std::size_t recordOffset(const std::vector<std::uint8_t> &bytes, std::uint32_t n) {
    std::size_t at = 210;
    for (std::uint32_t k = 0; k < n; ++k) {
        at += readU16(bytes.data() + at + 1) + 5u;
        if ((k + 1) % 1000 == 0)
            at += 8;
    }
    return at;
}

TEST(NotesWriteTest, BytesThatPassForAnEntryAmongTheRecordsHideNoneAndAreNotWrittenOver) {
    // The notes offset points into a record of the open group, where the record's octets read
    // like the start of a notes block: a reader that took it for the entry would end the
    // records there, and a set would write the new note over them.
    TempDir dir;
    std::vector<std::uint8_t> bytes = interruptedCapture(dir);
    std::uint32_t n = 1400;
    while (n < 1499 && readU16(bytes.data() + recordOffset(bytes, n) + 11) < 4)
        ++n;
    const std::size_t record = recordOffset(bytes, n);
    ASSERT_EQ(bytes[record], 1);
    ASSERT_GE(readU16(bytes.data() + record + 11), 4);
    const std::uint8_t lookalike[] = {3, 16, 0, 0};
    std::copy(std::begin(lookalike), std::end(lookalike), bytes.begin() + record + 13);
    writeU32(bytes.data() + 26 + 168, static_cast<std::uint32_t>(record + 1 - 202));
    const std::string path = dir.file("rt.lvt");
    writeFile(path, bytes);
    const std::vector<LvtRecord> before = recordsOf(path);
    ASSERT_EQ(before.size(), 1500u);

    int error = 0;
    ASSERT_TRUE(setCapture(path, "short", error));
    EXPECT_EQ(readCapture(path), "short");
    EXPECT_TRUE(sameRecords(recordsOf(path), before));
    const std::vector<std::uint8_t> after = readFile(path);
    EXPECT_TRUE(std::equal(bytes.begin() + 202, bytes.end(), after.begin() + 202));

    // A whole entry there does end the records; a longer note cannot move it without showing
    // the records behind it, so it is refused and the file kept. One that fits takes its place.
    const std::vector<std::uint8_t> hiding = notesEntry("hide");
    std::copy(hiding.begin(), hiding.end(), bytes.begin() + record);
    writeU32(bytes.data() + 26 + 168, static_cast<std::uint32_t>(record - 202));
    writeFile(path, bytes);
    const std::vector<LvtRecord> shown = recordsOf(path);
    ASSERT_EQ(shown.size(), n);
    EXPECT_FALSE(setCapture(path, std::string(100, 'L'), error));
    EXPECT_EQ(readFile(path), bytes);
    ASSERT_TRUE(setCapture(path, "fit", error));
    EXPECT_EQ(readCapture(path), "fit");
    EXPECT_TRUE(sameRecords(recordsOf(path), shown));
}

TEST(NotesWriteTest, TheNotesOffsetFollowsTheInformationBlockSize) {
    // An information block of 184 bytes: the entry lies at the offset plus 184 + 26.
    TempDir dir;
    std::vector<std::uint8_t> bytes = readFile(writeRealTime(dir.file("176.lvt"), 20));
    bytes.insert(bytes.begin() + 202, 8, 0);
    writeU16(bytes.data() + 24, 184);
    const std::string path = dir.file("184.lvt");
    writeFile(path, bytes);
    const std::vector<LvtRecord> before = recordsOf(path);
    ASSERT_EQ(before.size(), 20u);
    int error = 0;
    ASSERT_TRUE(setCapture(path, "read back", error));
    EXPECT_EQ(readCapture(path), "read back");
    EXPECT_EQ(readU32(readFile(path).data() + 26 + 168), bytes.size() - 184 - 26);
    EXPECT_TRUE(sameRecords(recordsOf(path), before));

    // One too short to hold the offset refuses, and writes nothing.
    writeU16(bytes.data() + 24, 160);
    writeFile(path, bytes);
    EXPECT_FALSE(setCapture(path, "nowhere", error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(readFile(path), bytes);

    // One that ends the file: no records follow it, so no entry can either (an offset of 0
    // would read as no notes).
    bytes.resize(26 + 256);
    writeU16(bytes.data() + 24, 256);
    writeFile(path, bytes);
    EXPECT_FALSE(setCapture(path, "beyond the end", error));
    EXPECT_EQ(readFile(path), bytes);
}

TEST(NotesWriteTest, ALongerNoteNeverWritesOverWhatFollowsTheOldOne) {
    // A notes entry that other data follows: the longer note goes to the end instead.
    TempDir dir;
    const std::string path = writeRealTime(dir.file("rt.lvt"), 30, "old");
    std::vector<std::uint8_t> bytes = readFile(path);
    const std::vector<std::uint8_t> tail(40, 0xAB);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    writeFile(path, bytes);
    int error = 0;
    ASSERT_TRUE(setCapture(path, std::string(100, 'L'), error));
    const std::vector<std::uint8_t> after = readFile(path);
    EXPECT_TRUE(std::equal(bytes.begin() + 210, bytes.end(), after.begin() + 210));
    EXPECT_EQ(readCapture(path), std::string(100, 'L'));
}

} // namespace
} // namespace qv::test
