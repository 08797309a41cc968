#include "app/BatchEditor.h"

#include "app/MarkedText.h"
#include "app/TextInstaller.h"
#include "editor/EditingKeys.h"

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
        if (key.m_vk == VK_BACK && !key.m_bControl && !key.m_bShift)
            m_pData->Undo();
    } else if (EditingKeys::GoToEditor(key.m_vk, key.m_bShift, key.m_bControl, key.m_bAlt)) {
        KeyFrame(key.m_vk);
    } else if (key.m_bControl && !key.m_bShift && key.m_vk == 'E') {
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
