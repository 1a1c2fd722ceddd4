#pragma once

#include "common/Decimal.h"
#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

#include <QDate>
#include <optional>

// One product as the register stores it.
struct Produto {
    QString codigo; // padded to 10 with blanks
    QString descricao;
    QString unidade;
    QString grupo;
    QString local;
    Decimal quantidade; // 3 decimals
    Decimal minimo;
    Decimal maximo;
    Decimal valor; // the average cost, 2 decimals
    QDate ultimaCompra;
    QString fornecedor;
    QDate cadastro;
    QString observacoes;
    QString referencia;
    QString codigoBarras;
    QString consumivel; // "S" or "N"

    bool ehConsumivel() const { return consumivel == QLatin1String("S"); }
    static Produto deLinha(const Resultado& r, int linha = 0);
};

// Products: the work query, the list shared by the product windows and the stock reports,
// and the list of a product's suppliers.
class TdmProdutos {
public:
    explicit TdmProdutos(Conexao& c);

    // The product of a code (padded to 10) or of a bar code; none when the register has no such
    // code. Database errors reach the caller as ErroBanco.
    std::optional<Produto> produtoPorCodigo(const QString& codigo);
    std::optional<Produto> produtoPorCodigoBarras(const QString& codigoBarras);

    Consulta SQLQ_Produtos;
    Consulta SQLQ_Produtos2;
    DataSet cds_Produtos;
    Consulta SQLQ_Produtos3;
    DataSet cds_Produtos3;

private:
    Consulta m_porCodigo;
    Consulta m_porCodigoBarras;
};
