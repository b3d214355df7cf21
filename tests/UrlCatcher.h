#pragma once
// Takes, for the life of the object, the web and mail addresses that would go to the
// browser or the mail program, so that a window test sees what a link asks to open.

#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <vector>

class UrlCatcher : public QObject {
    Q_OBJECT

public:
    UrlCatcher() {
        QDesktopServices::setUrlHandler("http", this, "Open");
        QDesktopServices::setUrlHandler("mailto", this, "Open");
    }
    ~UrlCatcher() override {
        QDesktopServices::unsetUrlHandler("http");
        QDesktopServices::unsetUrlHandler("mailto");
    }

    std::vector<QUrl> urls;

public slots:
    void Open(const QUrl& url) { urls.push_back(url); }
};
