#include "platform/pages/pagecodec.h"

#include <cstring>

namespace pages {

namespace {

class Writer {
public:
    void byte(quint8 b) { m_bytes.append(char(b)); }
    void unsignedNumber(quint64 v)
    {
        while (v >= 0x80) {
            byte(quint8(v | 0x80));
            v >>= 7;
        }
        byte(quint8(v));
    }
    void number(qint64 v) { unsignedNumber((quint64(v) << 1) ^ quint64(v >> 63)); }
    void word(quint32 v) { m_bytes.append(reinterpret_cast<const char *>(&v), sizeof v); }
    void real(double v) { m_bytes.append(reinterpret_cast<const char *>(&v), sizeof v); }
    void raw(const void *data, qsizetype n) { m_bytes.append(static_cast<const char *>(data), n); }
    void text(const QString &s)
    {
        unsignedNumber(quint64(s.size()));
        raw(s.constData(), s.size() * qsizetype(sizeof(QChar)));
    }
    QByteArray &bytes() { return m_bytes; }

private:
    QByteArray m_bytes;
};

class Reader {
public:
    explicit Reader(const QByteArray &bytes) : m_at(bytes.constData()), m_end(m_at + bytes.size()) {}
    quint8 byte() { return m_at < m_end ? quint8(*m_at++) : 0; }
    quint64 unsignedNumber()
    {
        quint64 v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const quint8 b = byte();
            v |= quint64(b & 0x7f) << shift;
            if (!(b & 0x80))
                break;
        }
        return v;
    }
    qint64 number()
    {
        const quint64 v = unsignedNumber();
        return qint64(v >> 1) ^ -qint64(v & 1);
    }
    quint32 word()
    {
        quint32 v = 0;
        rawInto(&v, sizeof v);
        return v;
    }
    double real()
    {
        double v = 0;
        rawInto(&v, sizeof v);
        return v;
    }
    void rawInto(void *out, qsizetype n)
    {
        const qsizetype have = std::min<qsizetype>(n, m_end - m_at);
        std::memcpy(out, m_at, size_t(have));
        m_at += have;
    }
    QString text()
    {
        const qsizetype n = std::min<qsizetype>(qsizetype(unsignedNumber()), (m_end - m_at) / 2);
        QString s(n, Qt::Uninitialized);
        rawInto(s.data(), n * qsizetype(sizeof(QChar)));
        return s;
    }

private:
    const char *m_at;
    const char *m_end;
};

// Which of an item's less common fields follow its common ones.
enum Extra : quint8 {
    HasText = 1,
    HasPen = 2,
    HasShape = 4,      // angle, radii, arc
    HasPoints = 8,
    HasPicture = 16,
    HasTableCell = 32,
    HasFill = 64,
    HasRecording = 128,
};

quint8 fontFlags(const FontSpec &f)
{
    return quint8((f.bold ? 1 : 0) | (f.italic ? 2 : 0) | (f.underline ? 4 : 0) | (f.strikeout ? 8 : 0));
}

void writeImage(Writer &out, const QImage &image)
{
    out.number(image.width());
    out.number(image.height());
    out.number(int(image.format()));
    const QList<QRgb> colors = image.colorTable();
    out.unsignedNumber(quint64(colors.size()));
    for (QRgb c : colors)
        out.word(c);
    for (int y = 0; y < image.height(); ++y)
        out.raw(image.constScanLine(y), image.bytesPerLine());
}

QImage readImage(Reader &in)
{
    const int width = int(in.number());
    const int height = int(in.number());
    const int format = int(in.number());
    QList<QRgb> colors(qsizetype(in.unsignedNumber()));
    for (QRgb &c : colors)
        c = in.word();
    if (width <= 0 || height <= 0 || format <= 0 || format >= QImage::NImageFormats)
        return QImage();
    QImage image(width, height, QImage::Format(format));
    image.setColorTable(colors);
    for (int y = 0; y < height; ++y)
        in.rawInto(image.scanLine(y), image.bytesPerLine());
    return image;
}

// A recording's commands as QPicture keeps them, after its frame.
void writeRecording(Writer &out, const Recording &recording)
{
    out.real(recording.frame.width());
    out.real(recording.frame.height());
    const QByteArray commands(recording.picture.data(), qsizetype(recording.picture.size()));
    out.unsignedNumber(quint64(commands.size()));
    out.raw(commands.constData(), commands.size());
}

RecordingRef readRecording(Reader &in)
{
    Recording recording;
    const double width = in.real();
    recording.frame = QSizeF(width, in.real());
    QByteArray commands(qsizetype(in.unsignedNumber()), Qt::Uninitialized);
    in.rawInto(commands.data(), commands.size());
    recording.picture.setData(commands.constData(), uint(commands.size()));
    return RecordingRef(std::move(recording));
}

}  // namespace

QByteArray packPage(const Page &page)
{
    Writer out;
    out.number(page.number);
    out.number(page.size.width());
    out.number(page.size.height());
    // A page uses a handful of fonts: each is written once, items name it by place.
    std::vector<const FontSpec *> fonts;
    std::vector<quint32> fontOf(page.items.size());
    for (size_t i = 0; i < page.items.size(); ++i) {
        const FontSpec &f = page.items[i].font;
        size_t k = 0;
        while (k < fonts.size() && !(*fonts[k] == f))
            ++k;
        if (k == fonts.size())
            fonts.push_back(&f);
        fontOf[i] = quint32(k);
    }
    out.unsignedNumber(fonts.size());
    for (const FontSpec *f : fonts) {
        out.text(f->name);
        out.real(f->size);
        out.byte(fontFlags(*f));
    }
    out.unsignedNumber(page.items.size());
    QRect previous;
    for (size_t i = 0; i < page.items.size(); ++i) {
        const PageItem &item = page.items[i];
        quint8 extra = 0;
        extra |= item.text.isEmpty() ? 0 : HasText;
        extra |= item.penWidth != 0 || item.penStyle != 0 || item.brushStyle != 0 ? HasPen : 0;
        extra |= item.angle != 0 || item.radiusX != 0 || item.radiusY != 0 || item.startAngle != 0
                         || item.spanAngle != 0 || item.pie
                     ? HasShape
                     : 0;
        extra |= item.points.isEmpty() ? 0 : HasPoints;
        extra |= item.picture.isNull() ? 0 : HasPicture;
        extra |= item.table != -1 || item.row != -1 || item.column != -1 ? HasTableCell : 0;
        extra |= item.fill != 0 ? HasFill : 0;
        extra |= item.recording ? HasRecording : 0;
        out.byte(quint8(item.kind));
        out.byte(quint8(quint8(item.role) | quint8(item.align) << 5));
        out.byte(extra);
        // Items follow one another down the page: positions as steps are short.
        out.number(qint64(item.rect.x()) - previous.x());
        out.number(qint64(item.rect.y()) - previous.y());
        out.number(item.rect.width());
        out.number(item.rect.height());
        out.number(qint64(item.baseline) - item.rect.y());
        previous = item.rect;
        out.unsignedNumber(fontOf[i]);
        out.word(item.color);
        if (extra & HasFill)
            out.word(item.fill);
        if (extra & HasText)
            out.text(item.text);
        if (extra & HasPen) {
            out.number(item.penWidth);
            out.byte(item.penStyle);
            out.byte(item.brushStyle);
        }
        if (extra & HasShape) {
            out.number(item.angle);
            out.number(item.radiusX);
            out.number(item.radiusY);
            out.number(item.startAngle);
            out.number(item.spanAngle);
            out.byte(item.pie ? 1 : 0);
        }
        if (extra & HasPoints) {
            out.unsignedNumber(quint64(item.points.size()));
            for (const QPoint &p : item.points) {
                out.number(p.x());
                out.number(p.y());
            }
        }
        if (extra & HasPicture)
            writeImage(out, item.picture);
        if (extra & HasRecording)
            writeRecording(out, *item.recording.get());
        if (extra & HasTableCell) {
            out.number(item.table);
            out.number(item.row);
            out.number(item.column);
        }
    }
    // The fastest level: pages are packed as they are laid out. qCompress
    // leaves room for the uncompressed size behind its result; kept for the
    // whole run, that room would cost more than the page itself.
    QByteArray packed = qCompress(out.bytes(), 1);
    packed.squeeze();
    return packed;
}

Page unpackPage(const QByteArray &packed)
{
    const QByteArray bytes = qUncompress(packed);
    Reader in(bytes);
    Page page;
    page.number = int(in.number());
    const int width = int(in.number());
    page.size = QSize(width, int(in.number()));
    std::vector<FontSpec> fonts(in.unsignedNumber());
    for (FontSpec &f : fonts) {
        f.name = in.text();
        f.size = in.real();
        const quint8 flags = in.byte();
        f.bold = flags & 1;
        f.italic = flags & 2;
        f.underline = flags & 4;
        f.strikeout = flags & 8;
    }
    const quint64 count = in.unsignedNumber();
    page.items.resize(size_t(count));
    QRect previous;
    for (PageItem &item : page.items) {
        item.kind = ItemKind(in.byte());
        const quint8 roleAlign = in.byte();
        item.role = ItemRole(roleAlign & 0x1f);
        item.align = Align(roleAlign >> 5);
        const quint8 extra = in.byte();
        const int x = int(previous.x() + in.number());
        const int y = int(previous.y() + in.number());
        const int w = int(in.number());
        item.rect = QRect(x, y, w, int(in.number()));
        item.baseline = int(y + in.number());
        previous = item.rect;
        const quint64 font = in.unsignedNumber();
        if (font < fonts.size())
            item.font = fonts[size_t(font)];
        item.color = in.word();
        if (extra & HasFill)
            item.fill = in.word();
        if (extra & HasText)
            item.text = in.text();
        if (extra & HasPen) {
            item.penWidth = int(in.number());
            item.penStyle = in.byte();
            item.brushStyle = in.byte();
        }
        if (extra & HasShape) {
            item.angle = qint16(in.number());
            item.radiusX = int(in.number());
            item.radiusY = int(in.number());
            item.startAngle = qint16(in.number());
            item.spanAngle = qint16(in.number());
            item.pie = in.byte() != 0;
        }
        if (extra & HasPoints) {
            item.points.resize(qsizetype(in.unsignedNumber()));
            for (QPoint &p : item.points) {
                const int px = int(in.number());
                p = QPoint(px, int(in.number()));
            }
        }
        if (extra & HasPicture)
            item.picture = readImage(in);
        if (extra & HasRecording)
            item.recording = readRecording(in);
        if (extra & HasTableCell) {
            item.table = int(in.number());
            item.row = int(in.number());
            item.column = int(in.number());
        }
    }
    return page;
}

}  // namespace pages
