// The editor window: shows the formulas of its CVexlorData and turns the
// keyboard, the mouse, the scroll bars and the Edit and Insert commands into
// calls on it.
//
// Event handlers run the model against a device context that measures but
// paints nothing, then ask for a repaint; the paint event lays out and draws
// everything from the model with a painting device context, inverts the
// selection and draws the caret. Both passes measure with the same fonts,
// so their geometry agrees. While the layout holds (nothing was edited,
// resized or zoomed since; only the caret blinked, the focus moved or the
// view scrolled) the paint event lays nothing out and draws only the rows
// reaching into the region it repaints.
//
// The zoom is a view transform only: the model lays out, scrolls and hit-
// tests at 100 %, in a client rectangle of the viewport's size divided by
// the scale; painting, mouse points, the caret and repaints are scaled.
#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <functional>
#include <memory>
#include <vector>

#include "editor/EditorFrame.h"
#include "editor/qt/Caret.h"
#include "platform/EqWindow.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtDC.h"
#include "platform/qt/QtFontBook.h"

class CArchive;
class CVexlorData;
class QPainter;

class CVexlor : public QAbstractScrollArea, public CEqWindow {
    Q_OBJECT

  public:
    // Scroll-bar request codes.
    enum ScrollCode {
        SB_LINEUP = 0,
        SB_LINELEFT = 0,
        SB_LINEDOWN = 1,
        SB_LINERIGHT = 1,
        SB_PAGEUP = 2,
        SB_PAGELEFT = 2,
        SB_PAGEDOWN = 3,
        SB_PAGERIGHT = 3,
        SB_THUMBPOSITION = 4,
        SB_THUMBTRACK = 5,
        SB_TOP = 6,
        SB_LEFT = 6,
        SB_BOTTOM = 7,
        SB_RIGHT = 7,
        SB_ENDSCROLL = 8,
    };

    explicit CVexlor(QWidget* parent = nullptr);
    ~CVexlor() override;

    CVexlorData* GetData() const { return m_pData.get(); }
    // The slot the text installation replaces the data in.
    std::unique_ptr<CVexlorData>& DataSlot() {
        m_bLayoutDue = true;
        return m_pData;
    }

    // Makes pDC, or the measuring context when it is null, the one in use,
    // with the regular font and the window's colours.
    void PrepareDC(CDC* pDC) override;
    // The caret where the model has it, while the window has the focus.
    void PlaceCaret();
    // Learns, in idle moments, the text Save will write for the rows not
    // yet written (see CVexlorData::LearnTexts).
    void LearnTextsWhenIdle();
    // Replaces the data with one empty row.
    void ResetData();
    // The data's whole image; a loaded image is shown in this window.
    void Serialize(CArchive& ar);

    // The Edit and Insert commands; false for any other id.
    bool OnCmdMsg(int id);
    void OnHScroll(int code, int pos);
    void OnVScroll(int code, int pos);

    // The view's scale in percent, kMinZoom to kMaxZoom.
    static constexpr int kMinZoom = 50;
    static constexpr int kMaxZoom = 400;
    int GetZoom() const { return m_nZoom; }
    // Clamped into the range; repaints and tells zoomChanged when it changed.
    void SetZoom(int percent);
    // The next step of the zoom ladder up or down.
    void ZoomIn();
    void ZoomOut();
    // A viewport point in the model's coordinates, and a model rectangle in
    // the viewport's (grown to whole pixels).
    POINT ToModel(QPointF point) const;
    QRect ToView(const QRect& rect) const;
    // A viewport rectangle in the model's coordinates, grown to whole units.
    RECT ToModel(const QRect& rect) const;

    // Export and printing. LayoutAll lays the model out at 100 % from the
    // top left, unscrolled, and returns its size and every expression's
    // rectangle; RenderBand paints the part of that layout inside band onto
    // painter with the band's top left at the painter's origin, black on
    // white, without the caret and the selection. The window's own view is
    // left as it was.
    QSize LayoutAll(std::vector<QRect>* rows);
    void RenderBand(QPainter* painter, const QRect& band);

    // Where the status message goes (the frame's message pane).
    void SetStatusSink(std::function<void(const std::string&, bool)> sink);

    // CEqWindow.
    bool HasFocus() const override;
    short GetKeyState(unsigned vk) const override;
    void MessageBox(const std::string& text) override;
    void CreateCaret(int width, int height) override;
    void SetCaretPos(POINT pt) override;
    void ShowCaret() override;
    void DestroyCaret() override;
    void SetScrollInfo(int bar, const SCROLLINFO& info) override;
    SCROLLINFO GetScrollInfo(int bar) const override;
    void InvalidateRect(const RECT& rect, bool erase) override;
    void Invalidate(bool erase) override;
    void SetStatusMessage(const std::string& text, bool error) override;
    CClipboard* GetClipboard() override { return &m_clipboard; }

    // State for the frame and for tests.
    const Caret& GetCaret() const { return m_caret; }
    bool IsDragging() const { return m_bDragging != 0; }

  signals:
    // The data changed in a way that may change which commands are enabled.
    void stateChanged();
    void zoomChanged(int percent);

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Text an input method commits is typed through the Unicode mapping.
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    // Tab stays in the editor, as a key it ignores.
    bool focusNextPrevChild(bool next) override;

  private:
    class RenderScope;

    std::unique_ptr<CVexlorData> m_pData;
    EditorFrame m_frame{*this, m_pData};
    int m_bDragging = 0;
    POINT m_ptDown;
    POINT m_ptMove;

    QtFontBook m_fonts;
    CQtDC m_measureDC;
    CQtClipboard m_clipboard;
    Caret m_caret;
    QBasicTimer m_blinkTimer;
    QBasicTimer m_textTimer;
    SCROLLINFO m_scroll[2];
    Qt::KeyboardModifiers m_modifiers;
    bool m_bInInput = false;
    bool m_bPainting = false;
    // Something may have changed the layout since the last paint pass.
    bool m_bLayoutDue = true;
    QPoint m_wheelRest;
    int m_nZoom = 100;
    std::function<void(const std::string&, bool)> m_statusSink;

    void CreateFonts();
    void ConnectScrollBar(int bar);
    void OnScrollAction(int bar, int action);
    void Scroll(int bar, int code, int pos);
    void Wheel(QPoint angleDelta, bool horizontal);
    void WheelZoom(QPoint angleDelta);
    double Scale() const { return m_nZoom / 100.0; }
    // The model's client rectangle: the viewport at the current zoom.
    void UpdateClientRect();
    void RepaintCaret();
    void RestartBlink();
    void BeginInput(Qt::KeyboardModifiers modifiers);
    void EndInput();
};
