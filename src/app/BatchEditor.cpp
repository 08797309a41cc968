#include "app/BatchEditor.h"

#include "app/MarkedText.h"
#include "app/TextInstaller.h"
#include "editor/Accelerators.h"
#include "editor/EditingKeys.h"

BatchEditor::BatchEditor() : m_pData(std::make_unique<CVexlorData>()) {
    m_pData->Reset();
    m_pData->SetWindow(&m_wnd);
}

void BatchEditor::Install(const std::string& markedText, bool forWriting) {
    MarkedText split = MarkedText::Split(markedText);
    TextInstaller::Install(m_pData, &m_wnd, split.m_strText, split.m_nLine, split.m_strMessage);
    m_pData->SetTextsWhenMeasured(forWriting);
    PaintPass();
}

void BatchEditor::PaintPass() {
    m_frame.Paint(nullptr);
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

// The window's routes, in its order: the editing keys go to the editor
// first, then the accelerators take exactly their combinations, then the
// editor sees the key-down and its character; Alt without Control makes a
// system key that the editor leaves alone.
void BatchEditor::Deliver(const KeyEvent& key) {
    Handle(key);
    PaintPass();
}

void BatchEditor::Handle(const KeyEvent& key) {
    if (key.m_bTyped) {
        m_frame.Char(key.m_byte);
        return;
    }
    if (key.m_bShift)
        m_wnd.PressKey(VK_SHIFT);
    if (key.m_bControl)
        m_wnd.PressKey(VK_CONTROL);
    if (key.m_bAlt)
        m_wnd.PressKey(VK_MENU);
    if (EditingKeys::GoToEditor(key.m_vk, key.m_bShift, key.m_bControl, key.m_bAlt)) {
        m_frame.KeyDown(key.m_vk);
    } else if (int id = Accelerators::Find(key.m_vk, key.m_bShift, key.m_bControl, key.m_bAlt)) {
        m_frame.Command(id); // the frame's own commands do nothing here
    } else if (!key.m_bAlt || key.m_bControl) {
        m_frame.KeyDown(key.m_vk); // the data ignores keys it has no use for
        if (unsigned ch = TypedBy(key))
            m_frame.Char(ch);
    }
    m_wnd.ReleaseAllKeys();
}
