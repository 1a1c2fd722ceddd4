#pragma once

// The windows that name a product by its code or its bar code, as the tests of the bar-code
// look-ups and of the hand scanner walk them: each window described once, so that a field
// renamed in a window is changed here only.

#include <QMetaType>
#include <QTest>

// A window with a product's code, bar-code and description fields.
struct JanelaDeProduto {
    const char* nome; // the name of a test's row for the window
    const char* menu; // the main-menu item that opens it
    const char* codigo;
    const char* barras;
    const char* descricao;
    const char* proximo;    // the field the focus moves on to from the bar code
    const char* consumivel; // the kind of product the window takes: "S" consumable, "N" lent
};
Q_DECLARE_METATYPE(JanelaDeProduto)

namespace JanelasDeProduto {

// Each as: row name, menu item, code, bar code and description fields, next field, kind.
inline constexpr JanelaDeProduto entrada{
    "entry", "EntradanoEstoque1", "edENT_CodPRO", "edENT_CodBar", "edEnt_DescPro", "edENT_Unid",
    "S",
};
inline constexpr JanelaDeProduto saida{
    "exit", "SadanoEstoque1", "edSaida_CodPro", "edSaida_CodBar", "edSaida_DescPro", "edSaida_Unid",
    "N",
};
// The two reversals share one window.
inline constexpr JanelaDeProduto estornoDeEntrada{
    "reversal of an entry",
    "EstornodeEntrada1",
    "edEST_CodPro",
    "edEST_CodBar",
    "edEst_DescPro",
    "edEst_Unid",
    "S",
};
inline constexpr JanelaDeProduto estornoDeSaida{
    "reversal of an exit",
    "EstornodeSada1",
    "edEST_CodPro",
    "edEST_CodBar",
    "edEst_DescPro",
    "edEst_Unid",
    "S",
};
inline constexpr JanelaDeProduto extravio{
    "write-off", "ExtravioSadaDefinitivadenoConsumveis1",
    "edCodPro",  "edCodBar",
    "edDescPro", "edQuant",
    "N",
};
inline constexpr JanelaDeProduto devolucao{
    "return", "DevoluodenoConsumveis1", "edCodPro", "edCodBar", "edDescPro", "edCodReq", "N",
};
// From the bar code the focus moves on to the grid of the product's suppliers.
inline constexpr JanelaDeProduto fornecedoresDoProduto{
    "suppliers of a product",
    "ConsultadeFornecedoresdeumProduto1",
    "edCodigo",
    "edCodBar",
    "edDesc",
    "DBGPRo",
    "S",
};
// In the movement query and the report of one product the focus stays on the description,
// the field after the bar code.
inline constexpr JanelaDeProduto consultaDeMovimentos{
    "movement query",
    "ConsultadeMovimentaodeEstoque1",
    "edCodPro",
    "edCodBar",
    "edDescricao",
    "edDescricao",
    "S",
};
inline constexpr JanelaDeProduto relatorioDoProduto{
    "report of one product",
    "GeralporProduto1",
    "edCodPro",
    "edCodBar",
    "EdDescPro",
    "EdDescPro",
    "S",
};

inline constexpr JanelaDeProduto todas[] = {
    entrada,           saida,     estornoDeEntrada,      estornoDeSaida,
    extravio,          devolucao, fornecedoresDoProduto, consultaDeMovimentos,
    relatorioDoProduto};

// One row per window of `todas`, named by the window, in the column "janela".
inline void umaLinhaPorJanela()
{
    QTest::addColumn<JanelaDeProduto>("janela");
    for (const JanelaDeProduto& janela : todas)
        QTest::newRow(janela.nome) << janela;
}

} // namespace JanelasDeProduto
