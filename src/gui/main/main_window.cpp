// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/main_window.h"

#include <QMenuBar>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(u"Principal"_s);
    setWindowTitle(u"Zafrano 2.1.55 - Comprueba tus números por internet."_s);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(u"SSTab1"_s);
    for (const QString &title : {u"General"_s, u"Último sorteo"_s, u"Gestor de peñas"_s,
                                 u"Estadísticas"_s, u"Crear Combinación"_s})
        m_tabs->addTab(new QWidget(m_tabs), title);
    setCentralWidget(m_tabs);
    buildMenus();
    resize(1000, 700);
}

void MainWindow::buildMenus()
{
    QMenu *general = menuBar()->addMenu(u"General"_s);
    general->addAction(u"Bajar Sorteos nuevos"_s);
    general->addAction(u"Crear peña nueva"_s);
    general->addAction(u"Borrar sorteos almacenados/Reset aciertos peñas"_s);
    general->addSeparator();
    general->addAction(u"Salir"_s, this, &QWidget::close);

    QMenu *view = menuBar()->addMenu(u"Ver"_s);
    const QStringList tabs = {u"General"_s, u"Último sorteo"_s, u"Gestor de peñas"_s,
                              u"Estadísticas"_s, u"Crear Combinación"_s};
    for (int i = 0; i < tabs.size(); ++i)
        view->addAction(u"Pestaña "_s + tabs[i], this, [this, i] { m_tabs->setCurrentIndex(i); });

    menuBar()->addMenu(u"Opciones"_s)->addAction(u"Configuración"_s);
    QMenu *help = menuBar()->addMenu(u"Ayuda"_s);
    help->addAction(u"Instrucciones"_s);
    help->addAction(u"Leer mensaje del Jefe"_s);
    help->addAction(u"Web del programa"_s);
    help->addAction(u"Acerca de..."_s);
}

} // namespace zafrano::gui
