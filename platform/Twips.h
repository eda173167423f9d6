#pragma once
// Positions and sizes the designs give in twips: 15 twips are one pixel.

#include <QString>
#include <QtGlobal>

namespace Twips {

constexpr int PerPixel = 15;
inline int px(double twips) { return qRound(twips / PerPixel); }
inline float twips(int pixels) { return float(pixels) * PerPixel; }

// A control named and placed in twips, as the design gives it.
template <class W> W *place(W *w, const QString &name, int left, int top, int width, int height)
{
    w->setObjectName(name);
    w->setGeometry(px(left), px(top), px(width), px(height));
    return w;
}

// A control placed in twips.
template <class W> void place(W *w, int left, int top, int width, int height)
{
    w->setGeometry(px(left), px(top), px(width), px(height));
}

}
