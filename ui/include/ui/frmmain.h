#pragma once

// The main window. runtime/ reads, converts and formats numbers; calc/ answers
// what a pair of field texts means (refusal, index text, band, status text);
// this window only acts on those answers, in a fixed order.
//
// The road of one keystroke in the weight field:
//   txtKilo textChanged → txtKilo_Change → calcular
//     calcular: calculateIndex(height, weight); a refusal opens its modal box
//               and returns Empty; otherwise etiquetas frames the band label
//               and the index text is returned
//   → statusCaption(index) → lKilo, written only after calcular has returned.
// A change of the height does the same once the weight field holds a number,
// without refusal boxes.
//
// Every handler runs through runGuarded, so an unexpected error is reported
// and ends the program instead of crossing Qt's event loop.

#include <QPointer>
#include <QWidget>

#include "calc/bands.h"
#include "runtime/indexvalue.h"
#include "ui/frmabout.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;

namespace tarvelo {

class CaptionLabel;
class StatusLine;

class frmMain : public QWidget {
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Whether a refusal opens its box: not while the height is being typed.
    enum class Refusals { Shown, Silent };
    IndexValue calcular(Refusals refusals = Refusals::Shown);
    void etiquetas(const IndexValue &indexText);

    void Command1_Click();
    void Command2_Click();
    void mnuHelpAbout_Click();
    void mnuFileExit_Click();
    void mnuFileNew_Click();
    void txtAltura_Change();
    void txtKilo_Change();

    // The About box, once the Help command has made it.
    frmAbout *aboutBox() const { return m_about; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildMenus();
    void buildKeys();
    void applyPaletteAndScale();
    void buildControls();
    void placeStatusLine();
    void describeFrame(bool current);

    QMenuBar *m_menuBar = nullptr;
    QWidget *m_clientArea = nullptr;
    QMenu *mnuFile = nullptr;
    QAction *mnuFileNew = nullptr;
    QAction *mnuBar5 = nullptr;
    QAction *mnuFileExit = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuHelpAbout = nullptr;

    QGroupBox *Frame1 = nullptr;
    QLineEdit *txtAltura = nullptr;
    CaptionLabel *Lcm = nullptr;
    QGroupBox *Frame2 = nullptr;
    QLineEdit *txtKilo = nullptr;
    CaptionLabel *Label1 = nullptr;
    QPushButton *Command1 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QPushButton *Command2 = nullptr;
    CaptionLabel *Label2 = nullptr;
    StatusLine *lKilo = nullptr;
    QLabel *Picture1 = nullptr;
    CaptionLabel *Label6 = nullptr;
    // Indexed by the band of kBandTable; null where a band has no label.
    std::array<CaptionLabel *, kBandTable.size()> m_bandLabels{};

    // Whether calcular has shown a refusal box since this was last cleared.
    bool m_refusalShown = false;
    // The one About box of the run, made on first use.
    QPointer<frmAbout> m_about;
};

} // namespace tarvelo
