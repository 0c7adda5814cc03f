// Messages whose parameters are addresses, when they may come from another
// thread or program.
#pragma once

#include <windows.h>

namespace foreign {

// Whether the parameter of a WM_NOTIFY being handled may be read. A control
// of this thread notifies with an address of this process; a sender in
// another thread or program may pass anything. While this thread answers
// another's send, a notification is still read when it points at writable
// memory of this process and names a window of this thread as its sender
// (a control of ours notifying on the way).
bool TrustedNotification(LPARAM lParam);

}  // namespace foreign

namespace foreign {

// Posted messages that carry addresses are blanked as they leave the queue,
// whichever loop takes them (the program's, a dialog's, a menu's): their
// addresses may come from any process. A window adds the rule that picks its
// messages while it exists; one hook per thread serves every rule. The
// blanked message is also remembered, so that it is refused when dispatched
// even where the blanking does not reach the caller of the loop.
using PostedAddressRule = bool (*)(const MSG& msg);
void AddPostedAddressRule(PostedAddressRule rule);
void RemovePostedAddressRule(PostedAddressRule rule);
// Whether the message being handled is the posted one blanked last (and
// forgets it).
bool WasPosted(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace foreign
