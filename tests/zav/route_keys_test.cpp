// Index and configuration record layouts, and the words that become index keys.
#include "zav/route_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "support/fake_frontend.h"
#include "support/temp_dir.h"
#include "zav/zav.h"
#include "zav/zav_json.h"

namespace zav {
namespace {

using V = std::vector<std::string>;

const std::unordered_set<std::string> kOwnerTokens{"CO", "INC", "OF", "THE", "LLP", "LLC", "AND"};
const std::unordered_set<std::string> kAddressTokens{"RD", "ST", "LN", "CT", "BLVD", "CIR", "AVE"};

TEST(IndexWords, KeysFromNamesAndAddresses) {
    const struct {
        const char* text;
        const std::unordered_set<std::string>* tokens;
        V expected;
    } cases[] = {
        {"THE SMITH CO.", &kOwnerTokens, {"SMITH"}},
        {"O'NEIL INC", &kOwnerTokens, {"NEIL"}},
        {"the smith co", &kOwnerTokens, {"SMITH"}},
        {"1234 21ST AVE NW", &kAddressTokens, {"21ST", "NW"}},
        {"4TH ST", &kAddressTokens, {}},
        {"2ND 3RD 22ND 5", &kAddressTokens, {"2ND", "3RD", "22ND"}},
        {"  MAIN---ST.  #12B ", &kAddressTokens, {"MAIN"}},
        {"", &kAddressTokens, {}},
        {"A B C", &kAddressTokens, {}},
        {"caf\xe9 BAR", &kAddressTokens, {"CAF", "BAR"}},  // only A-Z and 0-9 are word characters
    };
    for (const auto& c : cases) EXPECT_EQ(IndexWords(c.text, *c.tokens), c.expected) << c.text;
}

// Writes records through `write`, then returns the raw bytes of every record after the first.
template <typename Write>
V RecordsWritten(const test::TempDir& dir, Write write) {
    const auto file = dir / "route.pdb";
    {
        clsZAV db;
        db.SetVersion(3);
        EXPECT_EQ(db.CreateZAV(file, 1, 10), 0);
        write(db);
        db.CloseZAV();
    }
    clsZAV db;
    EXPECT_FALSE(db.OpenZAV(file));
    V records;
    while (db.ReadData()) records.push_back(db.RawData());
    return records;
}

std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s.push_back(static_cast<char>(b));
    return s;
}

TEST(IndexRecord, GroupsSortedKeysWithTheirPositions) {
    test::TempDir dir;
    const V records = RecordsWritten(dir, [](clsZAV& db) {
        clsIndex index;
        index.RouteIndex = 3;
        index.IndexType = kIndexTag;
        index.Insert("B", 0);
        index.Insert("A", 1);
        index.Insert("B", 2);
        index.WriteRecord(db);
        index.WriteRecord(db);  // emptied: writes nothing
        db.AddIndexRecord(1, 0, 1, {"AB"}, {7});
    });
    ASSERT_EQ(records.size(), 2u);
    // 6 | route 3 | type 2 | group A: next=12, "A",0, pos 1 | group B: next=FFFF, "B",0, pos 0, 2
    EXPECT_EQ(records[0], Bytes({0, 6, 0, 3, 0, 2, 0, 12, 'A', 0, 0, 1, 0xFF, 0xFF, 'B', 0, 0, 0, 0, 2}));
    // The AB group of one position: 2 + 3 + 1 padding + 2 = 8 bytes.
    EXPECT_EQ(records[1], Bytes({0, 6, 0, 1, 0, 0, 0xFF, 0xFF, 'A', 'B', 0, 0, 0, 7}));
}

TEST(IndexRecord, EqualKeysKeepCollectionOrderAndSortingIsByCharacterCode) {
    test::TempDir dir;
    const V records = RecordsWritten(dir, [](clsZAV& db) {
        clsIndex index;
        for (std::int16_t i = 0; i < 6; ++i) index.Insert(i % 2 ? "b" : "\xe9", i);  // 0xE9 sorts after 'b'
        index.Insert("B", 9);
        index.WriteRecord(db);
    });
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].substr(6), Bytes({0, 12, 'B', 0, 0, 9,                       //
                                           0, 22, 'b', 0, 0, 1, 0, 3, 0, 5,            //
                                           0xFF, 0xFF, 0xE9, 0, 0, 0, 0, 2, 0, 4}));
}

// Keys that share their first eight bytes are ordered by the rest (a key that ends there first, then
// by the following bytes), equal ones in collection order; tokens of eight characters and more are
// left out like short ones.
TEST(IndexRecord, KeysSharingTheirFirstEightBytesAreOrderedWhole) {
    test::TempDir dir;
    const V records = RecordsWritten(dir, [](clsZAV& db) {
        clsIndex index;
        const std::string_view keys[] = {"ABCDEFGHZ", "ABCDEFGHA", "ABCDEFGH",   "ABCDEFGHA", "AB",
                                         {"AB\0", 3}, "ABCDEFGHAA", "A",          {"AB\0", 3}};
        std::int16_t position = 0;
        for (const std::string_view key : keys) index.Insert(key, position++);
        index.WriteRecord(db);
    });
    ASSERT_EQ(records.size(), 1u);
    // Groups: A(7) | AB(4, 5: the zero byte of "AB\0" is dropped from the stored key, but it sorts after
    // "AB") | AB(8) | ABCDEFGH(2) | ABCDEFGHA(1, 3) | ABCDEFGHAA(6) | ABCDEFGHZ(0).
    std::vector<std::pair<std::string, std::vector<int>>> groups;
    const std::string& r = records[0];
    std::size_t at = 6;
    while (at < r.size()) {
        const std::size_t next = static_cast<unsigned char>(r[at]) << 8 | static_cast<unsigned char>(r[at + 1]);
        const std::size_t end = next == 0xFFFF ? r.size() : next;
        const std::string key(r.c_str() + at + 2);
        std::size_t p = at + 2 + ((key.size() + 2) & ~std::size_t{1});
        std::vector<int> positions;
        for (; p < end; p += 2)
            positions.push_back(static_cast<unsigned char>(r[p]) << 8 | static_cast<unsigned char>(r[p + 1]));
        groups.emplace_back(key, positions);
        at = end;
    }
    const std::vector<std::pair<std::string, std::vector<int>>> expected = {
        {"A", {7}}, {"AB", {4}}, {"AB", {5, 8}}, {"ABCDEFGH", {2}}, {"ABCDEFGHA", {1, 3}}, {"ABCDEFGHAA", {6}},
        {"ABCDEFGHZ", {0}}};
    EXPECT_EQ(groups, expected);
}

TEST(IndexWords, LongTokensAreLeftOutToo) {
    const std::unordered_set<std::string> tokens{"BOULEVARD", "ST"};
    EXPECT_EQ(IndexWords("12 Sunset Boulevard St Boulevards", tokens), (V{"SUNSET", "BOULEVARDS"}));
}

TEST(IndexRecord, KeysBeyondOneRecordContinueInFurtherRecordsWithinTheLimit) {
    test::TempDir dir;
    test::FakeFrontend ui;
    ScopedFrontend scoped(ui);
    // 12,000 distinct keys of 7 characters: 12 bytes per group, 144,000 bytes in all.
    V keys;
    std::vector<std::int16_t> positions;
    for (int i = 0; i < 12000; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "K%06d", i);
        keys.push_back(key);
        positions.push_back(static_cast<std::int16_t>(i));
    }
    // One key with 40,000 positions cannot fit any record: left out with a warning.
    const V records = RecordsWritten(dir, [&](clsZAV& db) {
        db.AddIndexRecord(2, kIndexAccount, static_cast<std::int32_t>(keys.size()), keys, positions);
        V hugeKeys(40000, "HUGE");
        std::vector<std::int16_t> hugePositions(40000, 1);
        hugeKeys.push_back("ZZ");
        hugePositions.push_back(5);
        db.AddIndexRecord(2, kIndexSerial, 40001, hugeKeys, hugePositions);
    });
    ASSERT_EQ(records.size(), 4u);
    std::size_t groups = 0;
    for (std::size_t r = 0; r < 3; ++r) {
        EXPECT_LE(records[r].size(), 65535u);
        EXPECT_EQ(records[r].substr(0, 6), Bytes({0, 6, 0, 2, 0, 4}));
        groups += (records[r].size() - 6) / 12;
    }
    EXPECT_EQ(groups, 12000u) << "every group is in exactly one record";
    EXPECT_EQ(records[3], Bytes({0, 6, 0, 2, 0, 3, 0xFF, 0xFF, 'Z', 'Z', 0, 0, 0, 5}));
    ASSERT_EQ(ui.log.size(), 1u);
    EXPECT_EQ(ui.log[0],
              "Warning: Index key HUGE of route 2 has too many meters for one index record and is left out of the index");

    std::string json;
    ASSERT_TRUE(ZAVToJson(dir / "route.pdb", json));
    EXPECT_NE(json.find("{\"RecType\":6,\"route\":2,\"indexType\":4,\"groups\":[{\"key\":\"K000000\",\"positions\":[0]}"),
              std::string::npos);
    EXPECT_NE(json.find("\"groups\":[{\"key\":\"ZZ\",\"positions\":[5]}]}"), std::string::npos);
}

// A collector (sharing keys or not) writes exactly what sorting all its pairs by key (stable, by
// character codes) and grouping them with AddIndexRecord writes: keys sharing eight, sixteen and
// thousands of bytes, zero bytes, bytes above 127, many equal keys, keys that come in order or in
// reverse, and a key with too many positions for one record.
TEST(IndexRecord, CollectorsWriteWhatSortingEveryPairWould) {
    std::mt19937 random(15);
    const auto from = [&](std::string_view chars, std::size_t minLength, std::size_t maxLength) {
        std::string key(minLength + random() % (maxLength - minLength + 1), ' ');
        for (char& c : key) c = chars[random() % chars.size()];
        return key;
    };
    const struct {
        const char* name;
        int count;
        std::function<std::string(int)> key;
    } cases[] = {
        {"short words", 3000, [&](int) { return from("AB", 1, 8); }},
        {"shared first bytes", 3000,
         [&](int i) {
             return std::string(i % 2 ? "ABCDEFGH" : "ABCDEFGHABCDEFGH") + from(std::string("AB\0", 3), 0, 12);
         }},
        {"long keys sharing most bytes", 100, [&](int) { return std::string(5000, 'K') + from("AB", 1, 3); }},
        {"zero bytes", 2000, [&](int) { return from(std::string("\0A", 2), 0, 10); }},
        {"high bytes", 2000, [&](int) { return from("AB\x80\xd7\xf7\x01", 1, 3); }},
        {"in order", 3000, [](int i) { return "K" + std::to_string(100000 + i); }},
        {"in reverse", 3000, [](int i) { return "K" + std::to_string(200000 - i); }},
        {"too many for one record", 40000,
         [&](int i) { return i % 1000 == 0 ? from("XYZ", 1, 2) : std::string("HUGE"); }},
    };
    test::FakeFrontend ui;
    ScopedFrontend scoped(ui);
    for (const auto& c : cases) {
        std::vector<std::string> keys;
        std::vector<std::int16_t> positions;
        for (int i = 0; i < c.count; ++i) {
            keys.push_back(c.key(i));
            positions.push_back(static_cast<std::int16_t>(i % 30000));
        }
        std::vector<std::size_t> order(keys.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
        std::vector<std::string> sortedKeys;
        std::vector<std::int16_t> sortedPositions;
        for (const std::size_t i : order) {
            sortedKeys.push_back(keys[i]);
            sortedPositions.push_back(positions[i]);
        }
        test::TempDir expectedDir;
        std::int32_t expectedLeftOut = 0;
        const V expected = RecordsWritten(expectedDir, [&](clsZAV& db) {
            expectedLeftOut = db.AddIndexRecord(4, kIndexAccount, static_cast<std::int32_t>(sortedKeys.size()),
                                                sortedKeys, sortedPositions);
        });
        for (const bool share : {false, true}) {
            test::TempDir dir;
            std::int32_t leftOut = 0;
            const V records = RecordsWritten(dir, [&](clsZAV& db) {
                clsIndex index(share);
                index.RouteIndex = 4;
                index.IndexType = kIndexAccount;
                for (int round = 0; round < 2; ++round) {  // the second round reuses what the first left
                    for (std::size_t i = 0; i < keys.size(); ++i) {
                        if (i % 2 != 0)
                            index.Insert(keys[i], positions[i]);
                        else
                            index.InsertUpper(keys[i], positions[i]);  // upper-cased, no letter a-z: the same
                    }
                    EXPECT_EQ(index.Count(), c.count);
                    if (round == 0) index.Clear();
                }
                leftOut = index.WriteRecord(db);
            });
            std::size_t same = 0;
            while (same < records.size() && same < expected.size() && records[same] == expected[same]) ++same;
            EXPECT_TRUE(same == records.size() && same == expected.size())
                << c.name << (share ? ", sharing keys" : "") << ": record " << same << " differs";
            EXPECT_EQ(leftOut, expectedLeftOut) << c.name;
        }
    }
}

// The same for the words of names and addresses: a collector of words writes what IndexWords of each
// text, sorted and grouped, gives.
TEST(IndexRecord, WordCollectorsWriteWhatSortingEveryWordWould) {
    std::mt19937 random(15);
    const char* const pieces[] = {"main", "ST",  "21st", "Oak",      "AVE",        "o'neil", "SMITH,", "the",     "co.",
                                  "A",    "100", "3RD",  "lakeview", "Boulevards", "  ",     "#12B",   "MAIN-ST", "x"};
    std::vector<std::string> texts;
    for (int i = 0; i < 3000; ++i) {
        std::string text;
        for (int w = static_cast<int>(random() % 6); w >= 0; --w) text += std::string(pieces[random() % 18]) + " ";
        texts.push_back(text);
    }
    for (const auto* tokens : {&kOwnerTokens, &kAddressTokens}) {
        std::vector<std::pair<std::string, std::int16_t>> pairs;
        for (std::size_t i = 0; i < texts.size(); ++i)
            for (const std::string& word : IndexWords(texts[i], *tokens)) pairs.emplace_back(word, i);
        std::stable_sort(pairs.begin(), pairs.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        V keys;
        std::vector<std::int16_t> positions;
        for (const auto& [key, position] : pairs) {
            keys.push_back(key);
            positions.push_back(position);
        }
        test::TempDir expectedDir;
        const V expected = RecordsWritten(expectedDir, [&](clsZAV& db) {
            db.AddIndexRecord(1, kIndexOwner, static_cast<std::int32_t>(keys.size()), keys, positions);
        });
        for (const bool share : {false, true}) {
            test::TempDir dir;
            const V records = RecordsWritten(dir, [&](clsZAV& db) {
                clsIndex index(share);
                index.RouteIndex = 1;
                index.IndexType = kIndexOwner;
                const IndexTokens lookup(*tokens);
                for (std::size_t i = 0; i < texts.size(); ++i)
                    index.InsertWords(texts[i], lookup, static_cast<std::int16_t>(i));
                EXPECT_EQ(index.Count(), static_cast<std::int32_t>(pairs.size()));
                index.WriteRecord(db);
            });
            EXPECT_TRUE(records == expected) << (share ? "sharing keys" : "keys apart");
        }
    }
}

TEST(CodeRecord, EntriesArePaddedTextsEndedByTheMark) {
    test::TempDir dir;
    const V records = RecordsWritten(dir, [](clsZAV& db) {
        db.AddCodeRecord(4, 0, 1, 1, {"U1"}, {"P"}, {"D"});
        db.AddCodeRecord(7, 0, 1, 3, {"RANGE", "ROLLOVER", "TAMPER"}, {"2", "0", "1"}, {"", "", ""});
        db.AddCodeRecord(5, 0, 0, 0, {}, {}, {});
    });
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0], Bytes({0, 4, 0, 0, 0, 1, 0, 1, 0x55, 0x31, 0, 0, 0x50, 0, 0x44, 0, 0xFF, 0xFF}));
    EXPECT_EQ(records[2], Bytes({0, 5, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF}));
    std::string json;
    ASSERT_TRUE(ZAVToJson(dir / "route.pdb", json));
    EXPECT_NE(json.find("{\"RecType\":4,\"codeType\":0,\"flags\":1,\"entries\":[[\"U1\",\"P\",\"D\"]]}"),
              std::string::npos);
    EXPECT_NE(json.find("{\"RecType\":7,\"codeType\":0,\"flags\":1,\"entries\":[[\"RANGE\",\"2\",\"\"],"
                        "[\"ROLLOVER\",\"0\",\"\"],[\"TAMPER\",\"1\",\"\"]]}"),
              std::string::npos);
}

TEST(CodeRecord, DamagedRawRecordsShowAsHex) {
    test::TempDir dir;
    RecordsWritten(dir, [](clsZAV& db) {
        db.DB().WriteRaw(Bytes({0, 6, 0, 1, 0, 0, 0, 200, 'A', 0}));           // next group past the end
        db.DB().WriteRaw(Bytes({0, 5, 0, 0, 0, 0, 0, 9, 'x', 0}));             // 9 entries announced
        db.DB().WriteRaw(Bytes({0, 7, 0, 0, 0, 1, 0, 1, 'A', 0, 'B', 0, 'C'}));  // no terminator
    });
    std::string json;
    ASSERT_TRUE(ZAVToJson(dir / "route.pdb", json));
    EXPECT_NE(json.find("{\"RecType\":6,\"hex\":\"00060001000000c84100\"}"), std::string::npos) << json;
    EXPECT_NE(json.find("{\"RecType\":5,\"hex\":"), std::string::npos);
    EXPECT_NE(json.find("{\"RecType\":7,\"hex\":"), std::string::npos);
}

}  // namespace
}  // namespace zav
