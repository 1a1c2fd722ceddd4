#include "contexto/Contexto.h"

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

#include <QCoreApplication>
#include <QStringList>

#include <stdexcept>

const char* const Contexto::emailSuporte = "suporte@zorvane.com.br";
const char* const Contexto::telefoneSuporte = "(11) 4002-8922";

Contexto::Contexto(Fabrica fabrica) : m_fabrica(std::move(fabrica))
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
    m_sessao = std::make_unique<Sessao>(*m_dmPER);
}

Contexto::~Contexto()
{
    descartaJanelas();
}

void Contexto::descartaJanelas()
{
    // A window may point at those made before it; the last made goes first.
    while (!m_janelas.empty())
        m_janelas.pop_back();
}

QWidget& Contexto::janelaDoTipo(const std::type_info& tipo)
{
    for (const auto& [chave, janela] : m_janelas)
        if (chave == std::type_index(tipo))
            return *janela;
    std::unique_ptr<QWidget> nova = m_fabrica ? m_fabrica(tipo) : nullptr;
    if (!nova)
        throw std::logic_error(std::string("a window the program does not list: ") + tipo.name());
    QWidget& feita = *nova;
    m_janelas.emplace_back(std::type_index(tipo), std::move(nova));
    return feita;
}

QString Contexto::mensagemFalhaInicio(const QString& erro)
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

void Contexto::solicitaFim()
{
    m_fim = true;
    QCoreApplication::quit();
}

void Contexto::garanteConexao()
{
    if (!conexao().aberta())
        conexao().abre();
}
