#include "app/qt/WindowSettings.h"

#include <QFile>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QStringList>
#include <algorithm>

namespace {
const char kGeometry[] = "window/geometry";
const char kState[] = "window/state";
const char kStatusBar[] = "window/statusBar";
const char kRecentFiles[] = "recentFiles";

constexpr int kLeastWidth = 800;
constexpr int kLeastHeight = 600;
} // namespace

QSize WindowSettings::DefaultSize(const QSize& available) {
    const int width = std::max(available.width() * 2 / 3, std::min(kLeastWidth, available.width()));
    const int height =
        std::max(available.height() * 2 / 3, std::min(kLeastHeight, available.height()));
    return QSize(width, height);
}

void WindowSettings::Restore(QMainWindow* window, QWidget* statusBar) {
    QSettings settings;
    if (!window->restoreGeometry(settings.value(kGeometry).toByteArray())) {
        const QScreen* screen = window->screen();
        const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
        QRect frame(QPoint(), DefaultSize(available.size()));
        frame.moveCenter(available.center());
        window->resize(frame.size());
        window->move(frame.topLeft());
    }
    window->restoreState(settings.value(kState).toByteArray());
    statusBar->setVisible(settings.value(kStatusBar, true).toBool());
}

void WindowSettings::Store(const QMainWindow* window, const QWidget* statusBar) {
    QSettings settings;
    settings.setValue(kGeometry, window->saveGeometry());
    settings.setValue(kState, window->saveState());
    settings.setValue(kStatusBar, !statusBar->isHidden());
}

std::vector<std::string> WindowSettings::RecentFiles() {
    std::vector<std::string> names;
    for (const QString& name : QSettings().value(kRecentFiles).toStringList())
        names.push_back(QFile::encodeName(name).toStdString());
    return names;
}

void WindowSettings::StoreRecentFiles(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& name : names)
        list << QFile::decodeName(QByteArray::fromStdString(name));
    QSettings().setValue(kRecentFiles, list);
}
