// Start-up as the program does it, and the levers that keep it lean: the
// program's own images load no image plugin, plain-text labels and palettes
// instead of rich text and style sheets, the desktop's own style untouched.

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QStyle>
#include <QTest>

#include "app/startup.h"
#include "ui/programimages.h"

using namespace tarvelo;

namespace {

QSet<QString> mappedImagePlugins()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    QSet<QString> plugins;
    if (!maps.open(QIODevice::ReadOnly))
        return plugins;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        if (line.contains("/imageformats/"))
            plugins.insert(QString::fromLocal8Bit(line.mid(line.lastIndexOf('/') + 1)));
    }
    return plugins;
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void shouldReadOwnImagesWithoutImagePlugins();
    void shouldShowOnlyMainWindow();
};

void TestStartup::shouldReadOwnImagesWithoutImagePlugins()
{
    QVERIFY(QFile::exists(QStringLiteral("/proc/self/maps")));
    QVERIFY(!programIcon().isNull());
    QVERIFY(!formulaPicture().isNull());
    QCOMPARE(mappedImagePlugins(), QSet<QString>());
}

void TestStartup::shouldShowOnlyMainWindow()
{
    const QString desktopStyle = QApplication::style()->name();
    Startup startup;
    QVERIFY(QTest::qWaitForWindowExposed(&startup.window()));
    QCoreApplication::processEvents();

    QList<QWidget *> shown;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            shown << window;
    }
    QCOMPARE(shown, QList<QWidget *>({&startup.window()}));
    QVERIFY(!startup.window().aboutBox());
    QCOMPARE(startup.window().windowTitle(), QString("Indice de Masa Corporal"));
    QCOMPARE(QApplication::applicationName(), QString("Tarvelo"));
    QCOMPARE(QApplication::applicationVersion(), QString("1.0.0"));
    // The desktop entry's name: docks and Wayland compositors tie the window to it.
    QCOMPARE(QGuiApplication::desktopFileName(), QString("org.example.tarvelo"));
    // Its own rendition at each scale, not one scaled from the other.
    for (const qreal ratio : {1.0, 2.0}) {
        QCOMPARE(
            startup.window().windowIcon().pixmap(QSize(32, 32), ratio).toImage().convertToFormat(QImage::Format_RGB32),
            programIcon(ratio).toImage().convertToFormat(QImage::Format_RGB32));
    }
    QCOMPARE(QApplication::translate("QPlatformTheme", "OK"), QString("Aceptar"));

    for (const QWidget *widget : startup.window().findChildren<QWidget *>()) {
        QVERIFY2(widget->styleSheet().isEmpty(), qPrintable(widget->objectName()));
        if (const auto *label = qobject_cast<const QLabel *>(widget); label && label->pixmap().isNull())
            QCOMPARE(label->textFormat(), Qt::PlainText);
    }
    QVERIFY(qApp->styleSheet().isEmpty());
    QCOMPARE(QApplication::style()->name(), desktopStyle);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
