#include "colors.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

QColor ColorToQColor(TColor color, const QWidget *widget)
{
    if (!IsSystemColor(color))
        return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
    const QPalette palette = widget ? widget->palette() : QApplication::palette();
    switch (color) {
    case clBtnFace:
        return palette.color(QPalette::Active, QPalette::Button);
    case clWindow:
        return palette.color(QPalette::Active, QPalette::Base);
    default:
        return palette.color(QPalette::Active, QPalette::Window);
    }
}

TColor ColorFromQColor(const QColor &color)
{
    const QRgb rgb = color.rgb();
    return TColor(qRed(rgb)) | TColor(qGreen(rgb)) << 8 | TColor(qBlue(rgb)) << 16;
}
