// The image list.
#include "framework/widgets/ImgList.h"

#include <QPainter>

namespace framework {
namespace {
constexpr qreal kDisabledOpacity = 0.5;
}

TCustomImageList::TCustomImageList(int width, int height, QObject* owner)
    : QObject(owner), width_(width), height_(height) {}

int TCustomImageList::Add(const QImage& image) {
    const QImage sized = image.size() == QSize(width_, height_)
                             ? image
                             : image.scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    images_.push_back(sized.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    emit Changed();
    return Count() - 1;
}

void TCustomImageList::Clear() {
    images_.clear();
    emit Changed();
}

void TCustomImageList::Draw(QPainter& painter, int x, int y, int index, bool enabled) const {
    if (index < 0 || index >= Count())
        return;
    const QImage& image = images_[static_cast<std::size_t>(index)];
    painter.save();
    if (!enabled)
        painter.setOpacity(kDisabledOpacity);
    painter.drawImage(x, y, image);
    painter.restore();
}

} // namespace framework
