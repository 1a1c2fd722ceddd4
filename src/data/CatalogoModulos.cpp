#include "data/CatalogoModulos.h"

QString ModuloPermissao::codigoGravado() const
{
    return QString::fromUtf8(codigo).leftJustified(larguraCodigo, QLatin1Char(' '));
}

QString ModuloPermissao::descricaoGravada() const
{
    return QString::fromUtf8(descricao).leftJustified(larguraDescricao, QLatin1Char(' '));
}

namespace CatalogoModulos {

const QList<ModuloPermissao>& modulos()
{
    // clang-format off
    static const QList<ModuloPermissao> catalogo = {
        {"1", "Cadastros", 13, 50},
        {"1.1", "Cadastros->Grupo de Produtos", 13, 50},
        {"1.1.1", "Cadastros->Grupo de Produtos->Novo", 13, 50},
        {"1.1.2", "Cadastros->Grupo de Produtos->Altera", 13, 50},
        {"1.1.3", "Cadastros->Grupo de Produtos->Excluir", 13, 50},
        {"1.2", "Cadastros->Produtos", 13, 50},
        {"1.2.1", "Cadastros->Produtos->Novo", 13, 50},
        {"1.2.2", "Cadastros->Produtos->Altera", 13, 50},
        {"1.2.3", "Cadastros->Produtos->Exclui", 13, 50},
        {"1.2.4", "Cadastros->Produtos->Consulta", 13, 50},
        {"1.3", "Cadastros->Requisitantes", 13, 50},
        {"1.3.1", "Cadastros->Requisitantes->Novo", 13, 50},
        {"1.3.2", "Cadastros->Requisitantes->Altera", 13, 50},
        {"1.3.3", "Cadastros->Requisitantes->Exclui", 13, 50},
        {"1.4", "Cadastros->Grupo de Fornecedores", 13, 50},
        {"1.4.1", "Cadastros->Grupo de Fornecedores->Novo", 13, 50},
        {"1.4.2", "Cadastros->Grupo de Fornecedores->Altera", 13, 50},
        {"1.4.3", "Cadastros->Grupo de Fornecedores->Exclui", 13, 50},
        {"1.5", "Cadastros->Fornecedores", 13, 50},
        {"1.5.1", "Cadastros->Fornecedores->Novo", 13, 49},
        {"1.5.2", "Cadastros->Fornecedores->Altera", 13, 49},
        {"1.5.3", "Cadastros->Fornecedores->Exclui", 13, 49},
        {"1.5.4", "Cadastros->Fornecedores->Consulta", 13, 49},
        {"2", "Movimentação no Estoque", 13, 49},
        {"2.1", "Movimentação no Estoque->Entrada no Estoque", 13, 49},
        {"2.2", "Movimentação no Estoque->Saída no Estoque", 13, 49},
        {"2.3", "Movimentação no Estoque->Estorno de Entrada", 13, 49},
        {"2.4", "Movimentação no Estoque->Estorno de Saída", 13, 49},
        {"2.5", "Movimentação no Estoque->Consultas", 13, 49},
        {"2.5.1", "Movimentação no Estoque->Consultas->Consulta Mov.", 13, 49},
        {"2.5.2", "Movimentação no Estoque->Consultas->Consulta For.", 13, 49},
        {"2.6", "Movimentação no Estoque->Devolução de Não Consum.", 13, 49},
        {"2.7", "Movimentação no Estoque->Extravio/Saída Definitiv", 13, 49},
        {"3", "Relatórios", 13, 49},
        {"4", "Utilitários", 13, 49},
        {"4.1", "Utilitários->Backup", 13, 49},
        {"4.2", "Utilitários->Restaura Backup", 13, 49},
        {"4.3", "Utilitários->Dados da Empresa", 13, 49},
        {"4.4", "Utilitários->Usuários", 13, 49},
        {"4.4.1", "Utilitários->Usuários->Manutenção de Usuários", 13, 49},
        {"4.4.2", "Utilitários->Usuários->Login de Usuários", 13, 49},
        {"4.4.3", "Utilitários->Usuários->Permissão de Usuários", 13, 49},
        {"4.4.4", "Utilitários->Usuários->Dá/Retira Permissão de Usu", 13, 49},
        {"4.4.5", "Utilitários->Usuários->Log de Usuários", 13, 49},
        {"4.4.6", "Utilitários->Usuários->Consulta de Log de Usuário", 13, 49},
        {"4.5", "Utilitários->Manutenção de Movimentação de Estoqu", 13, 49},
    };
    // clang-format on
    return catalogo;
}

} // namespace CatalogoModulos
