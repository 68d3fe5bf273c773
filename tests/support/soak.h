#pragma once

// A seeded stream of user actions on the main window, shared by the soak test
// and the soak benchmark: typing and deleting in both fields, Enter, Ctrl+N,
// Calcular, and the About box opened and closed. Escape and Tab onto the hidden
// cancel button end the program and are left out.

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <random>

#include "runtime/messagebox.h"
#include "ui/frmabout.h"
#include "ui/frmmain.h"

namespace tarvelo::testing {

// Real message boxes, each answered as soon as it is up.
class AnsweringPresenter : public MessagePresenter {
public:
    AnsweringPresenter() : m_scope(*this) { }

    void present(QObject *owner, const QString &prompt, const QString &title) override
    {
        QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, qobject_cast<QWidget *>(owner));
        QTimer::singleShot(0, &box, [&box] { QTest::keyClick(&box, Qt::Key_Return); });
        box.exec();
        ++answered;
    }

    int answered = 0;

private:
    ScopedMessagePresenter m_scope;
};

class SoakDriver {
public:
    SoakDriver(frmMain &window, std::uint32_t seed) : m_window(window), m_random(seed) { }

    void runActions(int count)
    {
        for (int i = 0; i < count; ++i)
            step();
    }

    int aboutOpenings = 0;
    int unclosedAboutBoxes = 0;

private:
    QLineEdit *field(const char *name) const { return m_window.findChild<QLineEdit *>(QString::fromLatin1(name)); }

    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(m_random); }

    void step()
    {
        static const char typed[] = "0123456789012345678901234567890,.-+e a";
        QLineEdit *height = field("txtAltura");
        QLineEdit *weight = field("txtKilo");
        const int action = pick(100);
        if (action < 55) {
            QLineEdit *target = pick(3) == 0 ? height : weight;
            target->setFocus();
            QTest::keyClick(target, typed[pick(int(sizeof typed) - 1)]);
        } else if (action < 80) {
            QLineEdit *target = pick(2) == 0 ? height : weight;
            target->setFocus();
            QTest::keyClick(target, pick(4) == 0 ? Qt::Key_Delete : Qt::Key_Backspace);
            if (pick(4) == 0)
                QTest::keyClick(target, Qt::Key_Home);
        } else if (action < 88) {
            QLineEdit *target = pick(2) == 0 ? height : weight;
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Return);
        } else if (action < 93) {
            QTest::keyClick(weight, Qt::Key_N, Qt::ControlModifier);
        } else if (action < 97) {
            m_window.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        } else {
            openAndCloseAbout();
        }
    }

    void openAndCloseAbout()
    {
        const int way = pick(3);
        QTimer::singleShot(0, &m_window, [this, way] {
            frmAbout *box = m_window.aboutBox();
            if (way == 0)
                QTest::keyClick(box, Qt::Key_Escape);
            else if (way == 1)
                box->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
            else
                box->close();
            // A way that failed to close the box must fail the run, not hang it.
            if (box->isVisible()) {
                ++unclosedAboutBoxes;
                box->done(0);
            }
        });
        m_window.mnuHelpAbout_Click();
        ++aboutOpenings;
    }

    frmMain &m_window;
    std::mt19937 m_random;
};

} // namespace tarvelo::testing
