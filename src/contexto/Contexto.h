#pragma once

#include "contexto/Sessao.h"
#include "data/DataModule_Conexao.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <type_traits>
#include <typeindex>
#include <typeinfo>
#include <utility>
#include <vector>

class TdmConfiguracoes;
class TdmVersao;
class TdmEmpresa;
class TdmUsuarios;
class TdmPER;
class TdmLog;
class TdmGrupos;
class TdmReq;
class TdmGrupoFornecedor;
class TdmProdutos;
class TdmFornecedor;
class TdmMovEstq;
class TdmMovConsu;

// What every window of one run works with: the connection, every data module, the session's
// state and the windows themselves. Data modules are made with the context; windows on first
// use, once, and kept for the run, so each keeps its fields and choices between openings. A
// window reaches another only through janela<T>(), which needs that window's header and no
// other: which windows the program has, and how each is made, the program itself says when
// it makes its context.
class Contexto {
public:
    static const char* const emailSuporte;
    static const char* const telefoneSuporte;

    virtual ~Contexto();
    Contexto(const Contexto&) = delete;
    Contexto& operator=(const Contexto&) = delete;

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

    Sessao& sessao() { return *m_sessao; }

    // Asks the program to end: at once if the main loop runs, or as soon as it would start.
    void solicitaFim();
    bool fimSolicitado() const { return m_fim; }

    // The one window of class T for this run, made on first use and kept until the run ends.
    // Throws std::logic_error for a class the program does not make (not in its list of
    // windows): such a window would escape the checks that walk over that list.
    template <typename T> T& janela()
    {
        static_assert(std::is_base_of_v<QWidget, T>);
        return static_cast<T&>(janelaDoTipo(typeid(T)));
    }

protected:
    // Makes the window of a class for this context, or answers null for a class the program
    // does not make.
    using Fabrica = std::function<std::unique_ptr<QWidget>(const std::type_info&)>;
    explicit Contexto(Fabrica fabrica);
    // Drops every window, the last made first; a derived context calls it from its
    // destructor, so the windows go while all of it they may point at is still there.
    void descartaJanelas();

private:
    QWidget& janelaDoTipo(const std::type_info& tipo);

    Fabrica m_fabrica;
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
    std::unique_ptr<Sessao> m_sessao;

    // Windows after the data modules: they go first when the run ends, the last made first.
    std::vector<std::pair<std::type_index, std::unique_ptr<QWidget>>> m_janelas;
};
