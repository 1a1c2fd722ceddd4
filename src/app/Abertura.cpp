#include "app/Abertura.h"

#include "common/Formulario.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

TfAbertura::TfAbertura(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TfAbertura"));
    setWindowTitle(QStringLiteral("Zorvane Almoxarifado"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 16);
    QLabel* titulo =
        Formulario::titulo(this, "lbTitulo", QStringLiteral("Programa Zorvane Almoxarifado"));
    // A splash's title is larger than a window's heading.
    QFont f = titulo->font();
    f.setPointSize(18);
    titulo->setFont(f);
    titulo->setAlignment(Qt::AlignCenter);
    layout->addWidget(titulo);
    for (const QString& linha :
         {QStringLiteral("Controle de Almoxarifado"), QStringLiteral("Zorvane Sistemas"),
          QStringLiteral("suporte@zorvane.com.br - (11) 4002-8922")}) {
        QLabel* l = Formulario::rotulo(this, "lbLinha", linha);
        l->setAlignment(Qt::AlignCenter);
        layout->addWidget(l);
    }
    layout->addSpacing(12);

    m_pCriando = Formulario::rotulo(this, "pCriando", QStringLiteral("Criando"));
    m_pCriando->setAlignment(Qt::AlignCenter);
    m_pCriando->setAutoFillBackground(true);
    QPalette p = m_pCriando->palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    m_pCriando->setPalette(p);
    m_pCriando->setMinimumHeight(28);
    layout->addWidget(m_pCriando);

    resize(460, 220);
    if (QScreen* tela = QGuiApplication::primaryScreen())
        move(tela->availableGeometry().center() - rect().center());
}

void TfAbertura::mostraProgresso(const QString& texto)
{
    m_pCriando->setText(texto);
    m_pCriando->repaint();
}

QString TfAbertura::progresso() const
{
    return m_pCriando->text();
}
