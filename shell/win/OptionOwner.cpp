// The main frame as the owner of what the options sheet edits: the document
// window's colour modes, preview and file settings, the folder tree's
// options, and the frame's own start-up and split options.
#include "framework/win/WinPath.h"
#include "shell/win/MainFrame.h"
#include "shell/win/OptionSheet.h"

namespace {

class FrameOptionOwner : public IOptionOwner {
public:
    explicit FrameOptionOwner(CMainFrame& frame) : m_frame(frame) {}

    const editor::ColorModeTable& ColorModes() const override { return Modes().Table(); }
    void SetColorModes(const std::vector<editor::ColorMode>& modes) override { Modes().Table().ReplaceModes(modes); }
    void SetLastShown(int modeIndex, int detailIndex) override {
        Modes().Table().SetModeIndex(modeIndex);
        Modes().Table().SetDetailIndex(detailIndex);
    }
    std::string KeywordFolder() const override { return ProgramFolder() + "Keyword\\"; }
    preview::PreviewSettings Preview() const override { return m_frame.Documents().PreviewSettings(); }
    void SetBrowserBlock(const preview::BrowserBlock& block) override { m_frame.Documents().SetBrowserBlock(block); }
    void SetServerBlock(const preview::ServerBlock& block) override { m_frame.Documents().SetServerBlock(block); }
    docs::FileSettings Files() const override { return m_frame.Documents().FileSettings(); }
    void SetFiles(const docs::FileSettings& s) override { m_frame.Documents().SetFileSettings(s); }
    filetree::FolderTreeSettings FolderTree() const override { return m_frame.FolderTree().GetSettings(); }
    void SetFolderTree(const filetree::FolderTreeSettings& s, bool rebuild) override {
        m_frame.FolderTree().ApplySettings(s, rebuild);
    }
    options::EtcPageResult Etc() const override {
        options::EtcPageResult etc;
        etc.lastSize = m_frame.Options().lastSize;
        etc.lastOpen = m_frame.Options().lastOpen;
        etc.splitShowMove = m_frame.Panes().LiveDrag();
        return etc;
    }
    void SetEtc(const options::EtcPageResult& etc) override {
        shell::FrameOptions o = m_frame.Options();
        o.lastSize = etc.lastSize;
        o.lastOpen = etc.lastOpen;
        m_frame.SetOptions(o);
        m_frame.Panes().SetLiveDrag(etc.splitShowMove);
    }
    void ReapplyToDocuments() override { m_frame.Documents().ReapplySettings(); }

private:
    editor::ColorModeManager& Modes() const { return *m_frame.Documents().ColorModes(); }
    CMainFrame& m_frame;
};

}  // namespace

void CMainFrame::OpenOptionSheet(unsigned pageMask) {
    if (!m_docs.ColorModes()) return;
    FrameOptionOwner owner(*this);
    COptionSheet sheet(m_hWnd, owner, pageMask);
    sheet.Run();
}
