#include "framework/win/CmdTarget.h"

const MessageMap* CCmdTarget::GetThisMessageMap() {
    static const MessageMapEntry entries[] = {{0, 0, 0, 0, MsgSig::End, MsgHandlerFn(), nullptr}};
    static const MessageMap map = {nullptr, entries};
    return &map;
}

bool CCmdTarget::DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const MessageMapEntry* e = map->entries; e->sig != MsgSig::End; ++e) {
            const bool plain = e->sig == MsgSig::Msg && e->message == message;
            const bool registered = e->sig == MsgSig::RegMsg && e->regMessage &&
                                    *e->regMessage != 0 && *e->regMessage == message;
            if (plain || registered) {
                *result = (this->*e->handler.msg)(wParam, lParam);
                return true;
            }
        }
    }
    return false;
}

bool CCmdTarget::DispatchNotify(NMHDR* header, LRESULT* result) {
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const MessageMapEntry* e = map->entries; e->sig != MsgSig::End; ++e) {
            if (e->sig == MsgSig::Notify && e->code == static_cast<int>(header->code) &&
                e->idFirst == static_cast<UINT>(header->idFrom)) {
                (this->*e->handler.notify)(header, result);
                return true;
            }
        }
    }
    return false;
}

const MessageMapEntry* CCmdTarget::FindCommandEntry(UINT id, int code, bool update) const {
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const MessageMapEntry* e = map->entries; e->sig != MsgSig::End; ++e) {
            if (e->message != WM_COMMAND || id < e->idFirst || id > e->idLast) continue;
            if (update) {
                if (e->sig == MsgSig::Update || e->sig == MsgSig::UpdateRange) return e;
            } else if (e->sig == MsgSig::Control) {
                if (e->code == code) return e;
            } else if ((e->sig == MsgSig::Cmd || e->sig == MsgSig::CmdRange) &&
                       (code == CN_COMMAND || code == 1)) {
                // Menu items (code 0) and accelerators (code 1) are commands.
                return e;
            }
        }
    }
    return nullptr;
}

bool CCmdTarget::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
    if (code == CN_UPDATE_COMMAND_UI) {
        const MessageMapEntry* e = FindCommandEntry(id, code, true);
        if (e && ui) {
            (this->*e->handler.update)(ui);
            ui->m_bHandled = true;
            return true;
        }
        // A command that has a handler but no state handler is enabled.
        if (FindCommandEntry(id, CN_COMMAND, false)) {
            if (ui) {
                ui->Enable(true);
                ui->m_bHandled = true;
            }
            return true;
        }
        return false;
    }
    const MessageMapEntry* e = FindCommandEntry(id, code, false);
    if (!e) return false;
    switch (e->sig) {
        case MsgSig::Cmd:
        case MsgSig::Control:
            (this->*e->handler.cmd)();
            return true;
        case MsgSig::CmdRange:
            (this->*e->handler.range)(id);
            return true;
        default:
            return false;
    }
}
