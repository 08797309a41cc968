#include "editor/EditorFrame.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/EditCommands.h"
#include "editor/VexlorData.h"
#include "platform/EqWindow.h"

template <class Event> void EditorFrame::AroundCaret(Event event) {
    // 1. Measure with the window's fonts.
    m_window.PrepareDC(nullptr);
    // 2.
    if (m_window.HasFocus())
        m_window.DestroyCaret();
    // 3.
    event(*m_data);
    // 4.
    m_data->PlaceCaret();
    // 5.
    CheckInvariant();
}

void EditorFrame::CheckInvariant() const {
#ifndef NDEBUG
    std::string why = m_data->CheckInvariant();
    if (!why.empty()) {
        std::fprintf(stderr, "vexlor: the document is out of shape after an event: %s\n",
                     why.c_str());
        std::abort();
    }
#endif
}

void EditorFrame::KeyDown(unsigned vk) {
    AroundCaret([vk](CVexlorData& data) { data.OnKeyDown(vk); });
}

void EditorFrame::Char(unsigned ch) {
    AroundCaret([ch](CVexlorData& data) { data.OnChar(ch); });
}

bool EditorFrame::Command(int id) {
    const EditCommands::Command* command = EditCommands::ById(id);
    if (!command)
        return false;
    if (command->IsInsertion()) {
        AroundCaret([command](CVexlorData& data) { command->Run(data); });
        return true;
    }
    // The Edit commands hide and place the caret themselves where they change
    // the document.
    m_window.PrepareDC(nullptr);
    command->Run(*m_data);
    CheckInvariant();
    return true;
}

void EditorFrame::Paint(CDC* dc) {
    m_window.PrepareDC(dc);
    m_data->Layout();
    Finish();
}

void EditorFrame::Repaint(CDC* dc, const RECT& area) {
    m_window.PrepareDC(dc);
    m_data->DrawRows(area);
    Finish();
}

void EditorFrame::Finish() {
    RECT selection = m_data->GetSelectionRect();
    if (m_window.m_pDC)
        m_window.m_pDC->InvertRect(selection);
    m_data->UpdateScrollBars();
    m_data->PlaceCaret();
}
