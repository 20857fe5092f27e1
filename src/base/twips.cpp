#include "base/twips.h"

#include <QPalette>

namespace briqo {

void setBackColour(QWidget *w, unsigned colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, bgr(colour));
    p.setColor(QPalette::Base, bgr(colour));
    p.setColor(QPalette::Button, bgr(colour));
    w->setPalette(p);
    w->setAutoFillBackground(true);
    w->setProperty("backColour", colour);
}

void setForeColour(QWidget *w, unsigned colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, bgr(colour));
    p.setColor(QPalette::Text, bgr(colour));
    p.setColor(QPalette::ButtonText, bgr(colour));
    // A disabled field keeps its suit colour, only paler.
    QColor pale = bgr(colour);
    pale.setAlpha(150);
    p.setColor(QPalette::Disabled, QPalette::Text, pale);
    p.setColor(QPalette::Disabled, QPalette::WindowText, pale);
    w->setPalette(p);
}

unsigned backColour(const QWidget *w)
{
    const QVariant v = w->property("backColour");
    return v.isValid() ? v.toUInt() : White;
}

} // namespace briqo
