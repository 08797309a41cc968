// What the editor window remembers between runs, in the user's settings
// (QSettings of the application): the window's size and place, where the
// toolbar is and whether it and the status bar show, and the files opened
// last.
#pragma once

#include <QSize>
#include <string>
#include <vector>

class QMainWindow;
class QWidget;

class WindowSettings {
  public:
    // The size of a window that has nothing remembered, on a screen whose
    // free area is available: two thirds of it each way, but at least
    // 800 x 600 where the screen has room for that.
    static QSize DefaultSize(const QSize& available);

    // Gives the window its remembered geometry and bars, or the default
    // size in the middle of its screen.
    static void Restore(QMainWindow* window, QWidget* statusBar);
    static void Store(const QMainWindow* window, const QWidget* statusBar);

    // The recent files' names as the file system spells them.
    static std::vector<std::string> RecentFiles();
    static void StoreRecentFiles(const std::vector<std::string>& names);
};
