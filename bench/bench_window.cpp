// The main window under keystrokes and large pastes, offscreen:
//  - a key press in the weight field until the status line is repainted;
//  - a 1 MiB paste of digits until its refusal box is up, and of letters until
//    the status line is repainted;
//  - a key typed into a 10 000-character weight until the field is repainted.
// Prints medians in milliseconds.

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "app/startup.h"
#include "benchsupport.h"
#include "support/messagerecorder.h"
#include "ui/frmmain.h"

using namespace tarvelo;
using namespace tarvelo::bench;

namespace {

// Notes when a widget has been painted.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget *widget) { widget->installEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

void waitForPaint(PaintWatch &watch)
{
    QElapsedTimer limit;
    limit.start();
    while (!watch.painted) {
        QApplication::processEvents(QEventLoop::AllEvents);
        if (limit.elapsed() > 5000)
            qFatal("no repaint within 5 s");
    }
}

// Real boxes; records how long after `started` each was up, then answers it.
class TimedBoxes : public MessagePresenter {
public:
    TimedBoxes() : m_scope(*this) { }
    void present(QObject *, const QString &prompt, const QString &title) override
    {
        QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, QApplication::activeWindow());
        QTimer::singleShot(0, &box, [this, &box] {
            shownAfterMs.append(elapsedMs(started));
            box.accept();
        });
        box.exec();
    }
    QElapsedTimer started;
    QList<double> shownAfterMs;

private:
    ScopedMessagePresenter m_scope;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const bool quick = argc > 1 && qstrcmp(argv[1], "quick") == 0;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    prepareApplication();
    TimedBoxes boxes;

    frmMain window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto *height = window.findChild<QLineEdit *>(QStringLiteral("txtAltura"));
    auto *weight = window.findChild<QLineEdit *>(QStringLiteral("txtKilo"));
    auto *status = window.findChild<QLabel *>(QStringLiteral("lKilo"));
    height->setText(QStringLiteral("170"));
    weight->setText(QStringLiteral("7"));
    weight->setFocus();
    QApplication::processEvents();

    // Alternating "7" and "70" changes the status line at every key.
    QList<double> keystroke;
    const int keys = quick ? 200 : 2000;
    for (int i = 0; i < keys; ++i) {
        PaintWatch watch(status);
        QElapsedTimer timer;
        timer.start();
        if (weight->text().size() == 2)
            QTest::keyClick(weight, Qt::Key_Backspace);
        else
            QTest::keyClick(weight, Qt::Key_0);
        waitForPaint(watch);
        keystroke.append(elapsedMs(timer));
    }
    std::printf("keystroke to status repainted: median %.3f ms over %d keys\n", median(keystroke), keys);

    const int rounds = quick ? 3 : 7;
    QList<double> digitsBox, letters;
    for (int round = 0; round < rounds; ++round) {
        weight->setText(QStringLiteral("70"));
        QApplication::processEvents();
        QApplication::clipboard()->setText(QString(1 << 20, QLatin1Char('7')));
        weight->selectAll();
        boxes.shownAfterMs.clear();
        boxes.started.start();
        QTest::keyClick(weight, Qt::Key_V, Qt::ControlModifier);
        digitsBox.append(boxes.shownAfterMs.value(0, -1));

        weight->setText(QStringLiteral("70"));
        QApplication::processEvents();
        QApplication::clipboard()->setText(QString(1 << 20, QLatin1Char('x')));
        weight->selectAll();
        PaintWatch watch(status);
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(weight, Qt::Key_V, Qt::ControlModifier);
        waitForPaint(watch);
        letters.append(elapsedMs(timer));
    }
    std::printf("1 MiB paste of digits until its box is up: median %.1f ms over %d\n", median(digitsBox), rounds);
    std::printf("1 MiB paste of letters until the status line is repainted: median %.1f ms over %d\n", median(letters),
                rounds);

    weight->setText(QString(10000, QLatin1Char('x')));
    weight->end(false);
    QApplication::processEvents();
    QList<double> longTyping;
    for (int i = 0; i < (quick ? 50 : 300); ++i) {
        PaintWatch watch(weight);
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(weight, i % 2 ? Qt::Key_Backspace : Qt::Key_X);
        waitForPaint(watch);
        longTyping.append(elapsedMs(timer));
    }
    std::printf("key typed into a 10 000-character weight until repainted: median %.3f ms\n", median(longTyping));
    return 0;
}
