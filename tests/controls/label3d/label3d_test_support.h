#pragma once

#include "controls/label3d/label3d.h"
#include "controls/label3d/twips.h"

#include <QLabel>
#include <QPalette>

namespace label3dtest {

inline QLabel *backCopy(const kelvora::Label3D &control)
{
    return control.findChild<QLabel *>(QStringLiteral("Label1"));
}

inline QLabel *frontCopy(const kelvora::Label3D &control)
{
    return control.findChild<QLabel *>(QStringLiteral("Label2"));
}

inline QPoint positionTwips(const QWidget *widget)
{
    return widget->pos() * kelvora::kTwipsPerPixel;
}

inline QColor textColour(const QLabel *label)
{
    return label->palette().color(QPalette::Active, QPalette::WindowText);
}

} // namespace label3dtest
