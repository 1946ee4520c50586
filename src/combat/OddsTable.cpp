#include "OddsTable.h"

namespace {

constexpr std::array<OddsClass, OddsTable::Count> Table = {{
    {9402, "1:5", "1:6", "1:5,6"},
    {9403, "1:3", "1:4", "1:3,4"},
    {9404, "1:2", "", "1:2"},
    {9405, "1:1", "", "1:1"},
    {9406, "2:1", "", "2:1"},
    {9407, "3:1", "", "3:1"},
    {9408, "4:1", "", "4:1"},
    {9409, "5:1", "", "5:1"},
    {9410, "7:1", "", "7:1+"},
    {9411, "AV", "", "AV"},
}};

} // namespace

const std::array<OddsClass, OddsTable::Count>& OddsTable::Classes() {
    return Table;
}

const OddsClass* OddsTable::ByControlId(int controlId) {
    for (const OddsClass& c : Table)
        if (c.ControlId == controlId)
            return &c;
    return nullptr;
}
