#include "controls/label3d/label3d.h"

#include "controls/label3d/front_label.h"
#include "controls/label3d/phase_placement.h"
#include "controls/label3d/twips.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QResizeEvent>
#include <QScopedValueRollback>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

Qt::Alignment qtAlignment(Label3D::AlignmentKind alignment)
{
    switch (alignment) {
    case Label3D::RightJustify:
        return Qt::AlignRight | Qt::AlignTop;
    case Label3D::Center:
        return Qt::AlignHCenter | Qt::AlignTop;
    case Label3D::LeftJustify:
        break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

void setTextColour(QLabel *label, const QColor &colour)
{
    // Only the active and inactive looks: a disabled caption stays greyed.
    QPalette palette = label->palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, colour);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    label->setPalette(palette);
}

QLabel *makeCopy(QLabel *label, const QString &objectName)
{
    label->setObjectName(objectName);
    label->setText(Label3D::kDefaultCaption);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(qtAlignment(Label3D::LeftJustify));
    label->setAutoFillBackground(false); // transparent: both copies show
    return label;
}

} // namespace

Label3D::Label3D(QWidget *parent) : QWidget(parent)
{
    // Made in this order so that Label2 lies over Label1.
    m_label1 = makeCopy(new QLabel(this), u"Label1"_s);
    m_label2 = new FrontLabel(this);
    makeCopy(m_label2, u"Label2"_s);
    // The back copy never takes the mouse: what reaches it goes on to the
    // control surface, which raises nothing.
    m_label1->setAttribute(Qt::WA_TransparentForMouseEvents);

    connect(m_label2, &FrontLabel::clicked, this, &Label3D::Click);
    connect(m_label2, &FrontLabel::doubleClicked, this, &Label3D::DblClick);
    connect(m_label2, &FrontLabel::mouseDown, this, &Label3D::MouseDown);
    connect(m_label2, &FrontLabel::mouseMove, this, &Label3D::MouseMove);
    connect(m_label2, &FrontLabel::mouseUp, this, &Label3D::MouseUp);

    setAutoFillBackground(true);
    setMinimumSize(pixelsFromTwips(QSize(kMinimumTwips, kMinimumTwips)));
    applyForeColours();
    applyBackColor();
    layoutLabels();
}

Label3D::~Label3D() = default;

QString Label3D::caption() const
{
    return m_label1->text();
}

void Label3D::setCaption(const QString &caption)
{
    applyCaption(caption);
    markChanged(u"Caption"_s);
}

void Label3D::applyCaption(const QString &caption)
{
    m_label1->setText(caption);
    m_label2->setText(caption);
    updateGeometry();
}

Label3D::AlignmentKind Label3D::alignment() const
{
    const Qt::Alignment horizontal = m_label1->alignment() & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignRight)
        return RightJustify;
    if (horizontal & Qt::AlignHCenter)
        return Center;
    return LeftJustify;
}

bool Label3D::setAlignment(int alignment)
{
    if (!applyAlignment(alignment))
        return false;
    markChanged(u"Alignment"_s);
    return true;
}

bool Label3D::applyAlignment(int alignment)
{
    if (alignment < LeftJustify || alignment > Center)
        return false;
    const Qt::Alignment qt = qtAlignment(AlignmentKind(alignment));
    m_label1->setAlignment(qt);
    m_label2->setAlignment(qt);
    return true;
}

bool Label3D::labelsEnabled() const
{
    // Its own state, not dimmed by a disabled container.
    return m_label1->isEnabledTo(parentWidget());
}

QFont Label3D::labelFont() const
{
    return m_label1->font();
}

void Label3D::setForeColor1(OleColor colour)
{
    m_foreColor1 = colour;
    applyForeColours();
    markChanged(u"ForeColor1"_s);
}

void Label3D::setForeColor1(const QColor &colour)
{
    setForeColor1(OleColor::fromColor(colour));
}

void Label3D::setForeColor2(OleColor colour)
{
    m_foreColor2 = colour;
    applyForeColours();
    markChanged(u"ForeColor2"_s);
}

void Label3D::setForeColor2(const QColor &colour)
{
    setForeColor2(OleColor::fromColor(colour));
}

void Label3D::setBackColor(OleColor colour)
{
    m_backColor = colour;
    applyBackColor();
    markChanged(u"BackColor"_s);
}

void Label3D::setBackColor(const QColor &colour)
{
    setBackColor(OleColor::fromColor(colour));
}

void Label3D::applyForeColours()
{
    setTextColour(m_label1, m_foreColor1.toColor());
    setTextColour(m_label2, m_foreColor2.toColor());
}

void Label3D::applyBackColor()
{
    QScopedValueRollback applying(m_applyingPalette, true);
    QPalette surface = palette();
    surface.setColor(QPalette::Window, m_backColor.toColor());
    setPalette(surface);
}

Label3D::BorderStyleKind Label3D::borderStyle() const
{
    return m_label2->hasBorder() ? FixedSingle : NoBorder;
}

bool Label3D::setBorderStyle(int style)
{
    if (!applyBorderStyle(style))
        return false;
    markChanged(u"BorderStyle"_s);
    return true;
}

bool Label3D::applyBorderStyle(int style)
{
    if (style != NoBorder && style != FixedSingle)
        return false;
    m_label2->setBorder(style == FixedSingle);
    return true;
}

bool Label3D::setPhase(int phase)
{
    if (phase < 0 || phase > 255)
        return false;
    m_phase = quint8(phase);
    markChanged(u"Phase"_s);
    layoutLabels();
    return true;
}

QSize Label3D::sizeTwips() const
{
    // See layoutLabels(): the pixel size rules unless it rounds ours.
    return size() == pixelsFromTwips(m_extentTwips) ? m_extentTwips : twipsFromPixels(size());
}

void Label3D::resizeTwips(int width, int height)
{
    m_extentTwips = QSize(width, height).expandedTo(QSize(kMinimumTwips, kMinimumTwips));
    resize(pixelsFromTwips(m_extentTwips));
    layoutLabels();
}

void Label3D::layoutLabels()
{
    // The widget's pixel size rules, except when it is the rounding of the
    // size in twips set through resizeTwips(). It is read here rather than
    // only in resizeEvent() because Qt holds back the resize events of a
    // hidden widget until it is shown.
    if (size() != pixelsFromTwips(m_extentTwips))
        m_extentTwips = twipsFromPixels(size());
    m_extentTwips = m_extentTwips.expandedTo(QSize(kMinimumTwips, kMinimumTwips));
    const QSize pixels = pixelsFromTwips(m_extentTwips);
    if (size() != pixels)
        resize(pixels);

    m_label1->resize(pixels);
    m_label2->resize(pixels);
    if (const auto placement = placementForPhase(m_phase)) {
        m_label1->move(pixelsFromTwips(placement->back));
        m_label2->move(pixelsFromTwips(placement->front));
    }
}

void Label3D::resizeEvent(QResizeEvent *)
{
    layoutLabels();
}

void Label3D::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::EnabledChange:
        if (labelsEnabled() != m_lastEnabled) {
            m_lastEnabled = labelsEnabled();
            markChanged(u"Enabled"_s);
        }
        break;
    case QEvent::FontChange:
        updateGeometry();
        markChanged(u"Font"_s);
        break;
    case QEvent::PaletteChange:
        // System colours follow the desktop palette. Setting our own palette
        // raises this event again, hence the guard.
        if (!m_applyingPalette) {
            QScopedValueRollback applying(m_applyingPalette, true);
            applyForeColours();
            applyBackColor();
        }
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

QSize Label3D::sizeHint() const
{
    // The shifted copy needs one pixel more each way.
    return m_label2->sizeHint() + QSize(1, 1);
}

QSize Label3D::minimumSizeHint() const
{
    return minimumSize();
}

QFont Label3D::ambientFont() const
{
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

void Label3D::Refresh()
{
    repaint();
}

void Label3D::markChanged(const QString &name)
{
    if (!m_quiet)
        emit propertyChanged(name);
}

} // namespace kelvora
