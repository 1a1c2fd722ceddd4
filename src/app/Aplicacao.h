#pragma once

#include "data/DataModule_Conexao.h"
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

#include <QString>
#include <memory>

class TfPrincipal;
class TfLogin;
class TfSobre;
class TfManut_Grupos;
class TfDados_Grupos;
class TfBusca_Grupos;
class TfManut_REQ;
class TfDados_REQ;
class TfBusca_REQ;
class TfManut_GrupoFornecedor;
class TfDados_GrupoFornecedor;
class TfBuscaGRU_For;
class TfManut_Produtos;
class TfDados_Produtos;
class TfBusca_Produtos;
class TfManut_Fornec;
class TfDadosFornecedor;
class TfBusca_Fornecedor;
class TfEmpresa;
class TfEntrada_Estq;
class TfSaida_Estq;
class TfEstorno_Estq;
class TfAbertura;
class QWidget;

// Everything one run of the program owns: the connection, every data module and every window.
// Data modules are made at start; windows on first use, once, and kept for the run, so each
// keeps its fields and choices between openings. Windows reach the main-window state, the
// data modules and each other through the Aplicacao they are given.
class Aplicacao {
public:
    static const char* const emailSuporte;
    static const char* const telefoneSuporte;

    Aplicacao();
    ~Aplicacao();
    Aplicacao(const Aplicacao&) = delete;
    Aplicacao& operator=(const Aplicacao&) = delete;

    // The start of the program up to the main loop: the splash, Config.ini (or the database
    // folder dialog), the connection, the data modules and the main window. Returns false when
    // the start failed (the failure message has been shown); the program must then end.
    bool inicia();
    // The creation steps of the start, with their progress texts; they need the database.
    // Throws ErroBanco when it cannot be reached.
    void criaTudo(TfAbertura* abertura = nullptr);

    // Shows the main window and, once it is on screen, runs its first-showing step.
    void mostraPrincipal();

    // Asks the program to end: at once if the main loop runs, or as soon as it would start.
    void solicitaFim();
    bool fimSolicitado() const { return m_fim; }

    // The text shown when the database cannot be reached, with the server's message last.
    static QString mensagemFalhaInicio(const QString& erro);

    Conexao& conexao() { return m_dmConexao.SQLC_ZV; }
    // Opens the connection with its current settings if it is not open, as a data module does
    // when it first needs the database.
    void garanteConexao();

    TdmConexao& dmConexao() { return m_dmConexao; }
    TdmConfiguracoes& dmConfiguracoes() { return *m_dmConfiguracoes; }
    TdmVersao& dmVersao() { return *m_dmVersao; }
    TdmEmpresa& dmEmpresa() { return *m_dmEmpresa; }
    TdmUsuarios& dmUsuarios() { return *m_dmUsuarios; }
    TdmPER& dmPER() { return *m_dmPER; }
    TdmLog& dmLog() { return *m_dmLog; }
    TdmGrupos& dmGrupos() { return *m_dmGrupos; }
    TdmReq& dmReq() { return *m_dmReq; }
    TdmGrupoFornecedor& dmGrupoFornecedor() { return *m_dmGrupoFornecedor; }
    TdmProdutos& dmProdutos() { return *m_dmProdutos; }
    TdmFornecedor& dmFornecedor() { return *m_dmFornecedor; }
    TdmMovEstq& dmMovEstq() { return *m_dmMovEstq; }
    TdmMovConsu& dmMovConsu() { return *m_dmMovConsu; }

    TfPrincipal& principal();
    TfLogin& login();
    TfSobre& sobre();
    TfManut_Grupos& manutGrupos();
    TfDados_Grupos& dadosGrupos();
    TfBusca_Grupos& buscaGrupos();
    TfManut_REQ& manutReq();
    TfDados_REQ& dadosReq();
    TfBusca_REQ& buscaReq();
    TfManut_GrupoFornecedor& manutGrupoFornecedor();
    TfDados_GrupoFornecedor& dadosGrupoFornecedor();
    TfBuscaGRU_For& buscaGrupoFornecedor();
    TfManut_Produtos& manutProdutos();
    TfDados_Produtos& dadosProdutos();
    TfBusca_Produtos& buscaProdutos();
    TfManut_Fornec& manutFornecedor();
    TfDadosFornecedor& dadosFornecedor();
    TfBusca_Fornecedor& buscaFornecedor();
    TfEmpresa& empresa();
    TfEntrada_Estq& entradaEstoque();
    TfSaida_Estq& saidaEstoque();
    TfEstorno_Estq& estornoEstoque();

private:
    template <typename T> T& janela(std::unique_ptr<T>& guardada);

    bool m_fim = false;
    TdmConexao m_dmConexao;
    std::unique_ptr<TdmConfiguracoes> m_dmConfiguracoes;
    std::unique_ptr<TdmVersao> m_dmVersao;
    std::unique_ptr<TdmEmpresa> m_dmEmpresa;
    std::unique_ptr<TdmUsuarios> m_dmUsuarios;
    std::unique_ptr<TdmPER> m_dmPER;
    std::unique_ptr<TdmLog> m_dmLog;
    std::unique_ptr<TdmGrupos> m_dmGrupos;
    std::unique_ptr<TdmReq> m_dmReq;
    std::unique_ptr<TdmGrupoFornecedor> m_dmGrupoFornecedor;
    std::unique_ptr<TdmProdutos> m_dmProdutos;
    std::unique_ptr<TdmFornecedor> m_dmFornecedor;
    std::unique_ptr<TdmMovEstq> m_dmMovEstq;
    std::unique_ptr<TdmMovConsu> m_dmMovConsu;

    // Windows after the data modules: they go first when the run ends.
    std::unique_ptr<TfPrincipal> m_principal;
    std::unique_ptr<TfLogin> m_login;
    std::unique_ptr<TfSobre> m_sobre;
    std::unique_ptr<TfManut_Grupos> m_manutGrupos;
    std::unique_ptr<TfDados_Grupos> m_dadosGrupos;
    std::unique_ptr<TfBusca_Grupos> m_buscaGrupos;
    std::unique_ptr<TfManut_REQ> m_manutReq;
    std::unique_ptr<TfDados_REQ> m_dadosReq;
    std::unique_ptr<TfBusca_REQ> m_buscaReq;
    std::unique_ptr<TfManut_GrupoFornecedor> m_manutGrupoFornecedor;
    std::unique_ptr<TfDados_GrupoFornecedor> m_dadosGrupoFornecedor;
    std::unique_ptr<TfBuscaGRU_For> m_buscaGrupoFornecedor;
    std::unique_ptr<TfManut_Produtos> m_manutProdutos;
    std::unique_ptr<TfDados_Produtos> m_dadosProdutos;
    std::unique_ptr<TfBusca_Produtos> m_buscaProdutos;
    std::unique_ptr<TfManut_Fornec> m_manutFornecedor;
    std::unique_ptr<TfDadosFornecedor> m_dadosFornecedor;
    std::unique_ptr<TfBusca_Fornecedor> m_buscaFornecedor;
    std::unique_ptr<TfEmpresa> m_empresa;
    std::unique_ptr<TfEntrada_Estq> m_entradaEstoque;
    std::unique_ptr<TfSaida_Estq> m_saidaEstoque;
    std::unique_ptr<TfEstorno_Estq> m_estornoEstoque;
};
