// A small HTTP/1.1 server on 127.0.0.1 for the title fetch: each path answers with bytes
// written out in full (status line, headers, body), never answers, or closes at once.
// It runs on the test's event loop, so a test that waits for the window also serves.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QMap>
#include <QTcpServer>
#include <QTcpSocket>

#include <string>

namespace quillon::test {

class TLocalHttpServer : public QTcpServer {
public:
  TLocalHttpServer() {
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Serve(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      }
    });
  }

  QString Url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path);
  }

  // A complete answer with Content-Type Type and Body.
  void Page(const QByteArray& path, const QByteArray& type, const QByteArray& body,
            const QByteArray& status = "200 OK") {
    QByteArray answer = "HTTP/1.1 " + status +
                        "\r\nContent-Length: " + QByteArray::number(body.size()) +
                        "\r\nConnection: close\r\n";
    if (!type.isEmpty())
      answer += "Content-Type: " + type + "\r\n";
    Answers[path] = answer + "\r\n" + body;
  }
  void Redirect(const QByteArray& path, const QByteArray& to) {
    Answers[path] = "HTTP/1.1 302 Found\r\nLocation: " + to +
                    "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
  }
  void Silent(const QByteArray& path) { Answers[path] = {}; }

  QMap<QByteArray, QByteArray> Answers;
  QByteArray Requests; // every request line, one a line

private:
  void Serve(QTcpSocket* socket) {
    QByteArray& pending = Pending[socket];
    pending += socket->readAll();
    // A TLS handshake (its record type 22 first): answer in plain HTTP, as a server that
    // speaks no TLS does, so that the client's handshake fails at once.
    if (pending.startsWith('\x16')) {
      Pending.remove(socket);
      socket->write("HTTP/1.1 400 Bad Request\r\nConnection: close\r\n\r\n");
      socket->disconnectFromHost();
      return;
    }
    if (!pending.contains("\r\n\r\n"))
      return;
    const QByteArray line = pending.left(pending.indexOf("\r\n"));
    Requests += line + "\n";
    const QByteArray path = line.split(' ').value(1);
    Pending.remove(socket);
    if (!Answers.contains(path)) {
      socket->write("HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\n"
                    "Content-Length: 9\r\nConnection: close\r\n\r\nnot found");
      socket->disconnectFromHost();
      return;
    }
    const QByteArray answer = Answers[path];
    if (answer.isEmpty())
      return; // never answers: the fetch must give up by itself
    socket->write(answer);
    socket->disconnectFromHost();
  }

  QMap<QTcpSocket*, QByteArray> Pending;
};

} // namespace quillon::test
