#include "app/BatchEditor.h"

#include "app/MarkedText.h"
#include "app/TextInstaller.h"

BatchEditor::BatchEditor() : m_pData(std::make_unique<CVexlorData>()) {
    m_pData->Reset();
    m_pData->m_pWnd = &m_wnd;
}

void BatchEditor::Install(const std::string& markedText) {
    MarkedText split = MarkedText::Split(markedText);
    TextInstaller::Install(m_pData, &m_wnd, split.m_strText, split.m_nLine, split.m_strMessage);
    PaintPass();
}

void BatchEditor::PaintPass() {
    m_pData->Layout();
    m_pData->GetSelectionRect();
    m_pData->UpdateScrollBars();
    m_pData->PlaceCaret();
}

// Keys that go straight to the editor, past the frame's accelerators.
bool BatchEditor::IsEditingKey(const KeyEvent& key) {
    switch (key.m_vk) {
    case VK_BACK:
    case VK_RETURN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_DELETE:
        return true;
    case VK_INSERT:
        return key.m_bShift || key.m_bControl;
    case 'B':
    case 'C':
    case 'D':
    case 'F':
    case 'I':
    case 'P':
    case 'R':
    case 'V':
    case 'W':
    case 'X':
    case 'Y':
    case 'Z':
        return key.m_bControl;
    default:
        return false;
    }
}

unsigned BatchEditor::TypedBy(const KeyEvent& key) {
    if (key.m_bControl || key.m_bAlt)
        return 0;
    unsigned vk = key.m_vk;
    if (vk >= 'A' && vk <= 'Z')
        return key.m_bShift ? vk : vk + 32;
    if (vk >= '0' && vk <= '9' && !key.m_bShift)
        return vk;
    return 0;
}

void BatchEditor::Deliver(const KeyEvent& key) {
    if (key.m_bTyped) {
        CharFrame(key.m_byte);
        PaintPass();
        return;
    }
    if (key.m_bShift)
        m_wnd.PressKey(VK_SHIFT);
    if (key.m_bControl)
        m_wnd.PressKey(VK_CONTROL);
    if (key.m_bAlt)
        m_wnd.PressKey(VK_MENU);
    if (key.m_bAlt) {
        // Alt combinations are system keys: only the accelerators see them.
        if (key.m_vk == VK_BACK && !key.m_bControl)
            m_pData->Undo();
    } else if (IsEditingKey(key)) {
        KeyFrame(key.m_vk);
    } else if (key.m_bControl && key.m_vk == 'E') {
        InsertFrame(CVexlorData::kDerive2);
    } else {
        KeyFrame(key.m_vk); // the data ignores keys it has no use for
        if (unsigned ch = TypedBy(key))
            CharFrame(ch);
    }
    m_wnd.ReleaseAllKeys();
    PaintPass();
}

void BatchEditor::KeyFrame(unsigned vk) {
    if (m_wnd.HasFocus())
        m_wnd.DestroyCaret();
    m_pData->OnKeyDown(vk);
    m_pData->PlaceCaret();
}

void BatchEditor::CharFrame(unsigned ch) {
    if (m_wnd.HasFocus())
        m_wnd.DestroyCaret();
    m_pData->OnChar(ch);
    m_pData->PlaceCaret();
}

void BatchEditor::InsertFrame(CVexlorData::InsertCommand command) {
    if (m_wnd.HasFocus())
        m_wnd.DestroyCaret();
    m_pData->RunInsert(command);
    m_pData->PlaceCaret();
}
