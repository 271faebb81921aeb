#include "ui/VelmoraWindows.h"

#include "engine/TPICPr.h"
#include "ui/About.h"
#include "ui/COMSel.h"
#include "ui/CSConfig.h"
#include "ui/CfgIDs.h"
#include "ui/DevSel.h"
#include "ui/HeadUnit.h"
#include "ui/Llit.h"
#include "ui/PrgCfg.h"
#include "ui/Pr_Wnd.h"
#include "ui/UCfgIDs2.h"
#include "ui/UCfgIDs3.h"

namespace velmora {

VelmoraWindows::VelmoraWindows(const std::filesystem::path& programFolder, UserMessages& messages,
                               FileChooser& files, LowLevelAccess& lowLevel)
    : lowLevelTest_(std::make_unique<TForm2>(lowLevel, messages)), comSelect_(std::make_unique<TForm6>(messages))
{
    mainWindow_ = std::make_unique<TForm1>(programFolder, messages, files, *lowLevelTest_, *comSelect_);
    TForm1& main = *mainWindow_;
    progress_ = std::make_unique<TForm3>(main.engine(), messages, [&main] { main.refreshGrid(); }, &main);
    main.engine().setBridge(progress_.get());
    deviceSelect_ = std::make_unique<TForm4>(&main);
    deviceSelect_->fillDevices(main.deviceList());
    editor1_ = std::make_unique<TCfgIDs1>(&main);
    editor2_ = std::make_unique<TCfgIDs2>(&main);
    editor3_ = std::make_unique<TCfgIDs3>(&main);
    about_ = std::make_unique<TAboutBox>(&main);
    checksum_ = std::make_unique<TCSCfg>(messages, &main);
    programming_ = std::make_unique<TPrgConfig>(&main);
    main.attachWindows({progress_.get(), deviceSelect_.get(), editor1_.get(), editor2_.get(), editor3_.get(),
                        about_.get(), checksum_.get(), programming_.get()});
}

VelmoraWindows::~VelmoraWindows()
{
    // The windows the main window owns as children go with it; the shut-down sequence
    // (settings, engine, device list, port) runs first if the main window never closed.
    progress_.reset();
    deviceSelect_.reset();
    editor1_.reset();
    editor2_.reset();
    editor3_.reset();
    about_.reset();
    checksum_.reset();
    programming_.reset();
    mainWindow_.reset();
    lowLevelTest_.reset();
    comSelect_.reset();
}

} // namespace velmora
