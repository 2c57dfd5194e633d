// The command line as a whole: the help of every command, the exit statuses, the formats of
// every listing read back by a CSV and a JSON reader, and the detail of a SETUP as a tree and
// as a JSON document.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <regex>
#include <sstream>

#include "cli/CliSupport.h"

namespace {

using qv::test::cli;
using qv::test::CliRun;
using qv::test::lines;
using Rows = std::vector<std::vector<std::string>>;

const std::string kSamples = std::string(QUORVANE_SOURCE_DIR) + "/data/samples/";

// The commands the program's help lists, with "filter" as its four subcommands.
std::vector<std::string> listedCommands() {
    const CliRun help = cli("--help");
    std::vector<std::string> commands;
    const std::regex entry("^  ([a-z0-9]+)  +[A-Z].*");
    std::smatch m;
    for (const std::string &line : lines(help.out))
        if (std::regex_match(line, m, entry)) {
            if (m[1] == "filter")
                for (const char *sub : {"list", "save", "load", "delete"})
                    commands.push_back(std::string("filter ") + sub);
            else
                commands.push_back(m[1]);
        }
    return commands;
}

TEST(CommandLine, EveryCommandHasItsHelp) {
    const CliRun help = cli("--help");
    EXPECT_EQ(help.code, 0);
    for (const char *group : {"\nFiles:\n", "\nAnalysis:\n", "\nExchange with Wireshark:\n",
                              "\nInstruments:\n", "\nDevelopment:\n"})
        EXPECT_NE(help.out.find(group), std::string::npos) << group;
    const std::vector<std::string> commands = listedCommands();
    EXPECT_EQ(commands.size(), 25u) << help.out;
    for (const std::string &command : commands) {
        const CliRun r = cli(command + " --help");
        EXPECT_EQ(r.code, 0) << command;
        EXPECT_NE(r.out.find("Usage: quorvane-cli " + command + " [OPTIONS]"), std::string::npos)
            << r.out;
    }
    const CliRun version = cli("--version");
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, std::string("quorvane-cli ") + QUORVANE_VERSION + "\n");
}

TEST(CommandLine, ExitStatusesAndOneLineForAWrongUse) {
    EXPECT_EQ(cli("summary " + kSamples + "calls.lvt --columns 0").code, 0);
    const CliRun missing = cli("summary " + kSamples + "no-such.lvt");
    EXPECT_EQ(missing.code, 1) << missing.out;
    for (const char *wrong :
         {"", "summarise x.lvt", "summary", "summary x.lvt --format xml",
          "summary x.lvt --sapi 64 --sapi", "detail x.lvt --frame 3-2",
          "find x.lvt --text a --cause 16", "records x.lvt --first 0", "calls x.lvt --colour"}) {
        const CliRun r = cli(wrong);
        EXPECT_EQ(r.code, 2) << wrong;
        EXPECT_EQ(lines(r.out).size(), 1u) << wrong << "\n" << r.out;
    }
}

// RFC 4180: fields separated by commas, quoted when they hold a comma, a quote or a line break,
// a quote inside written twice.
Rows readCsv(const std::string &text) {
    Rows rows(1);
    std::string field;
    bool quoted = false, fieldStarted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"' && !fieldStarted) {
            quoted = fieldStarted = true;
        } else if (c == ',') {
            rows.back().push_back(field);
            field.clear();
            fieldStarted = false;
        } else if (c == '\n') {
            rows.back().push_back(field);
            field.clear();
            fieldStarted = false;
            rows.emplace_back();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    rows.pop_back(); // after the last line break
    return rows;
}

// A JSON array of objects, or JSON lines, as the title row and the rows.
Rows readJson(const std::vector<nlohmann::ordered_json> &objects) {
    Rows rows;
    for (const nlohmann::ordered_json &o : objects) {
        EXPECT_TRUE(o.is_object());
        if (rows.empty()) {
            rows.emplace_back();
            for (const auto &[key, value] : o.items())
                rows.back().push_back(key);
        }
        rows.emplace_back();
        for (const auto &[key, value] : o.items())
            rows.back().push_back(value.get<std::string>());
    }
    return rows;
}

// The table of the text output: from the title row on, tab-separated.
Rows readText(const std::string &text, const std::vector<std::string> &titles) {
    Rows rows;
    for (const std::string &line : lines(text)) {
        std::vector<std::string> cells;
        std::size_t at = 0;
        for (std::size_t tab; (tab = line.find('\t', at)) != std::string::npos; at = tab + 1)
            cells.push_back(line.substr(at, tab - at));
        cells.push_back(line.substr(at));
        if (rows.empty() && cells != titles)
            continue; // a heading before the table
        if (!rows.empty() && cells.size() != titles.size())
            break; // a count after it
        rows.push_back(cells);
    }
    return rows;
}

class ListingFormats : public qv::test::CliHome {};

TEST_F(ListingFormats, EveryFormatHoldsTheSameRowsAndColumns) {
    ASSERT_EQ(cli("generate --scenario dru70 --frames 60 -o " + file("r.dru")).code, 0);
    ASSERT_EQ(cli("generate --scenario plm --lines 12 -o " + file("p.plm")).code, 0);
    const std::vector<std::string> listings = {
        "summary " + kSamples + "calls.lvt",
        "summary " + kSamples + "x25.lvt --columns all --long",
        "summary " + kSamples + "v5.lvt --v5 --columns all",
        "records " + kSamples + "errors.lvt",
        "calls " + kSamples + "calls.lvt",
        "calls " + kSamples + "x25.lvt",
        "expert " + kSamples + "errors.lvt",
        "stats " + kSamples + "calls.lvt",
        "dru " + file("r.dru") + " --columns all --long",
        "plm " + file("p.plm") + " --columns all",
    };
    for (const std::string &listing : listings) {
        SCOPED_TRACE(listing);
        const std::string command = listing + (listing.rfind("records", 0) == 0 ? "" : home());
        const CliRun csv = cli(command + " --format csv");
        ASSERT_EQ(csv.code, 0) << csv.out;
        const Rows table = readCsv(csv.out);
        ASSERT_GT(table.size(), 1u) << csv.out;
        for (const auto &row : table)
            ASSERT_EQ(row.size(), table[0].size());

        const CliRun json = cli(command + " --format json");
        ASSERT_EQ(json.code, 0);
        const nlohmann::ordered_json array = nlohmann::ordered_json::parse(json.out);
        ASSERT_TRUE(array.is_array());
        EXPECT_EQ(readJson(array.get<std::vector<nlohmann::ordered_json>>()), table);

        const CliRun jsonl = cli(command + " --format jsonl");
        std::vector<nlohmann::ordered_json> objects;
        for (const std::string &line : lines(jsonl.out))
            objects.push_back(nlohmann::ordered_json::parse(line));
        EXPECT_EQ(readJson(objects), table);

        const CliRun text = cli(command);
        if (listing.rfind("stats", 0) != 0) // text statistics are tables of their own
            EXPECT_EQ(readText(text.out, table[0]), table);
    }
}

class SetupDetail : public ::testing::Test {
protected:
    // The detail of frame 13 of calls.lvt, a SETUP with sending complete, bearer capability,
    // channel identification, calling and called party number.
    static CliRun detail(const std::string &format) {
        return cli("detail " + kSamples + "calls.lvt --frame 13 --format " + format);
    }
};

TEST_F(SetupDetail, TheTreeAndTheDocumentHoldEveryElementWithItsFields) {
    // The decoder's lines: each element and its fields (label, value).
    struct Element {
        std::string name;
        std::vector<std::pair<std::string, std::string>> fields;
    };
    std::vector<Element> elements;
    const std::vector<std::string> raw = lines(detail("lines").out);
    auto text = [](const std::string &line) {
        std::string t = line.substr(2);
        while (!t.empty() && (t.back() == ' ' || t.back() == ':'))
            t.pop_back();
        return t;
    };
    for (std::size_t i = 0; i + 1 < raw.size(); ++i) {
        if (raw[i].rfind("3\tInformation Element Identifier", 0) == 0)
            elements.push_back({text(raw[i + 1]), {}});
        else if (!elements.empty() && (raw[i][0] == '5' || raw[i].rfind("3\tInformation", 0) == 0))
            elements.back().fields.emplace_back(text(raw[i]), text(raw[i + 1]));
    }
    ASSERT_EQ(elements.size(), 5u);

    const std::string tree = detail("tree").out;
    const nlohmann::ordered_json document = nlohmann::ordered_json::parse(detail("json").out);
    ASSERT_EQ(document.size(), 1u);
    EXPECT_EQ(document[0]["frame"], 13);
    const nlohmann::ordered_json *layer3 = nullptr;
    for (const auto &node : document[0]["nodes"])
        if (node.value("heading", "") == "ISDN LAYER 3")
            layer3 = &node;
    ASSERT_NE(layer3, nullptr) << document.dump(1);
    for (const Element &e : elements) {
        SCOPED_TRACE(e.name);
        // The tree: the element by its name under ISDN LAYER 3, its fields under it.
        std::string block = "\n  " + e.name + "\n";
        for (const auto &[label, value] : e.fields)
            if (label != "Information Element Identifier (Single Byte)")
                block += "    " +
                         (label == "Information Element Length" ? std::string("Length") : label) +
                         ": " + value + "\n";
        EXPECT_NE(tree.find(block), std::string::npos) << tree;
        // The document: the element's node, with the octets of each field inside the frame.
        const nlohmann::ordered_json *node = nullptr;
        for (const auto &n : (*layer3)["nodes"])
            if (n.value("value", "") == e.name)
                node = &n;
        ASSERT_NE(node, nullptr);
        EXPECT_EQ((*node)["field"].get<std::string>().rfind("Information Element Identifier", 0),
                  0u);
        std::vector<std::pair<std::string, std::string>> fields;
        for (const auto &f : node->value("nodes", nlohmann::ordered_json::array())) {
            fields.emplace_back(f["field"], f["value"]);
            EXPECT_GE(f["offset"].get<int>(), 4) << "after the layer-2 octets";
            EXPECT_LT(f["offset"].get<int>(), 60);
            EXPECT_GE(f["bytes"].get<int>(), 1);
        }
        EXPECT_EQ(fields, e.fields);
    }
}

} // namespace
