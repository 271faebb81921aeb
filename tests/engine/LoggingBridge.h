#pragma once
// Records what reaches the user interface as text lines, on the calling thread.

#include <string>
#include <vector>

#include "engine/DifferenceReport.h"
#include "engine/ProgressBridge.h"

namespace velmora::test {

class LoggingBridge final : public ProgressBridge {
public:
    void clearAddress() override { log.push_back("clear"); }
    void postAddress(Address a, bool marker) override { log.push_back(hexAddress(a) + (marker ? "&+1" : "")); }
    void postProgress(std::uint16_t p) override { log.push_back("progress " + std::to_string(p)); }
    void postAction(const std::string& t) override { log.push_back("action " + t); }
    void postProcessText(const std::string& t) override { log.push_back("process " + t); }
    MessageButton messageBox(MessageKind, const std::string& t, MessageButtons) override
    {
        log.push_back("box " + t);
        return ButtonOk;
    }
    void refreshGrid() override { log.push_back("grid"); }
    void hideWindow() override { log.push_back("hide"); }
    void closeWindow() override { log.push_back("close"); }
    std::vector<std::string> log;
};

} // namespace velmora::test
