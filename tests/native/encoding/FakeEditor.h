// A stand-in for the editor's text store as a save sees it: the whole text
// with each line's own line end, and the operation that sets every line end.
#pragma once

#include "documents/core/LineEnds.h"
#include "documents/core/TextCodec.h"

#include <string>

namespace enctest {

class FakeEditor : public encoding::ISaveSource {
public:
    explicit FakeEditor(std::string text) : text(std::move(text)) {
        mode = encoding::FirstLineEnd(this->text.data(), this->text.size());
    }
    void SetLineEndMode(int code) override {
        std::string out;
        encoding::ConvertLineEnds(text.data(), text.size(), code, &out);
        text.swap(out);
        mode = code;
        ++modeChanges;
    }
    bool GetText(int code, std::string* out) override {
        if (failGetText) return false;
        out->clear();
        if (code >= 0 && code <= 2) return encoding::ConvertLineEnds(text.data(), text.size(), code, out);
        *out = text;
        return true;
    }

    std::string text;
    int mode = 0;
    int modeChanges = 0;
    bool failGetText = false;
};

}  // namespace enctest
