#include "app/qt/ToolbarIcons.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>

#include "editor/qt/CommandIds.h"

namespace {
// The colours of one drawing, taken from the palette: strokes and letters
// in its text colour, slots and pages on its base colour. The red of the
// exit cross and the green of the save arrow stay.
struct Ink {
    QColor ink;
    QColor slot;
    QColor slotFill;
    QColor accent;
    QColor paper;
};

QColor Mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() * (1 - t) + b.redF() * t),
                            static_cast<float>(a.greenF() * (1 - t) + b.greenF() * t),
                            static_cast<float>(a.blueF() * (1 - t) + b.blueF() * t));
}

Ink InkOf(const QPalette& palette) {
    QColor text = palette.color(QPalette::Active, QPalette::ButtonText);
    QColor base = palette.color(QPalette::Active, QPalette::Base);
    QColor highlight = palette.color(QPalette::Active, QPalette::Highlight);
    return Ink{text, Mix(text, base, 0.25), Mix(base, highlight, 0.15), Mix(text, highlight, 0.35),
               base};
}

void Slot(QPainter& p, const Ink& c, double x, double y, double w, double h) {
    p.setPen(QPen(c.slot, 1));
    p.setBrush(c.slotFill);
    p.drawRect(QRectF(x + 0.5, y + 0.5, w - 1, h - 1));
}

void Stroke(QPainter& p, const QPainterPath& path, const QColor& color, double width) {
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void Letter(QPainter& p, const Ink& c, const QRectF& box, const QString& text, double size,
            bool italic) {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(static_cast<int>(size));
    font.setItalic(italic);
    font.setBold(true);
    p.setFont(font);
    p.setPen(c.ink);
    p.drawText(box, Qt::AlignCenter, text);
}

void DrawBrackets(QPainter& p, const Ink& c) {
    QPainterPath left;
    left.moveTo(5, 1);
    left.quadTo(1, 7.5, 5, 14);
    QPainterPath right;
    right.moveTo(11, 1);
    right.quadTo(15, 7.5, 11, 14);
    Stroke(p, left, c.accent, 1.5);
    Stroke(p, right, c.accent, 1.5);
    Slot(p, c, 5, 4, 6, 7);
}

void DrawRoot(QPainter& p, const Ink& c) {
    QPainterPath sign;
    sign.moveTo(1, 9);
    sign.lineTo(3, 8);
    sign.lineTo(5.5, 13.5);
    sign.lineTo(8, 1.5);
    sign.lineTo(15.5, 1.5);
    Stroke(p, sign, c.accent, 1.4);
    Slot(p, c, 8, 4, 7, 9);
}

void DrawFraction(QPainter& p, const Ink& c) {
    Slot(p, c, 4, 0, 8, 6);
    QPainterPath bar;
    bar.moveTo(1.5, 7.5);
    bar.lineTo(14.5, 7.5);
    Stroke(p, bar, c.accent, 1.4);
    Slot(p, c, 4, 9, 8, 6);
}

void DrawDerive(QPainter& p, const Ink& c, bool second) {
    Letter(p, c, QRectF(0, -1, 16, 8), second ? QStringLiteral("d²") : QStringLiteral("d"), 8,
           true);
    QPainterPath bar;
    bar.moveTo(1.5, 7.5);
    bar.lineTo(14.5, 7.5);
    Stroke(p, bar, c.accent, 1.2);
    Letter(p, c, QRectF(0, 7, 16, 8), second ? QStringLiteral("dx²") : QStringLiteral("dx"), 8,
           true);
}

void DrawIndexes(QPainter& p, const Ink& c, bool high, bool low) {
    Letter(p, c, QRectF(0, 1, 10, 13), QStringLiteral("x"), 13, true);
    if (high)
        Slot(p, c, 10, 0, 5, 6);
    if (low)
        Slot(p, c, 10, 9, 5, 6);
}

void DrawScissors(QPainter& p, const Ink& c) {
    p.setPen(QPen(c.ink, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(1.5, 9.5, 4, 4));
    p.drawEllipse(QRectF(10.5, 9.5, 4, 4));
    QPainterPath blades;
    blades.moveTo(5, 10);
    blades.lineTo(11, 1);
    blades.moveTo(11, 10);
    blades.lineTo(5, 1);
    Stroke(p, blades, c.slot, 1.3);
}

void Page(QPainter& p, const Ink& c, double x, double y, double w, double h) {
    p.setPen(QPen(c.ink, 1));
    p.setBrush(c.paper);
    p.drawRect(QRectF(x + 0.5, y + 0.5, w - 1, h - 1));
    for (double line = y + 3; line < y + h - 2; line += 2) {
        p.drawLine(QPointF(x + 2.5, line + 0.5), QPointF(x + w - 2.5, line + 0.5));
    }
}

void DrawCopy(QPainter& p, const Ink& c) {
    Page(p, c, 1, 1, 9, 10);
    Page(p, c, 6, 4, 9, 11);
}

void DrawPaste(QPainter& p, const Ink& c) {
    p.setPen(QPen(c.ink, 1));
    p.setBrush(QColor(190, 150, 90));
    p.drawRect(QRectF(1.5, 2.5, 10, 12));
    p.setBrush(QColor(120, 120, 120));
    p.drawRect(QRectF(4.5, 0.5, 4, 3));
    Page(p, c, 7, 6, 8, 9);
}

void DrawTurn(QPainter& p, const Ink& c, bool back) {
    QPainterPath arc;
    double s = back ? 1 : -1;
    double m = 8;
    arc.moveTo(m - s * 5, 6);
    arc.cubicTo(m - s * 2, 1, m + s * 6, 2, m + s * 5, 9);
    arc.lineTo(m + s * 3, 13);
    Stroke(p, arc, c.accent, 1.6);
    QPainterPath head;
    head.moveTo(m - s * 6.5, 2);
    head.lineTo(m - s * 5, 6.5);
    head.lineTo(m - s * 1, 5.5);
    Stroke(p, head, c.accent, 1.6);
}

void DrawSaveAndExit(QPainter& p, const Ink& c) {
    p.setPen(QPen(c.ink, 1));
    p.setBrush(c.accent);
    p.drawRect(QRectF(0.5, 0.5, 11, 13));
    p.setBrush(c.paper);
    p.drawRect(QRectF(2.5, 0.5, 7, 5));
    QPainterPath arrow;
    arrow.moveTo(8, 10);
    arrow.lineTo(15, 10);
    arrow.moveTo(12.5, 7.5);
    arrow.lineTo(15, 10);
    arrow.lineTo(12.5, 12.5);
    Stroke(p, arrow, QColor(0, 120, 0), 1.5);
}

void DrawSave(QPainter& p, const Ink& c) {
    p.setPen(QPen(c.ink, 1));
    p.setBrush(c.accent);
    p.drawRect(QRectF(1.5, 0.5, 13, 14));
    p.setBrush(c.paper);
    p.drawRect(QRectF(4.5, 0.5, 7, 5));
    p.drawRect(QRectF(3.5, 8.5, 9, 6));
}

void DrawExit(QPainter& p, const Ink& c) {
    p.setPen(QPen(c.ink, 1));
    p.setBrush(QColor(150, 110, 70));
    p.drawRect(QRectF(1.5, 0.5, 8, 14));
    QPainterPath cross;
    cross.moveTo(9, 6);
    cross.lineTo(15, 12);
    cross.moveTo(15, 6);
    cross.lineTo(9, 12);
    Stroke(p, cross, QColor(200, 0, 0), 1.8);
}

void DrawHelp(QPainter& p, const Ink& c) {
    p.setPen(QPen(c.accent, 1.2));
    p.setBrush(QColor(225, 235, 250));
    p.drawEllipse(QRectF(1, 0.5, 14, 14));
    Letter(p, c, QRectF(1, 0.5, 14, 14), QStringLiteral("?"), 12, false);
}
} // namespace

const char* ToolbarIcons::ThemeName(int id) {
    switch (id) {
    case ID_FILE_SAVE:
        return "document-save";
    case ID_EXIT_WITHOUT_SAVING:
        return "application-exit";
    case ID_EDIT_CUT:
        return "edit-cut";
    case ID_EDIT_COPY:
        return "edit-copy";
    case ID_EDIT_PASTE:
        return "edit-paste";
    case ID_EDIT_UNDO:
        return "edit-undo";
    case ID_EDIT_REDO:
        return "edit-redo";
    case ID_GET_HELP:
        return "help-contents";
    default:
        return nullptr;
    }
}

void ToolbarIcons::Draw(int id, QPainter& p, const QPalette& palette) {
    const Ink c = InkOf(palette);
    switch (id) {
    case ID_INSERT_BRACKETS:
        DrawBrackets(p, c);
        break;
    case ID_INSERT_ROOT:
        DrawRoot(p, c);
        break;
    case ID_INSERT_FRACTION:
        DrawFraction(p, c);
        break;
    case ID_INSERT_DERIVE:
        DrawDerive(p, c, false);
        break;
    case ID_INSERT_DERIVE2:
        DrawDerive(p, c, true);
        break;
    case ID_INSERT_HIGH_INDEX:
        DrawIndexes(p, c, true, false);
        break;
    case ID_INSERT_LOW_INDEX:
        DrawIndexes(p, c, false, true);
        break;
    case ID_INSERT_BOTH_INDEXES:
        DrawIndexes(p, c, true, true);
        break;
    case ID_EDIT_CUT:
        DrawScissors(p, c);
        break;
    case ID_EDIT_COPY:
        DrawCopy(p, c);
        break;
    case ID_EDIT_PASTE:
        DrawPaste(p, c);
        break;
    case ID_EDIT_UNDO:
        DrawTurn(p, c, true);
        break;
    case ID_EDIT_REDO:
        DrawTurn(p, c, false);
        break;
    case ID_FILE_SAVE:
        DrawSave(p, c);
        break;
    case ID_SAVE_AND_EXIT:
        DrawSaveAndExit(p, c);
        break;
    case ID_EXIT_WITHOUT_SAVING:
        DrawExit(p, c);
        break;
    case ID_GET_HELP:
        DrawHelp(p, c);
        break;
    default:
        break;
    }
}

// The drawing at one and at two times the grid, for ordinary and dense screens.
QIcon ToolbarIcons::Drawn(int id, const QPalette& palette) {
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(kWidth * scale, kHeight * scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(scale, scale);
        Draw(id, p, palette);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon ToolbarIcons::For(int id) {
    return For(id, QGuiApplication::palette());
}

QIcon ToolbarIcons::For(int id, const QPalette& palette) {
    QIcon drawn = Drawn(id, palette);
    if (const char* name = ThemeName(id))
        return QIcon::fromTheme(QString::fromLatin1(name), drawn);
    return drawn;
}

// A radical sign over a fraction of two empty slots, white on blue; the
// same picture as resources/vexlor.svg.
void ToolbarIcons::DrawAppIcon(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x4e, 0x79));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    QPainterPath sign;
    sign.moveTo(9, 34);
    sign.lineTo(15, 31);
    sign.lineTo(23, 50);
    sign.lineTo(31, 12);
    sign.lineTo(56, 12);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(sign);
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(QPointF(34, 32), QPointF(54, 32));
    p.setPen(QPen(Qt::white, 2, Qt::DotLine));
    p.drawRect(QRectF(38, 18, 12, 10));
    p.drawRect(QRectF(38, 37, 12, 10));
}

QIcon ToolbarIcons::AppIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 64.0, size / 64.0);
        DrawAppIcon(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
