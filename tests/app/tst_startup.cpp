// Start-up as the program does it, and the levers that keep it fast: no
// image plugin mapped by the first paint, plain-text labels and
// palettes instead of rich text and style sheets, the desktop's own style.

#include "startup.h"
#include "ui/imageloadingstyle.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QStyleFactory>
#include <QTest>

using namespace tarvelo;

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void shouldShowOnlyMainWindowWithoutLoadingImagePlugins();
    void shouldDrawGroupBoxesExactlyAsFusion_data();
    void shouldDrawGroupBoxesExactlyAsFusion();
};

void TestStartup::shouldShowOnlyMainWindowWithoutLoadingImagePlugins()
{
    Startup startup(*qApp);
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

    QFile maps("/proc/self/maps");
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QSet<QString> plugins;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        if (line.contains("/imageformats/"))
            plugins.insert(QString::fromLocal8Bit(line.mid(line.lastIndexOf('/') + 1)));
    }
    QCOMPARE(plugins, QSet<QString>());

    for (const QWidget *widget : startup.window().findChildren<QWidget *>()) {
        QVERIFY2(widget->styleSheet().isEmpty(), qPrintable(widget->objectName()));
        if (const auto *label = qobject_cast<const QLabel *>(widget); label && label->pixmap().isNull())
            QCOMPARE(label->textFormat(), Qt::PlainText);
    }
    QVERIFY(qApp->styleSheet().isEmpty());
    QVERIFY(qobject_cast<ImageLoadingStyle *>(QApplication::style()));
}

void TestStartup::shouldDrawGroupBoxesExactlyAsFusion_data()
{
    QTest::addColumn<QString>("title");
    QTest::newRow("captioned") << "Altura";
    QTest::newRow("no-caption") << "";
}

void TestStartup::shouldDrawGroupBoxesExactlyAsFusion()
{
    QFETCH(QString, title);
    QImage drawn[2];
    for (int i = 0; i < 2; ++i) {
        QGroupBox box(title);
        std::unique_ptr<QStyle> style(i == 0 ? QStyleFactory::create("fusion") : new ImageLoadingStyle);
        if (i == 1)
            QCOMPARE(static_cast<QProxyStyle *>(style.get())->baseStyle()->name(), QString("fusion"));
        box.setStyle(style.get());
        box.resize(263, 53);
        drawn[i] = box.grab().toImage();
        box.setStyle(nullptr);
    }
    QCOMPARE(drawn[1], drawn[0]);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
