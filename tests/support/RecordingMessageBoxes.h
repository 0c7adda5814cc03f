// A message-box service for Win32 tests: records every text and answers from
// a queue, or by default OK for plain messages and Cancel for questions.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "framework/win/MessageBox.h"

struct RecordingMessageBoxes : IMessageBoxService {
    std::vector<std::string> texts;
    std::deque<int> answers;
    int Show(HWND, const std::string& text, const std::string&, UINT type) override {
        texts.push_back(text);
        if (!answers.empty()) {
            const int a = answers.front();
            answers.pop_front();
            return a;
        }
        return (type & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
    }
};
