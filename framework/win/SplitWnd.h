// CSplitWnd: a window of class "SplitWindow32" holding two panes, stacked or
// side by side, with a draggable bar between them and, for each pane, an
// optional caption bar with a close button. Commands and notifications of
// the panes go on to the split window's parent.
#pragma once

#include <string>

#include "framework/win/Wnd.h"
#include "framework/core/SplitGeometry.h"

class CSplitWnd : public CWnd {
public:
    static constexpr char kClassName[] = "SplitWindow32";

    // Window flags.
    static constexpr BYTE kStacked = 0x01;     // pane 0 above pane 1, else left of it
    static constexpr BYTE kLiveDrag = 0x02;    // panes follow the bar while it is dragged
    static constexpr BYTE kBarMovable = 0x04;
    static constexpr BYTE kDragging = 0x80;
    // Pane flags.
    static constexpr BYTE kPaneShown = 0x01;
    static constexpr BYTE kPaneCaption = 0x02;
    static constexpr BYTE kPaneCloseButton = 0x04;
    static constexpr BYTE kPaneCloseHot = 0x40;
    static constexpr BYTE kPaneClosePressed = 0x80;

    CSplitWnd();
    ~CSplitWnd() override;

    static bool RegisterClass();
    // Creates the window as a child of parent (it always clips its children).
    bool Create(HWND parent, UINT id, const RECT& rc, DWORD style = WS_CHILD | WS_VISIBLE);
    // True when hwnd is a window of class "SplitWindow32" made by this class.
    static CSplitWnd* FromSplitHandle(HWND hwnd);

    // Makes the two windows (either may be null) the panes and children of
    // this window, with the orientation; lays out when relayout is set.
    void SetPanes(HWND pane0, HWND pane1, bool stacked, bool relayout = true);
    // Shows or hides the two panes and their windows.
    void ShowPanes(bool show0, bool show1);
    void SetCaptions(bool caption0, bool caption1);
    void SetCaptionText(int pane, const std::string& text);
    // Returns the previous position. The position is kept as set and clamped
    // to the window on every layout.
    int SetBarPos(int pos);
    int GetBarPos() const { return m_barPos; }
    // The position the bar is drawn at now (clamped to the current size).
    int GetEffectiveBarPos() const;
    bool SetBarMovable(bool movable);
    bool SetLiveDrag(bool live);
    // The icon of the close buttons (16 x 16); the caller keeps it.
    void SetCloseIcon(HICON icon);
    bool IsPaneShown(int pane) const;

    HWND GetPane(int pane) const { return (pane == 0 || pane == 1) ? m_pane[pane] : nullptr; }
    bool IsStacked() const { return (m_flags & kStacked) != 0; }
    bool IsDragging() const { return (m_flags & kDragging) != 0; }
    BYTE GetPaneFlags(int pane) const { return (pane == 0 || pane == 1) ? m_paneFlags[pane] : 0; }
    const std::string& GetCaptionText(int pane) const { return m_caption[pane == 1 ? 1 : 0]; }
    HWND GetToolTip() const { return m_toolTip; }

    // Places the pane windows for the current size and state.
    virtual void RecalcLayout();
    split::SplitGeometry Geometry() const;
    split::SplitMetrics Metrics() const;

    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    split::SplitState State() const;
    // A pane was closed with its caption button.
    virtual void OnPaneClosed(int pane);
    // An inner split window in one of the panes has closed its last pane:
    // hide it and show the other pane.
    void OnChildSplitEmptied(HWND child);

    LRESULT OnCreateMsg(WPARAM, LPARAM);
    LRESULT OnSizeMsg(WPARAM, LPARAM);
    LRESULT OnEraseBkgndMsg(WPARAM, LPARAM);
    LRESULT OnPaintMsg(WPARAM, LPARAM);
    LRESULT OnSetCursorMsg(WPARAM, LPARAM);
    LRESULT OnLButtonDownMsg(WPARAM, LPARAM);
    LRESULT OnMouseMoveMsg(WPARAM, LPARAM);
    LRESULT OnLButtonUpMsg(WPARAM, LPARAM);
    LRESULT OnCaptureChangedMsg(WPARAM, LPARAM);
    LRESULT OnMouseLeaveMsg(WPARAM, LPARAM);

    void PaintCaption(HDC dc, int pane, const split::PaneGeometry& g);
    void DrawDragOutline(int pos);
    void EndDrag(bool apply);
    void SetCloseState(int pane, BYTE state);
    void UpdateToolRects(const split::SplitGeometry& g);
    void SetSizeCursor() const;

    int m_cx = 0;
    int m_cy = 0;
    int m_barHalf = 2;
    int m_barPos = 200;
    BYTE m_flags = kLiveDrag | kBarMovable;
    BYTE m_paneFlags[2] = {kPaneShown | kPaneCaption | kPaneCloseButton, kPaneShown | kPaneCaption | kPaneCloseButton};
    HWND m_pane[2] = {nullptr, nullptr};
    std::string m_caption[2];
    RECT m_captionRect[2] = {};
    HICON m_closeIcon = nullptr;
    HWND m_toolTip = nullptr;

private:
    int m_dragPos = 0;         // bar position while dragging
    int m_pressedPane = -1;    // pane whose close button holds the mouse
    bool m_trackingLeave = false;

    DECLARE_MESSAGE_MAP()
};
