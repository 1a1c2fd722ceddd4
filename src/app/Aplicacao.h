#pragma once

#include "app/Janelas.h"
#include "data/DataModule_Conexao.h"

#include <QString>
#include <QWidget>
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
class TfPrincipal;
class TfAbertura;

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
    // The end the system asks for (logout, shutdown, kill): as solicitaFim, and the start-up
    // that is still running stops there, with nothing more to answer on the way out.
    void encerraSemPerguntas();

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

    // The main window: the one every other window reads the run's state from.
    TfPrincipal& principal();

    // The one window of class T for this run, made on first use (with this Aplicacao) and kept
    // until the run ends. A window's header is all a caller needs to reach it.
    template <typename T> T& janela()
    {
        static_assert(std::is_base_of_v<QWidget, T>);
        static_assert(Janelas::registrada<T>, "a window made here is listed in app/Janelas.h");
        if (QWidget* existente = guardada(typeid(T)))
            return static_cast<T&>(*existente);
        auto nova = std::make_unique<T>(*this);
        T& feita = *nova;
        guarda(typeid(T), std::move(nova));
        return feita;
    }

private:
    QWidget* guardada(const std::type_info& tipo) const;
    void guarda(const std::type_info& tipo, std::unique_ptr<QWidget> janela);

    bool m_fim = false;
    bool m_semPerguntas = false;
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

    // Windows after the data modules: they go first when the run ends, the last made first.
    std::vector<std::pair<std::type_index, std::unique_ptr<QWidget>>> m_janelas;
};
