#include "project/user_record.h"

#include <gtest/gtest.h>

#include "test_folder.h"
#include "text/errors.h"

namespace quill {
namespace {

TEST(UserRecord, SlotsSitAtTheirOffsets) {
    // (slot, offset of its length byte)
    const std::pair<int, std::size_t> cases[] = {{1, 0}, {2, 61}, {26, 1525}, {27, 1586}, {52, 3111}};
    for (auto [slot, offset] : cases) {
        UserRecord r;
        r.setSlot(slot, "Ann");
        EXPECT_EQ(r.bytes()[offset], 3) << slot;
        EXPECT_EQ(r.bytes()[offset + 1], 'A') << slot;
        EXPECT_EQ(r.bytes()[offset + 3], 'n') << slot;
        EXPECT_EQ(r.slot(slot), "Ann");
        for (int other = 1; other <= 52; ++other) {
            if (other == slot) continue;
            EXPECT_EQ(r.slot(other), "") << slot << " " << other;
        }
    }
    static_assert(UserRecord::Size == 52 * 61);
}

TEST(UserRecord, TextIsCutTo60AndOutOfRangeSlotsAreIgnored) {
    UserRecord r;
    r.setSlot(52, std::string(70, 'x'));
    EXPECT_EQ(r.bytes()[3111], 60);
    EXPECT_EQ(r.slot(52), std::string(60, 'x'));
    const UserRecord before = r;
    r.setSlot(0, "a");
    r.setSlot(53, "a");
    EXPECT_EQ(r, before);
    EXPECT_EQ(r.slot(0), "");
    EXPECT_EQ(r.slot(53), "");
    // A corrupt length byte above the capacity reads as 60 characters.
    r.bytes()[0] = 200;
    EXPECT_EQ(r.slot(1).size(), 60u);
}

TEST(UserRecord, LetterSlots) {
    EXPECT_EQ(LetterSlot('A'), 1);
    EXPECT_EQ(LetterSlot('Z'), 26);
    EXPECT_EQ(LetterSlot('a'), 27);
    EXPECT_EQ(LetterSlot('z'), 52);
    EXPECT_EQ(LetterSlot('['), -1);
    EXPECT_EQ(LetterSlot('1'), -1);
    EXPECT_EQ(LetterSlot('\xC4'), -1);
}

TEST(UserRecord, FileRoundTripKeepsBytesAndTrailingRecords) {
    test::TempFolder dir;
    const auto file = dir / "USER.DAT";
    EXPECT_FALSE(ReadUserRecord(file).has_value());

    UserRecord r;
    r.setSlot(2, "Bob");
    r.setSlot(30, "\xE9t\xE9");
    WriteUserRecord(file, r);
    EXPECT_EQ(std::filesystem::file_size(file), 3172u);
    auto back = ReadUserRecord(file);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, r);
    EXPECT_EQ(back->slot(30), "\xE9t\xE9");

    // A second record after the first survives a rewrite of the first.
    std::string bytes = test::TempFolder::read(file) + std::string(3172, '\x07');
    dir.write("USER.DAT", bytes);
    r.setSlot(2, "Eve");
    WriteUserRecord(file, r);
    const std::string after = test::TempFolder::read(file);
    ASSERT_EQ(after.size(), 2u * 3172);
    EXPECT_EQ(after.substr(3172), std::string(3172, '\x07'));
    EXPECT_EQ(ReadUserRecord(file)->slot(2), "Eve");
}

TEST(UserRecord, ShortFileReadsAsFarAsItGoes) {
    test::TempFolder dir;
    std::string bytes(70, '\0');
    bytes[0] = 2;
    bytes[1] = 'H';
    bytes[2] = 'i';
    bytes[61] = 5;  // slot 2 claims 5 characters but the file ends after 8 bytes of it
    bytes[62] = 'a';
    const auto file = dir.write("USER.DAT", bytes);
    auto r = ReadUserRecord(file);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->slot(1), "Hi");
    EXPECT_EQ(r->slot(2), std::string("a\0\0\0\0", 5));
    EXPECT_EQ(r->slot(3), "");
}

TEST(UserRecord, UnreadableFileIsAnIoError) {
    test::TempFolder dir;
    std::filesystem::create_directory(dir / "USER.DAT");
    EXPECT_THROW(ReadUserRecord(dir / "USER.DAT"), IoError);
}

}  // namespace
}  // namespace quill
