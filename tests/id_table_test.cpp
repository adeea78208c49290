// Fixed tables addressed by id: reads outside the table answer an empty record, writes outside it
// are refused, and nothing outside the table is ever touched.
#include "core/id_table.h"

#include <gtest/gtest.h>

#include <string>

namespace zen {
namespace {

struct Row {
    int value = 0;
    std::string text;
};
using Table = IdTable<Row, -1, 9>;

} // namespace

TEST(IdTable, ReadsAndWritesStayInsideTheTable)
{
    static_assert(Table::kSize == 11);
    Table t;
    for (int id = -1; id <= 9; ++id) {
        ASSERT_NE(t.edit(id), nullptr) << id;
        t.edit(id)->value = 100 + id;
    }
    EXPECT_EQ(t.at(-1).value, 99);
    EXPECT_EQ(t.at(9).value, 109);

    // Out of range: no record to write, an empty one to read, and the edges keep their values.
    for (int id : {-2, 10, 1000, -1000, 2147483647, -2147483647 - 1}) {
        EXPECT_EQ(t.edit(id), nullptr) << id;
        EXPECT_FALSE(Table::has(id)) << id;
        EXPECT_EQ(t.at(id).value, 0) << id;
        EXPECT_TRUE(t.at(id).text.empty()) << id;
    }
    EXPECT_EQ(t.at(-1).value, 99);
    EXPECT_EQ(t.at(9).value, 109);

    t.reset();
    for (int id = -1; id <= 9; ++id) EXPECT_EQ(t.at(id).value, 0) << id;
}

TEST(IdTable, ConstantRowsAreCheckedAgainstTheTable)
{
    struct Named {
        int id;
    };
    constexpr Named kInside[] = {{-1}, {0}, {9}};
    constexpr Named kOutside[] = {{3}, {10}};
    static_assert(ids_inside<Table>(kInside));
    static_assert(!ids_inside<Table>(kOutside));
    EXPECT_TRUE(ids_inside<Table>(kInside));
}

} // namespace zen
