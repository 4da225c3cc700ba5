#pragma once

#include <QColor>
#include <QString>

class QLabel;
class QWidget;

// The colours of the read-only number fields: yards, pars, and totals or other texts.
inline const QColor kYardColour(196, 196, 255);
inline const QColor kParColour(255, 210, 210);
inline const QColor kTextColour(255, 255, 185);

// A sunken, coloured field that shows a value the user does not type, right-aligned.
QLabel *staticText(const QString &name, const QColor &colour, QWidget *parent);
