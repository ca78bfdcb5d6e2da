#include "support/tiny_http_server.h"

#include <QHostAddress>
#include <QTcpSocket>

namespace skelvane::test {

TinyHttpServer::TinyHttpServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, &TinyHttpServer::serve);
}

QUrl TinyHttpServer::address(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path));
}

void TinyHttpServer::addPage(const QString& path, const QByteArray& body,
                             const QByteArray& contentType) {
    pages_.insert(path, Page{body, contentType});
}

void TinyHttpServer::serve() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
            buffer->append(socket->readAll());
            if (buffer->size() > 65536) { // no test sends this much: drop it
                socket->abort();
                return;
            }
            const qsizetype end = buffer->indexOf("\r\n\r\n");
            if (end < 0)
                return;
            const QList<QByteArray> lines = buffer->left(end).split('\n');
            const QByteArray requestLine = lines.value(0).trimmed();
            requests_.append(requestLine);
            QList<QByteArray> header;
            for (qsizetype i = 1; i < lines.size(); ++i)
                header.append(lines[i].trimmed());
            headers_.append(header);
            const QList<QByteArray> parts = requestLine.split(' ');
            const QString target = QString::fromLatin1(parts.value(1));
            const QString path = target.section(QLatin1Char('?'), 0, 0);
            QByteArray reply;
            if (pages_.contains(path)) {
                const Page& page = pages_[path];
                reply = "HTTP/1.0 200 OK\r\nContent-Type: " + page.contentType +
                        "\r\nContent-Length: " + QByteArray::number(page.body.size()) +
                        "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n" + page.body;
            } else {
                const QByteArray body = "<html><body>not found</body></html>";
                reply = "HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\nContent-Length: " +
                        QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
            }
            socket->write(reply);
            socket->disconnectFromHost();
        });
    }
}

} // namespace skelvane::test
