// The toolbar's pictures and the application icon, drawn in code. Standard
// commands take the desktop theme's icon when it has one (and a drawing of
// their own otherwise); the formula commands show small drawings of the
// structure they insert, with boxes for its empty slots. Drawings take their
// colours from the palette, so they stay visible on a dark one.
#pragma once

#include <QIcon>

class QPainter;
class QPalette;

class ToolbarIcons {
  public:
    // Buttons are drawn on a 16 x 15 grid.
    static constexpr int kWidth = 16;
    static constexpr int kHeight = 15;

    // The icon in the application's palette, or in the palette given.
    static QIcon For(int id);
    static QIcon For(int id, const QPalette& palette);
    static QIcon AppIcon();
    // The freedesktop icon name of a standard command, or null.
    static const char* ThemeName(int id);

  private:
    static QIcon Drawn(int id, const QPalette& palette);
    static void Draw(int id, QPainter& p, const QPalette& palette);
    static void DrawAppIcon(QPainter& p);
};
