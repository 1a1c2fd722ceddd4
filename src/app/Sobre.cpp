#include "app/Sobre.h"

#include "app/Aplicacao.h"
#include "app/Principal.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QUrl>
#include <QVBoxLayout>

TfSobre::TfSobre(Aplicacao& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_app(app)
{
    setObjectName(QStringLiteral("TfSobre"));
    setWindowTitle(QStringLiteral("Sobre"));
    auto* layout = new QVBoxLayout(this);
    auto* titulo = new QLabel(QStringLiteral("Programa Zorvane Almoxarifado"), this);
    QFont f = titulo->font();
    f.setPointSize(f.pointSize() + 6);
    f.setBold(true);
    titulo->setFont(f);
    layout->addWidget(titulo);
    m_lbVersao = new QLabel(this);
    m_lbVersao->setObjectName(QStringLiteral("lbVersao"));
    layout->addWidget(m_lbVersao);
    layout->addWidget(new QLabel(QStringLiteral("Zorvane Sistemas"), this));
    layout->addWidget(
        new QLabel(QStringLiteral("Suporte: ") + QLatin1String(Aplicacao::emailSuporte) +
                       QStringLiteral(" - ") + QLatin1String(Aplicacao::telefoneSuporte),
                   this));
    auto* site = new QLabel(
        QStringLiteral("<a href=\"https://www.zorvane.com.br\">www.zorvane.com.br</a>"), this);
    site->setObjectName(QStringLiteral("lbHomePage"));
    site->setTextFormat(Qt::RichText);
    connect(site, &QLabel::linkActivated, this,
            [](const QString& endereco) { QDesktopServices::openUrl(QUrl(endereco)); });
    layout->addWidget(site);
    auto* fechar = new QPushButton(QStringLiteral("Fechar"), this);
    fechar->setObjectName(QStringLiteral("btnFechar"));
    connect(fechar, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(fechar, 0, Qt::AlignRight);
}

void TfSobre::showEvent(QShowEvent* e)
{
    // The window system confirms a showing with a second, spontaneous event; the opening work
    // runs once per opening.
    if (e->spontaneous()) {
        QDialog::showEvent(e);
        return;
    }
    m_lbVersao->setText(QStringLiteral("Versão: ") + m_app.principal().NumVersao);
    QDialog::showEvent(e);
}
