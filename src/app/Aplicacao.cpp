#include "app/Aplicacao.h"

#include "app/Abertura.h"
#include "app/ConfigIni.h"
#include "app/Config_BancoDados.h"
#include "app/Login.h"
#include "app/Principal.h"
#include "app/Sobre.h"
#include "common/Mensagens.h"
#include "common/Modal.h"
#include "data/firebird/ErroBanco.h"
#include "movements/Entrada_Estq.h"
#include "movements/Estorno_Estq.h"
#include "movements/Saida_Estq.h"
#include "registers/BuscaGRU_For.h"
#include "registers/Busca_Fornecedor.h"
#include "registers/Busca_Grupos.h"
#include "registers/Busca_Produtos.h"
#include "registers/Busca_REQ.h"
#include "registers/DadosFornecedor.h"
#include "registers/Dados_GrupoFornecedor.h"
#include "registers/Dados_Grupos.h"
#include "registers/Dados_Produtos.h"
#include "registers/Dados_REQ.h"
#include "registers/Empresa.h"
#include "registers/Manut_Fornec.h"
#include "registers/Manut_GrupoFornecedor.h"
#include "registers/Manut_Grupos.h"
#include "registers/Manut_Produtos.h"
#include "registers/Manut_REQ.h"

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

Aplicacao::~Aplicacao() = default;

template <typename T> T& Aplicacao::janela(std::unique_ptr<T>& guardada)
{
    if (!guardada)
        guardada = std::make_unique<T>(*this);
    return *guardada;
}

TfPrincipal& Aplicacao::principal()
{
    return janela(m_principal);
}

TfLogin& Aplicacao::login()
{
    return janela(m_login);
}

TfSobre& Aplicacao::sobre()
{
    return janela(m_sobre);
}

TfManut_Grupos& Aplicacao::manutGrupos()
{
    return janela(m_manutGrupos);
}

TfDados_Grupos& Aplicacao::dadosGrupos()
{
    return janela(m_dadosGrupos);
}

TfBusca_Grupos& Aplicacao::buscaGrupos()
{
    return janela(m_buscaGrupos);
}

TfManut_REQ& Aplicacao::manutReq()
{
    return janela(m_manutReq);
}

TfDados_REQ& Aplicacao::dadosReq()
{
    return janela(m_dadosReq);
}

TfBusca_REQ& Aplicacao::buscaReq()
{
    return janela(m_buscaReq);
}

TfManut_GrupoFornecedor& Aplicacao::manutGrupoFornecedor()
{
    return janela(m_manutGrupoFornecedor);
}

TfDados_GrupoFornecedor& Aplicacao::dadosGrupoFornecedor()
{
    return janela(m_dadosGrupoFornecedor);
}

TfBuscaGRU_For& Aplicacao::buscaGrupoFornecedor()
{
    return janela(m_buscaGrupoFornecedor);
}

TfManut_Produtos& Aplicacao::manutProdutos()
{
    return janela(m_manutProdutos);
}

TfDados_Produtos& Aplicacao::dadosProdutos()
{
    return janela(m_dadosProdutos);
}

TfBusca_Produtos& Aplicacao::buscaProdutos()
{
    return janela(m_buscaProdutos);
}

TfManut_Fornec& Aplicacao::manutFornecedor()
{
    return janela(m_manutFornecedor);
}

TfDadosFornecedor& Aplicacao::dadosFornecedor()
{
    return janela(m_dadosFornecedor);
}

TfBusca_Fornecedor& Aplicacao::buscaFornecedor()
{
    return janela(m_buscaFornecedor);
}

TfEmpresa& Aplicacao::empresa()
{
    return janela(m_empresa);
}

TfEntrada_Estq& Aplicacao::entradaEstoque()
{
    return janela(m_entradaEstoque);
}

TfSaida_Estq& Aplicacao::saidaEstoque()
{
    return janela(m_saidaEstoque);
}

TfEstorno_Estq& Aplicacao::estornoEstoque()
{
    return janela(m_estornoEstoque);
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
    manutGrupos();
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
    try {
        criaTudo(&abertura);
    } catch (const ErroBanco& e) {
        Mensagens::erro(mensagemFalhaInicio(e.mensagem()));
        solicitaFim();
        return false;
    }
    return !m_fim;
}
