// A window holding a line edit (somewhere else for the focus) above the
// editor, as the widget tests show it.
#pragma once

#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

#include "editor/qt/Vexlor.h"

struct EditorWindow {
    EditorWindow() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(&other);
        layout->addWidget(&view);
        window.resize(640, 420);
    }
    QWidget window;
    QLineEdit other;
    CVexlor view;
};
