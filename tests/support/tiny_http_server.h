#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QUrl>

namespace skelvane::test {

// A minimal HTTP/1.0 server on 127.0.0.1 and an ephemeral port, on the thread that makes
// it: each request gets the page registered for its path (ignoring the query) or 404, and
// the connection closes. Records every request line it served.
class TinyHttpServer : public QObject {
    Q_OBJECT
public:
    TinyHttpServer();
    bool listening() const { return server_.isListening(); }
    quint16 port() const { return server_.serverPort(); }
    // "http://127.0.0.1:<port>" + path.
    QUrl address(const QString& path) const;

    void addPage(const QString& path, const QByteArray& body,
                 const QByteArray& contentType = "text/html; charset=utf-8");
    const QList<QByteArray>& requests() const { return requests_; }
    // Every request's header lines, in order (the request line excluded).
    const QList<QList<QByteArray>>& requestHeaders() const { return headers_; }

private:
    void serve();

    QTcpServer server_;
    struct Page {
        QByteArray body, contentType;
    };
    QHash<QString, Page> pages_;
    QList<QByteArray> requests_;
    QList<QList<QByteArray>> headers_;
};

} // namespace skelvane::test
