#include "ui/ElidedText.h"

#include "ui/UiTexts.h"

namespace velmora {

namespace {

bool continuesCharacter(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

} // namespace

std::string ElideMiddle(std::string_view text, std::size_t longest)
{
    if (text.size() <= longest)
        return std::string(text);
    std::size_t headEnd = longest / 2;
    while (headEnd > 0 && continuesCharacter(text[headEnd]))
        --headEnd;
    std::size_t tailStart = text.size() - longest / 2;
    while (tailStart < text.size() && continuesCharacter(text[tailStart]))
        ++tailStart;
    return std::string(text.substr(0, headEnd)) + ui::kElisionPrefix + std::to_string(text.size())
           + ui::kElisionSuffix + std::string(text.substr(tailStart));
}

} // namespace velmora
