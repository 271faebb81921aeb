#include "corvant/BackendTable.h"

#include "corvant/CorvantTexts.h"
#include "corvant/FtdiBackend.h"
#include "corvant/GpioBackend.h"
#include "corvant/JdmBackend.h"

namespace corvant {

BackendTable standardBackends()
{
    BackendTable table{simBackendEntry(), gpioBackendEntry(platformGpioChips()), ftdiBackendEntry(makeFtdiLink)};
    for (BackendEntry& serial : serialBackendEntries(openSerialLines))
        table.push_back(std::move(serial));
    return table;
}

const BackendEntry* findBackend(const BackendTable& table, std::string_view port)
{
    const PortKind kind = portKind(port);
    if (kind == PortKind::Unknown)
        return nullptr;
    for (const BackendEntry& entry : table)
        if (entry.kind == kind)
            return &entry;
    return nullptr;
}

BackendEntry simBackendEntry()
{
    return {PortKind::Sim, [](const std::string& port, std::string& failure) {
                auto backend = openSimBackend(port, failure);
                if (!backend)
                    failure = "\"" + port + "\": "
                              + (failure.empty() ? std::string(texts::kUnknownSimPort) : failure);
                return backend;
            }};
}

} // namespace corvant
