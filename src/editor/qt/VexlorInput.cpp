// Keyboard, mouse, wheel, scroll bars and the Edit and Insert commands.
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "editor/CommandIds.h"
#include "editor/VexlorData.h"
#include "editor/qt/KeyMap.h"
#include "editor/qt/Vexlor.h"
#include "platform/UnicodeImport.h"
#include "platform/qt/QtText.h"

namespace {
constexpr int kWheelNotch = 120;
} // namespace

void CVexlor::BeginInput(Qt::KeyboardModifiers modifiers) {
    m_bInInput = true;
    m_modifiers = modifiers;
}

void CVexlor::EndInput() {
    m_bInInput = false;
    m_bLayoutDue = true;
    viewport()->update();
    emit stateChanged();
}

// The editing keys reach the editor before any shortcut.
bool CVexlor::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (KeyMap::IsEditingKey(KeyMap::VirtualKey(*key), key->modifiers())) {
            key->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

// A key press is a key-down for the model, then its characters. Alt without
// Control makes a menu key, which the editor leaves alone; with Control held
// a key types no character.
void CVexlor::keyPressEvent(QKeyEvent* event) {
    Qt::KeyboardModifiers modifiers = event->modifiers();
    bool control = modifiers & Qt::ControlModifier;
    bool alt = modifiers & Qt::AltModifier;
    if (alt && !control) {
        event->ignore();
        return;
    }
    BeginInput(modifiers);
    if (unsigned vk = KeyMap::VirtualKey(*event))
        m_frame.KeyDown(vk);
    if (!control) {
        for (char32_t ch : event->text().toUcs4()) {
            if (!KeyMap::IsTypedCharacter(ch))
                continue;
            for (char byte : UnicodeImport::Map(ch))
                m_frame.Char(static_cast<uint8_t>(byte));
        }
    }
    EndInput();
    event->accept();
}

void CVexlor::inputMethodEvent(QInputMethodEvent* event) {
    QString commit = event->commitString();
    event->accept();
    if (commit.isEmpty())
        return;
    UnicodeImport::Result typed = UnicodeImport::FirstLine(commit.toStdString());
    if (std::string notice = UnicodeImport::Notice(typed); !notice.empty())
        SetStatusMessage(notice, true);
    BeginInput(Qt::NoModifier);
    for (char byte : typed.text)
        m_frame.Char(static_cast<uint8_t>(byte));
    EndInput();
}

void CVexlor::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    BeginInput(event->modifiers());
    m_bDragging = 1;
    m_ptDown = ToModel(event->position());
    PrepareDC(nullptr);
    m_pData->CaretFromPoint(&m_ptDown);
    EndInput();
}

// A double click acts as a second press.
void CVexlor::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

// The drag selects from the press point to the pointer while the pointer is
// over the window; moves outside it change nothing, as if the mouse were not
// captured.
void CVexlor::mouseMoveEvent(QMouseEvent* event) {
    if (!m_bDragging)
        return;
    if (!(event->buttons() & Qt::LeftButton)) {
        m_bDragging = 0;
        return;
    }
    POINT pt = ToModel(event->position());
    if (!PtInRect(m_rcClient, pt))
        return;
    BeginInput(event->modifiers());
    m_ptMove = pt;
    PrepareDC(nullptr);
    m_pData->SelectBetween(&m_ptDown, &m_ptMove);
    EndInput();
}

void CVexlor::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_bDragging = 0;
}

// One notch of the wheel is the desktop's number of line steps of the
// vertical bar; with Shift, or from a horizontal wheel, of the horizontal
// bar. With Control it zooms.
void CVexlor::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier)
        WheelZoom(event->angleDelta());
    else
        Wheel(event->angleDelta(), event->modifiers() & Qt::ShiftModifier);
    event->accept();
}

void CVexlor::WheelZoom(QPoint angleDelta) {
    m_wheelRest.ry() += angleDelta.y();
    while (m_wheelRest.y() >= kWheelNotch || m_wheelRest.y() <= -kWheelNotch) {
        bool up = m_wheelRest.y() > 0;
        up ? ZoomIn() : ZoomOut();
        m_wheelRest.ry() += up ? -kWheelNotch : kWheelNotch;
    }
}

bool CVexlor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel &&
        (watched == horizontalScrollBar() || watched == verticalScrollBar())) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        bool horizontal =
            watched == horizontalScrollBar() || (wheel->modifiers() & Qt::ShiftModifier);
        Wheel(wheel->angleDelta(), horizontal);
        return true;
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

void CVexlor::Wheel(QPoint angleDelta, bool horizontal) {
    QPoint delta = horizontal ? QPoint(angleDelta.x() + angleDelta.y(), 0) : angleDelta;
    m_wheelRest += delta;
    int lines = std::max(QApplication::wheelScrollLines(), 1);
    while (m_wheelRest.y() >= kWheelNotch || m_wheelRest.y() <= -kWheelNotch) {
        bool up = m_wheelRest.y() > 0;
        for (int k = 0; k < lines; ++k)
            OnVScroll(up ? SB_LINEUP : SB_LINEDOWN, 0);
        m_wheelRest.ry() += up ? -kWheelNotch : kWheelNotch;
    }
    while (m_wheelRest.x() >= kWheelNotch || m_wheelRest.x() <= -kWheelNotch) {
        bool left = m_wheelRest.x() > 0;
        for (int k = 0; k < lines; ++k)
            OnHScroll(left ? SB_LINELEFT : SB_LINERIGHT, 0);
        m_wheelRest.rx() += left ? -kWheelNotch : kWheelNotch;
    }
}

void CVexlor::ConnectScrollBar(int bar) {
    QScrollBar* scrollBar = bar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
    scrollBar->setFocusPolicy(Qt::NoFocus);
    scrollBar->setTracking(false);
    scrollBar->installEventFilter(this);
    connect(scrollBar, &QAbstractSlider::actionTriggered, this,
            [this, bar](int action) { OnScrollAction(bar, action); });
    connect(scrollBar, &QAbstractSlider::sliderReleased, this, [this, bar, scrollBar] {
        Scroll(bar, SB_THUMBPOSITION, scrollBar->sliderPosition());
        emit stateChanged();
    });
}

// The scroll bar's own request, in the editor's steps: the bar is told the
// position the editor chose.
void CVexlor::OnScrollAction(int bar, int action) {
    QScrollBar* scrollBar = bar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
    int code = SB_ENDSCROLL;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        code = SB_LINEDOWN;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        code = SB_LINEUP;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = SB_PAGEDOWN;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = SB_PAGEUP;
        break;
    case QAbstractSlider::SliderToMinimum:
        code = SB_TOP;
        break;
    case QAbstractSlider::SliderToMaximum:
        code = SB_BOTTOM;
        break;
    case QAbstractSlider::SliderMove:
        code = scrollBar->isSliderDown() ? SB_THUMBTRACK : SB_THUMBPOSITION;
        break;
    default:
        return;
    }
    Scroll(bar, code, scrollBar->sliderPosition());
    if (code != SB_THUMBTRACK)
        scrollBar->setSliderPosition(m_scroll[bar].nPos);
}

void CVexlor::OnHScroll(int code, int pos) {
    Scroll(SB_HORZ, code, pos);
    emit stateChanged();
}

void CVexlor::OnVScroll(int code, int pos) {
    Scroll(SB_VERT, code, pos);
    emit stateChanged();
}

// Horizontal steps are two widths of "M" (pages ten), vertical steps one
// height of "M" (pages ten); dragging the thumb moves nothing until it is
// released. Scrolling measures nothing: the rows that come into view are
// placed and drawn.
void CVexlor::Scroll(int bar, int code, int pos) {
    PrepareDC(nullptr);
    SCROLLINFO info = GetScrollInfo(bar);
    int largest = info.nMax - static_cast<int>(std::min(info.nPage, 0x7FFFFFFFu)) + 1;
    SIZE m = m_pDC->GetTextExtent("M");
    int line = bar == SB_HORZ ? 2 * m.cx : m.cy;
    int page = bar == SB_HORZ ? 10 * m.cx : 10 * m.cy;
    int p = info.nPos;
    switch (code) {
    case SB_LINEUP:
        p -= line;
        break;
    case SB_LINEDOWN:
        p += line;
        break;
    case SB_PAGEUP:
        p -= page;
        break;
    case SB_PAGEDOWN:
        p += page;
        break;
    case SB_THUMBPOSITION:
        p = pos;
        break;
    case SB_TOP:
        p = 0;
        break;
    case SB_BOTTOM:
        p = largest;
        break;
    default:
        break;
    }
    p = std::max(std::min(p, largest), info.nMin);
    if (p != info.nPos) {
        info.nPos = p;
        SetScrollInfo(bar, info);
        if (bar == SB_HORZ)
            m_pData->SetScroll(POINT{p, m_pData->Scroll().y});
        else
            m_pData->SetScroll(POINT{m_pData->Scroll().x, p});
        if (m_bLayoutDue)
            m_pData->UpdateCaret(true, false);
        else
            m_pData->Scrolled();
        viewport()->update();
    }
}

bool CVexlor::OnCmdMsg(int id) {
    switch (id) {
    case ID_VIEW_ZOOM_IN:
        ZoomIn();
        return true;
    case ID_VIEW_ZOOM_OUT:
        ZoomOut();
        return true;
    case ID_VIEW_ZOOM_RESET:
        SetZoom(100);
        return true;
    default:
        break;
    }
    if (!m_frame.Command(id))
        return false;
    m_bLayoutDue = true;
    viewport()->update();
    emit stateChanged();
    return true;
}
