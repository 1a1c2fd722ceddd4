#include "app/Sobre.h"

#include "app/Aplicacao.h"
#include "app/Principal.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

using namespace Formulario;

TfSobre::TfSobre(Aplicacao& app, QWidget* parent)
    : Dialogo(parent, "TfSobre", QStringLiteral("Sobre")), m_app(app)
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        titulo(this, "lbProduto", QStringLiteral("Programa Zorvane Almoxarifado"), 6));
    m_lbVersao = rotulo(this, "lbVersao", QString());
    layout->addWidget(m_lbVersao);
    layout->addWidget(rotulo(this, "lbEmpresa", QStringLiteral("Zorvane Sistemas")));
    layout->addWidget(rotulo(this, "lbSuporte",
                             QStringLiteral("Suporte: ") + QLatin1String(Aplicacao::emailSuporte) +
                                 QStringLiteral(" - ") +
                                 QLatin1String(Aplicacao::telefoneSuporte)));
    QLabel* site =
        rotulo(this, "lbHomePage",
               QStringLiteral("<a href=\"https://www.zorvane.com.br\">www.zorvane.com.br</a>"));
    site->setTextFormat(Qt::RichText);
    connect(site, &QLabel::linkActivated, this,
            [](const QString& endereco) { QDesktopServices::openUrl(QUrl(endereco)); });
    layout->addWidget(site);
    QPushButton* fechar = botao(this, "btnFechar", QStringLiteral("Fechar"));
    // Enter closes the box.
    fechar->setDefault(true);
    connect(fechar, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(fechar, 0, Qt::AlignRight);
}

void TfSobre::aoAbrir()
{
    m_lbVersao->setText(QStringLiteral("Versão: ") + m_app.principal().NumVersao);
}
