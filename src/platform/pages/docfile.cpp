#include "platform/pages/docfile.h"

#include <QDataStream>
#include <QFile>
#include <QPainter>
#include <QPicture>
#include <QSaveFile>
#include <QtEndian>

#include <cmath>
#include <cstring>

namespace pages {

namespace {

constexpr quint32 Magic = 0x4B565044;  // "KVPD"
constexpr quint16 FormatVersion = 1;
constexpr auto StreamVersion = QDataStream::Qt_6_4;

// A damaged or hostile file must never make the loader allocate more than the
// file could hold: every count and length read is checked against what is
// left of the data before anything is reserved.
constexpr qint64 MinItemBytes = 40;        // a serialised page item is always longer
constexpr qint64 MinPageBlockBytes = 4;    // the length of an empty block
constexpr qint64 MaxInflation = 1032;      // zlib never expands more than this
constexpr qint64 MaxPageBytes = 256 << 20; // one page's data, uncompressed

qint64 bytesLeft(const QDataStream &in)
{
    return in.device() ? in.device()->bytesAvailable() : 0;
}

bool refuse(QDataStream &in)
{
    in.setStatus(QDataStream::ReadCorruptData);
    return false;
}

// A count of elements that take at least `minBytes` each: refused when the
// rest of the data cannot hold them.
bool readCount(QDataStream &in, qint64 minBytes, quint32 &count)
{
    in >> count;
    if (in.status() != QDataStream::Ok)
        return false;
    return qint64(count) * minBytes <= bytesLeft(in) || refuse(in);
}

// QDataStream would reserve whatever count a list claims; this reads the
// count first and refuses it when the data left cannot hold that many.
template <typename T> bool readList(QDataStream &in, QList<T> &list, qint64 elementBytes)
{
    quint32 count = 0;
    if (!readCount(in, elementBytes, count))
        return false;
    list.clear();
    list.reserve(count);
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        T value;
        in >> value;
        list.append(value);
    }
    return in.status() == QDataStream::Ok;
}

// A length-prefixed block (as QDataStream writes a QByteArray) no longer than
// the file has left.
bool readBlock(QDataStream &in, QByteArray &block)
{
    quint32 length = 0;
    in >> length;
    if (in.status() != QDataStream::Ok || length == 0xFFFFFFFFu || qint64(length) > bytesLeft(in))
        return refuse(in);
    block.resize(qsizetype(length));
    return in.readRawData(block.data(), int(length)) == int(length) || refuse(in);
}

// qUncompress trusts the size in the block's first four bytes.
bool inflate(QByteArray &block)
{
    if (block.size() < 4)
        return false;
    const qint64 claimed = qFromBigEndian<quint32>(block.constData());
    if (claimed > (block.size() - 4) * MaxInflation || claimed > MaxPageBytes)
        return false;
    block = qUncompress(block);
    return !block.isEmpty() || claimed == 0;
}

// Images are stored as raw pixels with their format, not re-encoded, so
// they load back bit for bit.
void writeImage(QDataStream &out, const QImage &image)
{
    out << qint32(image.width()) << qint32(image.height()) << qint32(image.format());
    if (image.isNull())
        return;
    out << image.colorTable();
    const qsizetype lineBytes = image.bytesPerLine();
    out << qint64(lineBytes);
    for (int y = 0; y < image.height(); ++y)
        out.writeRawData(reinterpret_cast<const char *>(image.constScanLine(y)), int(lineBytes));
}

QImage readImage(QDataStream &in)
{
    qint32 width = 0, height = 0, format = 0;
    in >> width >> height >> format;
    if (width <= 0 || height <= 0 || format <= 0 || format >= QImage::NImageFormats)
        return QImage();
    if (qint64(width) * height > 100'000'000) {
        in.setStatus(QDataStream::ReadCorruptData);
        return QImage();
    }
    QList<QRgb> colors;
    if (!readList(in, colors, sizeof(quint32)))
        return QImage();
    qint64 lineBytes = 0;
    in >> lineBytes;
    if (in.status() != QDataStream::Ok || lineBytes <= 0 || lineBytes > bytesLeft(in) / height) {
        in.setStatus(QDataStream::ReadCorruptData);
        return QImage();
    }
    QImage image(width, height, QImage::Format(format));
    if (image.isNull() || lineBytes != image.bytesPerLine()) {
        in.setStatus(QDataStream::ReadCorruptData);
        return QImage();
    }
    image.setColorTable(colors);
    for (int y = 0; y < height; ++y) {
        if (in.readRawData(reinterpret_cast<char *>(image.scanLine(y)), int(lineBytes)) != lineBytes) {
            in.setStatus(QDataStream::ReadPastEnd);
            return QImage();
        }
    }
    return image;
}

// A recording is kept as the picture's own data (QPicture's format, with its
// checksum) after its frame; a file without recordings reads as before.
void writeRecording(QDataStream &out, const RecordingRef &recording)
{
    const QPicture picture = recording ? recording->picture : QPicture();
    const QSizeF frame = recording ? recording->frame : QSizeF();
    out << frame << QByteArray(picture.data(), picture.size());
}

bool readRecording(QDataStream &in, RecordingRef &recording)
{
    QSizeF frame;
    in >> frame;
    QByteArray data;
    if (in.status() != QDataStream::Ok || !readBlock(in, data))
        return false;
    if (data.isEmpty())
        return true;
    if (!std::isfinite(frame.width()) || !std::isfinite(frame.height()) || frame.isEmpty())
        return refuse(in);
    // QPicture checks its header and checksum when it first plays: play it
    // once on a scratch image, so damaged commands are refused here.
    QPicture picture;
    picture.setData(data.constData(), uint(data.size()));
    QImage scratch(1, 1, QImage::Format_ARGB32);
    QPainter painter(&scratch);
    if (!picture.play(&painter))
        return refuse(in);
    recording = RecordingRef(Recording{picture, frame});
    return true;
}

QByteArray pageBlock(const Page &page)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(StreamVersion);
    out << qint32(page.number) << page.size << quint32(page.items.size());
    for (const PageItem &item : page.items) {
        const FontSpec &f = item.font;
        const quint8 fontFlags = quint8((f.bold ? 1 : 0) | (f.italic ? 2 : 0) | (f.underline ? 4 : 0)
                                        | (f.strikeout ? 8 : 0));
        out << quint8(item.kind) << quint8(item.role) << quint8(item.align) << item.rect << qint32(item.baseline)
            << item.text << f.name << f.size << fontFlags << quint32(item.color) << quint32(item.fill)
            << qint32(item.penWidth) << item.penStyle << item.brushStyle << item.angle << qint32(item.radiusX)
            << qint32(item.radiusY) << item.startAngle << item.spanAngle << item.pie << item.points
            << qint32(item.table) << qint32(item.row) << qint32(item.column);
        out << bool(!item.picture.isNull());
        if (!item.picture.isNull())
            writeImage(out, item.picture);
        if (item.kind == ItemKind::Recording)
            writeRecording(out, item.recording);
    }
    return bytes;
}

bool readPage(const QByteArray &bytes, Page &page)
{
    QDataStream in(bytes);
    in.setVersion(StreamVersion);
    qint32 number = 0;
    quint32 count = 0;
    in >> number >> page.size;
    if (in.status() != QDataStream::Ok || !readCount(in, MinItemBytes, count))
        return false;
    page.number = number;
    page.items.clear();
    page.items.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        PageItem item;
        quint8 kind = 0, role = 0, align = 0, fontFlags = 0;
        qint32 baseline = 0, penWidth = 0, radiusX = 0, radiusY = 0, table = 0, row = 0, column = 0;
        quint32 color = 0, fill = 0;
        bool hasPicture = false;
        in >> kind >> role >> align >> item.rect >> baseline >> item.text >> item.font.name >> item.font.size
            >> fontFlags >> color >> fill >> penWidth >> item.penStyle >> item.brushStyle >> item.angle >> radiusX
            >> radiusY >> item.startAngle >> item.spanAngle >> item.pie;
        if (!readList(in, item.points, 2 * sizeof(qint32)))
            return false;
        in >> table >> row >> column >> hasPicture;
        if (in.status() != QDataStream::Ok || kind > quint8(ItemKind::Recording) || role > quint8(ItemRole::Drawing)
            || align > quint8(Align::Right))
            return false;
        item.kind = ItemKind(kind);
        item.role = ItemRole(role);
        item.align = Align(align);
        item.baseline = baseline;
        item.font.bold = fontFlags & 1;
        item.font.italic = fontFlags & 2;
        item.font.underline = fontFlags & 4;
        item.font.strikeout = fontFlags & 8;
        item.color = color;
        item.fill = fill;
        item.penWidth = penWidth;
        item.radiusX = radiusX;
        item.radiusY = radiusY;
        item.table = table;
        item.row = row;
        item.column = column;
        if (hasPicture)
            item.picture = readImage(in);
        if (item.kind == ItemKind::Recording && !readRecording(in, item.recording))
            return false;
        if (in.status() != QDataStream::Ok)
            return false;
        page.items.push_back(std::move(item));
    }
    return in.atEnd();
}

}  // namespace

FileResult writeDocumentFile(const QString &path, const Document &document, int fromPage, int toPage,
                             bool compress, const PageProgress &afterPage)
{
    const int last = toPage <= 0 ? document.pageCount() : std::min(toPage, document.pageCount());
    const int first = std::max(1, fromPage);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return FileResult::FileError;
    QDataStream out(&file);
    out.setVersion(StreamVersion);
    const int count = std::max(0, last - first + 1);
    out << Magic << FormatVersion << quint8(compress ? 1 : 0) << qint32(count);
    for (int number = first; number <= last; ++number) {
        const QByteArray block = pageBlock(document.pages[size_t(number - 1)]);
        out << (compress ? qCompress(block) : block);
        if (out.status() != QDataStream::Ok) {
            file.cancelWriting();
            return FileResult::FileError;
        }
        if (afterPage && !afterPage(number - first + 1, count)) {
            file.cancelWriting();
            return FileResult::Cancelled;
        }
    }
    return file.commit() ? FileResult::Ok : FileResult::FileError;
}

FileResult readDocumentFile(const QString &path, Document &document, const PageProgress &afterPage)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileResult::FileError;
    QDataStream in(&file);
    in.setVersion(StreamVersion);
    quint32 magic = 0;
    quint16 version = 0;
    quint8 compressed = 0;
    qint32 count = 0;
    in >> magic >> version >> compressed >> count;
    if (in.status() != QDataStream::Ok || magic != Magic || version != FormatVersion || count < 0
        || qint64(count) * MinPageBlockBytes > bytesLeft(in))
        return FileResult::BadFormat;
    Document loaded;
    for (qint32 i = 0; i < count; ++i) {
        QByteArray block;
        if (!readBlock(in, block) || (compressed && !inflate(block)))
            return FileResult::BadFormat;
        Page page;
        if (!readPage(block, page))
            return FileResult::BadFormat;
        loaded.pages.push_back(std::move(page));
        if (afterPage && !afterPage(i + 1, count))
            return FileResult::Cancelled;
    }
    document = std::move(loaded);
    return FileResult::Ok;
}

}  // namespace pages
