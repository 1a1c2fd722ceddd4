#include "access/SimNao.h"

#include "common/Convencoes.h"
#include "common/Gravacao.h"
#include "common/Mensagens.h"
#include "contexto/Contexto.h"
#include "data/firebird/ErroBanco.h"
#include "data/firebird/Transacao.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

JanelaSimNao::JanelaSimNao(Contexto& app, const Desenho& d, QWidget* parent)
    : Dialogo(parent), m_app(app)
{
    using namespace Formulario;
    setObjectName(QLatin1String(d.nome));
    setWindowTitle(d.titulo);

    QLabel* pergunta = rotulo(this, "", d.pergunta);
    m_escolha = escolha(this, d.escolha, {d.nao, QStringLiteral("Sim")});
    QHBoxLayout* fileira = botoes(this, {{d.grava, d.textoGrava, [this] { grava(); }}},
                                  {{d.fechar, QStringLiteral("Fechar"), [this] { accept(); }}});

    auto* linha = new QHBoxLayout;
    linha->addWidget(pergunta);
    linha->addWidget(m_escolha);
    linha->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(linha);
    layout->addStretch();
    layout->addLayout(fileira);
    Convencoes::coresDeFoco(this);
}

bool JanelaSimNao::sim() const
{
    return m_escolha->currentIndex() == 1;
}

void JanelaSimNao::aoAbrir()
{
    QString valor;
    try {
        valor = valorGravado();
    } catch (const ErroBanco& e) {
        Mensagens::erro(e.mensagem(), this);
    }
    // Anything but "S" (empty, missing) means the setting is off.
    m_escolha->setCurrentIndex(valor == QLatin1String("S") ? 1 : 0);
    m_escolha->setFocus();
}

bool JanelaSimNao::salva(const std::function<void(Transacao&)>& escreve,
                         const std::function<QString(const ErroBanco&)>& falha)
{
    if (!Gravacao::grava(m_app, this, {.escreve = escreve, .falha = falha}))
        return false;
    Mensagens::informacao(QStringLiteral("Para que as novas Configurações façam efeito é "
                                         "necessário reiniciar o Programa"),
                          this);
    return true;
}
