#include "corvant/BackendTable.h"

#include "corvant/CorvantTexts.h"
#include "corvant/GpioBackend.h"
#include "corvant/JdmBackend.h"
#include "corvant/PortName.h"

namespace corvant {

BackendTable standardBackends()
{
    BackendTable table{simBackendEntry(), gpioBackendEntry(platformGpioChips())};
    for (BackendEntry& serial : serialBackendEntries(openSerialLines))
        table.push_back(std::move(serial));
    return table;
}

const BackendEntry* findBackend(const BackendTable& table, std::string_view port)
{
    for (const BackendEntry& entry : table)
        if (startsWithIgnoringCase(port, entry.prefix))
            return &entry;
    return nullptr;
}

BackendEntry simBackendEntry()
{
    return {"SIM", [](const std::string& port, std::string& failure) {
                auto backend = openSimBackend(port, failure);
                if (!backend)
                    failure = "\"" + port + "\": "
                              + (failure.empty() ? std::string(texts::kUnknownSimPort) : failure);
                return backend;
            }};
}

} // namespace corvant
