// Export and printing: the whole model laid out from the top left at 100 %,
// unscrolled, and painted band by band in black on white with the window's
// own painting code, without the caret and the selection.
#include <QPainter>
#include <QPalette>

#include "editor/VexlorData.h"
#include "editor/qt/Vexlor.h"
#include "rows/EqExpr.h"

namespace {
QPalette PaperPalette() {
    QPalette palette;
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base})
        palette.setColor(role, Qt::white);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
        palette.setColor(role, Qt::black);
    return palette;
}
} // namespace

// The view's scroll offset, scroll bars and client rectangle, put back when
// it ends; meanwhile the window takes no repaint requests.
class CVexlor::RenderScope {
  public:
    explicit RenderScope(CVexlor* view)
        : m_pView(view), m_scroll(view->m_pData->Scroll()),
          m_client(view->m_rcClient), m_bars{view->GetScrollInfo(SB_HORZ),
                                             view->GetScrollInfo(SB_VERT)} {
        m_pView->m_bPainting = true;
        m_pView->m_pData->SetDrawingApart(true);
    }
    ~RenderScope() {
        m_pView->m_pData->SetDrawingApart(false);
        m_pView->m_pData->SetScroll(m_scroll);
        m_pView->m_rcClient = m_client;
        m_pView->SetScrollInfo(SB_HORZ, m_bars[0]);
        m_pView->SetScrollInfo(SB_VERT, m_bars[1]);
        m_pView->PrepareDC(nullptr);
        m_pView->m_bPainting = false;
        m_pView->Invalidate(true);
    }
    RenderScope(const RenderScope&) = delete;
    RenderScope& operator=(const RenderScope&) = delete;

  private:
    CVexlor* m_pView;
    POINT m_scroll;
    RECT m_client;
    SCROLLINFO m_bars[2];
};

QSize CVexlor::LayoutAll(std::vector<QRect>* rows) {
    RenderScope scope(this);
    m_pData->SetScroll(POINT{});
    m_rcClient = RECT{}; // nothing is visible, so nothing is drawn
    PrepareDC(nullptr);
    m_pData->Layout();
    if (rows) {
        rows->clear();
        for (const RECT& r : m_pData->RowBoxes())
            rows->push_back(QRect(r.left, r.top, RectWidth(r), RectHeight(r)));
    }
    return QSize(m_pData->TotalSize().cx, m_pData->TotalSize().cy);
}

void CVexlor::RenderBand(QPainter* painter, const QRect& band) {
    RenderScope scope(this);
    m_pData->SetScroll(POINT{band.left(), band.top()});
    m_rcClient = RECT{0, 0, band.width(), band.height()};
    painter->save();
    painter->setClipRect(QRect(QPoint(0, 0), band.size()));
    painter->fillRect(QRect(QPoint(0, 0), band.size()), Qt::white);
    CQtDC dc(&m_fonts);
    dc.Begin(painter, PaperPalette());
    PrepareDC(&dc);
    m_pData->Layout();
    dc.End();
    PrepareDC(nullptr);
    painter->restore();
}
