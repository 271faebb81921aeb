#include "devicedata/DeviceList.h"

namespace velmora {

DeviceList::~DeviceList()
{
    Clear();
}

void DeviceList::MoveTo(std::int32_t index)
{
    // Walking on from the cursor lands where a walk from the head would, and keeps a
    // pass over the whole list linear.
    if (cursor_ == nullptr || index < cursorIndex_) {
        cursor_ = first_.get();
        cursorIndex_ = 0;
    }
    if (cursor_ == nullptr)
        return;
    while (cursorIndex_ < index && cursor_->next) {
        cursor_ = cursor_->next.get();
        ++cursorIndex_;
    }
}

DeviceRecord DeviceList::CopyCurrent() const
{
    return cursor_ ? cursor_->record : DeviceRecord{};
}

DeviceRecord DeviceList::CopyCurrentAndAdvance()
{
    DeviceRecord copy = CopyCurrent();
    if (cursor_ && cursor_->next) {
        cursor_ = cursor_->next.get();
        ++cursorIndex_;
    }
    return copy;
}

void DeviceList::Clear()
{
    // One node at a time: letting the chain of owners unwind recursively would
    // need stack in proportion to the number of devices.
    while (first_)
        first_ = std::move(first_->next);
    last_ = nullptr;
    cursor_ = nullptr;
    cursorIndex_ = 0;
    count_ = 0;
}

void DeviceList::Append(DeviceRecord record)
{
    auto node = std::make_unique<Node>();
    node->record = std::move(record);
    node->previous = last_;
    Node* added = node.get();
    if (last_)
        last_->next = std::move(node);
    else
        first_ = std::move(node);
    last_ = added;
    cursor_ = added;
    cursorIndex_ = count_;
    ++count_;
}

} // namespace velmora
