#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <cmath>

namespace briqo {

// Every position and size of the board is reasoned about in twips (1/1440 inch); at 96 dots per
// inch a pixel is 15 twips. Only these helpers cross between the two.
constexpr double TwipsPerPixel = 15.0;

inline int toPx(double twips) { return static_cast<int>(std::lround(twips / TwipsPerPixel)); }

inline double leftTw(const QWidget *w) { return w->x() * TwipsPerPixel; }
inline double topTw(const QWidget *w) { return w->y() * TwipsPerPixel; }
inline double widthTw(const QWidget *w) { return w->width() * TwipsPerPixel; }
inline double heightTw(const QWidget *w) { return w->height() * TwipsPerPixel; }

inline void setLeftTw(QWidget *w, double v) { w->move(toPx(v), w->y()); }
inline void setTopTw(QWidget *w, double v) { w->move(w->x(), toPx(v)); }
inline void setWidthTw(QWidget *w, double v) { w->resize(toPx(v), w->height()); }
inline void setHeightTw(QWidget *w, double v) { w->resize(w->width(), toPx(v)); }
inline void setRectTw(QWidget *w, double left, double top, double width, double height)
{
    w->setGeometry(toPx(left), toPx(top), toPx(width), toPx(height));
}

// Colours of the board are given as 0xBBGGRR values.
inline QColor bgr(unsigned value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

constexpr unsigned White = 0xFFFFFF;
constexpr unsigned FocusBlue = 0xFFC0C0;
constexpr unsigned Green = 0x00FF00;
constexpr unsigned Red = 0x0000FF;
constexpr unsigned SuitRed = 192;

void setBackColour(QWidget *w, unsigned colour);
void setForeColour(QWidget *w, unsigned colour);
unsigned backColour(const QWidget *w);

// A free text kept with a control, as the board keeps small facts beside its controls.

} // namespace briqo
