#include "app/Aplicacao.h"

#include "app/Abertura.h"
#include "app/Config_BancoDados.h"
#include "app/Janelas.h"
#include "app/Login.h"
#include "app/Principal.h"
#include "app/Sobre.h"
#include "common/Mensagens.h"
#include "common/Modal.h"
#include "contexto/ConfigIni.h"
#include "data/firebird/ErroBanco.h"
#include "registers/Manut_Grupos.h"

#include <QCoreApplication>
#include <QTimer>

Aplicacao::Aplicacao()
    : Contexto([this](const std::type_info& tipo) { return Janelas::faz(*this, tipo); })
{}

Aplicacao::~Aplicacao()
{
    descartaJanelas();
}

TfPrincipal& Aplicacao::principal()
{
    return janela<TfPrincipal>();
}

void Aplicacao::mostraPrincipal()
{
    TfPrincipal& p = principal();
    p.show();
    // After the window is on screen, so its messages and the login appear over it.
    QTimer::singleShot(0, &p, [this, &p] {
        p.passoDeExibicao();
        if (fimSolicitado())
            QCoreApplication::quit();
    });
}

void Aplicacao::encerraSemPerguntas()
{
    m_semPerguntas = true;
    solicitaFim();
}

void Aplicacao::criaTudo(TfAbertura* abertura)
{
    auto progresso = [abertura](const char* texto) {
        if (abertura)
            abertura->mostraProgresso(QString::fromUtf8(texto));
    };
    progresso("Criando Tela Princial");
    principal();
    // The first data module that reads the database at creation: the product groups' list.
    progresso("Abrindo Conexão ao Grupo de Produtos");
    garanteConexao();
    progresso("Criando Tela de Manutenção de Grupos");
    // The group list is read as its window is made: the first use of the database.
    janela<TfManut_Grupos>();
    progresso("Criando Tela de Produtos");
    progresso("Abrindo Conexão ao DB Movimentação de Estoque");
    progresso("Abrindo Telas de Movimentação de Estoque");
    progresso("Abrindo Telas de Consulta de Movimentação de Estoque");
    progresso("Abrindo Telas de Saída de Estoque");
    progresso("Abrindo Telas de Estorno de Estoque");
    progresso("Abrindo Dados da Empresa");
    progresso("Abrindo Módulo de Usuários");
    progresso("Abrindo Módulos de Busca");
    progresso("Abrindo Módulos de Login");
    progresso("Abrindo Relatórios");
    progresso("Abrindo Módulos Utilitários");
}

bool Aplicacao::inicia()
{
    TfAbertura abertura;
    {
        TfConfig_BancoDados config(*this);
        abertura.show();
        abertura.repaint();
        // The splash's show step: the folder from Config.ini, or asked for.
        if (!ConfigIni::existe()) {
            Modal::exec(&config);
        } else {
            try {
                conexao().configuraEAbre(ConfigIni::lePasta(), false);
            } catch (const ErroBanco& e) {
                Mensagens::erro(mensagemFalhaInicio(e.mensagem()));
            }
        }
    }
    // Told by the system to end while the folder was asked for: going on would only stop at
    // a failure box nobody is there to answer, and the program would never end.
    if (m_semPerguntas)
        return false;
    try {
        criaTudo(&abertura);
    } catch (const ErroBanco& e) {
        Mensagens::erro(mensagemFalhaInicio(e.mensagem()));
        solicitaFim();
        return false;
    }
    return !fimSolicitado();
}
