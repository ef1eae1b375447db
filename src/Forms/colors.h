#pragma once
/// @file
/// Colours as page layouts store them.

#include <QColor>
#include <QtGlobal>

class QWidget;

/// A colour as a page layout stores it: 0x00BBGGRR, or, with the high bit set, a system colour
/// that stands for a role of the palette.
using TColor = quint32;

/// @name Named colours
///@{

/// A colour of the layout's palette; clBtnFace and clWindow are system colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGray = 0x808080;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBtnFace = 0x8000000F;
constexpr TColor clWindow = 0x80000005;
///@}

/// Whether color stands for a role of the palette.
constexpr bool IsSystemColor(TColor color) { return (color & 0x80000000u) != 0; }

/// The colour as drawn on widget: system colours come from the active group of the widget's
/// palette (clBtnFace the button face, clWindow the base of entry fields), or of the
/// application's palette without a widget. Unknown system colours take the window background.
QColor ColorToQColor(TColor color, const QWidget *widget);

/// The stored value of an RGB colour; the alpha channel is dropped.
TColor ColorFromQColor(const QColor &color);
