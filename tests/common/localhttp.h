#pragma once

// A small HTTP and HTTPS server on 127.0.0.1 for the rate fetch's tests and benchmark: each
// request's target ("/path?query") is answered by a handler, in this thread's event loop. The
// certificates are made by openssl in a temporary folder: a CA, a server certificate it signs
// for 127.0.0.1, and one from another CA that nobody trusts.

#include <QByteArray>
#include <QHash>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

namespace LocalHttp {

struct Reply
{
    int status = 200;
    QByteArray body;
    QByteArray contentType = "application/json; charset=utf-8";
    int delayMs = 0;
    QByteArray location; // a redirect's target
};

inline QByteArray statusLine(int status)
{
    switch (status) {
    case 200:
        return "200 OK";
    case 301:
        return "301 Moved Permanently";
    case 302:
        return "302 Found";
    case 403:
        return "403 Forbidden";
    case 404:
        return "404 Not Found";
    case 500:
        return "500 Internal Server Error";
    case 503:
        return "503 Service Unavailable";
    default:
        return QByteArray::number(status) + " Status";
    }
}

class Server : public QObject
{
public:
    using Handler = std::function<Reply(const QString &target)>;

    // Plain HTTP, or HTTPS with the given certificate and key.
    explicit Server(Handler handler, const QSslConfiguration *tls = nullptr)
        : m_handler(std::move(handler))
    {
        if (tls) {
            auto *s = new QSslServer(this);
            s->setSslConfiguration(*tls);
            m_server = s;
        } else {
            m_server = new QTcpServer(this);
        }
        connect(m_server, &QTcpServer::pendingConnectionAvailable, this, [this] {
            while (QTcpSocket *sock = m_server->nextPendingConnection())
                serve(sock);
        });
        m_server->listen(QHostAddress::LocalHost, 0);
    }

    quint16 port() const { return m_server->serverPort(); }
    QStringList targets; // every request's target, in order

private:
    void serve(QTcpSocket *sock)
    {
        auto buffer = std::make_shared<QByteArray>();
        connect(sock, &QTcpSocket::disconnected, sock, &QObject::deleteLater);
        connect(sock, &QTcpSocket::readyRead, sock, [this, sock, buffer] {
            buffer->append(sock->readAll());
            if (!buffer->contains("\r\n\r\n"))
                return;
            const QList<QByteArray> first = buffer->left(buffer->indexOf("\r\n")).split(' ');
            buffer->clear();
            const QString target = QString::fromUtf8(first.value(1));
            targets << target;
            const Reply r = m_handler(target);
            QByteArray head = "HTTP/1.1 " + statusLine(r.status) + "\r\nContent-Type: " + r.contentType
                + "\r\nContent-Length: " + QByteArray::number(r.body.size()) + "\r\nConnection: close\r\n";
            if (!r.location.isEmpty())
                head += "Location: " + r.location + "\r\n";
            const QByteArray all = head + "\r\n" + r.body;
            auto send = [sock, all] {
                sock->write(all);
                sock->disconnectFromHost();
            };
            if (r.delayMs > 0)
                QTimer::singleShot(r.delayMs, sock, send);
            else
                send();
        });
    }

    Handler m_handler;
    QTcpServer *m_server = nullptr;
};

// The test certificates: ca.pem signs server.pem (127.0.0.1); other.pem is signed by a CA no
// one is told of. Empty paths when openssl failed.
struct Certificates
{
    QTemporaryDir dir;
    bool ok = false;

    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    Certificates()
    {
        auto run = [this](const QStringList &args) {
            QProcess p;
            p.setWorkingDirectory(dir.path());
            p.start(QStringLiteral("openssl"), args);
            return p.waitForFinished(60000) && p.exitCode() == 0;
        };
        const QString ext = dir.filePath(QStringLiteral("san.ext"));
        QFile f(ext);
        if (!f.open(QIODevice::WriteOnly))
            return;
        f.write("subjectAltName=IP:127.0.0.1\nbasicConstraints=CA:FALSE\n");
        f.close();
        ok = true;
        for (const char *ca : {"ca", "otherca"}) {
            const QString c = QString::fromLatin1(ca);
            ok = ok
                && run({QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                        QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-days"),
                        QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=test ") + c,
                        QStringLiteral("-keyout"), c + QStringLiteral(".key"), QStringLiteral("-out"),
                        c + QStringLiteral(".pem")});
        }
        const QStringList pairs{QStringLiteral("server:ca"), QStringLiteral("other:otherca")};
        for (const QString &pair : pairs) {
            const QString leaf = pair.section(u':', 0, 0);
            const QString ca = pair.section(u':', 1, 1);
            ok = ok
                && run({QStringLiteral("req"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
                        QStringLiteral("-nodes"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                        QStringLiteral("-keyout"), leaf + QStringLiteral(".key"), QStringLiteral("-out"),
                        leaf + QStringLiteral(".csr")})
                && run({QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"),
                        leaf + QStringLiteral(".csr"), QStringLiteral("-CA"), ca + QStringLiteral(".pem"),
                        QStringLiteral("-CAkey"), ca + QStringLiteral(".key"), QStringLiteral("-CAcreateserial"),
                        QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-extfile"), ext,
                        QStringLiteral("-out"), leaf + QStringLiteral(".pem")});
        }
    }

    // The server side of a TLS listener with `leaf` ("server" or "other").
    QSslConfiguration serverConfig(const char *leaf) const
    {
        QSslConfiguration c = QSslConfiguration::defaultConfiguration();
        QFile cert(path(leaf) + QStringLiteral(".pem"));
        QFile key(path(leaf) + QStringLiteral(".key"));
        if (cert.open(QIODevice::ReadOnly) && key.open(QIODevice::ReadOnly)) {
            c.setLocalCertificate(QSslCertificate(&cert, QSsl::Pem));
            c.setPrivateKey(QSslKey(&key, QSsl::Rsa, QSsl::Pem));
        }
        c.setPeerVerifyMode(QSslSocket::VerifyNone); // the client shows no certificate
        return c;
    }
};

// No proxy from the environment: every test request goes straight to 127.0.0.1.
inline void dropProxyEnvironment()
{
    for (const char *v : {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        qunsetenv(v);
}

} // namespace LocalHttp
