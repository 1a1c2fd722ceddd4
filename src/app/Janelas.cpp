#include "app/Janelas.h"

#include "access/Config_Log.h"
#include "access/Config_Login.h"
#include "access/Consulta_Log.h"
#include "access/DaRetiraPermissoes.h"
#include "access/Dados_Usuarios.h"
#include "access/Manut_Usuarios.h"
#include "access/Permissao_Usuarios.h"
#include "app/Aplicacao.h"
#include "app/Login.h"
#include "app/Principal.h"
#include "app/Sobre.h"
#include "movements/ConsultaProdutos.h"
#include "movements/Consulta_MovEstq.h"
#include "movements/Devolucao.h"
#include "movements/Devolve.h"
#include "movements/Entrada_Estq.h"
#include "movements/Estorno_Estq.h"
#include "movements/Extravio.h"
#include "movements/ManutMovEstq.h"
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
#include "reports/Busca_Rel_Grupo.h"
#include "reports/DialogoRelatorio.h"
#include "reports/Etiquetas.h"
#include "reports/Tela_Impressora.h"
#include "utilities/Avisos_Dia.h"
#include "utilities/Backup.h"
#include "utilities/Restaura_Backup.h"

namespace {

template <typename... T> QList<Janelas::Janela> lista(Janelas::Lista<T...>)
{
    // The class name comes from the window's own meta-object, which each must declare.
    static_assert((QtPrivate::HasQ_OBJECT_Macro<T>::Value && ...));
    return {Janelas::Janela{QString::fromLatin1(T::staticMetaObject.className()),
                            [](Contexto& c) -> QWidget& { return c.janela<T>(); }}...};
}

template <typename... T>
std::unique_ptr<QWidget> nova(Aplicacao& app, const std::type_info& tipo, Janelas::Lista<T...>)
{
    std::unique_ptr<QWidget> feita;
    ((tipo == typeid(T) && (feita = std::make_unique<T>(app), true)) || ...);
    return feita;
}

} // namespace

namespace Janelas {

QList<Janela> todas()
{
    return lista(Todas{});
}

std::unique_ptr<QWidget> faz(Aplicacao& app, const std::type_info& tipo)
{
    return nova(app, tipo, Todas{});
}

} // namespace Janelas
