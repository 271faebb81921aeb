#include "hexfile/LoadHexFile.h"

#include "hexfile/HexImageLoader.h"
#include "hexfile/HexMessages.h"
#include "hexfile/platform/InputFile.h"

namespace velmora {

namespace {

// Shows the outcome of a load whose source is already closed.
void reportLoad(DeviceImage& image, const HexLoadResult& result, UserMessages& messages)
{
    if (result.error != HexLoadError::None) {
        showError(messages, HexLoadErrorText(result));
        // Blank with every byte present, so a following Program covers the whole device.
        image.ClearImage(true);
        return;
    }
    if (!result.endOfFileSeen)
        messages.showMessage(MessageKind::Warning, std::string(hexmessages::kEofMissing), ButtonOk);
}

} // namespace

void LoadHexFile(DeviceImage& image, const std::string& fileName, UserMessages& messages)
{
    image.ClearImage(false);
    InputFile file;
    if (!file.open(fileName)) {
        reportLoad(image, HexLoadResult{HexLoadError::CannotOpen}, messages);
        return;
    }
    const HexLoadResult result = HexImageLoader(image).load(file);
    file.close();
    reportLoad(image, result, messages);
}

void LoadHex(DeviceImage& image, ByteSource& source, UserMessages& messages)
{
    image.ClearImage(false);
    reportLoad(image, HexImageLoader(image).load(source), messages);
}

} // namespace velmora
