#include "platform/pages/engine.h"

#include "platform/pages/engine_p.h"
#include "platform/pages/layout.h"

namespace pages {

// Kept apart from the other drawing members: a recording is made by a caller
// that draws with its own tools (a chart library) and only handed over here.
void Engine::DrawRecording(const QPicture &picture, const QSizeF &frame)
{
    const QRect box(QPoint(d->x1, d->y1), QPoint(d->x2, d->y2));
    if (picture.isNull() || frame.isEmpty() || d->x2 <= d->x1 || d->y2 <= d->y1)
        return;
    PageItem item = d->drawingItem(ItemKind::Recording);
    item.rect = box;
    item.recording = RecordingRef(Recording{picture, frame});
    d->layout().addDrawing(std::move(item));
}

}  // namespace pages
