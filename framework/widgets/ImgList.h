// TCustomImageList: images of one size kept by index, drawn onto a painter; a control that shows
// them listens to Changed (the framework's change link).
#pragma once

#include <QImage>
#include <QObject>

#include <vector>

class QPainter;

namespace framework {

class TCustomImageList : public QObject {
    Q_OBJECT
public:
    TCustomImageList(int width, int height, QObject* owner = nullptr);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(images_.size()); }
    // Appends an image, scaled to the list's size when it differs; returns its index.
    int Add(const QImage& image);
    void Clear();
    // Draws image index with its top-left at (x, y); a disabled image is drawn faint.
    void Draw(QPainter& painter, int x, int y, int index, bool enabled) const;

signals:
    void Changed();

private:
    int width_;
    int height_;
    std::vector<QImage> images_;
};

} // namespace framework
