#pragma once

#include "reports/Rel_Estoque.h"

#include <optional>

class TdmProdutos;
class TdmMovEstq;
class TdmMovConsu;

// The report keys and what each one prints: which layout, over which of the shared lists.
// Held once by the output-choice window (and by the command-line tool), so every layout keeps
// the texts a request set on it until the next request sets them again.
class Relatorios {
public:
    Relatorios(TdmProdutos& produtos, TdmMovEstq& movimentos, TdmMovConsu& emprestimos);

    TfRel_Itens_Estoque relItensEstoque;
    TfRel_Itens_Estoque2 relItensEstoque2;
    TfRel_Itens_Estoque_Grupo relItensEstoqueGrupo;
    TfRel_Itens_Estoque_Grupo2 relItensEstoqueGrupo2;
    TfRel_ProEstoque relProEstoque;
    TfRel_Min relMin;

    // Every key a request may carry.
    static QStringList chaves();
    // The keys whose menu item loads the rows itself, without a dialog.
    static bool semDialogo(const QString& chave);
    // The two keys of the group dialog.
    static bool doGrupo(const QString& chave);

    // Loads the rows of a key that needs no dialog into its list; false for any other key.
    // Database errors reach the caller as ErroBanco.
    bool carregaSemDialogo(const QString& chave);
    // Loads the product list for a group key, with the group code as given.
    void carregaGrupo(const QString& grupo);

    // The stock-list layout of a key; none for a key of another kind.
    RelEstoque* layoutEstoque(const QString& chave);

    // The report of `chave` laid out from the rows now in its list; none for an unknown key.
    std::optional<Motor::Documento> prepara(const QString& chave, const Cabecalho& cabecalho);

private:
    TdmProdutos& m_produtos;
    TdmMovEstq& m_movimentos;
    TdmMovConsu& m_emprestimos;
};
