#include "hexfile/LoadHexFile.h"

#include "hexfile/HexImageLoader.h"
#include "hexfile/HexMessages.h"
#include "hexfile/InputFile.h"

namespace velmora {

namespace {

// Shows the outcome of a load whose source is already closed.
HexLoadResult reportLoad(DeviceImage& image, const HexLoadResult& result, UserMessages& messages)
{
    if (result.error != HexLoadError::None) {
        showError(messages, HexLoadErrorText(result));
        // Blank with every byte present, so a following Program covers the whole device.
        image.ClearImage(true);
        return result;
    }
    if (!result.endOfFileSeen)
        messages.showMessage(MessageKind::Warning, std::string(hexmessages::kEofMissing), ButtonOk);
    if (result.configMovedToFlash)
        messages.showMessage(MessageKind::Warning, std::string(hexmessages::kConfigMovedToFlash), ButtonOk);
    return result;
}

} // namespace

HexLoadResult LoadHexFile(DeviceImage& image, const std::string& fileName, UserMessages& messages)
{
    image.ClearImage(false);
    InputFile file;
    if (!file.open(fileName))
        return reportLoad(image, HexLoadResult{HexLoadError::CannotOpen}, messages);
    const HexLoadResult result = HexImageLoader(image).load(file);
    file.close();
    return reportLoad(image, result, messages);
}

HexLoadResult LoadHex(DeviceImage& image, ByteSource& source, UserMessages& messages)
{
    image.ClearImage(false);
    return reportLoad(image, HexImageLoader(image).load(source), messages);
}

} // namespace velmora
