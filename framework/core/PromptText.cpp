#include "framework/core/PromptText.h"

#include "framework/core/Sjis.h"

namespace prompt {

std::string PromptPart(const std::string& text) {
    const std::size_t nl = sjis::FindLastChar(text, '\n');
    return nl == sjis::npos ? text : text.substr(0, nl);
}

std::string ToolTipPart(const std::string& text) {
    const std::size_t nl = sjis::FindLastChar(text, '\n');
    return nl == sjis::npos ? text : text.substr(nl + 1);
}

}  // namespace prompt
