// The odds classes: button ids, captions and the texts the combat record stores.
#include "OddsTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Row {
    int control;
    std::string caption;
    std::string stored;
};

TEST(OddsTable, tenClassesInButtonOrder) {
    const Row expected[] = {
        {9402, "1:5", "1:5,6"}, {9403, "1:3", "1:3,4"}, {9404, "1:2", "1:2"}, {9405, "1:1", "1:1"},
        {9406, "2:1", "2:1"},   {9407, "3:1", "3:1"},   {9408, "4:1", "4:1"}, {9409, "5:1", "5:1"},
        {9410, "7:1", "7:1+"},  {9411, "AV", "AV"},
    };
    const auto& classes = OddsTable::Classes();
    ASSERT_EQ(classes.size(), std::size(expected));
    for (std::size_t i = 0; i < classes.size(); ++i) {
        EXPECT_EQ(classes[i].ControlId, expected[i].control);
        EXPECT_EQ(classes[i].Caption, expected[i].caption);
        EXPECT_EQ(classes[i].StoredText, expected[i].stored);
        EXPECT_EQ(OddsTable::ByControlId(expected[i].control), &classes[i]);
    }
    EXPECT_EQ(std::string(classes[0].SmallLabel), "1:6");
    EXPECT_EQ(std::string(classes[1].SmallLabel), "1:4");
}

TEST(OddsTable, placeholderAndIdsOutsideTheGroup) {
    EXPECT_EQ(std::string(OddsTable::Placeholder), "Combat odds : ");
    EXPECT_EQ(OddsTable::ByControlId(OddsTable::GroupControlId), nullptr);
    EXPECT_EQ(OddsTable::ByControlId(9412), nullptr);
}

} // namespace
