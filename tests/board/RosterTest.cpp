// The roster labels the counters get when a turn is loaded.
#include "BoardFixture.h"
#include "UnitRoster.h"

#include <gtest/gtest.h>

namespace {

class RosterTest : public BoardFixture {};

TEST_F(RosterTest, everyCounterGetsItsRosterLabel) {
    Load({});
    EXPECT_EQ(Board->GetCounter(0)->Label, "(1-0) : Korvel");
    EXPECT_EQ(Board->GetCounter(82)->Label, "(10-7): 1 A Gd");
    EXPECT_EQ(Board->GetCounter(104)->Label, "(8-6) : 8 A Gd");
    EXPECT_EQ(Board->GetCounter(143)->Label, "(1-0) : varnok");
    EXPECT_EQ(Board->GetCounter(4)->Label, "(3)   : 3W");
    for (int u : {60, 75, 76})
        EXPECT_EQ(Board->GetCounter(u)->Label, "Partisan");
    for (int u = 198; u <= 200; ++u)
        EXPECT_EQ(Board->GetCounter(u)->Label, "Stuka");
    for (int u = 201; u <= 219; ++u) {
        EXPECT_EQ(Board->GetCounter(u)->Label, "Rail");
        EXPECT_EQ(Board->GetCounter(u)->Picture, 2202);
    }
}

TEST(Roster, labelsFitTheReportColumnAndFactorLabelsKeepTheColon) {
    for (int u = 0; u < UnitRoster::Units; ++u) {
        const std::string_view label = UnitRoster::Label(u);
        EXPECT_LE(label.size(), std::size_t(UnitRoster::MaxLabelLength)) << u;
        if (label.front() == '(') {
            EXPECT_EQ(label.substr(6, 2), ": ") << u << " " << label;
        }
    }
}

} // namespace
