#pragma once

#include "data/ListaDoModulo.h"
#include "data/firebird/Consulta.h"

#include <QString>
#include <QStringList>

#include <optional>

class DataSet;
class Transacao;

// One row of a register that holds only a code and a description.
struct ItemCadastro {
    QString codigo; // six characters, zero-padded digits as the windows write them
    QString descricao;
};

// The statements that read a register's list in the orders a window offers. Each window has
// its own texts; `naAbertura` is the order every opening applies where a window writes it
// apart from its radios.
struct Ordenacoes {
    QString porCodigo{};
    QString porDescricao{};
    QString naAbertura{};
};

// The reads and writes of a register of codes and descriptions (product groups,
// requisitioners, supplier groups). Each register's data module gives its own statement
// texts; this runs them, one statement a call. Database errors reach the caller as ErroBanco.
class CadastroSimples {
public:
    // The width of every code of these registers.
    static constexpr int largura = 6;

    struct Textos {
        QString registro{};        // the record of :CodigoC, code and description first
        QString descricao{};       // the description of :CodigoC
        QString maiorCodigo{};     // the codes, highest first
        QString codigoTomado{};    // a row of :CodigoC
        QString descricaoTomada{}; // a row of :DescricaoC
        QStringList inclui{};      // :CodigoC, :DescricaoC
        QStringList altera{};      // :DescricaoC of :CodigoC
        QStringList exclui{};      // :CodigoC
        // The list's orders, as the list window and the search window write them.
        Ordenacoes ordensDaManutencao{};
        Ordenacoes ordensDaBusca{};
    };

    CadastroSimples(Conexao& c, Textos textos);

    // The record of a code, or its description; none when the register has no such code.
    // A text with a character the database cannot hold is in no row, here and below.
    std::optional<ItemCadastro> registro(const QString& codigo);
    std::optional<QString> descricao(const QString& codigo);
    // The highest code plus one, six digits ("000001" on an empty register). A code past
    // 999999 comes back with seven, so saving it fails instead of taking another's code.
    // Throws ErroBanco when the highest code is not a number.
    QString proximoCodigo();
    // Whether a row holds this code or this exact description (case and blanks count). A code
    // longer than the column is in no row; the server would refuse even to compare it.
    bool codigoTomado(const QString& codigo);
    bool descricaoTomada(const QString& descricao);

    // The writes of a save, inside its transaction; each answers the rows it touched.
    qint64 inclui(Transacao& t, const ItemCadastro& item);
    qint64 altera(Transacao& t, const QString& codigo, const QString& descricao);
    qint64 exclui(Transacao& t, const QString& codigo);

protected:
    // The register's shared list in the orders of its list window or of its search window: by
    // code, by description, and the order of every opening when the window has one.
    ListaDoModulo listaDaManutencao(Consulta& consulta, DataSet& dados) const;
    ListaDoModulo listaDaBusca(Consulta& consulta, DataSet& dados) const;
    const Textos& textos() const { return m_textos; }
    Consulta& trabalho() { return m_trabalho; }

private:
    qint64 executa(Transacao& t, const QStringList& linhas, const QVariantMap& parametros);

    Textos m_textos;
    Consulta m_trabalho;
};
