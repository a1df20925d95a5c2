#include "prynex/pages/standard_pages.h"

#include "prynex/prynex.h"

#include "controls/propertybag/ole_color.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace prynex {

namespace {

const QStringList kFontProperties = {u"Font"_s, u"HdrFont"_s};
const QStringList kColourProperties = {u"BackColor"_s, u"BrushColor"_s, u"EmptyColor"_s,
                                       u"HdrColor"_s,  u"PenColor"_s,   u"TextColor"_s};

}  // namespace

StandardFontPage::StandardFontPage(QWidget *parent) : PropertyPage(u"Font"_s, parent)
{
    setObjectName(u"StandardFont"_s);
    auto *form = new QFormLayout(this);
    m_property = new QComboBox(this);
    m_property->setObjectName(u"cboProperty"_s);
    m_property->addItems(kFontProperties);
    m_family = new QFontComboBox(this);
    m_family->setObjectName(u"cboFontName"_s);
    m_size = new QDoubleSpinBox(this);
    m_size->setObjectName(u"txtFontSize"_s);
    m_size->setRange(1, 400);
    m_size->setDecimals(2);
    m_bold = new QCheckBox(u"Bold"_s, this);
    m_bold->setObjectName(u"chkBold"_s);
    m_italic = new QCheckBox(u"Italic"_s, this);
    m_italic->setObjectName(u"chkItalic"_s);
    m_underline = new QCheckBox(u"Underline"_s, this);
    m_underline->setObjectName(u"chkUnderline"_s);
    m_strikeout = new QCheckBox(u"Strikethrough"_s, this);
    m_strikeout->setObjectName(u"chkStrikethrough"_s);
    form->addRow(u"Properties:"_s, m_property);
    form->addRow(u"Font:"_s, m_family);
    form->addRow(u"Size:"_s, m_size);
    for (QCheckBox *check : {m_bold, m_italic, m_underline, m_strikeout})
        form->addRow(QString(), check);

    connect(m_property, &QComboBox::currentIndexChanged, this, [this] { showFont(); });
    connect(m_family, &QFontComboBox::currentFontChanged, this, [this] { takeEdits(true); });
    connect(m_size, &QDoubleSpinBox::valueChanged, this, [this] { takeEdits(false); });
    for (QCheckBox *check : {m_bold, m_italic, m_underline, m_strikeout})
        connect(check, &QCheckBox::clicked, this, [this] { takeEdits(false); });
}

void StandardFontPage::fill(const Prynex &control)
{
    for (const QString &name : kFontProperties)
        m_fonts[name] = control.propertyByName(name).value<QFont>();
    showFont();
}

void StandardFontPage::showFont()
{
    const QFont font = m_fonts.value(m_property->currentText());
    m_showing = true;
    m_family->setCurrentFont(font);
    m_size->setValue(font.pointSizeF() > 0 ? font.pointSizeF() : 10);
    m_bold->setChecked(font.bold());
    m_italic->setChecked(font.italic());
    m_underline->setChecked(font.underline());
    m_strikeout->setChecked(font.strikeOut());
    m_showing = false;
}

void StandardFontPage::takeEdits(bool familyPicked)
{
    if (m_showing)
        return;
    // The family box shows the family the name resolves to on this machine
    // (Arial as Liberation Sans); the name stays as it was unless the user
    // picked another family.
    const QString current = m_property->currentText();
    QFont font(familyPicked ? m_family->currentFont().family() : m_fonts.value(current).family());
    font.setPointSizeF(m_size->value());
    font.setBold(m_bold->isChecked());
    font.setItalic(m_italic->isChecked());
    font.setUnderline(m_underline->isChecked());
    font.setStrikeOut(m_strikeout->isChecked());
    m_fonts[current] = font;
    setChanged(true);
}

PropertyPage::Values StandardFontPage::valuesToApply() const
{
    Values values;
    for (const QString &name : kFontProperties)
        values.emplace_back(name, m_fonts.value(name));
    return values;
}

StandardColorPage::StandardColorPage(QWidget *parent) : PropertyPage(u"Color"_s, parent)
{
    setObjectName(u"StandardColor"_s);
    auto *column = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_property = new QComboBox(this);
    m_property->setObjectName(u"cboProperty"_s);
    m_property->addItems(kColourProperties);
    form->addRow(u"Properties:"_s, m_property);
    column->addLayout(form);
    m_colours = new QColorDialog(this);
    m_colours->setObjectName(u"colours"_s);
    m_colours->setWindowFlags(Qt::Widget);
    m_colours->setOptions(QColorDialog::NoButtons | QColorDialog::DontUseNativeDialog);
    column->addWidget(m_colours);

    connect(m_property, &QComboBox::currentIndexChanged, this, [this] { showColour(); });
    connect(m_colours, &QColorDialog::currentColorChanged, this, [this](const QColor &colour) {
        if (m_showing)
            return;
        m_values[m_property->currentText()] = kelvora::OleColor::fromColor(colour).value();
        setChanged(true);
    });
}

void StandardColorPage::fill(const Prynex &control)
{
    for (const QString &name : kColourProperties)
        m_values[name] = control.propertyByName(name).toUInt();
    showColour();
}

void StandardColorPage::showColour()
{
    m_showing = true;
    m_colours->setCurrentColor(kelvora::OleColor(m_values.value(m_property->currentText())).toColor(palette()));
    m_showing = false;
}

PropertyPage::Values StandardColorPage::valuesToApply() const
{
    Values values;
    for (const QString &name : kColourProperties)
        values.emplace_back(name, m_values.value(name));
    return values;
}

}  // namespace prynex
