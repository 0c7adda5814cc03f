#include "framework/win/ControlBar.h"

void CToolCmdUI::Enable(bool on) {
    CCmdUI::Enable(on);
    const LRESULT state = ::SendMessageA(m_toolBar, TB_GETSTATE, m_command, 0);
    if (state == -1) return;
    const bool enabled = (state & TBSTATE_ENABLED) != 0;
    if (enabled != on) ::SendMessageA(m_toolBar, TB_ENABLEBUTTON, m_command, MAKELPARAM(on ? TRUE : FALSE, 0));
}

void CToolCmdUI::SetCheck(bool on) {
    CCmdUI::SetCheck(on);
    const LRESULT state = ::SendMessageA(m_toolBar, TB_GETSTATE, m_command, 0);
    if (state == -1) return;
    const bool checked = (state & TBSTATE_CHECKED) != 0;
    if (checked != on) ::SendMessageA(m_toolBar, TB_CHECKBUTTON, m_command, MAKELPARAM(on ? TRUE : FALSE, 0));
}
