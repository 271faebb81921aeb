// bench_grid: how long a full refresh of the memory grid takes, model and view, for the
// largest device (1,048,576 program and 65,536 EEPROM bytes, 139,274 rows) and a 32 KB
// device, and how much resident memory the grid adds (its snapshot included). Targets:
// under 20 ms and at most 4 MB for the largest device. Also: the program's start-up to
// its first shown window (target under 1 s). The progress window's cost to a read is
// bench_progress.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QByteArray>
#include <QHeaderView>

#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include <QAction>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <chrono>
#include <filesystem>

#include "devicedata/UserMessages.h"
#include "ui/FileChooser.h"
#include "ui/HeadUnit.h"
#include "ui/LowLevelAccess.h"
#include "ui/MemoryGridModel.h"
#include "ui/MemoryGridView.h"
#include "ui/VelmoraWindows.h"

namespace {

using velmora::MemoryGridModel;
using velmora::MemoryGridView;
using velmora::DeviceImage;
using velmora::MemoryImage;

std::unique_ptr<DeviceImage> imageOf(std::uint32_t programSize, std::uint32_t eepromSize)
{
    auto device = std::make_unique<DeviceImage>();
    MemoryImage& image = device->image;
    std::memset(&image, 0xFF, sizeof(MemoryImage));
    for (std::uint32_t i = 0; i < velmora::kProgramMemoryCapacity; ++i)
        image.programMemory[i] = static_cast<std::uint8_t>(i * 7);
    image.programMemorySize = programSize;
    image.eepromSize = eepromSize;
    return device;
}

long residentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

void fullRefresh(benchmark::State& state)
{
    const auto image = imageOf(static_cast<std::uint32_t>(state.range(0)), static_cast<std::uint32_t>(state.range(1)));
    const auto other = imageOf(64, 0);
    const long before = residentKilobytes();
    MemoryGridModel model;
    model.setHeaderRow();
    MemoryGridView view(model);
    view.resize(521, 340);
    view.show();
    QApplication::processEvents();

    for (auto _ : state) {
        state.PauseTiming();
        model.refresh(*other, false);
        QApplication::processEvents();
        state.ResumeTiming();
        // A refresh as the user sees it: the model, then the view laying out and painting.
        model.refresh(*image, false);
        view.viewport()->repaint();
        benchmark::DoNotOptimize(view.verticalHeader()->count());
    }
    state.counters["rows"] = model.layout().rowCount();
    state.counters["added_RSS_KB"] = static_cast<double>(residentKilobytes() - before);
}

BENCHMARK(fullRefresh)->Args({1048576, 65536})->Args({32768, 256})->Unit(benchmark::kMillisecond);

class QuietMessages : public velmora::UserMessages {
public:
    velmora::MessageButton showMessage(velmora::MessageKind, const std::string&, velmora::MessageButtons) override
    {
        return velmora::ButtonOk;
    }
};

class NoFiles : public velmora::FileChooser {
public:
    std::optional<QString> chooseFileToLoad(QWidget*) override { return std::nullopt; }
    std::optional<QString> chooseFileToSave(QWidget*) override { return std::nullopt; }
};

// A program folder with the shipped database and the simulated port, device PIC18F452.
std::filesystem::path programFolder(const QTemporaryDir& dir)
{
    const std::filesystem::path folder = dir.path().toStdString();
    std::filesystem::copy_file(VELMORA_SHIPPED_DEVICES_INI, folder / "Devices.ini",
                               std::filesystem::copy_options::overwrite_existing);
    std::ofstream(folder / "Velmora.ini") << "[Config]\r\nCOM=SIM\r\nDevice=3\r\n";
    return folder;
}

void startUpToFirstShownWindow(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::filesystem::path folder = programFolder(dir);
    const std::filesystem::path current = std::filesystem::current_path();
    QuietMessages messages;
    NoFiles files;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        velmora::VelmoraWindows windows(folder, messages, files, velmora::importedLowLevelAccess());
        windows.mainWindow().show();
        QApplication::processEvents();
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        windows.mainWindow().close();
        std::filesystem::current_path(current);
    }
}

BENCHMARK(startUpToFirstShownWindow)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);


} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
