#include "params/ProbeCatalogue.h"

#include <gtest/gtest.h>

namespace flowcfg {
namespace {

TEST(ProbeCatalogueTest, HoldsTheTwentyOneTypesWithTheirNoAngleFlags) {
    ProbeCatalogue catalogue;
    ASSERT_EQ(catalogue.size(), 21);
    EXPECT_EQ(catalogue.ProbeName(0), "SA(----)");
    EXPECT_EQ(catalogue.ProbeName(1), "SB(----)");
    EXPECT_EQ(catalogue.ProbeName(3), "PX2102I");
    EXPECT_EQ(catalogue.ProbeName(13), "PX-G01");
    EXPECT_EQ(catalogue.ProbeName(20), "PX2111");
    for (int i = 0; i < 21; ++i) {
        const bool noAngle = i <= 1 || (i >= 14 && i <= 19);
        EXPECT_EQ(catalogue.NoAngleFlag(i), noAngle ? 1 : 0) << i;
        EXPECT_TRUE(catalogue.offered(i));
    }
    EXPECT_EQ(catalogue.NoAngleFlag(21), -1);
    EXPECT_EQ(catalogue.NoAngleFlag(-1), -1);
    EXPECT_EQ(catalogue.ProbeName(21), "");
    EXPECT_EQ(catalogue.ProbeNames().size(), 21u);
}

TEST(ProbeCatalogueTest, TheInstrumentsProbeSetsBecomeTheFirstTwoEntries) {
    ProbeCatalogue catalogue;
    catalogue.MergeProbeSets({"1234", 5.0, 45.0}, {"K9", 2.0, 0.0});
    EXPECT_EQ(catalogue.ProbeName(0), "SA1234");
    EXPECT_EQ(catalogue.NoAngleFlag(0), 0);
    EXPECT_EQ(catalogue.ProbeName(1), "SBK9");
    EXPECT_EQ(catalogue.NoAngleFlag(1), 1);
    EXPECT_TRUE(catalogue.offered(0));

    // A set without T0 keeps its flag but is no longer offered; without a name it keeps its.
    catalogue.BuildCatalogue();
    catalogue.MergeProbeSets({"", 0.0, 45.0}, {"----", 0.0, 12.0});
    EXPECT_EQ(catalogue.ProbeName(0), "SA(----)");
    EXPECT_EQ(catalogue.ProbeName(1), "SB----");
    EXPECT_EQ(catalogue.NoAngleFlag(0), 1);
    EXPECT_FALSE(catalogue.offered(0));
    EXPECT_FALSE(catalogue.offered(1));
    EXPECT_TRUE(catalogue.offered(2));
}

TEST(ProbeCatalogueTest, EntriesPastTheEndAreLeftAlone) {
    ProbeCatalogue catalogue;
    catalogue.SetProbeName(21, "X");
    catalogue.SetNoAngleFlag(30, 1);
    catalogue.SetProbeName(5, "Mine");
    catalogue.SetNoAngleFlag(5, 1);
    EXPECT_EQ(catalogue.size(), 21);
    EXPECT_EQ(catalogue.ProbeName(5), "Mine");
    EXPECT_EQ(catalogue.NoAngleFlag(5), 1);
}

}  // namespace
}  // namespace flowcfg
