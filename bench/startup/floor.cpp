// The floor: a plain Qt form with the same kinds and numbers of controls as
// the main window, the same font, icon, GIF and embedded Spanish texts, and
// none of the program's logic. Written the ordinary way on purpose (images by
// file name, rich text for bold, a style sheet for blue): it is what the
// program is measured against.

#include <QApplication>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTranslator>
#include <QVBoxLayout>

#ifdef REPORT_FIRST_PAINT
#include "firstpaint.h"
#endif

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QTranslator translator;
    if (translator.load(QStringLiteral(":/floor/qtbase_es.qm")))
        QApplication::installTranslator(&translator);
    QFont font(QStringLiteral("FreeSans"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/floor/tarvelo.png")));

    QWidget window;
    window.setWindowTitle(QStringLiteral("Indice de Masa Corporal"));
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *menuBar = new QMenuBar(&window);
    QMenu *file = menuBar->addMenu(QStringLiteral("&Archivo"));
    file->addAction(QStringLiteral("&Borrar campos"), QKeySequence(Qt::CTRL | Qt::Key_N));
    file->addSeparator();
    file->addAction(QStringLiteral("&Salir"));
    menuBar->addMenu(QStringLiteral("Ay&uda"))->addAction(QStringLiteral("&Acerca de..."));
    layout->setMenuBar(menuBar);
    auto *client = new QWidget(&window);
    client->setFixedSize(296, 344);
    layout->addWidget(client);

    auto *height = new QGroupBox(QStringLiteral("Altura"), client);
    height->setGeometry(17, 20, 263, 53);
    (new QLineEdit(height))->setGeometry(40, 18, 113, 25);
    (new QLabel(QStringLiteral("<b>cm</b>"), height))->move(160, 24);
    auto *weight = new QGroupBox(QStringLiteral("Peso"), client);
    weight->setGeometry(17, 80, 263, 53);
    (new QLineEdit(weight))->setGeometry(40, 18, 113, 25);
    (new QLabel(QStringLiteral("<b>Kilogramos</b>"), weight))->move(160, 24);
    (new QPushButton(QStringLiteral("Calcular"), client))->setGeometry(70, 138, 137, 39);
    auto *status = new QGroupBox(client);
    status->setGeometry(0, 318, 293, 23);
    (new QPushButton(QStringLiteral("cancel"), client))->setGeometry(310, 228, 83, 35);
    auto *text
        = new QLabel(QStringLiteral("El IMC define el grado de adiposidad a partir de los datos de peso y altura "
                                    "de una persona , sin considerar el sexo."),
                     client);
    text->setWordWrap(true);
    text->setGeometry(10, 184, 273, 65);
    auto *line = new QLabel(QStringLiteral("IMC 24,22 Kg/m² Peso normal"), status);
    line->setStyleSheet(QStringLiteral("color: blue"));
    line->move(101, 8);
    auto *picture = new QLabel(client);
    picture->setPixmap(QPixmap(QStringLiteral(":/floor/formula.gif")));
    picture->setGeometry(64, 210, 168, 50);
    (new QLabel(QStringLiteral("<b>Clasificación de OMS del IMC</b>"), client))->move(62, 264);
    (new QLabel(QStringLiteral("25,5 a 30 Obesidad I"), client))->move(178, 280);
    auto *normal = new QLabel(QStringLiteral("20,5 a 25,5 Peso normal"), client);
    normal->setWordWrap(true);
    normal->setGeometry(112, 280, 63, 29);
    (new QLabel(QStringLiteral("16,5 a 18,5 Infrapeso"), client))->move(4, 280);
    (new QLabel(QStringLiteral("18,5 a 20,5 Bajo peso"), client))->move(4, 296);
    (new QLabel(QStringLiteral("30 a 40 Ob. premorbida"), client))->move(178, 296);

#ifdef REPORT_FIRST_PAINT
    FirstPaintReporter reporter(&window);
#endif
    window.show();
    return QApplication::exec();
}
