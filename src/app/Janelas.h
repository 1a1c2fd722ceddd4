#pragma once

// Every window the program makes through the context's janela<T>(), listed once, and how each
// is made. A window that is not listed cannot be made that way (asking for it throws, and the
// menu's windows are checked when the menu compiles), so whatever walks over this list (the
// checks that keep every window's keys, grids and fields in line) sees every window.

#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <type_traits>
#include <typeinfo>

class Aplicacao;
class Contexto;
class QWidget;
class TfPrincipal;
class TfLogin;
class TfSobre;
class TfManut_Grupos;
class TfDados_Grupos;
class TfBusca_Grupos;
class TfManut_Produtos;
class TfDados_Produtos;
class TfBusca_Produtos;
class TfManut_REQ;
class TfDados_REQ;
class TfBusca_REQ;
class TfManut_GrupoFornecedor;
class TfDados_GrupoFornecedor;
class TfBuscaGRU_For;
class TfManut_Fornec;
class TfDadosFornecedor;
class TfBusca_Fornecedor;
class TfEmpresa;
class TfConsultaProdutos;
class TfEntrada_Estq;
class TfSaida_Estq;
class TfEstorno_Estq;
class TfDevolucao;
class TfDevolve;
class TfExtravio;
class TfManutMovEstq;
class TfConsulta_MovEstq;
class TfManut_Usuarios;
class TfDados_Usuarios;
class TfConfig_Login;
class TfConfig_Log;
class TfPermissao_Usuarios;
class TfDaRetiraPermissoes;
class TfConsulta_Log;
class TfTela_Impressora;
class TfDatas;
class TfDatas_Produto;
class TfDatas_Grupo;
class TfDatas_REQ;
class TfBusca_Rel_Grupo;
class TfEtiquetas;
class TfBackup;
class TfRestaura_Backup;
class TfAvisos_Dia;

namespace Janelas {

template <typename... T> struct Lista {
    template <typename J> static constexpr bool contem = (std::is_same_v<J, T> || ...);
};

// The main window, the menu's windows, and the windows they open.
using Todas =
    Lista<TfPrincipal, TfLogin, TfSobre, TfManut_Grupos, TfDados_Grupos, TfBusca_Grupos,
          TfManut_Produtos, TfDados_Produtos, TfBusca_Produtos, TfManut_REQ, TfDados_REQ,
          TfBusca_REQ, TfManut_GrupoFornecedor, TfDados_GrupoFornecedor, TfBuscaGRU_For,
          TfManut_Fornec, TfDadosFornecedor, TfBusca_Fornecedor, TfEmpresa, TfConsultaProdutos,
          TfEntrada_Estq, TfSaida_Estq, TfEstorno_Estq, TfDevolucao, TfDevolve, TfExtravio,
          TfManutMovEstq, TfConsulta_MovEstq, TfManut_Usuarios, TfDados_Usuarios, TfConfig_Login,
          TfConfig_Log, TfPermissao_Usuarios, TfDaRetiraPermissoes, TfConsulta_Log,
          TfTela_Impressora, TfDatas, TfDatas_Produto, TfDatas_Grupo, TfDatas_REQ,
          TfBusca_Rel_Grupo, TfBackup, TfRestaura_Backup, TfAvisos_Dia,
          TfEtiquetas>;

template <typename T> inline constexpr bool registrada = Todas::contem<T>;

struct Janela {
    QString classe;
    // The run's window of that class, made on first use.
    std::function<QWidget&(Contexto&)> abre;
};

// The listed windows, in the list's order.
QList<Janela> todas();

// A new window of the listed class `tipo` for the run; null for a class that is not listed.
std::unique_ptr<QWidget> faz(Aplicacao& app, const std::type_info& tipo);

} // namespace Janelas
