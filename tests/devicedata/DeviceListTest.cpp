#include "devicedata/DeviceList.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace velmora {
namespace {

DeviceRecord named(const std::string& name)
{
    DeviceRecord record;
    record.name = name;
    return record;
}

void fill(DeviceList& list, int count)
{
    for (int i = 0; i < count; ++i)
        list.Append(named("D" + std::to_string(i)));
}

TEST(DeviceList, AppendPutsTheCursorOnTheNewLastRecord)
{
    DeviceList list;
    EXPECT_EQ(list.Count(), 0);
    fill(list, 3);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.CursorIndex(), 2);
    EXPECT_EQ(list.CopyCurrent().name, "D2");
}

TEST(DeviceList, MoveToStopsAtTheLastRecord)
{
    DeviceList list;
    fill(list, 4);
    list.MoveTo(2);
    EXPECT_EQ(list.CursorIndex(), 2);
    EXPECT_EQ(list.CopyCurrent().name, "D2");
    list.MoveTo(0);
    EXPECT_EQ(list.CopyCurrent().name, "D0");
    list.MoveTo(99);
    EXPECT_EQ(list.CursorIndex(), 3);
    EXPECT_EQ(list.CopyCurrent().name, "D3");
    list.MoveTo(-5);
    EXPECT_EQ(list.CursorIndex(), 0);
    EXPECT_EQ(list.CopyCurrent().name, "D0");
}

TEST(DeviceList, TheSelectionDialogsWalkGivesFileOrder)
{
    DeviceList list;
    fill(list, 5);
    std::vector<std::string> names;
    list.MoveTo(0);
    for (int i = 0; i < list.Count() - 1; ++i)
        names.push_back(list.CopyCurrentAndAdvance().name);
    names.push_back(list.CopyCurrent().name);
    EXPECT_EQ(names, (std::vector<std::string>{"D0", "D1", "D2", "D3", "D4"}));

    // Advancing from the last record stays there.
    EXPECT_EQ(list.CopyCurrentAndAdvance().name, "D4");
    EXPECT_EQ(list.CursorIndex(), 4);
    EXPECT_EQ(list.CopyCurrent().name, "D4");
}

TEST(DeviceList, CopiesAreIndependentOfTheList)
{
    DeviceList list;
    fill(list, 1);
    DeviceRecord copy = list.CopyCurrent();
    copy.name = "changed";
    EXPECT_EQ(list.CopyCurrent().name, "D0");
}

TEST(DeviceList, ClearEmptiesAndTheListCanBeRefilled)
{
    DeviceList list;
    fill(list, 3);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.CursorIndex(), 0);
    // Safe even though callers only use a non-empty list.
    list.MoveTo(1);
    EXPECT_EQ(list.CopyCurrent().name, "");
    EXPECT_EQ(list.CopyCurrentAndAdvance().name, "");
    fill(list, 2);
    list.MoveTo(0);
    EXPECT_EQ(list.CopyCurrentAndAdvance().name, "D0");
    EXPECT_EQ(list.CopyCurrent().name, "D1");
}

TEST(DeviceList, AHundredThousandRecordsAreFreedWithoutDeepRecursion)
{
    auto list = std::make_unique<DeviceList>();
    fill(*list, 100000);
    list->MoveTo(99999);
    EXPECT_EQ(list->CopyCurrent().name, "D99999");
    EXPECT_EQ(list->Count(), 100000);
    list.reset();
}

} // namespace
} // namespace velmora
