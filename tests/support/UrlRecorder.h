// Stands in for the desktop's URL handler for the schemes it is registered for, and keeps
// every address it was asked to open.
#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QStringList>
#include <QUrl>

namespace testing_support {

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    explicit UrlRecorder(QStringList schemes) : schemes_(std::move(schemes)) {
        for (const QString& scheme : schemes_)
            QDesktopServices::setUrlHandler(scheme, this, "Open");
    }
    ~UrlRecorder() override {
        for (const QString& scheme : schemes_)
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> opened;

public slots:
    void Open(const QUrl& url) { opened.append(url); }

private:
    QStringList schemes_;
};

} // namespace testing_support
