#pragma once

#include "controls/propertybag/ole_color.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

#include <concepts>

class QLabel;

namespace kelvora {

class FrontLabel;
class PropertyBag;

// A caption drawn twice, one copy shifted one pixel (15 twips) against the
// other, for a raised or sunken look. Two transparent child labels make it:
// "Label1", the back copy in ForeColor1, and "Label2", the front copy in
// ForeColor2, which carries the border and takes the mouse. Phase chooses
// the direction of the shift.
//
// Every setter emits propertyChanged() with the persisted name, so that the
// container knows to save. Enabled and Font are the widget's own `enabled`
// and `font`: Qt hands both on to the two labels, and a font left unset
// follows the container's font (the ambient font).
class Label3D : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(AlignmentKind Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(int Phase READ phase WRITE setPhase)
    Q_PROPERTY(QColor ForeColor1 READ foreColor1Resolved WRITE setForeColor1)
    Q_PROPERTY(QColor ForeColor2 READ foreColor2Resolved WRITE setForeColor2)
    Q_PROPERTY(QColor BackColor READ backColorResolved WRITE setBackColor)
    Q_PROPERTY(BorderStyleKind BorderStyle READ borderStyle WRITE setBorderStyle)
    // Designer shows these as QWidget's own `enabled` and `font`.
    Q_PROPERTY(bool Enabled READ labelsEnabled WRITE setEnabled DESIGNABLE false)
    Q_PROPERTY(QFont Font READ labelFont WRITE setFont DESIGNABLE false)

public:
    enum AlignmentKind { LeftJustify = 0, RightJustify = 1, Center = 2 };
    Q_ENUM(AlignmentKind)
    enum BorderStyleKind { NoBorder = 0, FixedSingle = 1 };
    Q_ENUM(BorderStyleKind)

    static constexpr int kMinimumTwips = 100;
    static inline const QString kDefaultCaption = QStringLiteral("Label3D");

    explicit Label3D(QWidget *parent = nullptr);
    ~Label3D() override;

    // Read from Label1, written to both labels.
    QString caption() const;
    void setCaption(const QString &caption);
    AlignmentKind alignment() const;
    bool setAlignment(int alignment); // false for anything but 0, 1, 2
    bool labelsEnabled() const;       // Label1's own state (Enabled)
    QFont labelFont() const;          // Label1's font (Font)

    // Label1's text colour.
    OleColor foreColor1() const { return m_foreColor1; }
    void setForeColor1(OleColor colour);
    void setForeColor1(const QColor &colour);
    // Label2's text colour.
    OleColor foreColor2() const { return m_foreColor2; }
    void setForeColor2(OleColor colour);
    void setForeColor2(const QColor &colour);
    // The control surface.
    OleColor backColor() const { return m_backColor; }
    void setBackColor(OleColor colour);
    void setBackColor(const QColor &colour);
    // A plain number would turn into a QColor (as ARGB), not an OLE colour:
    // say OleColor(...) or give a QColor.
    template <std::integral T> void setForeColor1(T) = delete;
    template <std::integral T> void setForeColor2(T) = delete;
    template <std::integral T> void setBackColor(T) = delete;

    QColor foreColor1Resolved() const { return m_foreColor1.toColor(); }
    QColor foreColor2Resolved() const { return m_foreColor2.toColor(); }
    QColor backColorResolved() const { return m_backColor.toColor(); }

    // Label2 only.
    BorderStyleKind borderStyle() const;
    bool setBorderStyle(int style); // false for anything but 0, 1

    // Any value of a byte is kept; only 0 to 3 move the labels. Values
    // outside 0 to 255 are refused (false) and change nothing.
    int phase() const { return m_phase; }
    bool setPhase(int phase);

    // The size in twips; never below 100 x 100.
    QSize sizeTwips() const;
    void resizeTwips(int width, int height);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The container's side of persistence. None of these emits
    // propertyChanged(): loading a window does not change it.
    void initProperties();                        // placed for the first time
    void readProperties(const PropertyBag &bag);  // loaded
    void writeProperties(PropertyBag &bag) const; // saved

    // The container's font, which a font left unset follows.
    QFont ambientFont() const;

public slots:
    void Refresh();

signals:
    void Click();
    void DblClick();
    void MouseDown(qint16 button, qint16 shift, float x, float y);
    void MouseMove(qint16 button, qint16 shift, float x, float y);
    void MouseUp(qint16 button, qint16 shift, float x, float y);

    void propertyChanged(const QString &name);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void layoutLabels();
    void applyCaption(const QString &caption);
    bool applyAlignment(int alignment);
    bool applyBorderStyle(int style);
    void applyForeColours();
    void applyBackColor();
    void markChanged(const QString &name);

    QLabel *m_label1 = nullptr;     // back copy
    FrontLabel *m_label2 = nullptr; // front copy
    quint8 m_phase = 0;
    OleColor m_foreColor1 = systemcolour::HighlightText;
    OleColor m_foreColor2 = systemcolour::ButtonText;
    OleColor m_backColor = systemcolour::ButtonFace;
    QSize m_extentTwips;
    bool m_lastEnabled = true;
    bool m_quiet = false; // loading: no propertyChanged()
    bool m_applyingPalette = false;
};

} // namespace kelvora
