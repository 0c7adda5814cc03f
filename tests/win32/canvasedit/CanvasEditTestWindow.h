// An editor in a test window whose parent records the editor's notifications.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/win/CanvasEdit.h"

namespace canvasedittest {

class CParent : public CWnd {
public:
    std::vector<int> codes;
    std::vector<std::int32_t> lastCaret;  // the four values of the last 0x464

    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == WM_COMMAND && LOWORD(wParam) == 0) {
            codes.push_back(HIWORD(wParam));
            if (HIWORD(wParam) == 0x464 && lParam) {
                const std::int32_t* v = reinterpret_cast<const std::int32_t*>(lParam);
                lastCaret.assign(v, v + 4);
            }
            *result = 0;
            return true;
        }
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
    bool Heard(int code) const { return std::find(codes.begin(), codes.end(), code) != codes.end(); }
};

class EditorWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpszClassName = "PqEditorTestParent";
        ASSERT_TRUE(CWnd::RegisterWindowClass(wc));
        ASSERT_TRUE(parent.CreateEx(0, "PqEditorTestParent", "", WS_POPUP, 0, 0, 600, 400, nullptr, 0));
        RECT rc = {0, 0, 600, 400};
        ASSERT_TRUE(edit.Create(parent.m_hWnd, CCanvasEdit::kControlId, &rc));
    }
    void TearDown() override {
        edit.DestroyWindow();
        parent.DestroyWindow();
    }
    std::string Text() {
        std::string s;
        edit.Model().GetText(s);
        return s;
    }
    CParent parent;
    CCanvasEdit edit;
};

}  // namespace canvasedittest
