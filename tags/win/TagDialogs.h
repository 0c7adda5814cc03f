// The properties dialogs of registered tags: simple tags (209), tag files
// (210) and plug-ins (233). Each works on a record and ends with 1 (OK),
// 2 (Cancel) or 5 (OK, then open the key settings).
#pragma once

#include <string>

#include "framework/win/Dialog.h"
#include "tags/core/TagRecords.h"

namespace tagswin {

constexpr int kOpenKeySettings = 5;

class CSimpleTagDlg : public CDialog {
public:
    CSimpleTagDlg(tags::SimpleTagData& record, HWND parent);
    bool OnInitDialog() override;
    void OnOK() override;

private:
    tags::SimpleTagData& m_record;
};

class CFilePropDlg : public CDialog {
public:
    CFilePropDlg(std::string& name, HWND parent);
    bool OnInitDialog() override;
    void OnOK() override;

private:
    std::string& m_name;
};

class CPluginDlg : public CDialog {
public:
    CPluginDlg(tags::PluginTagData& record, HWND parent);
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Refills the file list with the "*.pqi" files of the plug-in folder,
    // keeping the typed text.
    void RebuildFileList();

private:
    tags::PluginTagData& m_record;
};

}  // namespace tagswin
