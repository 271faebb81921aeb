#include "ui/ErrorHook.h"

#include "devicedata/UserMessages.h"
#include "ui/QtUserMessages.h"
#include "ui/UiTexts.h"

namespace velmora {

namespace {

UserMessages* installedMessages = nullptr;

UserMessages& messages()
{
    static QtUserMessages qtMessages;
    return installedMessages != nullptr ? *installedMessages : qtMessages;
}

} // namespace

MaskedEditValidationError::MaskedEditValidationError() : std::runtime_error(ui::kMaskedEditError)
{
}

void ErrorHook::install(UserMessages* messages)
{
    installedMessages = messages;
}

void ErrorHook::handle(const std::exception& error)
{
    if (dynamic_cast<const MaskedEditValidationError*>(&error) != nullptr) {
        showError(messages(), ui::kMaskedEditError);
        return;
    }
    showError(messages(), error.what());
}

} // namespace velmora
