// The control: the inner engine that covers it, forwarding by name through
// the property table, the methods and the events.
#include "prynex/prynex.h"

#include "prynex/about/frm_about.h"
#include "prynex/pages/property_sheet.h"
#include "prynex/prynex_private.h"
#include "prynex/property_table.h"

#include "platform/pages/byname_values.h"
#include "platform/pages/engine.h"
#include "platform/pages/units.h"
#include "platform/pages/widgets/previewwidget.h"

#include "controls/propertybag/ole_color.h"

#include <QMetaMethod>
#include <QResizeEvent>

#include <limits>

using namespace Qt::StringLiterals;
using prynex::Access;
using prynex::PropertyInfo;
using prynex::Type;

namespace {

const char *const kHelpIdProperty = "WhatsThisHelpID";

// The value as the property's own type hands it out.
QVariant asDeclaredType(const PropertyInfo &info, const QVariant &value)
{
    switch (info.type) {
    case Type::Boolean: return value.toBool();
    case Type::Int16:
    case Type::Int32:
    case Type::Enumeration: return int(value.toLongLong());
    case Type::Colour: return uint(value.toLongLong());
    case Type::Single: return value.toDouble();
    case Type::Text: return value.toString();
    case Type::Font:
    case Type::Picture: return value;
    }
    return value;
}

// A 16-bit property refuses a number it cannot hold, as an overflow, whether
// it comes as a number or as text.
bool fitsDeclaredType(const PropertyInfo &info, const QVariant &value)
{
    if (info.type != Type::Int16)
        return true;
    std::optional<qint64> number = pages::wholeNumber(value);
    if (value.typeId() == QMetaType::QString) {
        if (const auto twips = pages::parseTwips(value.toString()))
            number = *twips;
    }
    return !number || (*number >= std::numeric_limits<qint16>::min() && *number <= std::numeric_limits<qint16>::max());
}

}  // namespace

PrynexPrivate::PrynexPrivate(Prynex *control)
    : q(control), engine1(new pages::PreviewWidget(control)), engine(engine1->engine())
{
    engine1->setObjectName(u"Engine1"_s);
}

void PrynexPrivate::markChanged(const QString &name)
{
    static const QMetaMethod signal = QMetaMethod::fromSignal(&Prynex::propertyChanged);
    if (!loading && q->isSignalConnected(signal))
        emit q->propertyChanged(name);
}

void PrynexPrivate::connectEvents()
{
    using pages::Engine;
    auto mouse = [this](void (Prynex::*event)(qint16 &, qint16 &, float &, float &)) {
        return [this, event](int &button, int &shift, float &x, float &y) {
            qint16 b = qint16(button), s = qint16(shift);
            emit(q->*event)(b, s, x, y);
            button = b;
            shift = s;
        };
    };
    auto keys = [this](void (Prynex::*event)(qint16 &, qint16 &)) {
        return [this, event](int &keyCode, int &shift) {
            qint16 k = qint16(keyCode), s = qint16(shift);
            emit(q->*event)(k, s);
            keyCode = k;
            shift = s;
        };
    };
    auto progress = [this](void (Prynex::*event)(qint16 &, qint16 &, bool &)) {
        return [this, event](int &page, int &of, bool &cancel) {
            qint16 p = qint16(page), o = qint16(of);
            emit(q->*event)(p, o, cancel);
            page = p;
            of = o;
        };
    };
    QObject::connect(engine, &Engine::Click, q, &Prynex::Click);
    QObject::connect(engine, &Engine::DblClick, q, &Prynex::DblClick);
    QObject::connect(engine, &Engine::KeyDown, q, keys(&Prynex::KeyDown));
    QObject::connect(engine, &Engine::KeyPress, q, [this](int &keyAscii) {
        qint16 k = qint16(keyAscii);
        emit q->KeyPress(k);
        keyAscii = k;
    });
    QObject::connect(engine, &Engine::KeyUp, q, keys(&Prynex::KeyUp));
    QObject::connect(engine, &Engine::MouseDown, q, mouse(&Prynex::MouseDown));
    QObject::connect(engine, &Engine::MouseMove, q, mouse(&Prynex::MouseMove));
    QObject::connect(engine, &Engine::MouseUp, q, mouse(&Prynex::MouseUp));
    QObject::connect(engine, &Engine::EndPage, q, &Prynex::EndPage);
    QObject::connect(engine, &Engine::LoadingDoc, q, progress(&Prynex::LoadingDoc));
    QObject::connect(engine, &Engine::NewLine, q, &Prynex::NewLine);
    QObject::connect(engine, &Engine::NewTableCell, q, [this](int &row, int &column, QString &cell) {
        qint16 r = qint16(row), c = qint16(column);
        emit q->NewTableCell(r, c, cell);
        row = r;
        column = c;
    });
    QObject::connect(engine, &Engine::PrepareFooter, q, &Prynex::PrepareFooter);
    QObject::connect(engine, &Engine::PrepareHeader, q, &Prynex::PrepareHeader);
    QObject::connect(engine, &Engine::ResetDC, q, &Prynex::ResetDC);
    QObject::connect(engine, &Engine::SavingDoc, q, progress(&Prynex::SavingDoc));
}

Prynex::Prynex(QWidget *parent) : QWidget(parent), d(std::make_unique<PrynexPrivate>(this))
{
    d->connectEvents();
    d->engine1->setGeometry(rect());
}

Prynex::~Prynex() = default;

void Prynex::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    d->engine1->setGeometry(0, 0, width(), height());
}

// ------------------------------------------------------------ by name

QStringList Prynex::propertyNames()
{
    QStringList names;
    for (const PropertyInfo &info : prynex::propertyTable())
        if (info.isControlProperty)
            names.append(info.qName());
    return names;
}

QVariant Prynex::propertyByName(const QString &name) const
{
    const PropertyInfo *info = prynex::findProperty(name);
    if (!info || !info->isControlProperty || !info->readable())
        return {};
    static const PropertyInfo *const version = prynex::findProperty(u"Version");
    static const PropertyInfo *const enabled = prynex::findProperty(u"Enabled");
    static const PropertyInfo *const helpId = prynex::findProperty(u"WhatsThisHelpID");
    if (info == version)
        return Version();
    if (info == enabled)
        return Enabled();
    if (info == helpId)
        return WhatsThisHelpID();
    // The engine matches names without regard to case too.
    return asDeclaredType(*info, d->engine->propertyByName(name));
}

bool Prynex::setPropertyByName(const QString &name, const QVariant &value)
{
    const PropertyInfo *info = prynex::findProperty(name);
    if (!info || !info->isControlProperty || !info->writable() || !fitsDeclaredType(*info, value))
        return false;
    const QLatin1StringView propertyName(info->name);
    if (propertyName == "Enabled"_L1) {
        const auto on = pages::truthValue(value);
        if (!on)
            return false;
        setEnabled(*on);
        return true;
    }
    if (propertyName == "WhatsThisHelpID"_L1) {
        const auto id = pages::wholeNumber(value);
        if (!id || *id < std::numeric_limits<int>::min() || *id > std::numeric_limits<int>::max())
            return false;
        setWhatsThisHelpID(int(*id));
        return true;
    }
    const bool taken = d->engine->setPropertyByName(name, value);
    // Drawing reports nothing back: its errors are the engine's own business.
    if (!taken && propertyName != "Draw"_L1)
        return false;
    if (info->marksChanged)
        d->markChanged(info->qName());
    return true;
}

QVariant Prynex::indexedProperty(const QString &name, int index) const
{
    const PropertyInfo *info = prynex::findProperty(name);
    if (!info || info->access != Access::Indexed)
        return {};
    return d->engine->indexedProperty(info->qName(), index);
}

// ------------------------------------------------------------- methods

QVariant Prynex::invokeByName(const QString &method, const QVariantList &args)
{
    static const QStringList methods = {u"AddTable"_s, u"DrawCircle"_s, u"DrawEllipse"_s, u"DrawLine"_s,
                                        u"DrawRectangle"_s, u"EndDoc"_s, u"LoadDoc"_s, u"NewColumn"_s,
                                        u"NewPage"_s, u"PrintDoc"_s, u"SaveDoc"_s, u"StartDoc"_s,
                                        u"KillDoc"_s};
    if (method.compare(u"AboutBox", Qt::CaseInsensitive) == 0) {
        AboutBox();
        return true;
    }
    if (!methods.contains(method, Qt::CaseInsensitive))
        return {};
    return d->engine->invokeByName(method, args);
}

void Prynex::AddTable(const QString &Format, const QString &Header, const QString &Body,
                      const QVariant &HeaderShade, const QVariant &BodyShade, const QVariant &Append)
{
    d->engine->invokeByName(u"AddTable"_s, {Format, Header, Body, HeaderShade, BodyShade, Append});
}

void Prynex::DrawCircle(int X1, int Y1, int Radius, const QVariant &Start, const QVariant &En)
{
    d->engine->invokeByName(u"DrawCircle"_s, {X1, Y1, Radius, Start, En});
}

void Prynex::DrawEllipse(int X1, int l, int X2, int Y2, const QVariant &Start, const QVariant &En)
{
    d->engine->invokeByName(u"DrawEllipse"_s, {X1, l, X2, Y2, Start, En});
}

void Prynex::DrawLine(int X1, int Y1, const QVariant &X2, const QVariant &Y2)
{
    d->engine->invokeByName(u"DrawLine"_s, {X1, Y1, X2, Y2});
}

void Prynex::DrawRectangle(int X1, int Y1, int X2, int Y2, const QVariant &Radius1, const QVariant &Radius2)
{
    d->engine->invokeByName(u"DrawRectangle"_s, {X1, Y1, X2, Y2, Radius1, Radius2});
}

void Prynex::EndDoc() { d->engine->EndDoc(); }
void Prynex::NewColumn() { d->engine->NewColumn(); }
void Prynex::NewPage() { d->engine->NewPage(); }
void Prynex::StartDoc() { d->engine->StartDoc(); }
void Prynex::KillDoc() { d->engine->KillDoc(); }

bool Prynex::LoadDoc(const QString &FileName)
{
    return d->engine->LoadDoc(FileName);
}

bool Prynex::PrintDoc(const QVariant &Choose, const QVariant &FromPage, const QVariant &ToPage)
{
    return d->engine->invokeByName(u"PrintDoc"_s, {Choose, FromPage, ToPage}).toBool();
}

bool Prynex::SaveDoc(const QString &FileName, const QVariant &Compress, const QVariant &FromPage,
                     const QVariant &ToPage)
{
    return d->engine->invokeByName(u"SaveDoc"_s, {FileName, Compress, FromPage, ToPage}).toBool();
}

bool Prynex::writePdf(const QString &fileName, const QString &title, int fromPage, int toPage)
{
    return d->engine->WritePdf(fileName, fromPage, toPage, {}, title);
}

void Prynex::AboutBox()
{
    if (!d->about)
        d->about = new prynex::FrmAbout(this);
    d->about->exec();
}

bool Prynex::ShowPropertyPages(const QString &property, QWidget *parent)
{
    prynex::PropertySheet sheet({this}, parent ? parent : this);
    sheet.openOn(property);
    return sheet.exec() == QDialog::Accepted;
}

// ------------------------------------------------- typed accessors

bool Prynex::Enabled() const
{
    return !testAttribute(Qt::WA_ForceDisabled);
}

void Prynex::setEnabled(bool on)
{
    QWidget::setEnabled(on);
    d->markChanged(u"Enabled"_s);
}

int Prynex::WhatsThisHelpID() const
{
    // Kept by the container side of the inner engine, not by the engine.
    return d->engine1->property(kHelpIdProperty).toInt();
}

void Prynex::setWhatsThisHelpID(int id)
{
    d->engine1->setProperty(kHelpIdProperty, id);
    d->markChanged(u"WhatsThisHelpID"_s);
}

QFont Prynex::Font() const
{
    return d->engine->Font();
}

void Prynex::setFont(const QFont &font)
{
    setPropertyByName(u"Font"_s, font);
}

QFont Prynex::HdrFont() const
{
    return d->engine->HdrFont();
}

void Prynex::setHdrFont(const QFont &font)
{
    setPropertyByName(u"HdrFont"_s, font);
}

QString Prynex::Driver() const
{
    return propertyByName(u"Driver"_s).toString();
}

int Prynex::TextHei() const
{
    return propertyByName(u"TextHei"_s).toInt();
}

void Prynex::setText(const QString &text)
{
    setPropertyByName(u"Text"_s, text);
}

void Prynex::setParagraph(const QString &text)
{
    setPropertyByName(u"Paragraph"_s, text);
}

#define PRYNEX_FORWARD(Type, Name)                                                 \
    Type Prynex::Name() const { return propertyByName(QStringLiteral(#Name)).value<Type>(); } \
    void Prynex::set##Name(Type value) { setPropertyByName(QStringLiteral(#Name), value); }
#define PRYNEX_FORWARD_TEXT(Name)                                                    \
    QString Prynex::Name() const { return propertyByName(QStringLiteral(#Name)).toString(); } \
    void Prynex::set##Name(const QString &value) { setPropertyByName(QStringLiteral(#Name), value); }
#define PRYNEX_FORWARD_COLOUR(Name)                                                         \
    uint Prynex::Name() const { return propertyByName(QStringLiteral(#Name)).toUInt(); }            \
    void Prynex::set##Name(uint value) { setPropertyByName(QStringLiteral(#Name), value); }         \
    QColor Prynex::q##Name() const { return kelvora::OleColor(Name()).toColor(palette()); } \
    void Prynex::set##Name(const QColor &colour) { set##Name(kelvora::OleColor::fromColor(colour).value()); }

PRYNEX_FORWARD(int, Appearance)
PRYNEX_FORWARD_COLOUR(BackColor)
PRYNEX_FORWARD(int, BorderStyle)
PRYNEX_FORWARD_TEXT(AbortCaption)
PRYNEX_FORWARD_TEXT(AbortTextButton)
PRYNEX_FORWARD_TEXT(AbortTextDevice)
PRYNEX_FORWARD_TEXT(AbortTextPage)
PRYNEX_FORWARD(bool, AbortWindow)
PRYNEX_FORWARD(int, AbortWindowPos)
PRYNEX_FORWARD_COLOUR(BrushColor)
PRYNEX_FORWARD(int, BrushStyle)
PRYNEX_FORWARD(int, Columns)
PRYNEX_FORWARD(int, Copies)
PRYNEX_FORWARD_COLOUR(EmptyColor)
PRYNEX_FORWARD_TEXT(FileName)
PRYNEX_FORWARD_TEXT(Footer)
PRYNEX_FORWARD_COLOUR(HdrColor)
PRYNEX_FORWARD_TEXT(Header)
PRYNEX_FORWARD(int, IndentFirst)
PRYNEX_FORWARD(int, IndentLeft)
PRYNEX_FORWARD(int, IndentRight)
PRYNEX_FORWARD(int, IndentTab)
PRYNEX_FORWARD(int, LineSpacing)
PRYNEX_FORWARD(int, MarginBottom)
PRYNEX_FORWARD(int, MarginLeft)
PRYNEX_FORWARD(int, MarginRight)
PRYNEX_FORWARD(int, MarginTop)
PRYNEX_FORWARD(bool, MousePage)
PRYNEX_FORWARD(bool, MouseScroll)
PRYNEX_FORWARD(bool, MouseZoom)
PRYNEX_FORWARD(int, Orientation)
PRYNEX_FORWARD(int, PageBorder)
PRYNEX_FORWARD_COLOUR(PenColor)
PRYNEX_FORWARD(int, PenStyle)
PRYNEX_FORWARD(int, PenWidth)
PRYNEX_FORWARD(bool, Preview)
PRYNEX_FORWARD(int, PreviewMode)
PRYNEX_FORWARD(int, PreviewPage)
PRYNEX_FORWARD(int, SpaceAfter)
PRYNEX_FORWARD(int, SpaceBefore)
PRYNEX_FORWARD(int, TableBorder)
PRYNEX_FORWARD(int, TextAlign)
PRYNEX_FORWARD_COLOUR(TextColor)
PRYNEX_FORWARD(int, Zoom)
