#include "../common/folderstates.h"

#include "graph/graphpicture.h"

#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using FolderStates::lockFolder;
using FolderStates::unlockFolder;

QImage sample(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(224, 224, 224));
    return img;
}

} // namespace

class TstGraphPicture : public QObject
{
    Q_OBJECT
private slots:
    void proposedName_data();
    void proposedName();
    void writesDecodableJpeg();
    void replacesExistingFile();
    void permissionDenied();
    void missingFolder();
    void fullFolder();
};

void TstGraphPicture::proposedName_data()
{
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "일자 별 USD"
                           << "20261208 일자 별 USD";
    QTest::newRow("slash in heading") << "일자 별 원/달러"
                                      << "20261208 일자 별 원_달러";
    QTest::newRow("empty heading") << ""
                                   << "20261208 ";
}

void TstGraphPicture::proposedName()
{
    QFETCH(QString, heading);
    QFETCH(QString, name);
    QCOMPARE(GraphPicture::proposedName(QDate(2026, 12, 8), heading), name);
    QCOMPARE(GraphPicture::saveFilter(), QStringLiteral("JPEG File (*.jpg) | *.jpg"));
}

void TstGraphPicture::writesDecodableJpeg()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("20261208 일자 별 USD.jpg"));
    const PictureWrite w = GraphPicture::writeJpeg(sample(600, 400), path);
    QVERIFY2(w.ok, qPrintable(w.description));
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage back = reader.read();
    QCOMPARE(back.size(), QSize(600, 400));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    QVERIFY(GraphPicture::savedText(path).endsWith(QStringLiteral("\r\n\r\n경로 : ") + path));
}

void TstGraphPicture::replacesExistingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.jpg"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();
    QVERIFY(GraphPicture::writeJpeg(sample(30, 20), path).ok);
    QCOMPARE(QImage(path).size(), QSize(30, 20));
}

void TstGraphPicture::permissionDenied()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.jpg"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();
    if (!lockFolder(dir.path()))
        QSKIP("this file system cannot make a folder unwritable");
    const PictureWrite w = GraphPicture::writeJpeg(sample(30, 20), path);
    unlockFolder(dir.path());
    QVERIFY(!w.ok);
    QVERIFY(w.permissionDenied);
    // the system's own words, in Korean (the folder's mode, or a file system that refuses)
    QVERIFY2(w.description == QStringLiteral("허가 거부") || w.description == QStringLiteral("명령을 허용하지 않음"),
             qPrintable(w.description));
    QCOMPARE(GraphPicture::saveErrorText(w), w.description + QStringLiteral("\r\n파일이 사용중이면 닫아주십시오."));
    // the old file is untouched and nothing else was left behind
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old contents"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void TstGraphPicture::missingFolder()
{
    QTemporaryDir dir;
    const PictureWrite w = GraphPicture::writeJpeg(sample(30, 20), dir.filePath(QStringLiteral("none/a.jpg")));
    QVERIFY(!w.ok);
    QVERIFY(!w.permissionDenied);
    QCOMPARE(w.description, QStringLiteral("그런 파일이나 디렉터리가 없습니다"));
    QCOMPARE(GraphPicture::saveErrorText(w), w.description);
}

void TstGraphPicture::fullFolder()
{
    FolderStates::FullFolder full;
    if (!full.mounted())
        QSKIP("mounting a small file system needs privileges this process lacks");
    QVERIFY(full.put(QStringLiteral("a.jpg"), "old contents"));
    QVERIFY(full.fill());
    // noise does not compress: the picture cannot fit in what is left
    QImage noisy(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < noisy.height(); ++y)
        for (int x = 0; x < noisy.width(); ++x)
            noisy.setPixel(x, y, qRgb((x * 7919 + y * 104729) & 255, (x * y * 31) & 255, (x ^ y) * 13 & 255));
    for (const QString &name : {QStringLiteral("b.jpg"), QStringLiteral("a.jpg")}) {
        const PictureWrite w = GraphPicture::writeJpeg(noisy, full.filePath(name));
        QVERIFY2(!w.ok, qPrintable(name));
        QVERIFY(!w.permissionDenied);
        QCOMPARE(w.description, QStringLiteral("장치에 남은 공간이 없음"));
        QCOMPARE(full.entries(), QStringList{QStringLiteral("a.jpg")});
    }
    QFile old(full.filePath(QStringLiteral("a.jpg")));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old contents"));
}

QTEST_GUILESS_MAIN(TstGraphPicture)
#include "tst_graphpicture.moc"
