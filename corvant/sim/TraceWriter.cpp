#include "corvant/sim/TraceWriter.h"

#include "corvant/sim/SimFiles.h"
#include "sim/TextFormat.h"

namespace velmora::sim {

namespace {

constexpr std::string_view kHeader = "# velmora simulated chip trace: ";
constexpr std::string_view kColumns = "# time_us event\n";

} // namespace

TraceWriter::~TraceWriter()
{
    close();
}

bool TraceWriter::open(const std::filesystem::path& path, std::string_view chipName)
{
    close();
    file_ = openTraceStream(path);
    if (file_ == nullptr)
        return false;
    std::fprintf(file_, "%.*s%.*s\n%.*s", static_cast<int>(kHeader.size()), kHeader.data(),
                 static_cast<int>(chipName.size()), chipName.data(), static_cast<int>(kColumns.size()),
                 kColumns.data());
    return true;
}

bool TraceWriter::close()
{
    if (file_ == nullptr)
        return true;
    // A line that did not fit on the disk makes the whole trace a failure.
    const bool written = std::ferror(file_) == 0;
    const bool ok = std::fclose(file_) == 0 && written;
    file_ = nullptr;
    return ok;
}

void TraceWriter::programModeChanged(SimTime time, bool entered, Entry entry)
{
    if (entry == Entry::LowVoltage)
        line(time, entered ? "LVP on" : "LVP off");
    else
        line(time, entered ? "VPP on" : "VPP off");
}

void TraceWriter::pgmChanged(SimTime time, bool high)
{
    line(time, high ? "PGM on" : "PGM off");
}

void TraceWriter::commandDecoded(const DecodedCommand& command)
{
    line(command.time, traceText(command));
}

void TraceWriter::violationRecorded(const Violation& violation)
{
    line(violation.time, traceText(violation));
}

void TraceWriter::noted(SimTime time, std::string_view text)
{
    line(time, "# " + std::string(text));
}

void TraceWriter::line(SimTime time, const std::string& text)
{
    if (file_ == nullptr)
        return;
    const auto ns = time.count();
    std::fprintf(file_, "%lld.%03lld %s\n", static_cast<long long>(ns / 1000), static_cast<long long>(ns % 1000),
                 text.c_str());
}

std::string traceText(const DecodedCommand& command)
{
    if (command.isRead)
        return commandBitsText(command.command) + " -> " + hexDigits(command.byteRead, 2);
    return commandBitsText(command.command) + " " + hexDigits(command.operand, 4);
}

std::string traceText(const Violation& violation)
{
    return "! " + std::string(violation.parameter) + " " + std::string(violationName(violation.kind)) + ": "
        + violation.detail;
}

} // namespace velmora::sim
