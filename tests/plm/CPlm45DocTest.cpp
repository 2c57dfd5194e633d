// An open .plm file: its refusals, find over the shown columns, the copied text and its limit,
// the printed labels, Save As and the column widths of the settings.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/IniFile.h"
#include "capture/CaptureTestSupport.h"
#include "plm/CPlm45Doc.h"

namespace qv {
namespace {

constexpr const char *kFile =
    "05,A01-1,80,76,20,250,3,3,2,12,35,36,4095,45,123,100,254,,,ok,,67,2,1,1,1-2,150\r\n"
    "05,A01-2,255,255,255,255,0,0,7,12,4095,36,4095,45,4095,255,255,?,,,,67,0,0,0,?,150\r\n"
    "05,B07-1,80,80,80,80,2,3,1,36,12,45,40,12,80,110,110,45,3-6,crossed,36/45,70,3,3,5,all,95\r\n";

class PlmDocument : public ::testing::Test {
protected:
    std::string write(const std::string &name, const std::string &text) {
        const std::string path = dir.file(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    bool open(const std::string &text) { return doc.Open(write("p05.plm", text)); }

    test::TempDir dir;
    RecordingUserMessages messages;
    CPlm45Doc doc{messages};
    PlmColumns columns;
};

TEST_F(PlmDocument, OpensTheLinesOfAProject) {
    ASSERT_TRUE(open(std::string(kFile) + "trailing text without a line end"));
    EXPECT_EQ(doc.lineCount(), 3);
    EXPECT_EQ(doc.projectNumber(), 5);
    EXPECT_EQ(doc.line(1).cells[kPlmPower1], "not meas.");
    EXPECT_EQ(doc.line(1).cells[kPlmWiresOpen], "not meas.");
    EXPECT_EQ(doc.line(2).cells[kPlmPairs], "none");
    EXPECT_EQ(doc.line(2).cells[kPlmCableType], "custom");
    EXPECT_TRUE(messages.entries().empty());
}

TEST_F(PlmDocument, RefusesWhatIsNoProjectFile) {
    const std::string lines = kFile;
    const std::string cut = lines.substr(0, lines.find("\r\n") - 4) + "\r\n";
    const std::string cases[] = {"",          "05,A01,80", lines + "not a line\r\n",
                                 cut + lines, "\r\n",      std::string(100, '\0')};
    for (const std::string &text : cases) {
        messages.clear();
        EXPECT_FALSE(open(text)) << text;
        EXPECT_EQ(messages.texts(), std::vector<std::string>{"Error: file format"}) << text;
    }
    messages.clear();
    EXPECT_FALSE(doc.Open(dir.file("missing.plm")));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Unable to open file !"});
    // A file of valid lines beyond the largest size says so.
    {
        const std::string line = std::string(kFile).substr(0, std::string(kFile).find('\n') + 1);
        std::ofstream big(dir.file("big.plm"), std::ios::binary);
        for (std::size_t size = 0; size <= CPlm45Doc::kLargestFile; size += line.size())
            big << line;
    }
    messages.clear();
    EXPECT_FALSE(doc.Open(dir.file("big.plm")));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{kMsgPlmTooLarge});
    // A refused file leaves the document as it was.
    ASSERT_TRUE(open(kFile));
    EXPECT_FALSE(doc.Open(write("bad.plm", "x\r\n")));
    EXPECT_EQ(doc.lineCount(), 3);
    EXPECT_EQ(doc.pathName(), dir.file("p05.plm"));
}

TEST_F(PlmDocument, FindWalksTheShownColumnsInEitherDirection) {
    ASSERT_TRUE(open(kFile));
    int line = -1, column = -1;
    const auto find = [&](const char *text, int from, int to, bool forward, int start,
                          bool matchCase = false) {
        const int found =
            doc.Find(text, from, to, forward, start, matchCase, columns, line, column);
        return found == 1 ? std::to_string(line) + ":" + std::to_string(column)
                          : std::to_string(found);
    };
    EXPECT_EQ(find("not meas.", 0, 2, true, 0), "0:18");
    EXPECT_EQ(find("not meas.", 0, 2, true, 19), "1:5");   // next one on from the hit
    EXPECT_EQ(find("not meas.", 2, 0, false, 25), "1:22"); // backward from the end
    EXPECT_EQ(find("not meas.", 1, 0, false, 4), "0:18");
    EXPECT_EQ(find("CROSSED", 0, 2, true, 0), "2:24");
    EXPECT_EQ(find("CROSSED", 0, 2, true, 0, true), "-1");
    EXPECT_EQ(find("hi-z", 0, 0, true, 0), "0:21");
    EXPECT_EQ(find("no such text", 0, 2, true, 0), "-1");
    // Hidden columns are passed over.
    columns.setShown(kPlmRxTerm, false);
    EXPECT_EQ(find("hi-z", 0, 2, true, 0), "-1");
    CPlm45Doc empty(messages);
    EXPECT_EQ(empty.Find("x", 0, 0, true, 0, false, columns, line, column), 0);
}

TEST_F(PlmDocument, CopiesTheShownColumnsOfTheSelectedRows) {
    ASSERT_TRUE(open(kFile));
    for (int c = kPlmPairs; c < kPlmColumnCount; ++c)
        columns.setShown(c, false);
    PlmCopy copy;
    ASSERT_TRUE(doc.Copy({2, 0}, columns, copy));
    EXPECT_EQ(copy.text, "B07-1\t70\t150\nA01-1\t67\t120\n");
    EXPECT_EQ(copy.rows, 2u);
    EXPECT_FALSE(copy.limited);
    EXPECT_TRUE(messages.entries().empty());
}

TEST_F(PlmDocument, ACopyOfTooManyRowsTakesTheFirstAndSaysSo) {
    std::string text;
    for (std::size_t i = 0; i < CPlm45Doc::kCopyLimit + 5; ++i)
        text += "01,L,0,0,0,0,0,0,0,,0,,0,,0,0,0,,,,,0,0,0,0,,0\r\n";
    ASSERT_TRUE(open(text));
    std::vector<int> rows(static_cast<std::size_t>(doc.lineCount()));
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = static_cast<int>(i);
    PlmCopy copy;
    ASSERT_TRUE(doc.Copy(rows, columns, copy));
    EXPECT_TRUE(copy.limited);
    EXPECT_EQ(copy.rows, CPlm45Doc::kCopyLimit);
    EXPECT_EQ(std::count(copy.text.begin(), copy.text.end(), '\n'),
              static_cast<long>(CPlm45Doc::kCopyLimit));
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{
                  "Too many frames are selected. Only the first 10000 frames are copied"});
}

TEST_F(PlmDocument, PrintsEachLineUnderItsHeadings) {
    ASSERT_TRUE(open(kFile));
    columns.setShown(kPlmOpenPair, false);
    columns.setShown(kPlmShortPair, false);
    columns.setShown(kPlmResistWire, false);
    const PrintDocument print = doc.Print({2}, columns);
    EXPECT_EQ(print.title, "PLM-45 project 05");
    ASSERT_EQ(print.blocks.size(), 1u);
    const std::vector<std::string> &lines = print.blocks[0].lines;
    ASSERT_EQ(lines.size(), 1u + 7u + 1u + 16u + 1u); // no measurement parameter is shown
    EXPECT_EQ(lines[0], "CONFIGURATION PARAMETERS");
    EXPECT_EQ(lines[1], "  Line number:                     B07-1");
    EXPECT_EQ(lines[3], "  Characteristic Impedance (ohms): 150");
    EXPECT_EQ(lines[8], "MEASUREMENT");
    EXPECT_EQ(lines[9], "  Power 1 value (V) S0 PS1:        40");
    EXPECT_EQ(lines[24], "  Split pairs:                     36/45");
    EXPECT_EQ(lines[25], "");
}

TEST_F(PlmDocument, SaveAsCopiesTheFileAndGoesOnWithTheCopy) {
    ASSERT_TRUE(open(kFile));
    const std::string target = dir.file("copy.plm");
    ASSERT_TRUE(doc.SaveAs(target));
    std::ifstream in(target, std::ios::binary);
    std::stringstream copied;
    copied << in.rdbuf();
    EXPECT_EQ(copied.str(), kFile);
    EXPECT_EQ(doc.pathName(), target);
    // Onto itself the file stays as it is.
    ASSERT_TRUE(doc.SaveAs(target));
    EXPECT_EQ(std::filesystem::file_size(target), std::string(kFile).size());
    EXPECT_FALSE(doc.SaveAs(dir.file("no-such-folder/x.plm")));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Problem while saving file!"});
}

TEST(PlmColumnWidths, StoredWidthsWithTheirRules) {
    IniFile ini;
    ini.parse("[Plm-45Fields]\nSize00=5\nSize01=0\nSize02=1000\nSize03=-4\nSize04=77\n");
    PlmColumns columns;
    columns.load(ini);
    EXPECT_EQ(columns.width(0), 20); // never narrower than 20 pixels
    EXPECT_EQ(columns.width(1), 0);  // hidden
    EXPECT_EQ(columns.width(2), 90); // out of range: the default
    EXPECT_EQ(columns.width(3), 90);
    EXPECT_EQ(columns.width(4), 77);
    EXPECT_EQ(columns.width(19), 150); // absent: 15 characters × 10
    columns.setShown(1, true);
    columns.setShown(0, false);
    EXPECT_EQ(columns.width(1), 80);
    EXPECT_EQ(columns.width(0), 20);
    IniFile out;
    columns.save(out);
    EXPECT_EQ(out.readInt("Plm-45Fields", "Size04", -1), 77);
    EXPECT_EQ(out.keys("Plm-45Fields").size(), 26u);
    EXPECT_EQ(std::string(PlmColumns::title(23)), "Short ");
}

} // namespace
} // namespace qv
