#include "shell/VersionInfo.h"

#include <gtest/gtest.h>

namespace flowcfg {
namespace {

TEST(VersionInfoTest, VersionBlockOfTheConfigurationTool) {
    EXPECT_EQ(versionString("InternalName"), "Zq4xxKRw 03");
    EXPECT_EQ(versionString("FileVersion"), "03 A");
    EXPECT_FALSE(versionString("LegalCopyright").empty());
    EXPECT_EQ(versionString("NoSuchKey"), "");
}

TEST(VersionInfoTest, VariantTableIsTriedInOrderWithoutRegardToCase) {
    EXPECT_EQ(variantIndexOf("Zq4xxKRw 03"), 6);
    EXPECT_EQ(variantIndexOf("zq4XXkrW03"), 6);
    EXPECT_EQ(variantIndexOf("Zq700W 01"), 0);
    EXPECT_EQ(variantIndexOf("ZqHTNW"), 1);
    EXPECT_EQ(variantIndexOf("Zq612KOW"), 2);
    EXPECT_EQ(variantIndexOf("ZqNovaW 2"), 3);
    EXPECT_EQ(variantIndexOf("Zq420RW"), 4);
    EXPECT_EQ(variantIndexOf("ZqmtW"), 5);
    // A name holding two variant names belongs to the earlier row.
    EXPECT_EQ(variantIndexOf("Zq4xxKRw+Zq700W"), 0);
    EXPECT_EQ(variantIndexOf("Something else"), -1);
    EXPECT_EQ(variantIndexOf(""), -1);
    EXPECT_EQ(variantIndex(), 6);
}

TEST(VersionInfoTest, FamilyCodesAndTags) {
    EXPECT_EQ(familyCode(0), "10");
    EXPECT_EQ(familyCode(2), "03");
    EXPECT_EQ(familyCode(6), "12");
    EXPECT_EQ(familyCode(-1), "");
    EXPECT_EQ(familyCode(7), "");
    EXPECT_EQ(familyTag(), "03-12-");
    EXPECT_EQ(familyTagFor("02 B", 3), "02-20-");
    EXPECT_EQ(familyTagFor("01", -1), "01--");
}

TEST(VersionInfoTest, FirmwareIsCompatibleWhenItStartsWithTheFamilyTag) {
    EXPECT_TRUE(firmwareCompatible("03-12-05 B"));
    EXPECT_TRUE(firmwareCompatible("03-12-"));
    EXPECT_FALSE(firmwareCompatible("03-10-05"));
    EXPECT_FALSE(firmwareCompatible("04-12-01"));
    EXPECT_FALSE(firmwareCompatible("03-12"));
    EXPECT_FALSE(firmwareCompatible(""));
}

}  // namespace
}  // namespace flowcfg
