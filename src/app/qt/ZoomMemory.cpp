#include "app/qt/ZoomMemory.h"

#include <QObject>
#include <QSettings>

#include "editor/qt/Vexlor.h"

namespace {
const char kKey[] = "view/zoom";
} // namespace

void ZoomMemory::Attach(CVexlor* view) {
    view->SetZoom(Load());
    QObject::connect(view, &CVexlor::zoomChanged, view, &ZoomMemory::Store);
}

int ZoomMemory::Load() {
    bool ok = false;
    int percent = QSettings().value(kKey, 100).toInt(&ok);
    return ok ? percent : 100;
}

void ZoomMemory::Store(int percent) {
    QSettings().setValue(kKey, percent);
}
