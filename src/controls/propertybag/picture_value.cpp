#include "controls/propertybag/picture_value.h"

#include <QBuffer>

namespace kelvora {

PictureValue PictureValue::fromImage(const QImage &image)
{
    PictureValue picture;
    if (image.isNull())
        return picture;
    QBuffer buffer(&picture.data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return picture;
}

QImage PictureValue::toImage() const
{
    return QImage::fromData(data);
}

} // namespace kelvora
