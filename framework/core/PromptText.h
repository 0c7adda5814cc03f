// A command's string-table text holds two parts: the status-bar prompt, then
// a line break and the tool tip ("新しいファイルを作成します。\n新規作成").
#pragma once

#include <string>

namespace prompt {

// The text before the last line break (the whole text without one).
std::string PromptPart(const std::string& text);
// The text after the last line break (the whole text without one).
std::string ToolTipPart(const std::string& text);

}  // namespace prompt
