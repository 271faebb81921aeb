#pragma once
// The devices of Devices.ini in file order: a doubly linked list with a cursor.

#include <cstdint>
#include <memory>

#include "devicedata/DeviceRecord.h"

namespace velmora {

class DeviceList {
public:
    DeviceList() = default;
    ~DeviceList();
    DeviceList(const DeviceList&) = delete;
    DeviceList& operator=(const DeviceList&) = delete;

    std::int32_t Count() const { return count_; }
    // 0-based index of the cursor's record; 0 when the list is empty.
    std::int32_t CursorIndex() const { return cursorIndex_; }

    // Cursor to the first record, then up to index steps forward, stopping at the
    // last; the cursor index becomes the steps made. Does nothing on an empty list.
    void MoveTo(std::int32_t index);
    // A copy of the cursor's record (a default record when the list is empty).
    DeviceRecord CopyCurrent() const;
    // As CopyCurrent, then the cursor moves to the next record if there is one.
    DeviceRecord CopyCurrentAndAdvance();
    // Frees every record: count 0, no cursor.
    void Clear();

    // Appends a record at the end; it becomes the cursor and the last record.
    void Append(DeviceRecord record);

private:
    struct Node {
        DeviceRecord record;
        Node* previous = nullptr;
        std::unique_ptr<Node> next;
    };

    std::unique_ptr<Node> first_;
    Node* last_ = nullptr;
    Node* cursor_ = nullptr;
    std::int32_t cursorIndex_ = 0;
    std::int32_t count_ = 0;
};

} // namespace velmora
