#include "editor/qt/Vexlor.h"

#include <algorithm>
#include <cmath>

#include <QGuiApplication>
#include <QMessageBox>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyleHints>

#include "editor/VexlorData.h"
#include "platform/Archive.h"
#include "platform/Keys.h"
#include "platform/qt/QtText.h"

namespace {
const char kFace[] = "Courier New";
constexpr int kRegularHeight = 20;
constexpr int kSmallHeight = 14;
// The zoom ladder of Zoom In and Zoom Out, in percent.
constexpr int kZoomSteps[] = {50, 67, 80, 100, 125, 150, 200, 250, 300, 400};
} // namespace

CVexlor::CVexlor(QWidget* parent) : QAbstractScrollArea(parent), m_measureDC(&m_fonts) {
    m_pData = std::make_unique<CVexlorData>();
    m_pData->Reset();
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setCursor(Qt::ArrowCursor);
    m_measureDC.Begin(nullptr, palette());
    m_pDC = &m_measureDC;
    CreateFonts();
    setAttribute(Qt::WA_InputMethodEnabled);
    UpdateClientRect();
    ResetData();
    ConnectScrollBar(SB_HORZ);
    ConnectScrollBar(SB_VERT);
}

CVexlor::~CVexlor() {
    m_pData.reset();
    m_pDC = nullptr;
}

void CVexlor::CreateFonts() {
    m_fontNormal = CFont(kFace, kRegularHeight, false, false);
    m_fontBold = CFont(kFace, kRegularHeight, true, false);
    m_fontBoldItalic = CFont(kFace, kRegularHeight, true, true);
    m_fontSmall = CFont(kFace, kSmallHeight, false, false);
    m_fontSmallBold = CFont(kFace, kSmallHeight, true, false);
    m_fontSmallBoldItalic = CFont(kFace, kSmallHeight, true, true);
    for (CFont* font : {&m_fontNormal, &m_fontBold, &m_fontBoldItalic, &m_fontSmall,
                        &m_fontSmallBold, &m_fontSmallBoldItalic})
        m_fonts.Describe(font);
}

void CVexlor::PrepareDC(CDC* pDC) {
    if (!pDC) {
        m_measureDC.Begin(nullptr, palette());
        pDC = &m_measureDC;
    }
    m_pDC = pDC;
    pDC->SelectObject(&m_fontNormal);
    pDC->SetTextColor(pDC->GetSysColor(COLOR_WINDOWTEXT));
    pDC->SetBkColor(pDC->GetSysColor(COLOR_WINDOW));
}

void CVexlor::PlaceCaret() {
    m_pData->PlaceCaret();
}

void CVexlor::ResetData() {
    PrepareDC(nullptr);
    m_pData = std::make_unique<CVexlorData>();
    m_pData->SetWindow(this);
    m_pData->Reset();
    Invalidate(true);
}

void CVexlor::Serialize(CArchive& ar) {
    m_pData->Serialize(ar);
    if (!ar.IsStoring())
        m_pData->SetWindow(this);
    Invalidate(true);
}

void CVexlor::SetStatusSink(std::function<void(const std::string&, bool)> sink) {
    m_statusSink = std::move(sink);
}

// Painting: the background, every row laid out and drawn from the model, the
// selection inverted, the scroll bars brought up to date, then the caret.
// When the layout holds, only the rows reaching into the repainted region
// are drawn (the painter clips to it either way).
void CVexlor::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    CQtDC dc(&m_fonts);
    dc.Begin(&painter, palette());
    painter.fillRect(viewport()->rect(), CQtDC::ToQColor(dc.GetSysColor(COLOR_WINDOW)));
    painter.scale(Scale(), Scale());
    m_bPainting = true;
    if (m_bLayoutDue || !m_pData->IsPlaced())
        m_frame.Paint(&dc);
    else
        m_frame.Repaint(&dc, ToModel(event->rect()));
    m_bLayoutDue = false;
    if (m_caret.IsInk() && HasFocus()) {
        QRect r = m_caret.Rect();
        dc.InvertRect(RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
    }
    dc.End();
    PrepareDC(nullptr);
    m_bPainting = false;
}

void CVexlor::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateClientRect();
    Invalidate(true);
}

// The client rectangle decides the scroll bars and the clamped scroll offset.
void CVexlor::UpdateClientRect() {
    m_bLayoutDue = true;
    m_rcClient = RECT{0, 0, static_cast<int>(viewport()->width() / Scale()),
                      static_cast<int>(viewport()->height() / Scale())};
}

void CVexlor::SetZoom(int percent) {
    percent = std::clamp(percent, kMinZoom, kMaxZoom);
    if (percent == m_nZoom)
        return;
    m_nZoom = percent;
    UpdateClientRect();
    Invalidate(true);
    emit zoomChanged(percent);
}

void CVexlor::ZoomIn() {
    for (int step : kZoomSteps)
        if (step > m_nZoom) {
            SetZoom(step);
            return;
        }
}

void CVexlor::ZoomOut() {
    for (auto step = std::rbegin(kZoomSteps); step != std::rend(kZoomSteps); ++step)
        if (*step < m_nZoom) {
            SetZoom(*step);
            return;
        }
}

POINT CVexlor::ToModel(QPointF point) const {
    return POINT{static_cast<int>(std::floor(point.x() / Scale())),
                 static_cast<int>(std::floor(point.y() / Scale()))};
}

RECT CVexlor::ToModel(const QRect& rect) const {
    return RECT{static_cast<int>(std::floor(rect.left() / Scale())),
                static_cast<int>(std::floor(rect.top() / Scale())),
                static_cast<int>(std::ceil((rect.right() + 1) / Scale())),
                static_cast<int>(std::ceil((rect.bottom() + 1) / Scale()))};
}

QRect CVexlor::ToView(const QRect& rect) const {
    if (rect.isEmpty())
        return {};
    QRectF scaled(rect.x() * Scale(), rect.y() * Scale(), rect.width() * Scale(),
                  rect.height() * Scale());
    return scaled.toAlignedRect().adjusted(-1, -1, 1, 1);
}

void CVexlor::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    PrepareDC(nullptr);
    PlaceCaret();
}

void CVexlor::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    DestroyCaret();
}

bool CVexlor::HasFocus() const {
    return hasFocus();
}

short CVexlor::GetKeyState(unsigned vk) const {
    Qt::KeyboardModifiers modifiers =
        m_bInInput ? m_modifiers : QGuiApplication::keyboardModifiers();
    bool down = false;
    if (vk == VK_SHIFT)
        down = modifiers & Qt::ShiftModifier;
    else if (vk == VK_CONTROL)
        down = modifiers & Qt::ControlModifier;
    else if (vk == VK_MENU)
        down = modifiers & Qt::AltModifier;
    return down ? static_cast<short>(0x8000) : 0;
}

void CVexlor::MessageBox(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Vexlor"), QtText::FromCp1251(text),
                    QMessageBox::Ok, this);
    box.exec();
}

void CVexlor::CreateCaret(int width, int height) {
    RepaintCaret();
    m_caret.Create(width, height);
}

void CVexlor::SetCaretPos(POINT pt) {
    m_caret.SetPos(pt.x, pt.y);
}

void CVexlor::ShowCaret() {
    if (m_caret.Show() || !m_blinkTimer.isActive())
        RestartBlink();
    RepaintCaret();
}

void CVexlor::DestroyCaret() {
    m_caret.Destroy();
    RepaintCaret();
}

void CVexlor::RestartBlink() {
    int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (flash > 0)
        m_blinkTimer.start(flash / 2, this);
    else
        m_blinkTimer.stop();
}

void CVexlor::RepaintCaret() {
    if (m_bPainting)
        return;
    viewport()->update(ToView(m_caret.ShownRect()));
    viewport()->update(ToView(m_caret.Rect()));
}

void CVexlor::LearnTextsWhenIdle() {
    m_textTimer.start(0, this);
}

void CVexlor::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_textTimer.timerId()) {
        // A few milliseconds at a time, so that keys and paints go first.
        constexpr size_t kRowsPerTurn = 256;
        if (!m_pData || !m_pData->LearnTexts(kRowsPerTurn))
            m_textTimer.stop();
        return;
    }
    if (event->timerId() != m_blinkTimer.timerId()) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    if (m_caret.Blink())
        viewport()->update(ToView(m_caret.Rect()));
    else
        m_blinkTimer.stop();
}

void CVexlor::SetScrollInfo(int bar, const SCROLLINFO& info) {
    if (bar != SB_HORZ && bar != SB_VERT)
        return;
    m_scroll[bar] = info;
    QScrollBar* scrollBar = bar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
    QSignalBlocker blocker(scrollBar);
    int page = static_cast<int>(std::min(info.nPage, 0x7FFFFFFFu));
    int largest = info.nMax - page + 1;
    scrollBar->setRange(info.nMin, std::max(largest, info.nMin));
    scrollBar->setPageStep(std::max(page, 1));
    if (!scrollBar->isSliderDown())
        scrollBar->setValue(info.nPos);
    scrollBar->setEnabled(largest > info.nMin);
}

SCROLLINFO CVexlor::GetScrollInfo(int bar) const {
    return bar == SB_HORZ || bar == SB_VERT ? m_scroll[bar] : SCROLLINFO{};
}

void CVexlor::InvalidateRect(const RECT& rect, bool) {
    if (m_bPainting)
        return;
    m_bLayoutDue = true;
    viewport()->update(ToView(QRect(rect.left, rect.top, RectWidth(rect), RectHeight(rect))));
}

void CVexlor::Invalidate(bool) {
    if (m_bPainting)
        return;
    m_bLayoutDue = true;
    viewport()->update();
}

void CVexlor::SetStatusMessage(const std::string& text, bool error) {
    if (m_statusSink)
        m_statusSink(text, error);
}

// The content moves only through the model's scroll offset.
void CVexlor::scrollContentsBy(int, int) {}

bool CVexlor::focusNextPrevChild(bool) {
    return false;
}
