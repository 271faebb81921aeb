#include "cli/CliMessages.h"

#include "cli/CliTexts.h"
#include "cli/TerminalBridge.h"

namespace velmora::cli {

MessageButton CliMessages::showMessage(MessageKind kind, const std::string& text, MessageButtons buttons)
{
    std::FILE* stream = kind == MessageKind::Information ? out_ : err_;
    std::fprintf(stream, "%s\n", terminalText(text).c_str());
    if (kind == MessageKind::Error)
        errorShown_ = true;
    MessageButton answer = ButtonOk;
    if ((buttons & ButtonNo) != 0) {
        answer = ButtonNo;
        questionDeclined_ = true;
        std::fprintf(stream, "-> %s\n", kAnswerNo);
    }
    std::fflush(stream);
    return answer;
}

void CliMessages::reset()
{
    errorShown_ = false;
    questionDeclined_ = false;
}

} // namespace velmora::cli
