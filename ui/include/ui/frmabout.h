#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tarvelo {

class CaptionLabel;

// The About box: fixed layout, one piece of run-time work (the version line,
// rebuilt at every load).
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget *owner);

    // Loads the box (Form_Load) and shows it modally over its owner; returns
    // when it has been closed.
    void showModal();

    void Form_Load();
    void cmdOK_Click();
    void Label1_Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void applyPaletteAndScale();

    QLabel *picIcon = nullptr;
    QPushButton *cmdOK = nullptr;
    CaptionLabel *Label1 = nullptr;
    CaptionLabel *lblDescription = nullptr;
    CaptionLabel *lblTitle = nullptr;
    CaptionLabel *lblVersion = nullptr;
    CaptionLabel *lblDisclaimer = nullptr;
};

} // namespace tarvelo
