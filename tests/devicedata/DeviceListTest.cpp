// Walking the list in file order and the clamping MoveTo are covered by the loader's tests.
#include "devicedata/DeviceList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace velmora {
namespace {

void fill(DeviceList& list, int count)
{
    for (int i = 0; i < count; ++i) {
        DeviceRecord record;
        record.name = "D" + std::to_string(i);
        list.Append(record);
    }
}

TEST(DeviceList, CursorFollowsAppendStaysOnTheLastAndSurvivesClear)
{
    DeviceList list;
    fill(list, 3);
    EXPECT_EQ(list.CursorIndex(), 2);
    EXPECT_EQ(list.CopyCurrentAndAdvance().name, "D2");
    EXPECT_EQ(list.CursorIndex(), 2);
    list.MoveTo(-5);
    EXPECT_EQ(list.CopyCurrent().name, "D0");

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    list.MoveTo(1); // callers never do this on an empty list; it must still be harmless
    EXPECT_EQ(list.CopyCurrentAndAdvance().name, "");
    fill(list, 2);
    list.MoveTo(0);
    EXPECT_EQ(list.CopyCurrentAndAdvance().name, "D0");
    EXPECT_EQ(list.CopyCurrent().name, "D1");
}

TEST(DeviceList, MoveToLandsOnTheSameRecordFromWhereverTheCursorIs)
{
    DeviceList list;
    fill(list, 5);
    for (const int index : {3, 3, 1, 4, 9, 0, 2, -1}) {
        list.MoveTo(index);
        const int expected = std::clamp(index, 0, 4);
        EXPECT_EQ(list.CursorIndex(), expected) << index;
        EXPECT_EQ(list.CopyCurrent().name, "D" + std::to_string(expected)) << index;
    }
}

TEST(DeviceList, AHundredThousandRecordsAreFreedWithoutDeepRecursion)
{
    auto list = std::make_unique<DeviceList>();
    fill(*list, 100000);
    list->MoveTo(99999);
    EXPECT_EQ(list->CopyCurrent().name, "D99999");
    list.reset();
}

} // namespace
} // namespace velmora
