#include "app/Aplicacao.h"

#include "app/Abertura.h"
#include "app/ConfigIni.h"
#include "app/Config_BancoDados.h"
#include "app/Login.h"
#include "app/Principal.h"
#include "app/Sobre.h"
#include "common/Mensagens.h"
#include "common/Modal.h"
#include "data/DataModule_Configuracoes.h"
#include "data/DataModule_Empresa.h"
#include "data/DataModule_Fornecedor.h"
#include "data/DataModule_GrupoFornecedor.h"
#include "data/DataModule_Grupos.h"
#include "data/DataModule_Log.h"
#include "data/DataModule_MovConsu.h"
#include "data/DataModule_MovEstq.h"
#include "data/DataModule_PER.h"
#include "data/DataModule_Produtos.h"
#include "data/DataModule_Req.h"
#include "data/DataModule_Usuarios.h"
#include "data/DataModule_Versao.h"
#include "data/firebird/ErroBanco.h"
#include "registers/Manut_Grupos.h"

#include <QCoreApplication>
#include <QTimer>

const char* const Aplicacao::emailSuporte = "suporte@zorvane.com.br";
const char* const Aplicacao::telefoneSuporte = "(11) 4002-8922";

Aplicacao::Aplicacao()
{
    Conexao& c = conexao();
    m_dmConfiguracoes = std::make_unique<TdmConfiguracoes>(c);
    m_dmVersao = std::make_unique<TdmVersao>(c);
    m_dmEmpresa = std::make_unique<TdmEmpresa>(c);
    m_dmUsuarios = std::make_unique<TdmUsuarios>(c);
    m_dmPER = std::make_unique<TdmPER>(c);
    m_dmLog = std::make_unique<TdmLog>(c);
    m_dmGrupos = std::make_unique<TdmGrupos>(c);
    m_dmReq = std::make_unique<TdmReq>(c);
    m_dmGrupoFornecedor = std::make_unique<TdmGrupoFornecedor>(c);
    m_dmProdutos = std::make_unique<TdmProdutos>(c);
    m_dmFornecedor = std::make_unique<TdmFornecedor>(c);
    m_dmMovEstq = std::make_unique<TdmMovEstq>(c);
    m_dmMovConsu = std::make_unique<TdmMovConsu>(c);
}

Aplicacao::~Aplicacao()
{
    // A window may point at those made before it; the last made goes first.
    while (!m_janelas.empty())
        m_janelas.pop_back();
}

QWidget* Aplicacao::guardada(const std::type_info& tipo) const
{
    for (const auto& [chave, janela] : m_janelas)
        if (chave == std::type_index(tipo))
            return janela.get();
    return nullptr;
}

void Aplicacao::guarda(const std::type_info& tipo, std::unique_ptr<QWidget> janela)
{
    m_janelas.emplace_back(std::type_index(tipo), std::move(janela));
}

TfPrincipal& Aplicacao::principal()
{
    return janela<TfPrincipal>();
}

QString Aplicacao::mensagemFalhaInicio(const QString& erro)
{
    return QStringList{
        QStringLiteral("Não Consegui encontrar o Banco de Dados as Possíveis causas podem ser:"),
        QStringLiteral(" 1 - verifique se o FireBird está Ativo"),
        QStringLiteral(" 2 - Verique no arquivo Config.ini se o Path dos Dados está correto"),
        QStringLiteral(" Caso não consiga resolver entre em Contato Através do Email ") +
            QLatin1String(emailSuporte) + QStringLiteral(" ou pelo Telefone: ") +
            QLatin1String(telefoneSuporte),
        QStringLiteral(" E diga o Código de Erro:") + erro,
    }
        .join(QLatin1Char('\n'));
}

void Aplicacao::mostraPrincipal()
{
    TfPrincipal& p = principal();
    p.show();
    // After the window is on screen, so its messages and the login appear over it.
    QTimer::singleShot(0, &p, [this, &p] {
        p.passoDeExibicao();
        if (m_fim)
            QCoreApplication::quit();
    });
}

void Aplicacao::solicitaFim()
{
    m_fim = true;
    QCoreApplication::quit();
}

void Aplicacao::encerraSemPerguntas()
{
    m_semPerguntas = true;
    solicitaFim();
}

void Aplicacao::garanteConexao()
{
    if (!conexao().aberta())
        conexao().abre();
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
    return !m_fim;
}
