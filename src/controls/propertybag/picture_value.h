#pragma once

#include <QByteArray>
#include <QImage>

namespace kelvora {

// A picture kept as the bytes of its image file (PNG when made from an
// image), so that storing and loading gives back exactly the same bytes.
struct PictureValue
{
    QByteArray data;

    bool isNull() const { return data.isEmpty(); }
    static PictureValue fromImage(const QImage &image);
    QImage toImage() const;

    friend bool operator==(const PictureValue &, const PictureValue &) = default;
};

} // namespace kelvora
