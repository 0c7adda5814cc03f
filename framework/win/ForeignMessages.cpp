#include "framework/win/ForeignMessages.h"

#include <algorithm>
#include <vector>

namespace foreign {

namespace {

thread_local HHOOK t_hook = nullptr;
thread_local std::vector<PostedAddressRule>* t_rules = nullptr;
thread_local MSG t_posted = {};

LRESULT CALLBACK DropPostedAddresses(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE && t_rules) {
        // What was blanked last is refused until the next message leaves
        // the queue; by then it has been handled as nothing.
        t_posted = MSG{};
        MSG* msg = reinterpret_cast<MSG*>(lParam);
        if (msg && msg->message != WM_NULL &&
            std::any_of(t_rules->begin(), t_rules->end(), [msg](PostedAddressRule rule) { return rule(*msg); })) {
            t_posted = *msg;
            msg->message = WM_NULL;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void AddPostedAddressRule(PostedAddressRule rule) {
    if (!t_rules) t_rules = new std::vector<PostedAddressRule>();
    t_rules->push_back(rule);
    if (!t_hook) t_hook = ::SetWindowsHookExA(WH_GETMESSAGE, DropPostedAddresses, nullptr, ::GetCurrentThreadId());
}

void RemovePostedAddressRule(PostedAddressRule rule) {
    if (!t_rules) return;
    auto it = std::find(t_rules->begin(), t_rules->end(), rule);
    if (it != t_rules->end()) t_rules->erase(it);
    if (t_rules->empty()) {
        if (t_hook) ::UnhookWindowsHookEx(t_hook);
        t_hook = nullptr;
        delete t_rules;
        t_rules = nullptr;
    }
}

bool WasPosted(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const MSG& p = t_posted;
    if (p.message != message || p.hwnd != hwnd || p.wParam != wParam || p.lParam != lParam) return false;
    t_posted = MSG{};
    return true;
}

}  // namespace foreign
