#pragma once

// The two standard pages that follow the control's own: fonts (Font and
// HdrFont) and colours (the colour properties). Both keep the edited values
// until Apply, like the control's own pages.

#include "prynex/pages/property_page.h"

#include <QFont>
#include <QMap>

class QColorDialog;
class QComboBox;
class QFontComboBox;
class QDoubleSpinBox;

namespace prynex {

class StandardFontPage : public PropertyPage
{
    Q_OBJECT
public:
    explicit StandardFontPage(QWidget *parent = nullptr);

protected:
    void fill(const Prynex &control) override;
    Values valuesToApply() const override;

private:
    void showFont();
    void takeEdits(bool familyPicked);

    QComboBox *m_property;
    QFontComboBox *m_family;
    QDoubleSpinBox *m_size;
    QCheckBox *m_bold, *m_italic, *m_underline, *m_strikeout;
    QMap<QString, QFont> m_fonts;
    bool m_showing = false;
};

class StandardColorPage : public PropertyPage
{
    Q_OBJECT
public:
    explicit StandardColorPage(QWidget *parent = nullptr);

protected:
    void fill(const Prynex &control) override;
    Values valuesToApply() const override;

private:
    void showColour();

    QComboBox *m_property;
    QColorDialog *m_colours;
    QMap<QString, uint> m_values;  // 0x00BBGGRR or a system colour
    bool m_showing = false;
};

}  // namespace prynex
