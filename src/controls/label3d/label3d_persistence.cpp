// How Label3D keeps its properties with the window that holds it: what a
// new instance starts with, and the order values are loaded and saved in.
#include "controls/label3d/label3d.h"

#include "controls/propertybag/property_bag.h"

#include <QLabel>
#include <QScopedValueRollback>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

// Saving and loading use the same defaults: a value left out when saving
// comes back as the same value when loading.
constexpr bool kDefaultEnabled = true;
constexpr OleColor kDefaultForeColor1 = OleColor::fromRgb(0, 0, 0);
constexpr OleColor kDefaultForeColor2 = OleColor::fromRgb(255, 255, 255);
constexpr qint32 kDefaultAlignment = Label3D::LeftJustify;
constexpr qint32 kDefaultBorderStyle = Label3D::NoBorder;
constexpr qint32 kDefaultPhase = 0;
constexpr OleColor kDefaultBackColor = systemcolour::ButtonFace;

} // namespace

void Label3D::initProperties()
{
    QScopedValueRollback quiet(m_quiet, true);
    m_phase = 0;
    setFont(QFont()); // both copies take the container's font
    layoutLabels();
}

void Label3D::readProperties(const PropertyBag &bag)
{
    QScopedValueRollback quiet(m_quiet, true);

    setEnabled(bag.readBoolean(u"Enabled"_s, kDefaultEnabled));
    m_lastEnabled = labelsEnabled();
    m_foreColor1 = bag.readColour(u"ForeColor1"_s, kDefaultForeColor1);
    m_foreColor2 = bag.readColour(u"ForeColor2"_s, kDefaultForeColor2);
    applyForeColours();
    applyCaption(bag.readText(u"Caption"_s, kDefaultCaption));
    // A stored value the label cannot take (a damaged form file) loads as
    // the default rather than leaving whatever was there before.
    if (!applyAlignment(bag.readInteger(u"Alignment"_s, kDefaultAlignment)))
        applyAlignment(kDefaultAlignment);

    const FontValue ambient = FontValue::fromFont(ambientFont());
    const FontValue font = bag.readFont(u"Font"_s, ambient);
    // The default font is left unset, so it keeps following the container.
    setFont(font == ambient ? QFont() : font.toFont());

    if (!applyBorderStyle(bag.readInteger(u"BorderStyle"_s, kDefaultBorderStyle)))
        applyBorderStyle(kDefaultBorderStyle);
    const qint32 phase = bag.readInteger(u"Phase"_s, kDefaultPhase);
    m_phase = quint8(phase >= 0 && phase <= 255 ? phase : kDefaultPhase);
    m_backColor = bag.readColour(u"BackColor"_s, kDefaultBackColor);
    applyBackColor();
    layoutLabels();
}

void Label3D::writeProperties(PropertyBag &bag) const
{
    bag.writeBoolean(u"Enabled"_s, labelsEnabled(), kDefaultEnabled);
    bag.writeFont(u"Font"_s, FontValue::fromFont(labelFont()), FontValue::fromFont(ambientFont()));
    bag.writeColour(u"ForeColor1"_s, m_foreColor1, kDefaultForeColor1);
    bag.writeColour(u"ForeColor2"_s, m_foreColor2, kDefaultForeColor2);
    bag.writeText(u"Caption"_s, caption(), kDefaultCaption);
    bag.writeInteger(u"Alignment"_s, alignment(), kDefaultAlignment);
    bag.writeInteger(u"Phase"_s, m_phase, kDefaultPhase);
    bag.writeColour(u"BackColor"_s, m_backColor, kDefaultBackColor);
    bag.writeInteger(u"BorderStyle"_s, borderStyle(), kDefaultBorderStyle);
}

} // namespace kelvora
